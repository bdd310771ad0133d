// Temporary names stamped with their process; /proc on Linux, process handles under _WIN32.
#include "converter/TemporaryNames.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace Zenlo {

namespace {

using Native = std::filesystem::path::string_type;
using Char = Native::value_type;

// The longest suffix (".tmp-old", a process number of 10 digits, a start time and a namespace of
// 20 and a count of 10) fits beside this much of the target's name within the usual limit of 255.
constexpr std::size_t keptNameLength = 180;
constexpr auto sweepInterval = std::chrono::minutes(1);

// Which process made a temporary. A start of 0 means unknown: such names are never removed.
struct ProcessStamp {
    std::uint64_t process = 0;
    std::uint64_t start = 0;
    std::uint64_t space = 0;
};

enum class Owner { Alive, Gone, Unknown };

#ifdef _WIN32

// The process's creation time; 0 when it cannot be asked. gone: it has ended or never was.
std::uint64_t startOf(std::uint64_t process, bool& gone) {
    HANDLE handle =
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(process));
    if (!handle) {
        gone = GetLastError() == ERROR_INVALID_PARAMETER;
        return 0;
    }
    FILETIME created, exited, kernel, user;
    DWORD code = 0;
    std::uint64_t start = 0;
    if (GetProcessTimes(handle, &created, &exited, &kernel, &user) &&
        GetExitCodeProcess(handle, &code)) {
        gone = code != STILL_ACTIVE;
        start = (std::uint64_t{created.dwHighDateTime} << 32) | created.dwLowDateTime;
    }
    CloseHandle(handle);
    return start;
}

ProcessStamp ownStamp() {
    bool gone = false;
    const std::uint64_t self = GetCurrentProcessId();
    return {self, startOf(self, gone), 0};
}

bool ownedByThisUser(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::symlink_status(path, error));
}

#else

// The process's start in clock ticks after boot (field 22 of /proc/PID/stat); 0 when it cannot
// be read. gone: there is no such process.
std::uint64_t startOf(const std::string& process, bool& gone) {
    const int fd = ::open(("/proc/" + process + "/stat").c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        gone = errno == ENOENT || errno == ESRCH;
        return 0;
    }
    char text[1024];
    const ssize_t length = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    if (length <= 0) return 0;
    text[length] = '\0';
    // The command name in parentheses may hold anything; the fields count from its end.
    const char* field = std::strrchr(text, ')');
    for (int skipped = 0; field && skipped < 20; ++skipped)
        field = std::strchr(field + 1, ' ');
    return field ? std::strtoull(field + 1, nullptr, 10) : 0;
}

std::uint64_t startOf(std::uint64_t process, bool& gone) {
    return startOf(std::to_string(process), gone);
}

ProcessStamp ownStamp() {
    bool gone = false;
    struct stat space;
    ProcessStamp stamp{static_cast<std::uint64_t>(::getpid()), startOf("self", gone), 0};
    if (::stat("/proc/self/ns/pid", &space) == 0) stamp.space = space.st_ino;
    return stamp;
}

// Only one's own leftovers are removed, even by a user allowed to remove others'.
bool ownedByThisUser(const std::filesystem::path& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid();
}

#endif

const ProcessStamp& thisProcess() {
    static const ProcessStamp stamp = ownStamp();
    return stamp;
}

Owner ownerOf(const ProcessStamp& stamp) {
    const ProcessStamp& self = thisProcess();
    if (stamp.start == 0 || self.start == 0 || stamp.space != self.space) return Owner::Unknown;
    bool gone = false;
    const std::uint64_t start = startOf(stamp.process, gone);
    if (gone) return Owner::Gone;
    if (start == 0) return Owner::Unknown;
    // The same number with another start time is a later process: the first one is gone.
    return start == stamp.start ? Owner::Alive : Owner::Gone;
}

Native marker(TemporaryKind kind) {
    return std::filesystem::path(kind == TemporaryKind::NewText ? ".tmp" : ".tmp-old").native();
}

