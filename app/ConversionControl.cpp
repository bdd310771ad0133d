// Conversion control: one worker per run, progress through the forwarder, end on the window.
#include "app/ConversionControl.h"

#include <cassert>

namespace Zenlo {
ZnConversionControl::ZnConversionControl(ZnFileConverter& converter, ZnConversionView& view,
                                         PostToWindow post)
    : converter_(converter), view_(view), post_(std::move(post)),
      forwarder_([this] { post_([this] { refresh(); }); }) {
    assert(post_);
    ZnProgressForwarder& f = forwarder_;
    connections_[0] = converter_.totalBytes.connect([&f](std::uint64_t total) { f.totalBytes(total); });
    connections_[1] = converter_.fileStarted.connect(
        [&f](const Zenlo::WideString& name, std::uint64_t size) { f.fileStarted(name, size); });
    connections_[2] = converter_.progress.connect([&f](std::uint64_t count) { f.progress(count); });
    connections_[3] = converter_.fileFinished.connect(
        [&f](const Zenlo::WideString& name) { f.fileFinished(name); });
    connections_[4] = converter_.finished.connect([&f] { f.finished(); });
    connections_[5] = converter_.inputFailed.connect(
        [&f](const Zenlo::ZnInputFailure& failure) { f.inputFailed(failure); });
}

ZnConversionControl::~ZnConversionControl() {
    shutdown();
    converter_.totalBytes.disconnect(connections_[0]);
    converter_.fileStarted.disconnect(connections_[1]);
    converter_.progress.disconnect(connections_[2]);
    converter_.fileFinished.disconnect(connections_[3]);
    converter_.finished.disconnect(connections_[4]);
    converter_.inputFailed.disconnect(connections_[5]);
}

void ZnConversionControl::start(const ZnRunArguments& arguments) {
    assert(std::this_thread::get_id() == windowThread_);
    if (worker_.joinable()) {
        converter_.stopRequested = 1;
        join();
    }
    busy_ = true;
    stopped_ = false;
    converter_.stopRequested = 0;
    filePosition_ = totalPosition_ = -1;
    forwarder_.reset();
    view_.showRunStarted();
    // The worker holds its own copies; the caller's strings may change at once.
    // The list form keeps paths that hold ";" whole.
    worker_ = std::thread([this, arguments] {
        converter_.convertAll(arguments.inputs, arguments.outputFolder, arguments.outputFileName,
                              arguments.separateFiles, arguments.writeHeader);
    });
}

void ZnConversionControl::stop() {
    assert(std::this_thread::get_id() == windowThread_);
    if (!busy_) return;
    stopped_ = true;
    converter_.stopRequested = 1;
}

void ZnConversionControl::refresh() {
    assert(std::this_thread::get_id() == windowThread_);
    if (!busy_) return; // a refresh posted by a run already handled
    ZnProgressForwarder::Snapshot snapshot = forwarder_.take();
    if (snapshot.newFile) view_.showFileName(snapshot.fileName);
    if (snapshot.filePosition != filePosition_ || snapshot.totalPosition != totalPosition_) {
        filePosition_ = snapshot.filePosition;
        totalPosition_ = snapshot.totalPosition;
        view_.showProgress(filePosition_, totalPosition_);
    }
    if (snapshot.ended) endRun(snapshot);
}

void ZnConversionControl::endRun(const ZnProgressForwarder::Snapshot& snapshot) {
    // The worker emits its end as its last act, so this join is short.
    join();
    busy_ = false;
    ZnRunReport report;
    report.kind = stopped_ ? ZnRunReport::Kind::stopped : ZnRunReport::Kind::runEnded;
    report.failedInputs = snapshot.failedInputs;
    report.failures = snapshot.failures;
    view_.showRunEnded(report);
}

void ZnConversionControl::shutdown() {
    assert(std::this_thread::get_id() == windowThread_);
    if (!worker_.joinable()) return;
    converter_.stopRequested = 1;
    join();
    busy_ = false;
}

void ZnConversionControl::join() {
    if (worker_.joinable()) worker_.join();
}
} // namespace Zenlo
