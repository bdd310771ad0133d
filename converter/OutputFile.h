// A generated file opened for writing or appending, written through one large buffer in big blocks.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string_view>

#include "toolkit/WideString.h"

namespace Zenlo {

class OutputFile {
public:
    // Bytes gathered before a block is written; reserve() may ask for at most this much.
    static constexpr std::size_t bufferSize = std::size_t{1} << 20;

    OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    // Closes the file; a failure then goes unnoticed (call close() to learn it).
    ~OutputFile();

    // Opens the file in binary mode, emptied ("w") or for appending ("a"). Returns false when it
    // cannot be opened; error() then holds the system's code.
    bool open(const WideString& path, bool append);
    // Writes what is buffered and closes the file. Returns false when any write, the final flush
    // or the close failed (a full disk or an I/O error), or when nothing was open.
    bool close();

    // Room for n more bytes (n <= bufferSize) at the end of the buffer; write them, then commit.
    char* reserve(std::size_t n) {
        if (bufferSize - used_ < n) flush();
        return buffer_.get() + used_;
    }
    void commit(std::size_t n) { used_ += n; }
    void write(std::string_view text);
    // Writes n copies of the character.
    void fill(char character, std::size_t n);

    bool isOpen() const { return file_ != nullptr; }
    // True once a write has failed; the rest of the text is then dropped.
    bool failed() const { return failed_; }
    int error() const { return error_; }

private:
    void flush();

    std::FILE* file_ = nullptr;
    // Eight spare bytes let the formatter store whole words past a line's end.
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    bool failed_ = false;
    int error_ = 0;
};

} // namespace Zenlo
