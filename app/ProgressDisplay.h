// Shows a run's progress in the main dialog: file-name label, file and total bars, taskbar.
#pragma once

#include <functional>
#include <memory>

#include "app/ConversionControl.h"

class wxAppProgressIndicator;
class wxGauge;
class wxWindow;

// The dialog's side of ZnConversionView. Refreshes are posted to the dialog's event queue, so
// the worker never waits for the window; everything else runs on the window's thread.
class ZnProgressDisplay : public ZnConversionView {
public:
    // What the dialog does for the display: show an input's name in the file-name label (the
    // dialog keeps its own copy of the text), and take note that the run is over and show its
    // report (busy flag, label, idle update).
    struct Host {
        std::function<void(const Zenlo::WideString&)> setLabel;
        std::function<void(const ZnRunReport&)> runEnded;
    };

    ZnProgressDisplay(wxWindow* window, wxGauge* fileBar, wxGauge* totalBar, Host host);
    ~ZnProgressDisplay() override;

    // The control whose refresh the posted events call; set once before the first run.
    void attach(ZnConversionControl* control) { control_ = control; }

    void postRefresh() override;
    void showRunStarted() override;
    void showFileName(const Zenlo::WideString& name) override;
    void showProgress(int filePosition, int totalPosition) override;
    void showRunEnded(const ZnRunReport& report) override;

private:
    wxWindow* window_;
    wxGauge* fileBar_;
    wxGauge* totalBar_;
    Host host_;
    ZnConversionControl* control_ = nullptr;
    std::unique_ptr<wxAppProgressIndicator> taskbar_;
};
