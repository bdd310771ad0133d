// ZnGroupBox: lets a group-box frame move with a layout without leaving traces behind.
#pragma once

#include <wx/event.h>
#include <wx/statbox.h>
#include <wx/weakref.h>

namespace Zenlo {
// An event handler itself, so that wx takes its handler off the box when the group box goes.
class ZnGroupBox : public wxEvtHandler {
public:
    ZnGroupBox() = default;
    ZnGroupBox(const ZnGroupBox&) = delete;
    ZnGroupBox& operator=(const ZnGroupBox&) = delete;

    // Takes over the box's background erasing; returns false for a null box or when a box is
    // already attached (the group box then stays as it was).
    bool attach(wxStaticBox* box);

private:
    void onErase(wxEraseEvent& event);

    wxWeakRef<wxStaticBox> box_;
};
} // namespace Zenlo
