// The horizontal extent of list boxes; GTK's list scrolls to its widest row by itself.
#include "toolkit/wx/ListBoxExtent.h"

#include <algorithm>
#include <cassert>

#include <wx/listbox.h>

#ifdef __WXMSW__
#include <wx/msw/wrapwin.h>
#endif

namespace Zenlo {

int applyHorizontalExtent(wxListBox* list) {
    assert(list);
    int widest = 0;
    const int margin = list->GetCharWidth();
    for (unsigned i = 0; i < list->GetCount(); ++i)
        widest = std::max(widest, list->GetTextExtent(list->GetString(i)).x + margin);
#ifdef __WXMSW__
    ::SendMessage(list->GetHWND(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest), 0);
#endif
    return widest;
}

} // namespace Zenlo
