// Temporary file, compare, keep the mode, rename: rename(2) on POSIX, MoveFileExW under _WIN32.
#include "converter/AtomicOutput.h"

#include <atomic>
#include <cerrno>
#include <fstream>
#include <string>
#include <system_error>

#include "converter/TemporaryNames.h"
#include "toolkit/FileSystem.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace Zenlo {

namespace {

// Links followed before the chain counts as a loop (the system's own limit on Linux).
constexpr int maxLinks = 40;

// The test hook's count of moves until the one that fails, and its error.
std::atomic<int> movesUntilFailure{0};
std::atomic<int> injectedMoveError{0};

#ifdef _WIN32
constexpr int accessDeniedError = ERROR_ACCESS_DENIED;
#else
constexpr int accessDeniedError = EACCES;
#endif

enum class Kind { Missing, Regular, Folder, Other, Unknown };

// What the path names. Sets error to the system's code for Unknown, and for a folder or anything
// else that is not a regular file to the code of refusing to replace it.
Kind kindOf(const std::filesystem::path& path, int& error) {
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(systemFilePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return Kind::Missing;
        return error = static_cast<int>(code), Kind::Unknown;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return error = ERROR_DIRECTORY, Kind::Folder;
    if (attributes & FILE_ATTRIBUTE_DEVICE) return error = notRegularFileError, Kind::Other;
    return Kind::Regular;
#else
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT ? Kind::Missing : (error = errno, Kind::Unknown);
    if (S_ISDIR(info.st_mode)) return error = EISDIR, Kind::Folder;
    if (!S_ISREG(info.st_mode)) return error = notRegularFileError, Kind::Other;
    return Kind::Regular;
#endif
}

// True when both regular files hold the same bytes.
bool sameContents(const std::filesystem::path& firstName, const std::filesystem::path& secondName) {
    const std::filesystem::path first = systemFilePath(firstName);
    const std::filesystem::path second = systemFilePath(secondName);
    std::error_code error;
    const auto size = std::filesystem::file_size(first, error);
    if (error || std::filesystem::file_size(second, error) != size || error) return false;
    std::ifstream a(first, std::ios::binary), b(second, std::ios::binary);
    static constexpr std::size_t chunk = std::size_t{1} << 16;
    std::string left(chunk, '\0'), right(chunk, '\0');
    for (std::uintmax_t done = 0; done < size && a && b; done += chunk) {
        a.read(left.data(), chunk);
        b.read(right.data(), chunk);
        if (a.gcount() != b.gcount() || left.compare(0, static_cast<std::size_t>(a.gcount()), right,
                                                     0, static_cast<std::size_t>(b.gcount())) != 0)
            return false;
    }
    return !a.bad() && !b.bad();
}

// The existing target's permission bits go to the temporary that replaces it.
void keepPermissions(const std::filesystem::path& target, const std::filesystem::path& temporary) {
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(systemFilePath(target).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(systemFilePath(temporary).c_str(), FILE_ATTRIBUTE_READONLY);
#else
    struct stat info;
    if (::stat(target.c_str(), &info) == 0) ::chmod(temporary.c_str(), info.st_mode & 07777);
#endif
}

// True when the existing file is read-only (see readOnlyFileError). Windows refuses to replace
// such a file; POSIX systems would not ask, so they refuse here too and both behave alike.
bool isReadOnly(const std::filesystem::path& path) {
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(systemFilePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
#else
    // The mode as well as access(2): the superuser may write anything, yet the owner said no.
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) return false;
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
#endif
}

bool replaceWith(const std::filesystem::path& temporary, const std::filesystem::path& target,
                 int& error) {
#ifdef _WIN32
    // With the long-path prefix, as every other name handed to the system.
    if (MoveFileExW(systemFilePath(temporary).c_str(), systemFilePath(target).c_str(),
                    MOVEFILE_REPLACE_EXISTING))
        return true;
    error = static_cast<int>(GetLastError());
#else
    if (::rename(temporary.c_str(), target.c_str()) == 0) return true;
    error = errno;
#endif
    return false;
}

// Appends the whole file to out.
bool copyInto(const std::filesystem::path& path, OutputFile& out, int& error) {
    std::ifstream in(systemFilePath(path), std::ios::binary);
    if (!in) return error = errno, false;
    std::string chunk(OutputFile::bufferSize, '\0');
    while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0)
        out.write(std::string_view(chunk.data(), static_cast<std::size_t>(in.gcount())));
    if (in.bad()) return error = EIO, false;
    return true;
}

void removeFile(const std::filesystem::path& path) {
    std::error_code ignored;
    std::filesystem::remove(systemFilePath(path), ignored);
}

// The kernel's rule for links in shared folders (fs.protected_symlinks): in a sticky folder that
// everyone may write to, only a link of the folder's owner or of the user who follows it is
// followed, so that no other user can point an output at a file of ours.
bool mayFollowLink(const std::filesystem::path& link) {
#ifdef _WIN32
    (void)link;
    return true;
#else
    struct stat linkInfo, folderInfo;
    const std::filesystem::path folder = link.has_parent_path() ? link.parent_path() : ".";
    if (::lstat(link.c_str(), &linkInfo) != 0 || ::stat(folder.c_str(), &folderInfo) != 0)
        return true;
    const bool shared = (folderInfo.st_mode & S_ISVTX) && (folderInfo.st_mode & S_IWOTH);
    return !shared || linkInfo.st_uid == folderInfo.st_uid || linkInfo.st_uid == ::geteuid();
#endif
}

// True when the test hook makes this move fail; error is then its error.
bool moveFailsForTests(int& error) {
    if (movesUntilFailure.load() <= 0 || movesUntilFailure.fetch_sub(1) != 1) return false;
    error = injectedMoveError.load();
    return true;
}

} // namespace

void failFileMoveForTests(int n, int error) {
    injectedMoveError.store(error);
    movesUntilFailure.store(n);
}

bool finalTarget(const std::filesystem::path& path, std::filesystem::path& target, int& error) {
    target = path;
    for (int links = 0; links <= maxLinks; ++links) {
        std::error_code code;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(target, code)))
            return true;
        if (!mayFollowLink(target)) return error = sharedFolderLinkError, false;
        std::filesystem::path next = std::filesystem::read_symlink(target, code);
        if (code) return error = code.value(), false;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    error = ELOOP;
    return false;
}

