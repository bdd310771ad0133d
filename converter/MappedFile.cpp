// Read-only mappings of whole files: mmap on POSIX, file mappings under _WIN32.
#include "converter/MappedFile.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace Zenlo {

namespace {

// Pages are handed back in steps of this size (a multiple of every page size in use).
constexpr std::uint64_t releaseStep = std::uint64_t{16} << 20;

} // namespace

#ifdef _WIN32

bool MappedFile::open(const WideString& path) {
    close();
    error_ = 0;
    wasEmpty_ = false;
    std::wstring native = toPath(path).wstring();
    HANDLE file = CreateFileW(native.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return error_ = static_cast<int>(GetLastError()), false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart == 0) {
        wasEmpty_ = size.QuadPart == 0;
        error_ = wasEmpty_ ? 0 : static_cast<int>(GetLastError());
        CloseHandle(file);
        return false;
    }
    HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    const void* view = mapping ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
    if (!view) error_ = static_cast<int>(GetLastError());
    if (mapping) CloseHandle(mapping);
    CloseHandle(file);
    if (!view) return false;
    begin_ = static_cast<const std::uint8_t*>(view);
    size_ = static_cast<std::uint64_t>(size.QuadPart);
    end_ = begin_ + size_;
    return true;
}

void MappedFile::close() {
    if (begin_) UnmapViewOfFile(begin_);
    begin_ = end_ = nullptr;
    size_ = released_ = 0;
}

void MappedFile::doneBefore(std::uint64_t) {}

#else

bool MappedFile::open(const WideString& path) {
    close();
    error_ = 0;
    wasEmpty_ = false;
    int file = ::open(toPath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) return error_ = errno, false;
    struct stat info;
    if (::fstat(file, &info) != 0)
        error_ = errno;
    else if (S_ISDIR(info.st_mode))
        error_ = EISDIR;
    else if (!S_ISREG(info.st_mode))
        error_ = ENODEV;
    else
        wasEmpty_ = info.st_size == 0;
    if (error_ || wasEmpty_) {
        ::close(file);
        return false;
    }
    const std::uint64_t size = static_cast<std::uint64_t>(info.st_size);
    void* view = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, file, 0);
    if (view == MAP_FAILED) error_ = errno;
    ::close(file);
    if (view == MAP_FAILED) return false;
    // The converter reads front to back once: read ahead generously.
    ::madvise(view, size, MADV_SEQUENTIAL);
    begin_ = static_cast<const std::uint8_t*>(view);
    size_ = size;
    end_ = begin_ + size_;
    return true;
}

void MappedFile::close() {
    if (begin_) ::munmap(const_cast<std::uint8_t*>(begin_), size_);
    begin_ = end_ = nullptr;
    size_ = released_ = 0;
}

void MappedFile::doneBefore(std::uint64_t offset) {
    if (!begin_ || offset > size_) return;
    std::uint64_t upTo = offset / releaseStep * releaseStep;
    if (upTo <= released_) return;
    // The pages stay in the system's file cache; only this process lets go of them.
    ::madvise(const_cast<std::uint8_t*>(begin_) + released_, upTo - released_, MADV_DONTNEED);
    released_ = upTo;
}

#endif

} // namespace Zenlo
