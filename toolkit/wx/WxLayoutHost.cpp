// The box layout's window side over wx: child lookup by id, rectangles in client coordinates.
#include "toolkit/wx/WxLayoutHost.h"

#include <algorithm>

namespace Zenlo {
ZnWxLayoutHost::ZnWxLayoutHost(wxWindow& parent)
    : parent_(parent), fontHeight_(parent.GetCharHeight()) {}

Zenlo::WindowHandle ZnWxLayoutHost::control(int id) const {
    for (wxWindow* child : parent_.GetChildren())
        if (child->GetId() == id) return child;
    return nullptr;
}

bool ZnWxLayoutHost::isWindow(Zenlo::WindowHandle window) const {
    // Compares pointers only: a stale handle is never dereferenced.
    return window && parent_.GetChildren().Find(static_cast<wxWindow*>(window));
}

Zenlo::Rect ZnWxLayoutHost::windowRect(Zenlo::WindowHandle window) const {
    if (!isWindow(window)) return {};
    wxRect rect = static_cast<wxWindow*>(window)->GetRect();
    return {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
}

void ZnWxLayoutHost::moveWindow(Zenlo::WindowHandle window, const Zenlo::Rect& rect) {
    if (!isWindow(window)) return;
    static_cast<wxWindow*>(window)->SetSize(rect.left, rect.top, std::max(0, rect.width()),
                                            std::max(0, rect.height()), wxSIZE_ALLOW_MINUS_ONE);
}

void ZnWxLayoutHost::setRedraw(bool redraw) {
    if (redraw) {
        if (parent_.IsFrozen()) parent_.Thaw();
    } else {
        parent_.Freeze();
    }
}
} // namespace Zenlo
