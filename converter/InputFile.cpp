// Positioned reads of input files: pread on POSIX, ReadFile at an offset under _WIN32.
#include "converter/InputFile.h"

#include "toolkit/FileSystem.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace Zenlo {

#ifdef _WIN32

namespace {

std::int64_t lastWriteTime(HANDLE file) {
    FILETIME written{};
    if (!GetFileTime(file, nullptr, nullptr, &written)) return -1;
    return (static_cast<std::int64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
}

} // namespace

bool InputFile::open(const WideString& path) {
    close();
    error_ = 0;
    // Absolute before the long-path prefix: a relative name behind it names nothing.
    const WideString full = systemPath(path);
    // Reserved names (NUL, CON, COM1, ...) in any folder are devices.
    if (isDevicePath(full)) return error_ = notRegularFileError, false;
    std::wstring native = toPath(full).wstring();
    // Devices, pipes and folders are refused by their attributes before anything is opened.
    const DWORD attributes = GetFileAttributesW(native.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return error_ = static_cast<int>(GetLastError()), false;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return error_ = ERROR_DIRECTORY, false;
    if (attributes & FILE_ATTRIBUTE_DEVICE) return error_ = notRegularFileError, false;
    // Other programs may go on writing: that is noticed by unchanged(), never a fault here.
    HANDLE file = CreateFileW(native.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return error_ = static_cast<int>(GetLastError()), false;
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK) {
        error_ = notRegularFileError;
    } else if (!GetFileSizeEx(file, &size)) {
        error_ = static_cast<int>(GetLastError());
    }
    if (error_) {
        CloseHandle(file);
        return false;
    }
    handle_ = file;
    size_ = static_cast<std::uint64_t>(size.QuadPart);
    written_ = lastWriteTime(file);
    return true;
}

void InputFile::close() {
    if (handle_) CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
    size_ = 0;
}

bool InputFile::isOpen() const {
    return handle_ != nullptr;
}

bool InputFile::read(std::uint64_t offset, std::uint8_t* buffer, std::size_t n) {
    while (n > 0) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        const DWORD want = static_cast<DWORD>(n < (1u << 30) ? n : (1u << 30));
        DWORD got = 0;
        if (!ReadFile(static_cast<HANDLE>(handle_), buffer, want, &got, &at)) {
            const DWORD code = GetLastError();
            error_ = code == ERROR_HANDLE_EOF ? changedWhileReadError : static_cast<int>(code);
            return false;
        }
        if (got == 0) return error_ = changedWhileReadError, false;
        offset += got;
        buffer += got;
        n -= got;
    }
    return true;
}

bool InputFile::unchanged() {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(static_cast<HANDLE>(handle_), &size) ||
        static_cast<std::uint64_t>(size.QuadPart) != size_ ||
        lastWriteTime(static_cast<HANDLE>(handle_)) != written_)
        return error_ = changedWhileReadError, false;
    return true;
}

#else

bool InputFile::open(const WideString& path) {
    close();
    error_ = 0;
    const std::filesystem::path native = toPath(path);
    // A FIFO, device or socket is refused before it is opened: opening a FIFO for reading waits
    // for a writer, and reading a device may never end.
    struct stat info;
    if (::stat(native.c_str(), &info) != 0) return error_ = errno, false;
    if (S_ISDIR(info.st_mode)) return error_ = EISDIR, false;
    if (!S_ISREG(info.st_mode)) return error_ = notRegularFileError, false;
    // The name may be swapped for a FIFO between the two calls: O_NONBLOCK keeps the open from
    // waiting, and the check on what was really opened refuses it.
    int file = ::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (file < 0) return error_ = errno, false;
    if (::fstat(file, &info) != 0)
        error_ = errno;
    else if (S_ISDIR(info.st_mode))
        error_ = EISDIR;
    else if (!S_ISREG(info.st_mode))
        error_ = notRegularFileError;
    if (error_) {
        ::close(file);
        return false;
    }
    ::posix_fadvise(file, 0, 0, POSIX_FADV_SEQUENTIAL);
    fd_ = file;
    size_ = static_cast<std::uint64_t>(info.st_size);
    modifiedSeconds_ = info.st_mtim.tv_sec;
    modifiedNanoseconds_ = info.st_mtim.tv_nsec;
    return true;
}

void InputFile::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    size_ = 0;
}

bool InputFile::isOpen() const {
    return fd_ >= 0;
}

bool InputFile::read(std::uint64_t offset, std::uint8_t* buffer, std::size_t n) {
    while (n > 0) {
        const ssize_t got = ::pread(fd_, buffer, n, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return error_ = errno, false;
        // End of file before the size found at open: the file was shortened meanwhile.
        if (got == 0) return error_ = changedWhileReadError, false;
        offset += static_cast<std::uint64_t>(got);
        buffer += got;
        n -= static_cast<std::size_t>(got);
    }
    return true;
}

bool InputFile::unchanged() {
    struct stat info;
    if (::fstat(fd_, &info) != 0) return error_ = errno, false;
    if (static_cast<std::uint64_t>(info.st_size) != size_ ||
        info.st_mtim.tv_sec != modifiedSeconds_ || info.st_mtim.tv_nsec != modifiedNanoseconds_)
        return error_ = changedWhileReadError, false;
    return true;
}

#endif

} // namespace Zenlo
