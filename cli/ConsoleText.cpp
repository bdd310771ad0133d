// Console output: the wide console functions on Windows, plain bytes everywhere else.
#include "cli/ConsoleText.h"

#include <algorithm>

#include "toolkit/TextEncoding.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace Zenlo {

std::string shownPath(const WideString& path) {
    return shownText(path.view());
}

void writeMessage(std::FILE* stream, std::string_view message) {
    std::string line = "hexmoor-cli: ";
    line.append(message).append("\n");
    writeText(stream, line);
}

#ifdef _WIN32

namespace {

// UTF-16 units handed to the console per call.
constexpr std::size_t consoleWritePiece = 8192;

// The console behind the stream, or null when the stream goes to a file or a pipe.
HANDLE consoleOf(std::FILE* stream) {
    const intptr_t handle = _get_osfhandle(_fileno(stream));
    if (handle == -1) return nullptr;
    DWORD mode = 0;
    return GetConsoleMode(reinterpret_cast<HANDLE>(handle), &mode)
               ? reinterpret_cast<HANDLE>(handle)
               : nullptr;
}

} // namespace

void writeText(std::FILE* stream, std::string_view text) {
    HANDLE console = consoleOf(stream);
    if (!console) {
        std::fwrite(text.data(), 1, text.size(), stream);
        return;
    }
    // What the C library still holds must come out first.
    std::fflush(stream);
    const std::u16string wide = utf8ToUtf16(text);
    const wchar_t* data = reinterpret_cast<const wchar_t*>(wide.data());
    std::size_t left = wide.size();
    while (left > 0) {
        DWORD written = 0;
        const DWORD part = static_cast<DWORD>(std::min<std::size_t>(left, consoleWritePiece));
        if (!WriteConsoleW(console, data, part, &written, nullptr) || written == 0) return;
        data += written;
        left -= written;
    }
}

bool isConsole(std::FILE* stream) {
    return consoleOf(stream) != nullptr;
}

#else

void writeText(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

bool isConsole(std::FILE* stream) {
    return isatty(fileno(stream)) != 0;
}

#endif

std::string oneLineText(std::string value) {
    for (char& c : value)
        if ((c >= 0 && c < 32) || c == 127) c = '?';
    return value;
}

} // namespace Zenlo
