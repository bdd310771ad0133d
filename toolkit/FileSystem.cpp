// File-system helpers over POSIX calls (Win32 under _WIN32); paths go through the long-path form.
#include "toolkit/FileSystem.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace Zenlo {

namespace {

// Creates one folder; true when it was made or something of that name already exists. Otherwise
// error holds the system's code.
bool makeFolder(const WideString& path, int& error) {
#ifdef _WIN32
    std::wstring native = toPath(path).wstring();
    if (CreateDirectoryW(native.c_str(), nullptr)) return true;
    error = static_cast<int>(GetLastError());
    return error == ERROR_ALREADY_EXISTS;
#else
    if (::mkdir(toPath(path).c_str(), 0777) == 0) return true;
    error = errno;
    return error == EEXIST;
#endif
}

bool failWith(int* systemError, int error) {
    if (systemError) *systemError = error;
    return false;
}

#ifdef _WIN32
constexpr int notAFolderError = ERROR_DIRECTORY;
constexpr int noFolderError = ERROR_PATH_NOT_FOUND;
#else
constexpr int notAFolderError = ENOTDIR;
constexpr int noFolderError = ENOENT;
#endif

} // namespace

std::string systemErrorText(int code) {
    if (code == notRegularFileError) return "not a regular file";
    if (code == changedWhileReadError) return "changed while it was read";
    return std::system_category().message(code);
}

bool createFolders(const WideString& path, int* systemError) {
    const WideString folder = longPath(folderPart(path));
    const WideString::Size start = hasLongPathPrefix ? 4 : 0;
    int error = 0;
    for (WideString::Size i = start; i < folder.length(); ++i) {
        if (folder[i] != nativeSeparator) continue;
        // The root, a drive ("C:") and doubled separators name nothing to create.
        if (i == start || folder[i - 1] == u':' || folder[i - 1] == nativeSeparator) continue;
        if (!makeFolder(folder.left(i), error)) return failWith(systemError, error);
    }
    if (folder.length() <= start) return failWith(systemError, noFolderError);
    if (!makeFolder(folder, error)) return failWith(systemError, error);
    return isFolder(folder) || failWith(systemError, notAFolderError);
}

std::uint64_t fileSize(const WideString& path) {
    if (path.isEmpty() || path[path.length() - 1] == nativeSeparator) return noSize;
#ifdef _WIN32
    WIN32_FILE_ATTRIBUTE_DATA data;
    std::wstring native = toPath(longPath(path)).wstring();
    if (!GetFileAttributesExW(native.c_str(), GetFileExInfoStandard, &data)) return noSize;
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
#else
    struct stat info;
    if (::stat(toPath(path).c_str(), &info) != 0) return noSize;
    if (S_ISDIR(info.st_mode)) return 0;
    return static_cast<std::uint64_t>(info.st_size);
#endif
}

WideString currentFolder() {
    std::error_code error;
    std::filesystem::path current = std::filesystem::current_path(error);
    if (error) return {};
    WideString folder = fromPath(current);
    // A root folder already ends with its separator; a doubled one would break createFolders.
    if (folder.isEmpty() || folder[folder.length() - 1] != nativeSeparator)
        folder.append(nativeSeparator);
    return stripLongPathPrefix(folder);
}

bool isSameFile(const WideString& first, const WideString& second) {
    std::error_code error;
    bool same = std::filesystem::equivalent(toPath(first), toPath(second), error);
    return !error && same;
}

bool fileIdentity(const WideString& path, FileIdentity& identity) {
#ifdef _WIN32
    std::wstring native = toPath(longPath(path)).wstring();
    HANDLE file =
        CreateFileW(native.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    if (!known) return false;
    identity = {info.dwVolumeSerialNumber,
                (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
    return true;
#else
    struct stat info;
    if (path.isEmpty() || ::stat(toPath(path).c_str(), &info) != 0) return false;
    identity = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
    return true;
#endif
}

bool isFolder(const WideString& path) {
    std::error_code error;
    return std::filesystem::is_directory(toPath(path), error);
}

} // namespace Zenlo
