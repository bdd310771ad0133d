// The terminal progress bar: redrawn in place with a carriage return, cleared at the end.
#include "cli/CliProgress.h"

#include <algorithm>
#include <cstdlib>

#include "cli/ConsoleText.h"
#include "converter/FileConverter.h"
#include "toolkit/TextEncoding.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace Zenlo {

namespace {

// The bar takes a third of the line, within these widths; a line narrower than narrowestLine
// is laid out as if it were that wide.
constexpr int narrowestLine = 20, narrowestBar = 10, widestBar = 40;
constexpr int defaultTerminalWidth = 80;

// The number of characters (not bytes) of UTF-8 text.
std::size_t columns(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// The text cut to at most n characters, keeping its end ("...name.bin") when it is too long.
std::string fitted(const std::string& text, std::size_t n) {
    if (columns(text) <= n) return text;
    if (n <= 3) return std::string(n, '.');
    std::size_t keep = n - 3, start = text.size();
    while (keep > 0 && start > 0) {
        --start;
        if ((text[start] & 0xC0) != 0x80) --keep;
    }
    while (start < text.size() && (text[start] & 0xC0) == 0x80)
        ++start;
    return "..." + text.substr(start);
}

std::string rateText(double bytesPerSecond) {
    char text[32];
    std::snprintf(text, sizeof text, "%7.1f MiB/s", bytesPerSecond / (1024.0 * 1024.0));
    return text;
}

} // namespace

std::string progressLine(const std::string& fileName, std::uint64_t done, std::uint64_t total,
                         double bytesPerSecond, int width) {
    const double fraction = total ? std::min(1.0, static_cast<double>(done) / total) : 1.0;
    char percent[8];
    std::snprintf(percent, sizeof percent, "%3d%%", static_cast<int>(fraction * 100.0));
    const std::string tail = std::string(" ") + percent + " " + rateText(bytesPerSecond);
    const int usable = std::max(width - 1, narrowestLine);
    const int barWidth = std::clamp(usable / 3, narrowestBar, widestBar);
    const int nameWidth = usable - barWidth - 3 - static_cast<int>(tail.size());
    const int filled = static_cast<int>(fraction * barWidth);
    std::string name = fitted(fileName, static_cast<std::size_t>(std::max(nameWidth, 0)));
    name += std::string(static_cast<std::size_t>(std::max(nameWidth, 0)) - columns(name), ' ');
    return name + " [" + std::string(filled, '#') + std::string(barWidth - filled, '.') + "]" +
           tail;
}

bool wantsProgressBar(bool quiet, std::FILE* stream) {
    if (quiet) return false;
#ifdef _WIN32
    // A console, not merely a character device (NUL counts as one for _isatty).
    return isConsole(stream);
#else
    const char* term = std::getenv("TERM");
    return isatty(fileno(stream)) && !(term && std::string(term) == "dumb");
#endif
}

int terminalWidth(std::FILE* stream) {
#ifdef _WIN32
    CONSOLE_SCREEN_BUFFER_INFO info{};
    const intptr_t handle = _get_osfhandle(_fileno(stream));
    if (handle != -1 && GetConsoleScreenBufferInfo(reinterpret_cast<HANDLE>(handle), &info))
        return info.srWindow.Right - info.srWindow.Left + 1;
#else
    winsize size{};
    if (ioctl(fileno(stream), TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
#endif
    (void)stream;
    return defaultTerminalWidth;
}

ZnCliProgress::ZnCliProgress(ZnFileConverter& converter, std::FILE* stream, int width)
    : stream_(stream), width_(width) {
    subscriptions_.push_back(converter.totalBytes.subscribe([this](std::uint64_t total) {
        total_ = total;
        start_ = Clock::now();
    }));
    subscriptions_.push_back(
        converter.fileStarted.subscribe([this](const WideString& name, std::uint64_t) {
            fileName_ = shownText(name.view());
            draw();
        }));
    subscriptions_.push_back(converter.progress.subscribe([this](std::uint64_t count) {
        done_ += count;
        draw();
    }));
    // The summary or the next prompt starts on a clean line.
    subscriptions_.push_back(converter.finished.subscribe([this] { clear(); }));
}

void ZnCliProgress::clear() {
    if (!drawn_) return;
    std::string blank(static_cast<std::size_t>(width_ + 1), ' ');
    blank.front() = blank.back() = '\r';
    writeText(stream_, blank);
    std::fflush(stream_);
    drawn_ = false;
}

void ZnCliProgress::draw() {
    const Clock::time_point now = Clock::now();
    if (now - start_ < showAfter || (drawn_ && now - lastDraw_ < redrawEvery)) return;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    const double rate = seconds > 0 ? static_cast<double>(done_) / seconds : 0.0;
    std::string line(1, '\r');
    line += progressLine(fileName_, done_, total_, rate, width_);
    writeText(stream_, line);
    std::fflush(stream_);
    lastDraw_ = now;
    drawn_ = true;
}

} // namespace Zenlo
