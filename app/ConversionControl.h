// Runs conversions for the window: the worker thread, stop, progress and the end of a run.
#pragma once

#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "app/ProgressForwarder.h"
#include "app/RunReport.h"
#include "converter/FileConverter.h"
#include "toolkit/WideString.h"

namespace Zenlo {
// What the control shows through. The main dialog implements it with its controls; tests use
// a fake. Every call comes on the window's thread.
class ZnConversionView {
public:
    virtual ~ZnConversionView() = default;
    virtual void showRunStarted() = 0;
    virtual void showFileName(const Zenlo::WideString& name) = 0;
    virtual void showProgress(int filePosition, int totalPosition) = 0;
    // The run is over and its worker joined: bars to 0, taskbar off, and the report of how it
    // ended (stopped or not, and every input that could not be converted).
    virtual void showRunEnded(const ZnRunReport& report) = 0;
};

// Owns the worker of the current or last run. Subscribes to the converter's notifications for
// its whole life. Everything but the notification handlers runs on the window's thread, the one
// that built the control (asserted).
class ZnConversionControl {
public:
    // Called on the worker: has the work run on the window's thread soon. Must return at once,
    // never waiting for the window; work left over when the window goes may be dropped.
    using PostToWindow = std::function<void(std::function<void()> work)>;

    ZnConversionControl(Zenlo::ZnFileConverter& converter, ZnConversionView& view,
                        PostToWindow post);
    ~ZnConversionControl();
    ZnConversionControl(const ZnConversionControl&) = delete;
    ZnConversionControl& operator=(const ZnConversionControl&) = delete;

    // Joins a worker left from an earlier run (stopping it first), then has the converter start
    // the request's run on a new one.
    void start(const ZnRunRequest& request);
    // Asks the worker to stop at its next check; does not wait. The end of the run follows as
    // usual.
    void stop();
    // Set from start until the end of the run has been handled on the window's thread.
    bool isBusy() const { return busy_; }
    // The window's thread: shows the latest progress; at the end of a run joins the worker,
    // clears the busy state and shows the end.
    void refresh();
    // Stops and joins a running worker without showing anything (the window is closing).
    // Never hangs on the window: the worker does not wait for it.
    void shutdown();

    const ZnProgressForwarder& forwarder() const { return forwarder_; }

private:
    void join();
    void endRun(const ZnProgressForwarder::Snapshot& snapshot);

    Zenlo::ZnFileConverter& converter_;
    ZnConversionView& view_;
    PostToWindow post_;
    ZnProgressForwarder forwarder_;
    const std::thread::id windowThread_ = std::this_thread::get_id();
    std::thread worker_;
    bool busy_ = false;
    bool stopped_ = false; // stop was asked for during this run
    int filePosition_ = -1;
    int totalPosition_ = -1;
    std::uint32_t inputCount_ = 0; // of the current or last run
    std::vector<Subscription> subscriptions_;
};
} // namespace Zenlo
