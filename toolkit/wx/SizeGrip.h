// A size grip in a dialog's bottom-right corner: dragging it resizes the dialog.
#pragma once

#include <wx/toplevel.h>
#include <wx/window.h>

namespace Zenlo {
// The grip of a resizable dialog. It keeps itself in the corner (call placeInCorner after every
// size change) and resizes its top-level parent while dragged, within the parent's size hints.
// It takes an automatic id: the fixed grip id of other platforms lies outside wx's id range.
class ZnSizeGrip : public wxWindow {
public:
    explicit ZnSizeGrip(wxTopLevelWindow* dialog);

    // Moves the grip to the bottom-right corner of the dialog's client area.
    void placeInCorner();

private:
    void onPaint(wxPaintEvent& event);
    void onLeftDown(wxMouseEvent& event);
    void onMotion(wxMouseEvent& event);
    void onLeftUp(wxMouseEvent& event);
    void onCaptureLost(wxMouseCaptureLostEvent& event);

    wxTopLevelWindow* dialog_;
    wxPoint dragStart_;
    wxSize sizeAtStart_;
};
} // namespace Zenlo
