// Conversion control with the real engine and a fake window: progress, end, stop, shutdown.
#include "app/ConversionControl.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <mutex>
#include <string>

#include "support/TestSupport.h"
#include "toolkit/TextEncoding.h"

using namespace Zenlo;

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// Records what the control shows; posted work waits in a queue until pump() runs it on the
// test's thread, which plays the window's thread.
class FakeView : public ZnConversionView {
public:
    ZnConversionControl::PostToWindow poster() {
        return [this](std::function<void()> work) {
            std::lock_guard<std::mutex> guard(lock_);
            posted_.push_back(std::move(work));
            wake_.notify_one();
        };
    }
    void showRunStarted() override { ++starts; }
    void showFileName(const Zenlo::WideString& name) override {
        names.push_back(Zenlo::utf16ToUtf8(name.view()));
    }
    void showProgress(int file, int total) override {
        lastFile = file;
        lastTotal = total;
        ++updates;
    }
    void showRunEnded(const ZnRunReport& report) override {
        ++ends;
        failedInputs = report.failedInputs;
        last = report;
    }
    // Runs one piece of posted work; false when none came within the timeout.
    bool pumpOne(std::chrono::milliseconds timeout = 20s) {
        std::function<void()> work;
        {
            std::unique_lock<std::mutex> guard(lock_);
            if (!wake_.wait_for(guard, timeout, [&] { return !posted_.empty(); })) return false;
            work = std::move(posted_.front());
            posted_.pop_front();
        }
        work();
        return true;
    }
    // Runs posted work until the run has ended; false on a timeout.
    bool pumpUntilIdle(ZnConversionControl& control) {
        while (control.isBusy())
            if (!pumpOne()) return false;
        return true;
    }

    int starts = 0, updates = 0, ends = 0;
    int lastFile = -1, lastTotal = -1;
    std::uint32_t failedInputs = 0;
    ZnRunReport last;
    std::vector<std::string> names;

private:
    std::mutex lock_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> posted_;
};

class ConversionControlTest : public testing::Test {
protected:
    void SetUp() override { fs::create_directories(root / "out"); }

    Zenlo::WideString file(const std::string& name, std::size_t size) {
        testfiles::writeFile(root / name, testfiles::patternBytes(size));
        return Zenlo::fromPath(root / name);
    }
    // A large file of zeros that costs no disk space.
    Zenlo::WideString sparse(const std::string& name, std::uintmax_t size) {
        testfiles::writeFile(root / name, "");
        fs::resize_file(root / name, size);
        return Zenlo::fromPath(root / name);
    }
    ZnRunRequest run(std::initializer_list<Zenlo::WideString> inputs) {
        ZnRunRequest arguments;
        for (const auto& input : inputs)
            arguments.inputs.push_back({input, {}});
        arguments.outputFolder = Zenlo::fromPath(root / "out") + Zenlo::nativeSeparator;
        arguments.outputFileName = u"arrays.cpp";
        return arguments;
    }
    std::string output(const char* name = "arrays.cpp") {
        return testfiles::readFile(root / "out" / name);
    }
    static int count(const std::string& text, const std::string& piece) {
        int n = 0;
        for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
            ++n;
        return n;
    }

    testfiles::TestFolder folder;
    const fs::path root = folder.path();
    ZnFileConverter converter;
    FakeView view;
};

} // namespace

TEST_F(ConversionControlTest, RunShowsFilesProgressAndItsEnd) {
    ZnConversionControl control(converter, view, view.poster());
    converter.stopRequested = converter.abandonRequested = true; // left from before: cleared
    control.start(run({file("a.bin", 10000), file("b.bin", 5000), file("c.bin", 1)}));
    EXPECT_TRUE(control.isBusy());
    ASSERT_TRUE(view.pumpUntilIdle(control));
    EXPECT_FALSE(control.isBusy());
    EXPECT_EQ(view.starts, 1);
    EXPECT_EQ(view.ends, 1);
    EXPECT_EQ(view.failedInputs, 0u);
    ASSERT_FALSE(view.names.empty());
    EXPECT_EQ(view.names.back(), "c.bin");
    EXPECT_EQ(view.lastTotal, 100);
    std::string text = output();
    EXPECT_EQ(count(text, "g_a_bin_array["), 1);
    EXPECT_EQ(count(text, "g_b_bin_array["), 1);
    EXPECT_EQ(count(text, "g_c_bin_array["), 1);
}

