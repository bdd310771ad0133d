// A read-only view of a whole input file through a memory mapping.
#pragma once

#include <cstdint>

#include "toolkit/WideString.h"

namespace Zenlo {

class MappedFile {
public:
    MappedFile() = default;
    // Opens and maps the file at once; see open.
    explicit MappedFile(const WideString& path) { open(path); }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile() { close(); }

    // Maps the whole regular file read-only. Returns false (and holds no view) when the file is
    // missing, unreadable, not a regular file, empty, or cannot be mapped; error() then tells why.
    bool open(const WideString& path);
    // Releases the view; the addresses become null.
    void close();
    // Tells the system that the bytes before the offset will not be read again, so the pages
    // already read stop counting towards this process's memory. The view stays valid.
    void doneBefore(std::uint64_t offset);

    bool isOpen() const { return begin_ != nullptr; }
    const std::uint8_t* begin() const { return begin_; }
    const std::uint8_t* end() const { return end_; }
    std::uint64_t size() const { return size_; }
    // The system error code of the last failed open (0 for an empty file or a non-regular one).
    int error() const { return error_; }
    // True when the last failed open found a file of length 0.
    bool wasEmpty() const { return wasEmpty_; }

private:
    const std::uint8_t* begin_ = nullptr;
    const std::uint8_t* end_ = nullptr;
    std::uint64_t size_ = 0;
    std::uint64_t released_ = 0;
    int error_ = 0;
    bool wasEmpty_ = false;
};

} // namespace Zenlo
