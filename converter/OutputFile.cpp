// Buffered binary output: the program writes its own CR LF, so no text-mode translation happens.
#include "converter/OutputFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "toolkit/FileSystem.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace Zenlo {

namespace {

// The system's code for the C library call that just failed. On Windows that is the Windows
// error behind errno, so messages give the system's own reason (errno values mean other things
// to the Windows message table).
int lastError() {
#ifdef _WIN32
    const int code = static_cast<int>(_doserrno);
    if (code) return code;
    return errno == ENOSPC ? ERROR_DISK_FULL : ERROR_WRITE_FAULT;
#else
    return errno;
#endif
}

} // namespace

OutputFile::OutputFile() {
    for (auto& buffer : buffers_)
        buffer.reset(new char[bufferSize + 8]);
}

OutputFile::~OutputFile() {
    if (file_) close();
}

bool OutputFile::open(const WideString& path, bool append) {
    if (file_) close();
#ifdef _WIN32
    std::FILE* file = _wfopen(toPath(systemPath(path)).c_str(), append ? L"ab" : L"wb");
#else
    std::FILE* file = std::fopen(toPath(path).c_str(), append ? "ab" : "wb");
#endif
    if (!file) return error_ = lastError(), false;
    if (append && std::fseek(file, 0, SEEK_END) == 0) {
#ifdef _WIN32
        const std::int64_t end = _ftelli64(file);
#else
        const std::int64_t end = ftello(file);
#endif
        if (!started(file)) return false;
        handedOver_ = end > 0 ? static_cast<std::uint64_t>(end) : 0;
        return true;
    }
    return started(file);
}

bool OutputFile::create(const WideString& path) {
    if (file_) close();
#ifdef _WIN32
    std::wstring native = toPath(systemPath(path)).wstring();
    HANDLE handle = CreateFileW(native.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        error_ = code == ERROR_FILE_EXISTS ? EEXIST : static_cast<int>(code);
        return false;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        return error_ = lastError(), false;
    }
    std::FILE* file = _fdopen(fd, "w+b");
    if (!file) {
        _close(fd);
        return error_ = lastError(), false;
    }
#else
    const int fd = ::open(toPath(path).c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return error_ = lastError(), false;
    std::FILE* file = ::fdopen(fd, "w+b");
    if (!file) {
        ::close(fd);
        return error_ = lastError(), false;
    }
#endif
    return started(file);
}

bool OutputFile::started(std::FILE* file) {
    file_ = file;
    used_ = 0;
    handedOver_ = 0;
    failed_ = false;
    error_ = 0;
    // Our own buffers already gather big blocks; a second copy would only cost time.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    return true;
}

bool OutputFile::rewindTo(std::uint64_t position) {
    if (!file_ || position > this->position()) return false;
    if (position >= handedOver_) {
        used_ = static_cast<std::size_t>(position - handedOver_);
        return true;
    }
    waitForPendingWrite();
    used_ = 0;
    handedOver_ = position;
    if (failed_) return false;
#ifdef _WIN32
    const bool cut = _chsize_s(_fileno(file_), static_cast<__int64>(position)) == 0;
#else
    const bool cut = ::ftruncate(fileno(file_), static_cast<off_t>(position)) == 0;
#endif
    if (!cut) recordFailure();
    return cut && seekTo(position);
}

bool OutputFile::overwrite(std::uint64_t offset, std::string_view bytes) {
    if (!file_ || offset > position() || bytes.size() > position() - offset) return false;
    // The part still in the buffer changes there; the part on disk is written in place.
    if (offset + bytes.size() > handedOver_) {
        const std::size_t inBuffer = static_cast<std::size_t>(
            std::min<std::uint64_t>(bytes.size(), offset + bytes.size() - handedOver_));
        const std::size_t skipped = bytes.size() - inBuffer;
        std::memcpy(buffers_[current_].get() + (offset + skipped - handedOver_),
                    bytes.data() + skipped, inBuffer);
        bytes = bytes.substr(0, skipped);
    }
    if (bytes.empty()) return !failed_;
    waitForPendingWrite();
    if (failed_ || !seekTo(offset)) return false;
    writeBlock(bytes.data(), bytes.size());
    return seekTo(handedOver_) && !failed_;
}

bool OutputFile::seekTo(std::uint64_t offset) {
#ifdef _WIN32
    const bool moved = _fseeki64(file_, static_cast<__int64>(offset), SEEK_SET) == 0;
#else
    const bool moved = fseeko(file_, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
    if (!moved) recordFailure();
    return moved;
}

bool OutputFile::flushAll() {
    if (!file_) return false;
    waitForPendingWrite();
    writeBlock(buffers_[current_].get(), used_);
    handedOver_ += used_;
    used_ = 0;
    return !failed_;
}

bool OutputFile::close(bool durable) {
    if (!file_) return false;
    flushAll();
    if (writer_.joinable()) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            quit_ = true;
        }
        changed_.notify_all();
        writer_.join();
        quit_ = false;
    }
    if (durable && !failed_ && std::fflush(file_) == 0) {
#ifdef _WIN32
        const bool synced = _commit(_fileno(file_)) == 0;
#else
        const bool synced = ::fsync(fileno(file_)) == 0;
#endif
        if (!synced) recordFailure();
    }
    if (std::fclose(file_) != 0 && !failed_) recordFailure();
    file_ = nullptr;
    return !failed_;
}

void OutputFile::write(std::string_view text) {
    while (!text.empty()) {
        std::size_t n = std::min(text.size(), bufferSize);
        std::memcpy(reserve(n), text.data(), n);
        commit(n);
        text.remove_prefix(n);
    }
}

void OutputFile::fill(char character, std::size_t n) {
    while (n > 0) {
        std::size_t part = std::min(n, bufferSize);
        std::memset(reserve(part), character, part);
        commit(part);
        n -= part;
    }
}

void OutputFile::flush() {
    if (used_ == 0 || !file_) return;
    if (!writer_.joinable()) writer_ = std::thread(&OutputFile::writerLoop, this);
    waitForPendingWrite();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_ = buffers_[current_].get();
        pendingSize_ = used_;
    }
    changed_.notify_all();
    handedOver_ += used_;
    current_ ^= 1;
    used_ = 0;
}

void OutputFile::waitForPendingWrite() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return pending_ == nullptr; });
}

void OutputFile::writerLoop() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return pending_ != nullptr || quit_; });
        if (!pending_) return;
        const char* data = pending_;
        const std::size_t size = pendingSize_;
        lock.unlock();
        writeBlock(data, size);
        lock.lock();
        pending_ = nullptr;
        changed_.notify_all();
    }
}

void OutputFile::writeBlock(const char* data, std::size_t size) {
    if (size == 0 || failed_) return;
    if (std::fwrite(data, 1, size, file_) != size) recordFailure();
}

void OutputFile::recordFailure() {
    error_ = lastError();
    failed_ = true;
}

} // namespace Zenlo
