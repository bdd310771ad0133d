// Progress display over wx controls; the taskbar through wxAppProgressIndicator where it exists.
#include "app/ProgressDisplay.h"

#include <wx/appprogress.h>
#include <wx/gauge.h>
#include <wx/window.h>

#include "app/ProgressMath.h"

namespace Zenlo {
ZnProgressDisplay::ZnProgressDisplay(wxWindow* window, wxGauge* fileBar, wxGauge* totalBar,
                                     Host host)
    : fileBar_(fileBar), totalBar_(totalBar), host_(std::move(host)),
      taskbar_(std::make_unique<wxAppProgressIndicator>(window, Zenlo::progressRange)) {
    taskbar_->Reset();
}

ZnProgressDisplay::~ZnProgressDisplay() = default;

void ZnProgressDisplay::showRunStarted() {
    if (taskbar_->IsAvailable()) taskbar_->SetValue(0);
}

void ZnProgressDisplay::showFileName(const Zenlo::WideString& name) {
    fileBar_->SetValue(0);
    host_.setLabel(name);
}

void ZnProgressDisplay::showProgress(int filePosition, int totalPosition) {
    fileBar_->SetValue(filePosition);
    totalBar_->SetValue(totalPosition);
    if (taskbar_->IsAvailable()) taskbar_->SetValue(totalPosition);
}

void ZnProgressDisplay::showRunEnded(const ZnRunReport& report) {
    fileBar_->SetValue(0);
    totalBar_->SetValue(0);
    taskbar_->Reset();
    host_.runEnded(report);
}
} // namespace Zenlo