// Takes the last "-NUMBER" off the name; false when the name does not end with one.
bool takeNumber(Native& name, std::uint64_t& number) {
    const std::size_t dash = name.rfind(Char('-'));
    if (dash == Native::npos || dash + 1 == name.size()) return false;
    number = 0;
    for (std::size_t i = dash + 1; i < name.size(); ++i) {
        if (name[i] < Char('0') || name[i] > Char('9')) return false;
        number = number * 10 + static_cast<std::uint64_t>(name[i] - Char('0'));
    }
    name.resize(dash);
    return true;
}

// A leftover's parts, read back from its name; false for any other name.
struct Leftover {
    Native target;
    TemporaryKind kind = TemporaryKind::NewText;
    ProcessStamp stamp;
};

bool readName(Native name, Leftover& leftover) {
    std::uint64_t count = 0;
    ProcessStamp& stamp = leftover.stamp;
    if (!takeNumber(name, count) || !takeNumber(name, stamp.space) ||
        !takeNumber(name, stamp.start) || !takeNumber(name, stamp.process))
        return false;
    for (TemporaryKind kind : {TemporaryKind::PreviousFile, TemporaryKind::NewText}) {
        const Native mark = marker(kind);
        if (name.size() > mark.size() && name.ends_with(mark)) {
            leftover.kind = kind;
            leftover.target = name.substr(0, name.size() - mark.size());
            return true;
        }
    }
    return false;
}

// Puts a previous file back under its target's name unless something is there by now; then
// the previous file goes.
void putBack(const std::filesystem::path& previous, const std::filesystem::path& target) {
#ifdef _WIN32
    if (MoveFileExW(previous.c_str(), target.c_str(), 0)) return;
    const DWORD code = GetLastError();
    if (code != ERROR_ALREADY_EXISTS && code != ERROR_FILE_EXISTS) return;
#else
    if (::renameat2(AT_FDCWD, previous.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return;
    // A file system that cannot rename without replacing may still link.
    const bool linked = errno == EINVAL && ::link(previous.c_str(), target.c_str()) == 0;
    if (!linked && errno != EEXIST) return;
#endif
    std::error_code ignored;
    std::filesystem::remove(previous, ignored);
}

// True when the folder was not looked at in the last minute; notes that it is now.
bool sweepDue(const std::filesystem::path& folder) {
    static std::mutex guard;
    static std::map<std::filesystem::path, std::chrono::steady_clock::time_point> swept;
    const auto now = std::chrono::steady_clock::now();
    const std::lock_guard<std::mutex> lock(guard);
    const auto found = swept.find(folder);
    if (found != swept.end() && now - found->second < sweepInterval) return false;
    swept[folder] = now;
    return true;
}

} // namespace

std::filesystem::path temporaryName(const std::filesystem::path& target, TemporaryKind kind) {
    static std::atomic<unsigned> counter{0};
    const ProcessStamp& self = thisProcess();
    Native name = target.filename().native();
    if (name.size() > keptNameLength) name.resize(keptNameLength);
    std::filesystem::path temporary = target.parent_path() / (name + marker(kind));
    for (std::uint64_t number : {self.process, self.start, self.space, std::uint64_t{counter++}}) {
        temporary += "-";
        temporary += std::to_string(number);
    }
    return temporary;
}

void removeLeftoverTemporaries(const std::filesystem::path& folder) {
    const std::filesystem::path where = folder.empty() ? std::filesystem::path(".") : folder;
    if (!sweepDue(where)) return;
    std::error_code error;
    std::filesystem::directory_iterator entries(where, error), end;
    for (; !error && entries != end; entries.increment(error)) {
        const std::filesystem::path& path = entries->path();
        Leftover leftover;
        if (!readName(path.filename().native(), leftover) || !ownedByThisUser(path) ||
            ownerOf(leftover.stamp) != Owner::Gone)
            continue;
        std::error_code ignored;
        if (leftover.kind == TemporaryKind::PreviousFile)
            putBack(path, where / leftover.target);
        else
            std::filesystem::remove(path, ignored);
    }
}

} // namespace Zenlo
