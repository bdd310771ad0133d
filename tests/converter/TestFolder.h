// Test helpers: a fresh temporary folder, and whole files written and read as bytes.
#pragma once

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/WideString.h"

namespace testfiles {

// A new empty folder below the system's temporary folder, removed with everything in it.
class TestFolder {
public:
    TestFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "hexmoor-XXXXXX").string();
        if (!mkdtemp(pattern.data())) ADD_FAILURE() << "mkdtemp failed";
        path_ = pattern;
    }
    ~TestFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    const std::filesystem::path& path() const { return path_; }
    // The folder as the converter takes it: ending with the separator.
    Zenlo::WideString folder() const { return Zenlo::fromPath(path_) + u"/"; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// n bytes of a fixed pseudo-random sequence (every byte value occurs).
inline std::string patternBytes(std::size_t n, unsigned seed = 1) {
    std::string bytes(n, '\0');
    unsigned state = seed * 2654435761u + 12345u;
    for (std::size_t i = 0; i < n; ++i) {
        state = state * 1103515245u + 12345u;
        bytes[i] = static_cast<char>(state >> 16);
    }
    return bytes;
}

// The names in a folder that look like temporary files (".tmp" in them), sorted.
inline std::vector<std::string> temporariesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.path().filename().string().find(".tmp") != std::string::npos)
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// While it lives, files this process writes cannot grow beyond the limit: a write beyond it
// fails with EFBIG as on a full disk (the signal that would end the process is ignored).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        if (setrlimit(RLIMIT_FSIZE, &limited) != 0) ADD_FAILURE() << "setrlimit failed";
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previous_)(int) = SIG_DFL;
};

// Makes a character device like /dev/null at the path (only a privileged process may), else a
// FIFO: either way something that is not a regular file, and no device of the system is put at
// risk should a test find it replaced.
inline void makeSpecialFile(const std::filesystem::path& path) {
    if (mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) mkfifo(path.c_str(), 0666);
}

// True when files in the folder can be created without a name (Linux's O_TMPFILE).
inline bool unnamedFilesWork(const std::filesystem::path& folder) {
#ifdef O_TMPFILE
    const int fd = open(folder.c_str(), O_TMPFILE | O_RDWR, 0600);
    if (fd >= 0) close(fd);
    return fd >= 0;
#else
    return false;
#endif
}

// Sets the file's modification time far into the past, so any later write shows.
inline void makeOld(const std::filesystem::path& path) {
    std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() -
                                               std::chrono::hours(24 * 365));
}

} // namespace testfiles
