// Progress forwarding: values in atomics, at most one refresh pending at the window.
#include "app/ProgressForwarder.h"

#include <cassert>
#include <utility>

#include "app/ProgressMath.h"

namespace Zenlo {
ZnProgressForwarder::ZnProgressForwarder(PostRefresh post,
                                         std::chrono::steady_clock::duration minInterval)
    : post_(std::move(post)), minInterval_(minInterval) {
    assert(post_);
}

void ZnProgressForwarder::reset() {
    pending_ = false;
    total_ = totalDone_ = fileSize_ = fileDone_ = 0;
    filesConverted_ = failedInputs_ = outputsWritten_ = 0;
    lastFailed_ = Zenlo::WideString();
    ended_ = false;
    posts_ = 0;
    lastPost_ = {};
    shownSerial_ = fileSerial_.load();
    std::lock_guard<std::mutex> lock(nameLock_);
    failures_.clear();
}

void ZnProgressForwarder::totalBytes(std::uint64_t total) {
    total_ = total;
    totalDone_ = 0;
    post(true);
}

void ZnProgressForwarder::fileStarted(const Zenlo::WideString& name, std::uint64_t size) {
    {
        std::lock_guard<std::mutex> lock(nameLock_);
        fileName_ = name;
    }
    fileSize_ = size;
    fileDone_ = 0;
    ++fileSerial_;
    post(false);
}

void ZnProgressForwarder::progress(std::uint64_t count) {
    // Only this thread writes the counts, so a load and a store need no read-modify-write.
    fileDone_.store(fileDone_.load() + count);
    totalDone_.store(totalDone_.load() + count);
    post(false);
}

void ZnProgressForwarder::fileFinished(const Zenlo::WideString&) { ++filesConverted_; }

void ZnProgressForwarder::inputFailed(const Zenlo::ZnInputFailure& failure) {
    {
        std::lock_guard<std::mutex> lock(nameLock_);
        failures_.push_back(failure);
    }
    if (failedInputs_ > 0 && failure.path == lastFailed_) return;
    lastFailed_ = failure.path;
    ++failedInputs_;
}

void ZnProgressForwarder::finished() {
    ended_ = true;
    post(true);
}

void ZnProgressForwarder::post(bool always) {
    auto now = std::chrono::steady_clock::now();
    if (!always && now - lastPost_ < minInterval_) return;
    // A pending refresh will read these values: nothing to post.
    if (pending_.exchange(true)) return;
    lastPost_ = now;
    ++posts_;
    post_();
}

ZnProgressForwarder::Snapshot ZnProgressForwarder::take() {
    pending_ = false;
    Snapshot snapshot;
    snapshot.ended = ended_;
    if (snapshot.ended) {
        std::lock_guard<std::mutex> lock(nameLock_);
        snapshot.failures = failures_;
    }
    std::uint32_t serial = fileSerial_;
    if (serial != shownSerial_) {
        shownSerial_ = serial;
        snapshot.newFile = true;
        std::lock_guard<std::mutex> lock(nameLock_);
        snapshot.fileName = fileName_;
    }
    snapshot.filePosition = Zenlo::progressPosition(fileDone_, Zenlo::progressFactor(fileSize_));
    snapshot.totalPosition = Zenlo::progressPosition(totalDone_, Zenlo::progressFactor(total_));
    snapshot.filesConverted = filesConverted_;
    snapshot.failedInputs = failedInputs_;
    snapshot.outputsWritten = outputsWritten_;
    return snapshot;
}
} // namespace Zenlo
