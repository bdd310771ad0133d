// File-system helpers over POSIX calls (Win32 under _WIN32); paths go through the long-path form.
#include "toolkit/FileSystem.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "toolkit/TextEncoding.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace Zenlo {

namespace {

#ifdef _WIN32
const wchar_t* wide(const WideString& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}
#endif

#ifndef _WIN32
// Why an existing name is no folder: ENOTDIR, ELOOP, danglingLinkError; 0 when it is one.
int notAFolderReason(const std::filesystem::path& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
    const int error = errno;
    if (error == ENOENT && ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode))
        return danglingLinkError;
    return error;
}
#endif

// Creates one folder; true when it was made or a folder of that name already exists. Otherwise
// error holds the system's code.
bool makeFolder(const WideString& path, int& error) {
#ifdef _WIN32
    if (CreateDirectoryW(wide(path), nullptr)) return true;
    error = static_cast<int>(GetLastError());
    // A drive's root refuses creation (access denied) although it is there.
    return error == ERROR_ALREADY_EXISTS || isFolder(path);
#else
    if (::mkdir(toPath(path).c_str(), 0777) == 0) return true;
    error = errno;
    // A link that leads nowhere or into a loop exists as a name too: say which it is.
    if (error == EEXIST) error = notAFolderReason(toPath(path));
    return error == 0;
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
    if (code == sharedFolderLinkError)
        return "a symbolic link of another user in a folder shared by all (sticky and writable by "
               "everyone), which is not followed";
    if (code == folderNotWritableError)
        return "Permission denied: the folder must be writable to replace the file safely";
    if (code == danglingLinkError) return "a symbolic link that leads to nothing";
    if (code == keptWithGroupError)
        return "left as it was, since another output of the run could not be replaced";
    if (code == readOnlyFileError) return "the file is read-only";
#ifdef _WIN32
    // Asked for as wide text: the narrow form comes in the ANSI code page, which is not UTF-8.
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::u16string message;
    if (text) message.assign(reinterpret_cast<const char16_t*>(text), length);
    LocalFree(text);
    // The system ends its texts with a full stop and a line break; the messages go on after them.
    while (!message.empty() && (message.back() == u'\n' || message.back() == u'\r' ||
                                message.back() == u' ' || message.back() == u'.'))
        message.pop_back();
    if (message.empty()) return "error " + std::to_string(code);
    return utf16ToUtf8(message);
#else
    return std::system_category().message(code);
#endif
}

std::string systemErrorText(const std::error_code& error) {
    if (error.category() == std::system_category()) return systemErrorText(error.value());
    return error.message();
}

WideString absolutePath(const WideString& path) {
    if (path.isEmpty()) return path;
#ifdef _WIN32
    DWORD size = GetFullPathNameW(wide(path), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::u16string full(size, u'\0');
    size = GetFullPathNameW(wide(path), size, reinterpret_cast<wchar_t*>(full.data()), nullptr);
    if (size == 0 || size >= full.size()) return path;
    return WideString(full.data(), static_cast<WideString::Size>(size));
#else
    if (path[0] == nativeSeparator) return path;
    const WideString current = currentFolder();
    return current.isEmpty() ? path : current + path;
#endif
}

WideString systemPath(const WideString& path) {
#ifdef _WIN32
    // Already prefixed, or a device ("\\\\.\\NUL"): the system takes it as it is.
    if (path.isEmpty() || path.view().starts_with(u"\\\\?\\") || isDevicePath(path)) return path;
    // A drive's path below "\\\\.\\" names a file like any other: only the prefix differs.
    WideString full = path;
    if (full.view().starts_with(u"\\\\.\\")) full.erase(0, 4);
    // Resolved first: the system no longer cleans a path up once the prefix is there.
    full = absolutePath(full);
    // Reserved names ("NUL", "CON") come back as devices, which take no prefix.
    if (isDevicePath(full)) return full;
    // A network path "\\\\server\\share" takes the form "\\\\?\\UNC\\server\\share".
    if (full.view().starts_with(u"\\\\")) {
        full.erase(0, 2);
        full = WideString(u"UNC\\") + full;
    }
    return longPath(full);
#else
    return path;
#endif
}

std::filesystem::path systemFilePath(const std::filesystem::path& path) {
#ifdef _WIN32
    return toPath(systemPath(fromPath(path)));
#else
    return path;
#endif
}

bool isDevicePath(const WideString& path) {
    const std::u16string_view text = path.view();
    if (!hasLongPathPrefix || !text.starts_with(u"\\\\.\\")) return false;
    // "\\\\.\\C:\\" begins a path on drive C:; "\\\\.\\C:" alone is the volume.
    const bool drivePath =
        text.size() > 6 && text[5] == u':' && (text[6] == u'\\' || text[6] == u'/');
    return !drivePath;
}

bool createFolders(const WideString& path, int* systemError) {
    const WideString folder = systemPath(folderPart(path));
    const WideString::Size start = folderLevelsStart(folder);
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
    if (!GetFileAttributesExW(wide(systemPath(path)), GetFileExInfoStandard, &data)) return noSize;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
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
    // A root folder already ends with its separator; a doubled one would break createFolders.
    return stripLongPathPrefix(folderWithSeparator(fromPath(current)));
}

bool fileIdentity(const WideString& path, FileIdentity& identity) {
#ifdef _WIN32
    HANDLE file = CreateFileW(wide(systemPath(path)), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
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
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(wide(systemPath(path)));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
#else
    std::error_code error;
    return std::filesystem::is_directory(toPath(path), error);
#endif
}

} // namespace Zenlo
