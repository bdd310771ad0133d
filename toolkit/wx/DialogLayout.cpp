// Resizing of layout-driven dialogs: limits, grip and frame, and arranging on size changes.
#include "toolkit/wx/DialogLayout.h"

#include <climits>

#include "toolkit/wx/SizeGrip.h"

namespace Zenlo {
ZnDialogLayout::~ZnDialogLayout() {
    if (dialog_) dialog_->Unbind(wxEVT_SIZE, &ZnDialogLayout::onSize, this);
}

void ZnDialogLayout::prepareResizing(wxTopLevelWindow& dialog, bool sizeGrip,
                                     bool useMinimumTrackSize) {
    if (!dialog_) dialog.Bind(wxEVT_SIZE, &ZnDialogLayout::onSize, this);
    dialog_ = &dialog;
    host_ = std::make_unique<ZnWxLayoutHost>(dialog);
    limits_ = Zenlo::TrackSizes();
    if (sizeGrip && !grip_) {
        grip_ = new ZnSizeGrip(&dialog);
        dialog.SetWindowStyleFlag(dialog.GetWindowStyleFlag() | wxRESIZE_BORDER);
    }
    if (useMinimumTrackSize) {
        wxSize size = dialog.GetSize();
        limits_.minimumWidth = size.x;
        limits_.minimumHeight = size.y;
    }
    publishSizeHints();
}

void ZnDialogLayout::setLayout(std::unique_ptr<ZnLayout> layout) {
    layout_ = std::move(layout);
    if (!layout_ || !dialog_) return;
    layout_->computeMinimum();
    // The decorations: what the window's outer size adds to its client area.
    wxSize outer = dialog_->GetSize(), client = dialog_->GetClientSize();
    int frameWidth = (outer.x - client.x) / 2;
    int captionHeight = (outer.y - client.y) - 2 * frameWidth;
    layoutMinimum_ = Zenlo::layoutWindowMinimum(layout_->minimumSize(), frameWidth, captionHeight);
    Zenlo::raiseMinimumTrack(limits_, layoutMinimum_);
    publishSizeHints();
    layout_->setSize(client.x, client.y);
    layout_->arrange();
}

bool ZnDialogLayout::sizeGripShown() const {
    return grip_ && grip_->IsShown();
}

void ZnDialogLayout::applySizeLimits() {
    if (!dialog_) return;
    Zenlo::raiseMaximumToMinimum(limits_);
    long style = dialog_->GetWindowStyleFlag();
    if (Zenlo::isFixedSize(limits_)) {
        if (grip_ && grip_->IsShown()) grip_->Hide();
        if (style & wxRESIZE_BORDER) dialog_->SetWindowStyleFlag(style & ~wxRESIZE_BORDER);
    } else if (grip_ && !grip_->IsShown()) {
        grip_->Show();
        dialog_->SetWindowStyleFlag(style | wxCAPTION | wxRESIZE_BORDER);
    }
    publishSizeHints();
    wxSize size = dialog_->GetSize();
    Zenlo::Extent clamped = Zenlo::clampWindowSize({size.x, size.y}, limits_);
    if (clamped.width != size.x || clamped.height != size.y)
        dialog_->SetSize(clamped.width, clamped.height);
}

void ZnDialogLayout::publishSizeHints() {
    if (!dialog_) return;
    auto maximum = [](int value) { return value == INT_MAX ? -1 : value; };
    wxSize minimum =
        limits_.hasMinimum() ? wxSize(limits_.minimumWidth, limits_.minimumHeight) : wxDefaultSize;
    dialog_->SetSizeHints(minimum,
                          wxSize(maximum(limits_.maximumWidth), maximum(limits_.maximumHeight)));
}

void ZnDialogLayout::onSize(wxSizeEvent& event) {
    event.Skip();
    if (!dialog_ || dialog_->IsIconized()) return;
    wxSize client = dialog_->GetClientSize();
    if (layout_) {
        layout_->setSize(client.x, client.y);
        layout_->arrange();
    }
    if (grip_) {
        grip_->Show(!dialog_->IsMaximized() && !Zenlo::isFixedSize(limits_));
        grip_->placeInCorner();
    }
    dialog_->Refresh();
}
} // namespace Zenlo
