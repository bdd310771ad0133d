// The reorderable list over a wxListBox: selection, moves and extent from ListRules.
#include "toolkit/wx/ReorderableList.h"

#include <cassert>

#include <wx/button.h>
#include <wx/listbox.h>

#include "toolkit/wx/ListBoxExtent.h"
#include "toolkit/wx/NativeLook.h"
#include "toolkit/wx/WxText.h"

namespace Zenlo {

ZnReorderableList::ZnReorderableList(wxListBox* list, wxButton* moveUp, wxButton* moveDown,
                                     Changed changed)
    : list_(list), moveUp_(moveUp), moveDown_(moveDown), changed_(std::move(changed)) {
    assert(list_ && moveUp_ && moveDown_);
    list_->Bind(wxEVT_KEY_DOWN, &ZnReorderableList::onKey, this);
}

void ZnReorderableList::append(const wxArrayString& rows) {
    if (!rows.IsEmpty()) list_->Append(rows);
    changedRows();
}

void ZnReorderableList::setRows(const StringList& rows) {
    list_->Clear();
    for (const WideString& row : rows)
        list_->Append(toWx(row));
    changedRows();
}

void ZnReorderableList::removeSelected() {
    const int selected = list_->GetSelection();
    if (selected != wxNOT_FOUND) {
        list_->Delete(static_cast<unsigned>(selected));
        const int next = selectionAfterRemoval(selected, static_cast<int>(list_->GetCount()));
        if (next >= 0) list_->SetSelection(next);
    }
    changedRows();
}

void ZnReorderableList::removeAll() {
    list_->Clear();
    changedRows();
}

bool ZnReorderableList::moveSelected(bool up) {
    const int selected = list_->GetSelection();
    const ZnListButtons allowed = buttons();
    if (!(up ? allowed.moveUp : allowed.moveDown)) return false;
    wxButton* pressed = up ? moveUp_ : moveDown_;
    showAsDefaultButton(up ? moveDown_ : moveUp_, false);
    showAsDefaultButton(pressed, true);
    defaultArrow_ = pressed;
    const wxString text = list_->GetString(static_cast<unsigned>(selected));
    const int target = indexAfterMove(selected, up, static_cast<int>(list_->GetCount()));
    list_->Delete(static_cast<unsigned>(selected));
    list_->Insert(text, static_cast<unsigned>(target));
    list_->SetSelection(target);
    if (changed_) changed_();
    return true;
}

StringList ZnReorderableList::rows() const {
    StringList result;
    for (unsigned i = 0; i < list_->GetCount(); ++i)
        result.add(fromWx(list_->GetString(i)));
    return result;
}

ZnListButtons ZnReorderableList::buttons() const {
    return listButtons(list_->GetSelection(), static_cast<int>(list_->GetCount()));
}

void ZnReorderableList::changedRows() {
    extent_ = applyHorizontalExtent(list_);
    // Elsewhere the list's scroll bar follows its widest row, once its column may shrink.
    shrinkToWidestRow(list_);
    if (changed_) changed_();
}

void ZnReorderableList::onKey(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (key == WXK_DELETE || key == WXK_NUMPAD_DELETE)
        removeSelected();
    else
        event.Skip();
}

} // namespace Zenlo
