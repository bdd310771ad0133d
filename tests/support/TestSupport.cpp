// Test helpers shared by both test programs.
#include "support/TestSupport.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

#include "toolkit/FileSystem.h"
#include "toolkit/PathText.h"
#include "toolkit/TextEncoding.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace Zenlo {

void PrintTo(const WideString& text, std::ostream* out) {
    *out << '"' << utf16ToUtf8(text.view()) << '"';
}

} // namespace Zenlo

namespace testfiles {

namespace fs = std::filesystem;

std::string narrow(const Zenlo::WideString& text) {
    return Zenlo::utf16ToUtf8(text.view());
}

bool sameFile(const Zenlo::WideString& first, const Zenlo::WideString& second) {
    Zenlo::FileIdentity one, two;
    return Zenlo::fileIdentity(first, one) && Zenlo::fileIdentity(second, two) && one == two;
}

TestFolder::TestFolder() {
    std::random_device random;
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "hexmoor-%08x", static_cast<unsigned>(random()));
        std::error_code error;
        if (fs::create_directory(base / name, error)) path_ = base / name;
    }
    if (path_.empty()) ADD_FAILURE() << "no new temporary folder";
}

TestFolder::~TestFolder() {
    if (path_.empty()) return;
    std::error_code error;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(path_, error);
}

Zenlo::WideString TestFolder::folder() const {
    return Zenlo::fromPath(path_) + Zenlo::nativeSeparator;
}

fs::path TestFolder::operator/(const std::string& name) const {
#ifdef _WIN32
    return path_ / Zenlo::toPath(Zenlo::fromUtf8(name));
#else
    return path_ / name;
#endif
}

CurrentFolderChange::CurrentFolderChange(const fs::path& folder) : before_(fs::current_path()) {
    fs::current_path(folder);
}

CurrentFolderChange::~CurrentFolderChange() {
    std::error_code error;
    fs::current_path(before_, error);
}

std::string shown(const fs::path& path) {
#ifdef _WIN32
    return Zenlo::utf16ToUtf8(Zenlo::fromPath(path).view());
#else
    return path.string();
#endif
}

std::string nativeSeparators(std::string text) {
#ifdef _WIN32
    std::replace(text.begin(), text.end(), '/', '\\');
#endif
    return text;
}

Zenlo::WideString nativePath(Zenlo::WideString path) {
    path.replaceAll(u'/', Zenlo::nativeSeparator);
    return path;
}

std::string systemMessage([[maybe_unused]] int posixCode, [[maybe_unused]] int windowsCode) {
#ifdef _WIN32
    return Zenlo::systemErrorText(windowsCode);
#else
    return Zenlo::systemErrorText(posixCode);
#endif
}

void writeFile(const fs::path& path, std::string_view bytes) {
    std::error_code error;
    if (path.has_parent_path()) fs::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string patternBytes(std::size_t n, unsigned seed) {
    std::string bytes(n, '\0');
    unsigned state = seed * 2654435761u + 12345u;
    for (std::size_t i = 0; i < n; ++i) {
        state = state * 1103515245u + 12345u;
        bytes[i] = static_cast<char>(state >> 16);
    }
    return bytes;
}

std::vector<std::string> temporariesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.path().filename().string().find(".tmp") != std::string::npos)
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void makeOld(const fs::path& path) {
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(24 * 365));
}

#ifdef _WIN32
void makeSpecialFile(const fs::path&) {
    ADD_FAILURE() << noPosixFileKinds;
}

bool unnamedFilesWork(const fs::path&) {
    return false;
}
#else
FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    if (setrlimit(RLIMIT_FSIZE, &limited) != 0) ADD_FAILURE() << "setrlimit failed";
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
}

void makeSpecialFile(const fs::path& path) {
    if (mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) mkfifo(path.c_str(), 0666);
}

bool unnamedFilesWork([[maybe_unused]] const fs::path& folder) {
#ifdef O_TMPFILE
    const int fd = open(folder.c_str(), O_TMPFILE | O_RDWR, 0600);
    if (fd >= 0) close(fd);
    return fd >= 0;
#else
    return false;
#endif
}
#endif

std::string withNewlines(std::string text) {
#ifdef _WIN32
    std::string::size_type at = 0;
    while ((at = text.find("\r\n", at)) != std::string::npos)
        text.erase(at, 1);
#endif
    return text;
}

#ifdef _WIN32
namespace {

// One argument quoted so that the C runtime's parser gives it back unchanged.
std::wstring quotedArgument(const std::wstring& argument) {
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

std::wstring wideText(const std::string& utf8) {
    const std::u16string text = Zenlo::utf8ToUtf16(utf8);
    return std::wstring(text.begin(), text.end());
}

} // namespace

RunResult runProgram(const fs::path& folder, const std::string& program,
                     const std::vector<std::string>& arguments, const std::string& environment) {
    RunResult result;
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
    return result;
}
#else
std::string quotedArgument(const std::string& text) {
    std::string result = "'";
    for (char c : text)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

RunResult runIn(const fs::path& folder, const std::string& commandLine) {
    const std::string command =
        "cd " + quotedArgument(folder.string()) + " && " + commandLine + " >.stdout 2>.stderr";
    RunResult result;
    const int status = std::system(command.c_str());
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readFile(folder / ".stdout");
    result.err = readFile(folder / ".stderr");
    return result;
}

RunResult runProgram(const fs::path& folder, const std::string& program,
                     const std::vector<std::string>& arguments, const std::string& environment) {
    std::string command = environment + " " + quotedArgument(program);
    for (const std::string& argument : arguments)
        command += " " + quotedArgument(argument);
    return runIn(folder, command);
}
#endif

} // namespace testfiles
