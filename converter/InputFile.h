// An input file read front to back in pieces at known offsets, never mapped into memory.
#pragma once

#include <cstddef>
#include <cstdint>

#include "toolkit/FileSystem.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// Reading through a buffer of the caller's rather than a mapping means that a file another
// program shortens or rewrites meanwhile gives a failed read, never a fault in this process.
class InputFile {
public:
    InputFile() = default;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile() { close(); }

    // Opens a regular file for reading. Returns false when the path is missing or unreadable,
    // names a folder, or names something other than a regular file (refused before it is opened
    // for reading, so a FIFO never blocks); error() then tells why. An empty file opens.
    bool open(const WideString& path);
    void close();

    // Reads the bytes at offset into buffer: exactly n of them, n not beyond the size found at
    // open. Returns false when the file no longer holds them (it shrank) or the read failed;
    // error() is then changedWhileReadError or the system's code.
    bool read(std::uint64_t offset, std::uint8_t* buffer, std::size_t n);
    // True when the file still has the size and modification time it had when it was opened.
    // Returns false (error() set) when it was shortened, grown or written meanwhile.
    bool unchanged();

    bool isOpen() const;
    std::uint64_t size() const { return size_; }
    int error() const { return error_; }

private:
#ifdef _WIN32
    void* handle_ = nullptr;
    std::int64_t written_ = 0;
#else
    int fd_ = -1;
    std::int64_t modifiedSeconds_ = 0;
    long modifiedNanoseconds_ = 0;
#endif
    std::uint64_t size_ = 0;
    int error_ = 0;
};

} // namespace Zenlo
