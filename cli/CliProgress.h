// A progress bar on the terminal for long command-line runs: file name, percent, throughput.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "converter/Signal.h"

namespace Zenlo {

class ZnFileConverter;

// One line of the bar, at most width - 1 columns: "name [#####.....]  42%  123.4 MiB/s".
std::string progressLine(const std::string& fileName, std::uint64_t done, std::uint64_t total,
                         double bytesPerSecond, int width);

// True when a bar belongs on the stream: not quiet, a terminal, and not a dumb one.
bool wantsProgressBar(bool quiet, std::FILE* stream);

// The terminal's width in columns (80 when it cannot be told).
int terminalWidth(std::FILE* stream);

// Draws the bar of a run from the converter's notifications: only once the run has taken longer
// than showAfter, and at most every redrawEvery. The line is cleared when the run ends. Listens
// to the converter while it lives.
class ZnCliProgress {
public:
    using Clock = std::chrono::steady_clock;

    ZnCliProgress(ZnFileConverter& converter, std::FILE* stream, int width);
    ZnCliProgress(const ZnCliProgress&) = delete;
    ZnCliProgress& operator=(const ZnCliProgress&) = delete;
    // Wipes a drawn bar, so that a message can start on a clean line; the next update redraws.
    void clear();

private:
    void draw();

    std::FILE* stream_;
    int width_;
    std::string fileName_;
    std::uint64_t total_ = 0;
    std::uint64_t done_ = 0;
    Clock::time_point start_;
    Clock::time_point lastDraw_;
    bool drawn_ = false;
    std::vector<Subscription> subscriptions_;
    static constexpr std::chrono::milliseconds showAfter{500};
    static constexpr std::chrono::milliseconds redrawEvery{100};
};

} // namespace Zenlo
