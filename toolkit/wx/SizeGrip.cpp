// The size grip: drawn as three rows of dots, drags the dialog's bottom-right corner.
#include "toolkit/wx/SizeGrip.h"

#include <algorithm>

#include <wx/dcclient.h>
#include <wx/settings.h>
#include <wx/utils.h>

namespace Zenlo {
namespace {

int gripSize() {
    return std::clamp(wxSystemSettings::GetMetric(wxSYS_VSCROLL_X), 12, 16);
}

} // namespace

ZnSizeGrip::ZnSizeGrip(wxTopLevelWindow* dialog)
    : wxWindow(dialog, wxID_ANY, wxDefaultPosition, wxSize(gripSize(), gripSize()), wxBORDER_NONE),
      dialog_(dialog) {
    Bind(wxEVT_PAINT, &ZnSizeGrip::onPaint, this);
    Bind(wxEVT_LEFT_DOWN, &ZnSizeGrip::onLeftDown, this);
    Bind(wxEVT_MOTION, &ZnSizeGrip::onMotion, this);
    Bind(wxEVT_LEFT_UP, &ZnSizeGrip::onLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &ZnSizeGrip::onCaptureLost, this);
    SetCursor(wxCursor(GetLayoutDirection() == wxLayout_RightToLeft ? wxCURSOR_SIZENESW
                                                                    : wxCURSOR_SIZENWSE));
    placeInCorner();
}

void ZnSizeGrip::placeInCorner() {
    wxSize client = dialog_->GetClientSize();
    int size = gripSize();
    SetSize(client.x - size, client.y - size, size, size);
    Raise();
}

void ZnSizeGrip::onPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    wxSize size = GetClientSize();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
    // Dots on three diagonals, the longest along the corner.
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column <= row; ++column) {
            int x = size.x - 4 - 4 * (row - column);
            int y = size.y - 4 - 4 * column;
            dc.DrawRectangle(x, y, 2, 2);
        }
}

void ZnSizeGrip::onLeftDown(wxMouseEvent&) {
    // Screen positions: the grip itself moves while the dialog grows.
    dragStart_ = wxGetMousePosition();
    sizeAtStart_ = dialog_->GetSize();
    CaptureMouse();
}

void ZnSizeGrip::onMotion(wxMouseEvent& event) {
    if (!HasCapture() || !event.LeftIsDown()) return;
    wxPoint now = wxGetMousePosition();
    wxSize size = sizeAtStart_ + wxSize(now.x - dragStart_.x, now.y - dragStart_.y);
    // The dialog's size hints hold its limits.
    wxSize minimum = dialog_->GetMinSize(), maximum = dialog_->GetMaxSize();
    if (minimum.x > 0) size.x = std::max(size.x, minimum.x);
    if (minimum.y > 0) size.y = std::max(size.y, minimum.y);
    if (maximum.x > 0) size.x = std::min(size.x, maximum.x);
    if (maximum.y > 0) size.y = std::min(size.y, maximum.y);
    dialog_->SetSize(size);
}

void ZnSizeGrip::onLeftUp(wxMouseEvent&) {
    if (HasCapture()) ReleaseMouse();
}

void ZnSizeGrip::onCaptureLost(wxMouseCaptureLostEvent&) {}
} // namespace Zenlo
