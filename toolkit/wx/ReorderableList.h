// ZnReorderableList: a list box whose rows the user removes and reorders with two arrow buttons
// and the Delete key. The rules come from ListRules; this is the wx glue the lists share.
#pragma once

#include <functional>

#include <wx/event.h>

#include "toolkit/WideString.h"
#include "toolkit/dialogrules/ListRules.h"

class wxArrayString;
class wxButton;
class wxKeyEvent;
class wxListBox;

namespace Zenlo {

// Works on the list box, which is the only store of the rows. Every call runs on the window's
// thread. An event handler itself, so that wx takes its key handler off the list when it goes.
class ZnReorderableList : public wxEvtHandler {
public:
    // Called after every command that may change the rows (also the Delete key), whether it
    // changed them or not; not after a refused move.
    using Changed = std::function<void()>;

    // The list box and the arrow buttons must outlive this object. The Delete key in the list
    // (also the keypad's) removes the selected row; every other key goes on to the list.
    ZnReorderableList(wxListBox* list, wxButton* moveUp, wxButton* moveDown, Changed changed = {});
    ZnReorderableList(const ZnReorderableList&) = delete;
    ZnReorderableList& operator=(const ZnReorderableList&) = delete;

    // Appends the rows in the given order, duplicates included.
    void append(const wxArrayString& rows);
    // Replaces every row.
    void setRows(const StringList& rows);
    // Removes the selected row and selects the one now at its place, or the new last one.
    // Without a selection no row is removed.
    void removeSelected();
    void removeAll();
    // Moves the selected row one place up or down and keeps it selected. The pressed arrow is
    // drawn as the default button and the other one loses that look. Returns false, changing
    // nothing, when the move is not possible.
    bool moveSelected(bool up);

    // The rows in list order.
    StringList rows() const;
    // The commands that apply to the selection and the row count.
    ZnListButtons buttons() const;
    // The widest row's text in the list's font plus one average character (0 for no rows).
    int horizontalExtent() const { return extent_; }
    // The arrow button last drawn as the default button by a move; null before the first.
    wxButton* defaultArrow() const { return defaultArrow_; }
    wxListBox* listBox() const { return list_; }

private:
    void changedRows();
    void onKey(wxKeyEvent& event);

    wxListBox* list_;
    wxButton* moveUp_;
    wxButton* moveDown_;
    Changed changed_;
    int extent_ = 0;
    wxButton* defaultArrow_ = nullptr;
};

} // namespace Zenlo