TEST_F(ConversionControlTest, SameFileTwiceIsRefusedAndCounted) {
    Zenlo::WideString a = file("twice.bin", 300);
    ZnConversionControl control(converter, view, view.poster());
    control.start(run({a, a}));
    ASSERT_TRUE(view.pumpUntilIdle(control));
    EXPECT_EQ(count(output(), "g_twice_bin_array["), 0);
    EXPECT_EQ(view.failedInputs, 2u) << "one clash told, and nothing written";
    EXPECT_EQ(view.ends, 1);
}

TEST_F(ConversionControlTest, FailedInputsAreCounted) {
    ZnConversionControl control(converter, view, view.poster());
    Zenlo::WideString missing = Zenlo::fromPath(root / "missing.bin");
    control.start(run({file("good.bin", 100), missing, file("empty.bin", 0), file("ok.bin", 5)}));
    ASSERT_TRUE(view.pumpUntilIdle(control));
    EXPECT_EQ(view.failedInputs, 2u);
    EXPECT_EQ(view.last.kind, ZnRunReport::Kind::runEnded);
    ASSERT_EQ(view.last.failures.size(), 2u);
    EXPECT_EQ(view.last.failures[0].path, missing) << "the first failure leads";
    EXPECT_EQ(count(output(), "g_ok_bin_array["), 1);
    // A later clean run reports no failures.
    control.start(run({file("good.bin", 100)}));
    ASSERT_TRUE(view.pumpUntilIdle(control));
    EXPECT_EQ(view.failedInputs, 0u);
    EXPECT_TRUE(view.last.failures.empty());
    EXPECT_EQ(view.ends, 2);
    // An output that fails when it is closed takes its inputs with it, and is counted.
    SKIP_WITHOUT_POSIX_FILE_KINDS();
    const auto inputs = run({file("one.bin", 100), file("two.bin", 20000)});
    {
        const testfiles::FileSizeLimit limit(64 * 1024);
        control.start(inputs);
        ASSERT_TRUE(view.pumpUntilIdle(control));
    }
    EXPECT_EQ(view.failedInputs, 2u);
    EXPECT_EQ(view.last.failedOutputs, 1u);
}

TEST_F(ConversionControlTest, StopEndsTheRunEarly) {
    const std::uintmax_t size = std::uintmax_t{1} << 30;
    ZnConversionControl control(converter, view, view.poster());
    testfiles::writeFile(root / "out" / "arrays.cpp", "previous");
    control.start(run({sparse("big.bin", size), file("after.bin", 10)}));
    ASSERT_TRUE(view.pumpOne()); // the run has begun
    control.stop();
    ASSERT_TRUE(view.pumpUntilIdle(control));
    EXPECT_EQ(view.ends, 1);
    EXPECT_EQ(view.failedInputs, 0u) << "a stopped input is not a failed one";
    EXPECT_EQ(view.last.kind, ZnRunReport::Kind::stopped);
    // No input was complete: the previous file stays, and no temporary is left.
    EXPECT_EQ(output(), "previous");
    EXPECT_EQ(testfiles::temporariesIn(root / "out"), std::vector<std::string>{});
}

// The window never answers; shutting down must still stop and join at once.
TEST_F(ConversionControlTest, ShutdownDuringARunNeverWaitsForTheWindow) {
    auto control = std::make_unique<ZnConversionControl>(converter, view, view.poster());
    control->start(run({sparse("big.bin", std::uintmax_t{1} << 30)}));
    std::this_thread::sleep_for(50ms);
    auto begin = std::chrono::steady_clock::now();
    control->shutdown();
    EXPECT_LT(std::chrono::steady_clock::now() - begin, 20s); // a hang, not a speed
    EXPECT_FALSE(control->isBusy());
    control.reset(); // unsubscribes; the converter emits into nothing afterwards
    EXPECT_EQ(converter.progress.subscriberCount(), 0u);
}
