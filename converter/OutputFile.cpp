// Buffered binary output: the program writes its own CR LF, so no text-mode translation happens.
#include "converter/OutputFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace Zenlo {

OutputFile::OutputFile() {
    for (auto& buffer : buffers_)
        buffer.reset(new char[bufferSize + 8]);
}

OutputFile::~OutputFile() {
    if (file_) close();
}

bool OutputFile::open(const WideString& path, bool append) {
    if (file_) close();
    used_ = 0;
    failed_ = false;
    error_ = 0;
#ifdef _WIN32
    file_ = _wfopen(toPath(path).c_str(), append ? L"ab" : L"wb");
#else
    file_ = std::fopen(toPath(path).c_str(), append ? "ab" : "wb");
#endif
    if (!file_) return error_ = errno, false;
    // Our own buffers already gather big blocks; a second copy would only cost time.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    return true;
}

bool OutputFile::close() {
    if (!file_) return false;
    waitForPendingWrite();
    if (writer_.joinable()) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            quit_ = true;
        }
        changed_.notify_all();
        writer_.join();
        quit_ = false;
    }
    writeBlock(buffers_[current_].get(), used_);
    used_ = 0;
    if (std::fclose(file_) != 0 && !failed_) {
        error_ = errno;
        failed_ = true;
    }
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
    if (std::fwrite(data, 1, size, file_) != size) {
        error_ = errno;
        failed_ = true;
    }
}

} // namespace Zenlo
