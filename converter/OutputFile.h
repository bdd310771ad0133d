// A generated file opened for writing or appending, written through large buffers in big blocks.
#pragma once

#include <atomic>
#include <cassert>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>

#include "toolkit/WideString.h"

namespace Zenlo {

// Text is gathered in one buffer while the other one is being written by a helper thread, so
// formatting and the system's write overlap. Files smaller than one buffer never start it.
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
    // Creates a new file that must not exist yet (error() is then EEXIST), readable and writable
    // as the process's file mode mask allows. Returns false when it cannot be created.
    bool create(const WideString& path);
    // Takes over a stream opened for writing at its start (an unnamed temporary file, say).
    void adopt(std::FILE* file) { started(file); }
    // Writes everything buffered without closing the file. Returns false when any write failed.
    bool flushAll();
    // The stream being written, or null.
    std::FILE* stream() const { return file_; }
    // Writes what is buffered and closes the file; with durable, waits until the system has the
    // bytes on the disk. Returns false when any write, the final flush, the sync or the close
    // failed (a full disk or an I/O error), or when nothing was open.
    bool close(bool durable = false);

    // The length the file has with everything written so far (buffered bytes included).
    std::uint64_t position() const { return handedOver_ + used_; }
    // Drops everything written after the position, so the file goes on from there. Returns false
    // for a position beyond position(), or when the file could not be cut (failed() is then set).
    bool rewindTo(std::uint64_t position);
    // Writes the bytes over what the file holds from offset on (the end of the file does not
    // move). Returns false when they would pass position(), or when the write failed (failed() is
    // then set).
    bool overwrite(std::uint64_t offset, std::string_view bytes);

    // Room for n more bytes (n <= bufferSize) at the end of the buffer; write them, then commit.
    // Eight bytes beyond the n may be scribbled on (the formatter stores whole words).
    char* reserve(std::size_t n) {
        assert(n <= bufferSize);
        if (bufferSize - used_ < n) flush();
        return buffers_[current_].get() + used_;
    }
    void commit(std::size_t n) { used_ += n; }
    void write(std::string_view text);
    // Writes n copies of the character.
    void fill(char character, std::size_t n);

    bool isOpen() const { return file_ != nullptr; }
    // True once a write has failed; the rest of the text is then dropped.
    bool failed() const { return failed_.load(); }
    int error() const { return error_.load(); }

private:
    // Hands the filled buffer to the helper thread and goes on in the other one.
    void flush();
    void waitForPendingWrite();
    void writerLoop();
    void writeBlock(const char* data, std::size_t size);
    // Keeps the system's code of the call that just failed; the rest of the text is dropped.
    void recordFailure();
    bool started(std::FILE* file);
    // Moves the stream to the offset; false (failure recorded) when the system refuses.
    bool seekTo(std::uint64_t offset);

    std::FILE* file_ = nullptr;
    // Bytes handed to the writing thread or written, i.e. all but the current buffer's.
    std::uint64_t handedOver_ = 0;
    std::unique_ptr<char[]> buffers_[2];
    int current_ = 0;
    std::size_t used_ = 0;
    std::atomic<bool> failed_{false};
    std::atomic<int> error_{0};

    std::thread writer_;
    std::mutex mutex_;
    std::condition_variable changed_;
    const char* pending_ = nullptr;
    std::size_t pendingSize_ = 0;
    bool quit_ = false;
};

} // namespace Zenlo
