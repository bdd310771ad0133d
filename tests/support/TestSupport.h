// Test helpers shared by both test programs: wide text shown as UTF-8, a fresh temporary folder,
// whole files written and read as bytes, programs run.
#pragma once

#include <cerrno>
#include <filesystem>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/WideString.h"

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace Zenlo {

// GoogleTest shows a wide string in failure messages as its text, not as code units.
void PrintTo(const WideString& text, std::ostream* out);

} // namespace Zenlo

namespace testfiles {

// The wide text as UTF-8, to compare with literals and to print.
std::string narrow(const Zenlo::WideString& text);

// True when both paths exist and name one file (same device and file identity).
bool sameFile(const Zenlo::WideString& first, const Zenlo::WideString& second);

// A new empty folder below the system's temporary folder, removed with everything in it (also
// when a test took its permissions away). A failure to make one fails the test.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    // The folder as the converter takes it: ending with the separator.
    Zenlo::WideString folder() const;
    // Names are UTF-8 (on POSIX any bytes, kept as they are).
    std::filesystem::path operator/(const std::string& name) const;

private:
    std::filesystem::path path_;
};

// Makes the folder the current one for the object's lifetime; throws when it cannot.
class CurrentFolderChange {
public:
    explicit CurrentFolderChange(const std::filesystem::path& folder);
    ~CurrentFolderChange();
    CurrentFolderChange(const CurrentFolderChange&) = delete;
    CurrentFolderChange& operator=(const CurrentFolderChange&) = delete;

private:
    std::filesystem::path before_;
};

// A path as the programs print it (UTF-8 on Windows, the name's bytes elsewhere).
std::string shown(const std::filesystem::path& path);

// Why a write failure cannot be provoked: only POSIX systems have a device that is always full.
inline constexpr const char* noFullDevice =
    "no device that is always full (/dev/full) here, so no write can be made to fail";

// Text with each "/" turned into the platform's separator (for expected messages).
std::string nativeSeparators(std::string text);

// The system's code for a folder where a file is needed (ERROR_DIRECTORY on Windows).
#ifdef _WIN32
inline constexpr int isFolderError = 267;
#else
inline constexpr int isFolderError = EISDIR;
#endif

// The system's codes for a missing file and for a full disk (on Windows ERROR_FILE_NOT_FOUND and
// ERROR_DISK_FULL, without <windows.h>, which must not come before wx's headers).
#ifdef _WIN32
inline constexpr int missingFileError = 2;
inline constexpr int diskFullError = 112;
#else
inline constexpr int missingFileError = ENOENT;
inline constexpr int diskFullError = ENOSPC;
#endif

// The path with each "/" turned into the platform's separator.
Zenlo::WideString nativePath(Zenlo::WideString path);

// The system's text for an error: the POSIX code's, or on Windows the Windows code's.
std::string systemMessage(int posixCode, int windowsCode);

// Writes the bytes as the whole file, making its folders first; a failure shows when the test
// reads the file back.
void writeFile(const std::filesystem::path& path, std::string_view bytes);
// The whole file's bytes; empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);

// n bytes of a fixed pseudo-random sequence (every byte value occurs).
std::string patternBytes(std::size_t n, unsigned seed = 1);

// The names in a folder that look like temporary files (".tmp" in them), sorted.
std::vector<std::string> temporariesIn(const std::filesystem::path& folder);

// Sets the file's modification time far into the past, so any later write shows.
void makeOld(const std::filesystem::path& path);

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

// Makes a character device like /dev/null at the path (only a privileged process may), else a
// FIFO: either way something that is not a regular file, and no device of the system is put at
// risk should a test find it replaced. Fails the test on Windows.
void makeSpecialFile(const std::filesystem::path& path);

// True when files in the folder can be created without a name (Linux's O_TMPFILE).
bool unnamedFilesWork(const std::filesystem::path& folder);

#ifdef _WIN32
class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long long) { ADD_FAILURE() << noPosixFileKinds; }
};
#else
// While it lives, files this process writes cannot grow beyond the limit: a write beyond it
// fails with EFBIG as on a full disk (the signal that would end the process is ignored).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};
#endif

struct RunResult {
    int status = -1;
    std::string out, err;
};

// Text a program wrote to a redirected stream, with Windows line ends made "\n".
std::string withNewlines(std::string text);

#ifndef _WIN32
// The text quoted for the shell.
std::string quotedArgument(const std::string& text);

// Runs the shell command line in the folder; stdout and stderr go to .stdout and .stderr there.
RunResult runIn(const std::filesystem::path& folder, const std::string& commandLine);
#endif

// Runs the program in the folder with the arguments (UTF-8) and "NAME=VALUE" set in its
// environment (nothing for an empty text); stdout and stderr go to .stdout and .stderr there.
// A program that cannot be started fails the test.
RunResult runProgram(const std::filesystem::path& folder, const std::string& program,
                     const std::vector<std::string>& arguments, const std::string& environment);

#ifdef HEXMOOR_CLI_PATH
// Runs the tool in the folder with the arguments and one environment assignment.
inline RunResult runCli(const TestFolder& folder, const std::vector<std::string>& arguments,
                        const std::string& environment = "SOURCE_DATE_EPOCH=1796634303") {
    return runProgram(folder.path(), HEXMOOR_CLI_PATH, arguments, environment);
}
#endif

} // namespace testfiles
