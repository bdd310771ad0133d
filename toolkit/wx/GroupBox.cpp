// ZnGroupBox: the parent paints the background behind the frame, clipped to the frame.
#include "toolkit/wx/GroupBox.h"

#include <wx/dc.h>
#include <wx/dcclient.h>
#include <wx/statbox.h>

namespace Zenlo {
bool ZnGroupBox::attach(wxStaticBox* box) {
    if (!box || box_) return false;
    box_ = box;
    box->Bind(wxEVT_ERASE_BACKGROUND, &ZnGroupBox::onErase, this);
    return true;
}

void ZnGroupBox::onErase(wxEraseEvent& event) {
    wxStaticBox* box = box_.get();
    wxWindow* parent = box ? box->GetParent() : nullptr;
    wxDC* dc = event.GetDC();
    if (!parent || !dc) {
        event.Skip();
        return;
    }
    // The parent erases its own background inside the frame's area; the frame draws over it.
    wxDCClipper clip(*dc, box->GetClientRect());
    wxEraseEvent parentErase(parent->GetId(), dc);
    parentErase.SetEventObject(parent);
    parent->GetEventHandler()->ProcessEvent(parentErase);
}
} // namespace Zenlo