StagedFile::StagedFile(StagedFile&& other) noexcept {
    *this = std::move(other);
}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept {
    if (this != &other) {
        discard();
        temporary_ = std::move(other.temporary_);
        target_ = other.target_;
        error_ = other.error_;
        other.temporary_.clear();
    }
    return *this;
}

CommitResult StagedFile::commit() {
    if (!isStaged()) return CommitResult::Failed;
    return commitTogether({this}).front();
}

namespace {

// One file of a group on its way in: its target's previous file may wait under a second name.
struct Placement {
    StagedFile* file = nullptr;
    std::size_t index = 0;
    bool existed = false;
    std::filesystem::path previous;
    // The target's name is free: its previous file is only under the second name.
    bool movedAside = false;
    bool placed = false;
};

// Keeps the previous file of the target under a second name while the group goes in (keep),
// with its permission bits for the new one. POSIX links the second name, so the target's name
// never disappears; elsewhere the file is renamed aside.
bool setAside(Placement& step, bool keep, int& error) {
    if (!step.existed) return true;
    keepPermissions(step.file->target(), step.file->temporary());
    if (!keep) return true;
    step.previous = temporaryName(step.file->target(), TemporaryKind::PreviousFile);
    if (moveFailsForTests(error)) return false;
#ifndef _WIN32
    if (::link(step.file->target().c_str(), step.previous.c_str()) == 0) return true;
#endif
    if (!replaceWith(step.file->target(), step.previous, error)) return false;
    return step.movedAside = true;
}

// Gives every target back the file it had before the group, in reverse order.
void putBack(std::vector<Placement>& steps) {
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        int ignored = 0;
        if (step->previous.empty()) {
            if (step->placed && !step->existed) removeFile(step->file->target());
        } else if (step->placed || step->movedAside) {
            replaceWith(step->previous, step->file->target(), ignored);
        } else {
            removeFile(step->previous);
        }
    }
}

} // namespace

std::vector<CommitResult> StagedFile::commitTogether(const std::vector<StagedFile*>& files) {
    std::vector<CommitResult> results(files.size(), CommitResult::Failed);
    std::vector<Placement> steps;
    StagedFile* failed = nullptr;
    // Every target is looked at before any is touched.
    for (std::size_t i = 0; i < files.size() && !failed; ++i) {
        StagedFile& file = *files[i];
        const Kind kind = file.isStaged() ? kindOf(file.target_, file.error_) : Kind::Unknown;
        if (kind == Kind::Regular && sameContents(file.temporary_, file.target_))
            results[i] = CommitResult::Unchanged;
        else if (kind == Kind::Regular && isReadOnly(file.target_))
            file.error_ = readOnlyFileError, failed = &file;
        else if (kind == Kind::Regular || kind == Kind::Missing)
            steps.push_back({&file, i, kind == Kind::Regular, {}, false, false});
        else
            failed = &file;
    }
    // A single file needs no way back: its rename either happens or not.
    const bool keep = steps.size() > 1;
    for (Placement& step : steps)
        if (!failed && !setAside(step, keep, step.file->error_)) failed = step.file;
    for (Placement& step : steps) {
        if (failed) break;
        StagedFile& file = *step.file;
        if (moveFailsForTests(file.error_) ||
            !replaceWith(file.temporary_, file.target_, file.error_))
            failed = &file;
        else
            step.placed = true, file.temporary_.clear();
    }
    if (failed) {
        putBack(steps);
        for (StagedFile* file : files)
            if (file != failed) file->error_ = keptWithGroupError;
        results.assign(files.size(), CommitResult::Failed);
    } else {
        // Only now that every new file is in place do the previous ones go.
        for (const Placement& step : steps) {
            if (!step.previous.empty()) removeFile(step.previous);
            results[step.index] = CommitResult::Replaced;
        }
    }
    for (StagedFile* file : files)
        file->discard();
    return results;
}

