// File-system helpers shared by the converter and its front ends: folders, sizes, the start folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

#include "toolkit/PathText.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// The size of a file that has none (missing, unreadable, or named with a trailing separator).
constexpr std::uint64_t noSize = ~std::uint64_t{0};

// Error codes of our own beside the system's, for what no system code says: a path that names a
// FIFO, a device or a socket where a regular file is needed; an input that another program
// shortened, grew or rewrote while it was being read; a symbolic link in a shared folder that
// another user owns (not followed, as the kernel's fs.protected_symlinks rule has it); a file
// that cannot be replaced because its folder is not writable; a symbolic link that leads to
// nothing; an output left as it was because another output of the same run failed; and a file
// that is not replaced because it is read-only (Windows' attribute R; on POSIX systems no write
// permission for anyone, or none for this process).
constexpr int notRegularFileError = -2;
constexpr int changedWhileReadError = -3;
constexpr int sharedFolderLinkError = -4;
constexpr int folderNotWritableError = -5;
constexpr int danglingLinkError = -6;
constexpr int keptWithGroupError = -7;
constexpr int readOnlyFileError = -8;
// The system's message for an error code, as UTF-8 (on Windows asked for as wide text, so it
// reads right in every language), or the text of one of the codes above.
std::string systemErrorText(int code);
// The message of an error the standard library reports: systemErrorText for the system's codes.
std::string systemErrorText(const std::error_code& error);
// The path made absolute against the current folder. On Windows the system resolves it: "/"
// becomes "\\", "." and ".." are resolved, "\\x" and "D:x" take the current drive's or D:'s
// folder. Elsewhere a relative path is put behind the current folder as it is. An empty path, or
// one that cannot be resolved, is returned unchanged.
WideString absolutePath(const WideString& path);
// The path as handed to the system's file functions. On Windows: made absolute against the current
// folder (with "." and ".." resolved and "/" turned into "\\"), then given the long-path prefix,
// so names beyond 260 characters work; a path that already has the prefix stays as it is. The
// prefix switches off the system's own path clean-up, which is why the path must be absolute and
// clean first. "\\\\.\\" followed by a drive's path ("\\\\.\\C:\\data\\a.bin") is such a file path
// too; followed by anything else ("\\\\.\\NUL", "\\\\.\\C:") it names a device and stays as it is.
// Elsewhere the path unchanged. Returns the path unchanged when it cannot be resolved.
WideString systemPath(const WideString& path);
// systemPath for the standard library's paths: the form every name of a file this program writes
// takes on its way to the system.
std::filesystem::path systemFilePath(const std::filesystem::path& path);
// True when the path names a device rather than a file: on Windows "\\\\.\\" followed by anything
// but a drive's path. Never elsewhere.
bool isDevicePath(const WideString& path);

// Creates every missing level of the path's folder part (the text behind the last separator plays
// no part). Returns true when that folder exists afterwards; false when a level cannot be made or
// something other than a folder stands in the way. Levels made before a failure stay. On failure
// systemError (when given) receives the system's code: ENOTDIR where a file stands in the way,
// ELOOP for a loop of symbolic links, danglingLinkError for a link that leads to nothing.
bool createFolders(const WideString& path, int* systemError = nullptr);
// The size in bytes of the file at the path; 0 for a folder; noSize when the path ends with a
// separator or cannot be queried.
std::uint64_t fileSize(const WideString& path);
// The process's current directory ending with exactly one separator; empty when it is unknown.
WideString currentFolder();
// What tells one file from another: the device (volume) and the file's number on it.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t file = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};
// The identity of the file the path names (links followed). Returns false when the path names
// nothing or cannot be queried.
bool fileIdentity(const WideString& path, FileIdentity& identity);
// True when the path names an existing folder.
bool isFolder(const WideString& path);

} // namespace Zenlo
