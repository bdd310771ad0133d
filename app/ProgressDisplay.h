// Shows a run's progress in the main dialog: file-name label, file and total bars, taskbar.
#pragma once

#include <functional>
#include <memory>

#include "app/ConversionControl.h"

class wxAppProgressIndicator;
class wxGauge;
class wxWindow;

namespace Zenlo {
// The dialog's side of ZnConversionView; runs on the window's thread.
class ZnProgressDisplay : public ZnConversionView {
public:
    // What the dialog does for the display: show an input's name in the file-name label (the
    // dialog keeps its own copy of the text), and take note that the run is over and show its
    // report (busy flag, label, idle update).
    struct Host {
        std::function<void(const Zenlo::WideString&)> setLabel;
        std::function<void(const ZnRunReport&)> runEnded;
    };

    // The window is the one whose taskbar entry shows the total progress.
    ZnProgressDisplay(wxWindow* window, wxGauge* fileBar, wxGauge* totalBar, Host host);
    ~ZnProgressDisplay() override;

    void showRunStarted() override;
    void showFileName(const Zenlo::WideString& name) override;
    void showProgress(int filePosition, int totalPosition) override;
    void showRunEnded(const ZnRunReport& report) override;

private:
    wxGauge* fileBar_;
    wxGauge* totalBar_;
    Host host_;
    std::unique_ptr<wxAppProgressIndicator> taskbar_;
};
} // namespace Zenlo
