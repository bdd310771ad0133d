// ZnGroupBox: lets a group-box frame move with a layout without leaving traces behind.
#pragma once

#include <wx/event.h>
#include <wx/statbox.h>
#include <wx/weakref.h>

namespace Zenlo {
class ZnGroupBox {
public:
    ZnGroupBox() = default;
    ZnGroupBox(const ZnGroupBox&) = delete;
    ZnGroupBox& operator=(const ZnGroupBox&) = delete;
    ~ZnGroupBox();

    // Takes over the box's background erasing; returns false for a null box or when a box is
    // already attached (the group box then stays as it was).
    bool attach(wxStaticBox* box);

private:
    void onErase(wxEraseEvent& event);

    wxWeakRef<wxStaticBox> box_;
};
} // namespace Zenlo
