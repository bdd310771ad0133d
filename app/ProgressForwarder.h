// Carries a run's progress from the worker thread to the window without ever waiting for it.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "converter/InputFailure.h"
#include "toolkit/WideString.h"

namespace Zenlo {
// The converter's notifications run on the worker. Each handler here only stores its values
// (atomics; the file name under a lock held for a copy) and asks the window for one refresh
// when none is pending. The window's thread then takes a snapshot of the latest values.
class ZnProgressForwarder {
public:
    // Asks the window's thread to call take() soon. Called on the worker; must not wait.
    // Required (asserted).
    using PostRefresh = std::function<void()>;

    // Progress and file starts post at most once per minInterval; the run's start and end
    // always post (unless a refresh is pending, which will see them).
    explicit ZnProgressForwarder(PostRefresh post,
                                 std::chrono::steady_clock::duration minInterval =
                                     std::chrono::milliseconds(15));

    // Window thread, before the worker starts: forget the last run.
    void reset();

    // Worker thread: the converter's notifications.
    void totalBytes(std::uint64_t total);
    void fileStarted(const Zenlo::WideString& name, std::uint64_t size);
    void progress(std::uint64_t count);
    void fileFinished(const Zenlo::WideString& name);
    void finished();
    // Worker thread: an input (or its header part) could not be converted. Every report is
    // kept; reports about the same input in a row count as one failed input.
    void inputFailed(const Zenlo::ZnInputFailure& failure);
    // Worker thread: an output was put in place, or found as it would be written.
    void outputCommitted(const Zenlo::WideString&, bool) { ++outputsWritten_; }

    struct Snapshot {
        bool newFile = false;         // fileName holds a name not shown yet
        Zenlo::WideString fileName;   // set only with newFile
        int filePosition = 0;         // 0..100
        int totalPosition = 0;        // 0..100
        bool ended = false;           // the run has emitted its end
        std::uint32_t filesConverted = 0;
        std::uint32_t failedInputs = 0;
        std::uint32_t outputsWritten = 0;
        std::vector<Zenlo::ZnInputFailure> failures; // every report, set only with ended
    };
    // Window thread: clears the pending mark first (so later changes post again), then reads
    // the latest values.
    Snapshot take();

    // How many refreshes were posted since reset (for tests and measurements).
    std::uint64_t postCount() const { return posts_.load(); }

private:
    void post(bool always);

    PostRefresh post_;
    std::chrono::steady_clock::duration minInterval_;
    std::chrono::steady_clock::time_point lastPost_{}; // worker only

    std::atomic<bool> pending_{false};
    std::atomic<std::uint64_t> total_{0};
    std::atomic<std::uint64_t> totalDone_{0};
    std::atomic<std::uint64_t> fileSize_{0};
    std::atomic<std::uint64_t> fileDone_{0};
    std::atomic<std::uint32_t> fileSerial_{0};
    std::atomic<std::uint32_t> filesConverted_{0};
    std::atomic<std::uint32_t> failedInputs_{0};
    std::atomic<std::uint32_t> outputsWritten_{0};
    Zenlo::WideString lastFailed_; // worker only
    std::atomic<bool> ended_{false};
    std::atomic<std::uint64_t> posts_{0};
    std::uint32_t shownSerial_ = 0; // window thread only

    std::mutex nameLock_; // guards fileName_ and failures_
    Zenlo::WideString fileName_;
    std::vector<Zenlo::ZnInputFailure> failures_;
};
} // namespace Zenlo
