// CVariableSetupDlg: the header list's commands (add through the input box, remove, remove all,
// move), its horizontal extent, and the defaults button.

#include <wx/bmpbuttn.h>
#include <wx/listbox.h>

#include "dialogs/VariableSetupDlg.h"
#include "dialogs/VariableSetupIds.h"
#include "i18n/Language.h"
#include "toolkit/wx/InputBox.h"
#include "toolkit/wx/ListBoxExtent.h"
#include "toolkit/wx/NativeLook.h"
#include "toolkit/wx/WxText.h"

void CVariableSetupDlg::addHeader() {
    ZnInputBox box;
    const ZnLanguage& language = ZnLanguage::instance();
    box.caption = language.text(500);
    box.prompt = language.text(501);
    box.okText = u"OK";
    box.cancelText = language.text(600);
    box.editMode = ZnNumericEditRules::plainMode;
    box.rememberedWidth = inputBoxWidth;
    box.rememberedHeight = inputBoxHeight;
    const int result = box.runModal(this);
    inputBoxWidth = box.rememberedWidth;
    inputBoxHeight = box.rememberedHeight;
    // No check for duplicates or ";": the answer is taken as typed.
    if (result == 1 && !box.value.isEmpty()) {
        includeList_->Append(Zenlo::toWx(box.value));
        updateHorizontalExtent();
    }
    applyListButtonRule();
}

void CVariableSetupDlg::removeSelected() {
    const int selected = includeList_->GetSelection();
    if (selected != wxNOT_FOUND) {
        includeList_->Delete(static_cast<unsigned>(selected));
        const int next =
            Zenlo::selectionAfterRemoval(selected, static_cast<int>(includeList_->GetCount()));
        if (next >= 0) includeList_->SetSelection(next);
        updateHorizontalExtent();
    }
    applyListButtonRule();
}

void CVariableSetupDlg::removeAll() {
    includeList_->Clear();
    updateHorizontalExtent();
    applyListButtonRule();
}

void CVariableSetupDlg::moveSelected(bool up) {
    const int selected = includeList_->GetSelection();
    const int target = up ? selected - 1 : selected + 1;
    if (selected == wxNOT_FOUND || target < 0 ||
        target >= static_cast<int>(includeList_->GetCount()))
        return;
    const wxString text = includeList_->GetString(static_cast<unsigned>(selected));
    includeList_->Delete(static_cast<unsigned>(selected));
    includeList_->Insert(text, static_cast<unsigned>(target));
    includeList_->SetSelection(target);
    // The pressed arrow looks like the default button, as in the main dialog's list.
    wxButton* pressed = up ? moveUpButton_ : moveDownButton_;
    showAsDefaultButton(up ? moveDownButton_ : moveUpButton_, false);
    showAsDefaultButton(pressed, true);
    defaultArrow_ = pressed;
    applyListButtonRule();
}

void CVariableSetupDlg::updateHorizontalExtent() {
    horizontalExtent_ = Zenlo::applyHorizontalExtent(includeList_);
    // The list scrolls to its widest row by itself once its column may shrink.
    shrinkToWidestRow(includeList_);
}

void CVariableSetupDlg::setDefaults() {
    values = ZnVariableSetupValues();
    fillList(values.includeList);
    writeToControls();
    bytesPerLineEdit_.setIntegerValue(values.bytesPerLine);
    applySizeVariableRule();
    applyListButtonRule();
}