std::vector<CommitResult> StagedFiles::commitTogether() {
    std::vector<StagedFile*> group;
    for (StagedFile& file : files_)
        group.push_back(&file);
    return StagedFile::commitTogether(group);
}

void StagedFile::discard() {
    if (isStaged()) removeFile(temporary_);
    temporary_.clear();
}

bool AtomicOutput::begin(const WideString& target, bool keepText) {
    discard();
    error_ = 0;
#ifdef _WIN32
    // Reserved names (NUL, CON, ...) in any folder are devices: nothing is staged beside them.
    if (isDevicePath(systemPath(target))) return error_ = notRegularFileError, false;
#endif
    std::filesystem::path final;
    if (!finalTarget(toPath(target), final, error_)) return false;
    staged_.target_ = final;
    removeLeftoverTemporaries(final.parent_path());
    const Kind kind = kindOf(final, error_);
    if (kind != Kind::Missing && kind != Kind::Regular) return false;
    if (!createTemporary(final)) {
        // The file itself may be writable: what it takes is a new file beside it.
        if (kind == Kind::Regular && error_ == accessDeniedError) error_ = folderNotWritableError;
        return false;
    }
    if (kind == Kind::Regular && keepText && !copyInto(final, file_, error_)) {
        discard();
        return false;
    }
    return true;
}

bool AtomicOutput::createTemporary(const std::filesystem::path& target) {
#if defined(O_TMPFILE)
    // Linking an unnamed file needs its entry in /proc; without /proc it gets a name at once.
    std::error_code missing;
    if (std::filesystem::exists("/proc/self/fd", missing)) {
        const std::filesystem::path folder =
            target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
        const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
        std::FILE* stream = fd >= 0 ? ::fdopen(fd, "w+b") : nullptr;
        if (stream) {
            file_.adopt(stream);
            unnamed_ = true;
            return true;
        }
        if (fd >= 0) ::close(fd);
    }
#endif
    // A name that is taken (by a process this one cannot see) is skipped, never reused.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path temporary = temporaryName(target, TemporaryKind::NewText);
        if (file_.create(fromPath(temporary))) {
            staged_.temporary_ = temporary;
            return true;
        }
        if (file_.error() != EEXIST) break;
    }
    error_ = file_.error();
    return false;
}

bool AtomicOutput::nameTemporary() {
#if defined(O_TMPFILE)
    const std::string self = "/proc/self/fd/" + std::to_string(::fileno(file_.stream()));
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path temporary =
            temporaryName(staged_.target_, TemporaryKind::NewText);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            staged_.temporary_ = temporary;
            unnamed_ = false;
            return true;
        }
        if (errno != EEXIST) break;
    }
    error_ = errno;
#endif
    return false;
}

bool AtomicOutput::finish(StagedFile& staged, bool durable) {
    if (!file_.isOpen()) return false;
    // The bytes go out before the name comes, so the name never shows a partial file.
    if (unnamed_ && (!file_.flushAll() || !nameTemporary())) {
        if (!error_) error_ = file_.error();
        discard();
        return false;
    }
    if (!file_.close(durable)) {
        error_ = file_.error();
        discard();
        return false;
    }
    staged = std::move(staged_);
    return true;
}

CommitResult AtomicOutput::commit(bool durable) {
    StagedFile staged;
    if (!finish(staged, durable)) return CommitResult::Failed;
    const CommitResult result = staged.commit();
    if (result == CommitResult::Failed) error_ = staged.error();
    return result;
}

void AtomicOutput::discard() {
    // Closing an unnamed temporary is all it takes to remove it.
    if (file_.isOpen()) file_.close();
    unnamed_ = false;
    staged_.discard();
}

} // namespace Zenlo
