// Times a conversion through the window's path (progress forwarding to an event loop) against
// the bare engine, on the same input, and prints the ratio.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include <wx/evtloop.h>
#include <wx/init.h>

#include "app/ConversionControl.h"
#include "converter/FileConverter.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Zenlo::ZnConversionControl;
using Zenlo::ZnConversionView;
using Zenlo::ZnRunReport;
using Zenlo::ZnRunRequest;

namespace {

// The window's side without a display: refreshes travel through the toolkit's cross-thread
// event queue to an event loop on this thread, as they do to the dialog; the display calls
// only count (drawing is the window thread's work, not the worker's).
class LoopView : public ZnConversionView {
public:
    explicit LoopView(wxEventLoopBase& loop) : loop_(loop) {}
    ZnConversionControl::PostToWindow poster() {
        return [this](std::function<void()> work) { handler_.CallAfter(std::move(work)); };
    }
    void showRunStarted() override {}
    void showFileName(const Zenlo::WideString&) override { ++names; }
    void showProgress(int, int) override { ++updates; }
    void showRunEnded(const ZnRunReport& report) override {
        failedInputs = report.failedInputs;
        loop_.Exit();
    }
    long names = 0, updates = 0;
    std::uint32_t failedInputs = 0;

private:
    wxEventLoopBase& loop_;
    wxEvtHandler handler_;
};

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// The run the window would ask for: every input into arrays.cpp and its header.
ZnRunRequest request(const Zenlo::StringList& inputs, const Zenlo::WideString& folder) {
    return {
        .inputs = Zenlo::inputsOf(inputs), .outputFolder = folder, .outputFileName = u"arrays.cpp"};
}

double bareRun(const Zenlo::StringList& inputs, const Zenlo::WideString& folder) {
    Zenlo::ZnFileConverter converter;
    auto start = Clock::now();
    std::thread worker = converter.start(request(inputs, folder));
    worker.join();
    return seconds(Clock::now() - start);
}

double windowRun(const Zenlo::StringList& inputs, const Zenlo::WideString& folder, long& posts) {
    Zenlo::ZnFileConverter converter;
    wxConsoleEventLoop loop;
    wxEventLoopActivator active(&loop);
    LoopView view(loop);
    ZnConversionControl control(converter, view, view.poster());
    auto start = Clock::now();
    control.start(request(inputs, folder));
    loop.Run();
    double elapsed = seconds(Clock::now() - start);
    posts = static_cast<long>(control.forwarder().postCount());
    if (view.failedInputs != 0)
        std::fprintf(stderr, "window path: %u inputs failed\n", view.failedInputs);
    return elapsed;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    wxInitializer toolkit;
    if (!toolkit.IsOk()) return 2;
    const int mebibytes = argc > 1 ? std::atoi(argv[1]) : 64;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    // Memory-backed files where there are some: the disk's write-back would drown the difference.
    fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    if (const char* folder = std::getenv("HEXMOOR_BENCH_DIR")) base = folder;
    fs::path root = base / ("hexmoor-window-bench-" + std::to_string(getpid()));
    fs::create_directories(root / "out");
    fs::path input = root / "random.bin";
    {
        std::mt19937_64 random(79);
        std::vector<std::uint64_t> block(1 << 17);
        std::ofstream file(input, std::ios::binary);
        for (int i = 0; i < mebibytes; ++i) {
            for (auto& word : block)
                word = random();
            file.write(reinterpret_cast<const char*>(block.data()), 1 << 20);
        }
    }
    Zenlo::StringList inputs;
    inputs.add(Zenlo::fromPath(input));
    Zenlo::WideString folder = Zenlo::fromPath(root / "out") + Zenlo::nativeSeparator;

    std::vector<double> bare, window;
    long posts = 0;
    bareRun(inputs, folder); // warm the page cache and the output file
    // Alternate which goes first, so neither always inherits the other's unwritten pages.
    for (int i = 0; i < rounds; ++i) {
        if (i % 2 == 0) {
            bare.push_back(bareRun(inputs, folder));
            window.push_back(windowRun(inputs, folder, posts));
        } else {
            window.push_back(windowRun(inputs, folder, posts));
            bare.push_back(bareRun(inputs, folder));
        }
        if (getenv("HEXMOOR_BENCH_VERBOSE"))
            std::printf("  round %d: bare %.3f s, window %.3f s\n", i, bare.back(), window.back());
    }
    double bareTime = median(bare), windowTime = median(window);
    std::printf("window path, %d MiB input, median of %d runs, files in %s:\n", mebibytes, rounds,
                base.c_str());
    std::printf("  bare engine:                %.3f s\n", bareTime);
    std::printf("  engine + window subscribers: %.3f s (%ld refreshes posted)\n", windowTime,
                posts);
    std::printf("  ratio window/bare:          %.3f (goal: at most 1.10)\n", windowTime / bareTime);
    fs::remove_all(root);
    return 0;
}
