// Progress forwarding: one pending refresh at a time, latest values, a worker that never waits.
#include "app/ProgressForwarder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "support/TestSupport.h"
#include "toolkit/TextEncoding.h"

using namespace Zenlo;

using namespace std::chrono_literals;

using testfiles::narrow;

namespace {

ZnInputFailure failure(const char16_t* path) {
    ZnInputFailure failed;
    failed.path = path;
    return failed;
}

// Stands in for the window: counts posts, and lets a "window thread" wait for them.
struct FakeWindow {
    std::mutex lock;
    std::condition_variable posted;
    int posts = 0;
    void post() {
        std::lock_guard<std::mutex> guard(lock);
        ++posts;
        posted.notify_one();
    }
};

} // namespace

TEST(ProgressForwarder, SnapshotsCarryTheLatestValues) {
    FakeWindow window;
    ZnProgressForwarder forwarder([&] { window.post(); }, 0s);
    forwarder.reset();
    forwarder.totalBytes(10000);
    EXPECT_EQ(window.posts, 1);
    ZnProgressForwarder::Snapshot shot = forwarder.take();
    EXPECT_FALSE(shot.newFile);
    EXPECT_FALSE(shot.ended);
    EXPECT_EQ(shot.totalPosition, 0);

    forwarder.fileStarted(u"a.bin", 8000);
    forwarder.progress(4096);
    forwarder.progress(3904);
    forwarder.fileFinished(u"a.bin");
    forwarder.fileStarted(u"b.bin", 2000);
    forwarder.progress(1000);
    EXPECT_EQ(window.posts, 2) << "one refresh pending covers every later change";
    shot = forwarder.take();
    EXPECT_TRUE(shot.newFile);
    EXPECT_EQ(narrow(shot.fileName), "b.bin");
    EXPECT_EQ(shot.filePosition, 50);
    EXPECT_EQ(shot.totalPosition, 90);
    EXPECT_EQ(shot.filesConverted, 1u);

    forwarder.progress(1000);
    shot = forwarder.take();
    EXPECT_FALSE(shot.newFile) << "the name is handed over once";
    EXPECT_EQ(shot.filePosition, 100);
    EXPECT_EQ(shot.totalPosition, 100);

    forwarder.fileFinished(u"b.bin");
    forwarder.inputFailed(failure(u"/in/c.bin"));
    forwarder.inputFailed(failure(u"/in/c.bin")); // its header part too: still one input
    forwarder.inputFailed(failure(u"/in/d.bin"));
    forwarder.finished();
    shot = forwarder.take();
    EXPECT_TRUE(shot.ended);
    EXPECT_EQ(shot.filesConverted, 2u);
    EXPECT_EQ(shot.failedInputs, 2u);
    ASSERT_EQ(shot.failures.size(), 3u) << "every report is kept for the details";
    EXPECT_EQ(narrow(shot.failures[0].path), "/in/c.bin");
    EXPECT_EQ(narrow(shot.failures[2].path), "/in/d.bin");
    EXPECT_EQ(window.posts, 4);
}

TEST(ProgressForwarder, ThrottledProgressStillEndsTheRun) {
    FakeWindow window;
    ZnProgressForwarder forwarder([&] { window.post(); }, 1h);
    forwarder.reset();
    forwarder.totalBytes(4096 * 100);
    forwarder.take();
    forwarder.fileStarted(u"big.bin", 4096 * 100);
    for (int i = 0; i < 100; ++i)
        forwarder.progress(4096);
    EXPECT_EQ(window.posts, 1) << "within the interval only the run's start posts";
    forwarder.finished();
    EXPECT_EQ(window.posts, 2) << "the end always reaches the window";
    ZnProgressForwarder::Snapshot shot = forwarder.take();
    EXPECT_TRUE(shot.ended);
    EXPECT_EQ(narrow(shot.fileName), "big.bin");
    EXPECT_EQ(shot.totalPosition, 100);
}

TEST(ProgressForwarder, ZeroSizesShowEmptyBars) {
    ZnProgressForwarder forwarder([] {}, 0s);
    forwarder.reset();
    forwarder.totalBytes(0);
    forwarder.fileStarted(u"grown.bin", 0);
    forwarder.progress(4096);
    ZnProgressForwarder::Snapshot shot = forwarder.take();
    EXPECT_EQ(shot.filePosition, 0);
    EXPECT_EQ(shot.totalPosition, 0);
}

TEST(ProgressForwarder, ResetForgetsTheLastRun) {
    ZnProgressForwarder forwarder([] {}, 0s);
    forwarder.reset();
    forwarder.totalBytes(10);
    forwarder.fileStarted(u"a", 10);
    forwarder.progress(10);
    forwarder.fileFinished(u"a");
    forwarder.inputFailed(failure(u"b"));
    forwarder.finished();
    forwarder.reset();
    ZnProgressForwarder::Snapshot shot = forwarder.take();
    EXPECT_FALSE(shot.ended);
    EXPECT_FALSE(shot.newFile);
    EXPECT_EQ(shot.filesConverted, 0u);
    EXPECT_EQ(shot.failedInputs, 0u);
    EXPECT_TRUE(shot.failures.empty());
    EXPECT_EQ(shot.totalPosition, 0);
    EXPECT_EQ(forwarder.postCount(), 0u);
}

// A worker emitting as fast as it can against a window thread that takes snapshots: the worker
// never blocks, posts never overlap, and the last snapshot holds the end of the run.
TEST(ProgressForwarder, WorkerAndWindowThreads) {
    FakeWindow window;
    ZnProgressForwarder forwarder([&] { window.post(); }, 0s);
    forwarder.reset();
    constexpr int blocks = 20000;
    std::thread worker([&] {
        forwarder.totalBytes(std::uint64_t{4096} * blocks);
        forwarder.fileStarted(u"f", std::uint64_t{4096} * blocks);
        for (int i = 0; i < blocks; ++i)
            forwarder.progress(4096);
        forwarder.fileFinished(u"f");
        forwarder.finished();
    });
    int taken = 0;
    ZnProgressForwarder::Snapshot shot;
    int lastTotal = 0;
    while (!shot.ended) {
        {
            std::unique_lock<std::mutex> guard(window.lock);
            window.posted.wait(guard, [&] { return window.posts > taken; });
            ASSERT_EQ(window.posts, taken + 1) << "a second refresh was posted while one pended";
        }
        ++taken;
        shot = forwarder.take();
        EXPECT_GE(shot.totalPosition, lastTotal) << "progress never runs backwards";
        lastTotal = shot.totalPosition;
    }
    worker.join();
    EXPECT_EQ(shot.totalPosition, 100);
    EXPECT_EQ(shot.filesConverted, 1u);
}
