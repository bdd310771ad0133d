// Test helpers: wide text shown as UTF-8, a fresh temporary folder, whole files written and read
// as bytes, programs run.
#pragma once

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/FileSystem.h"
#include "toolkit/PathText.h"
#include "toolkit/TextEncoding.h"
#include "toolkit/WideString.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace Zenlo {

// GoogleTest shows a wide string in failure messages as its text, not as code units.
inline void PrintTo(const WideString& text, std::ostream* out) {
    *out << '"' << utf16ToUtf8(text.view()) << '"';
}

} // namespace Zenlo

namespace testfiles {

// The wide text as UTF-8, to compare with literals and to print.
inline std::string narrow(const Zenlo::WideString& text) {
    return Zenlo::utf16ToUtf8(text.view());
}

// True when both paths exist and name one file (same device and file identity).
inline bool sameFile(const Zenlo::WideString& first, const Zenlo::WideString& second) {
    Zenlo::FileIdentity one, two;
    return Zenlo::fileIdentity(first, one) && Zenlo::fileIdentity(second, two) && one == two;
}

// A new empty folder below the system's temporary folder, removed with everything in it.
class TestFolder {
public:
    TestFolder() {
        std::random_device random;
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            char name[32];
            std::snprintf(name, sizeof name, "hexmoor-%08x", static_cast<unsigned>(random()));
            std::error_code error;
            if (std::filesystem::create_directory(base / name, error)) path_ = base / name;
        }
        if (path_.empty()) ADD_FAILURE() << "no new temporary folder";
    }
    ~TestFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    const std::filesystem::path& path() const { return path_; }
    // The folder as the converter takes it: ending with the separator.
    Zenlo::WideString folder() const { return Zenlo::fromPath(path_) + Zenlo::nativeSeparator; }
    // Names are UTF-8 (on POSIX any bytes, kept as they are).
    std::filesystem::path operator/(const std::string& name) const {
#ifdef _WIN32
        return path_ / Zenlo::toPath(Zenlo::fromUtf8(name));
#else
        return path_ / name;
#endif
    }

private:
    std::filesystem::path path_;
};

// Makes the folder the current one for the object's lifetime.
class CurrentFolderChange {
public:
    explicit CurrentFolderChange(const std::filesystem::path& folder)
        : before_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~CurrentFolderChange() {
        std::error_code error;
        std::filesystem::current_path(before_, error);
    }
    CurrentFolderChange(const CurrentFolderChange&) = delete;
    CurrentFolderChange& operator=(const CurrentFolderChange&) = delete;

private:
    std::filesystem::path before_;
};

// A path as the programs print it (UTF-8 on Windows, the name's bytes elsewhere).
inline std::string shown(const std::filesystem::path& path) {
#ifdef _WIN32
    return Zenlo::utf16ToUtf8(Zenlo::fromPath(path).view());
#else
    return path.string();
#endif
}

// Why a write failure cannot be provoked: only POSIX systems have a device that is always full.
inline constexpr const char* noFullDevice =
    "no device that is always full (/dev/full) here, so no write can be made to fail";

// Text with each "/" turned into the platform's separator (for expected messages).
inline std::string nativeSeparators(std::string text) {
#ifdef _WIN32
    std::replace(text.begin(), text.end(), '/', '\\');
#endif
    return text;
}

// The system's code for a folder where a file is needed (ERROR_DIRECTORY on Windows).
#ifdef _WIN32
inline constexpr int isFolderError = 267;
#else
inline constexpr int isFolderError = EISDIR;
#endif

// The system's codes for a missing file and for a full disk.
#ifdef _WIN32
inline constexpr int missingFileError = ERROR_FILE_NOT_FOUND;
inline constexpr int diskFullError = ERROR_DISK_FULL;
#else
inline constexpr int missingFileError = ENOENT;
inline constexpr int diskFullError = ENOSPC;
#endif

// The path with each "/" turned into the platform's separator.
inline Zenlo::WideString nativePath(Zenlo::WideString path) {
    path.replaceAll(u'/', Zenlo::nativeSeparator);
    return path;
}

// The system's text for an error: the POSIX code's, or on Windows the Windows code's.
inline std::string systemMessage([[maybe_unused]] int posixCode, [[maybe_unused]] int windowsCode) {
#ifdef _WIN32
    return std::system_category().message(windowsCode);
#else
    return std::system_category().message(posixCode);
#endif
}

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

// Sets the file's modification time far into the past, so any later write shows.
inline void makeOld(const std::filesystem::path& path) {
    std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() -
                                               std::chrono::hours(24 * 365));
}

