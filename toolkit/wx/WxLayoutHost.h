// The box layout's window side over a wx dialog: finds, measures and moves its child controls.
#pragma once

#include <wx/window.h>

#include "toolkit/dialogrules/LayoutHost.h"

namespace Zenlo {
// Lays out the direct children of one window. Handles are the children's wxWindow pointers; a
// handle counts as a window only while it is still among the parent's children, so a control
// destroyed after the layout was built is never touched.
class ZnWxLayoutHost : public ZnLayoutHost {
public:
    explicit ZnWxLayoutHost(wxWindow& parent);

    Zenlo::WindowHandle control(int id) const override;
    bool isWindow(Zenlo::WindowHandle window) const override;
    Zenlo::Rect windowRect(Zenlo::WindowHandle window) const override;
    // Negative extents (a window smaller than its layout's minimum) become 0.
    void moveWindow(Zenlo::WindowHandle window, const Zenlo::Rect& rect) override;
    int fontHeight() const override { return fontHeight_; }
    // Freezes and thaws the parent.
    void setRedraw(bool redraw) override;

private:
    wxWindow& parent_;
    int fontHeight_;
};
} // namespace Zenlo
