// Conversion control: one worker per run, progress through the forwarder, end on the window.
#include "app/ConversionControl.h"

#include <cassert>
#include <functional>

namespace Zenlo {
ZnConversionControl::ZnConversionControl(ZnFileConverter& converter, ZnConversionView& view,
                                         PostToWindow post)
    : converter_(converter), view_(view), post_(std::move(post)),
      forwarder_([this] { post_([this] { refresh(); }); }) {
    assert(post_);
    const auto forward = [this](auto& signal, auto handler) {
        subscriptions_.push_back(signal.subscribe(std::bind_front(handler, &forwarder_)));
    };
    forward(converter_.totalBytes, &ZnProgressForwarder::totalBytes);
    forward(converter_.fileStarted, &ZnProgressForwarder::fileStarted);
    forward(converter_.progress, &ZnProgressForwarder::progress);
    forward(converter_.fileFinished, &ZnProgressForwarder::fileFinished);
    forward(converter_.finished, &ZnProgressForwarder::finished);
    forward(converter_.inputFailed, &ZnProgressForwarder::inputFailed);
}

// The subscriptions end after the worker: shutdown joins it first.
ZnConversionControl::~ZnConversionControl() {
    shutdown();
}

void ZnConversionControl::start(const ZnRunRequest& request) {
    assert(std::this_thread::get_id() == windowThread_);
    if (worker_.joinable()) {
        converter_.stopRequested = 1;
        join();
    }
    busy_ = true;
    stopped_ = false;
    filePosition_ = totalPosition_ = -1;
    forwarder_.reset();
    view_.showRunStarted();
    worker_ = converter_.start(request);
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
    // Only the inputs whose output was put in place were converted: an output that failed takes
    // its inputs with it.
    const Zenlo::ZnRunTally& tally = converter_.tally();
    report.failedInputs = inputsNotConverted(
        {tally.inputs, snapshot.filesConverted, tally.converted, snapshot.failedInputs, stopped_});
    report.failedOutputs = tally.failedOutputs;
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