// FIFOs, device files and a per-process limit on file sizes are how the tests provoke refusals
// and failing writes on POSIX systems; a test cannot make any of them on Windows.
#ifdef _WIN32
inline constexpr bool hasPosixFileKinds = false;
#else
inline constexpr bool hasPosixFileKinds = true;
#endif
inline constexpr const char* noPosixFileKinds =
    "Windows has no FIFO, device file or file size limit for a test to make, and lets only "
    "administrators make symbolic links";
// Skips the rest of a test that needs one of them.
#define SKIP_WITHOUT_POSIX_FILE_KINDS()                                                            \
    if (!testfiles::hasPosixFileKinds) GTEST_SKIP() << testfiles::noPosixFileKinds

#ifdef _WIN32
inline void makeSpecialFile(const std::filesystem::path&) {
    ADD_FAILURE() << noPosixFileKinds;
}
class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long long) { ADD_FAILURE() << noPosixFileKinds; }
};
inline bool unnamedFilesWork(const std::filesystem::path&) {
    return false;
}
#else
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

#endif

struct RunResult {
    int status = -1;
    std::string out, err;
};

// Text a program wrote to a redirected stream, with Windows line ends made "\n".
inline std::string withNewlines(std::string text) {
#ifdef _WIN32
    std::string::size_type at = 0;
    while ((at = text.find("\r\n", at)) != std::string::npos)
        text.erase(at, 1);
#endif
    return text;
}

#ifdef _WIN32
// One argument quoted so that the C runtime's parser gives it back unchanged.
inline std::wstring quotedArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return argument;
    std::wstring result = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        result.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        result.push_back(c);
        backslashes = 0;
    }
    result.append(backslashes * 2, L'\\');
    return result + L"\"";
}

inline std::wstring wideText(const std::string& utf8) {
    const std::u16string text = Zenlo::utf8ToUtf16(utf8);
    return std::wstring(text.begin(), text.end());
}
#else
// The text quoted for the shell.
inline std::string quotedArgument(const std::string& text) {
    std::string result = "'";
    for (char c : text)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

// Runs the shell command line in the folder; stdout and stderr go to .stdout and .stderr there.
inline RunResult runIn(const std::filesystem::path& folder, const std::string& commandLine) {
    const std::string command =
        "cd " + quotedArgument(folder.string()) + " && " + commandLine + " >.stdout 2>.stderr";
    RunResult result;
    const int status = std::system(command.c_str());
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readFile(folder / ".stdout");
    result.err = readFile(folder / ".stderr");
    return result;
}
#endif

// Runs the program in the folder with the arguments (UTF-8) and "NAME=VALUE" set in its
// environment (nothing for an empty text); stdout and stderr go to .stdout and .stderr there.
inline RunResult runProgram(const std::filesystem::path& folder, const std::string& program,
                            const std::vector<std::string>& arguments,
                            const std::string& environment) {
    RunResult result;
#ifdef _WIN32
    std::wstring commandLine = quotedArgument(wideText(program));
    for (const std::string& argument : arguments)
        commandLine += L" " + quotedArgument(wideText(argument));
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    auto create = [&](const char* name) {
        return CreateFileW((folder / name).wstring().c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                           &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    HANDLE out = create(".stdout"), err = create(".stderr");
    // The child inherits this process's environment with the one variable changed.
    const std::string::size_type equals = environment.find('=');
    std::wstring name, oldValue(32768, L'\0');
    DWORD oldLength = 0;
    if (equals != std::string::npos) {
        name = wideText(environment.substr(0, equals));
        oldLength = GetEnvironmentVariableW(name.c_str(), oldValue.data(), 32768);
        SetEnvironmentVariableW(name.c_str(), wideText(environment.substr(equals + 1)).c_str());
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    const std::wstring where = folder.wstring();
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       where.c_str(), &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        if (GetExitCodeProcess(process.hProcess, &code)) result.status = static_cast<int>(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        ADD_FAILURE() << "cannot start " << program << ": error " << GetLastError();
    }
    if (!name.empty())
        SetEnvironmentVariableW(name.c_str(), oldLength ? oldValue.c_str() : nullptr);
    CloseHandle(out);
    CloseHandle(err);
    result.out = withNewlines(readFile(folder / ".stdout"));
    result.err = withNewlines(readFile(folder / ".stderr"));
#else
    std::string command = environment + " " + quotedArgument(program);
    for (const std::string& argument : arguments)
        command += " " + quotedArgument(argument);
    result = runIn(folder, command);
#endif
    return result;
}

#ifdef HEXMOOR_CLI_PATH
// Runs the tool in the folder with the arguments and one environment assignment.
inline RunResult runCli(const TestFolder& folder, const std::vector<std::string>& arguments,
                        const std::string& environment = "SOURCE_DATE_EPOCH=1796634303") {
    return runProgram(folder.path(), HEXMOOR_CLI_PATH, arguments, environment);
}
#endif

} // namespace testfiles
