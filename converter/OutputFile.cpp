// Buffered binary output: the program writes its own CR LF, so no text-mode translation happens.
#include "converter/OutputFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace Zenlo {

OutputFile::OutputFile() : buffer_(new char[bufferSize + 8]) {}

OutputFile::~OutputFile() {
    if (file_) std::fclose(file_);
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
    // Our own buffer already gathers big blocks; a second copy would only cost time.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    return true;
}

bool OutputFile::close() {
    if (!file_) return false;
    flush();
    if (std::fclose(file_) != 0 && !failed_) {
        failed_ = true;
        error_ = errno;
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
    if (used_ == 0) return;
    if (!failed_ && file_ && std::fwrite(buffer_.get(), 1, used_, file_) != used_) {
        failed_ = true;
        error_ = errno;
    }
    used_ = 0;
}

} // namespace Zenlo
