// The input file list over a wxListBox: the rules live in FileListRules, this is the glue.
#include "app/FileList.h"

#include <wx/button.h>
#include <wx/filedlg.h>

#include "app/FileListRules.h"
#include "i18n/Language.h"
#include "toolkit/wx/ListBoxExtent.h"
#include "toolkit/wx/NativeLook.h"
#include "toolkit/wx/WxText.h"

ZnFileList::ZnFileList(wxListBox* list) : list_(list) {}

bool ZnFileList::addFromDialog(wxWindow* owner) {
    ZnLanguage& language = ZnLanguage::instance();
    wxFileDialog dialog(owner, Zenlo::toWx(language.text(400)), wxString(), wxString(),
                        Zenlo::toWx(Zenlo::inputFileFilter(language.text(402))),
                        wxFD_OPEN | wxFD_MULTIPLE | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return false;
    wxArrayString paths;
    dialog.GetPaths(paths);
    add(paths);
    return true;
}

void ZnFileList::add(const wxArrayString& paths) {
    if (!paths.IsEmpty()) list_->Append(paths);
    updateExtent();
}

int ZnFileList::addDropped(const wxArrayString& paths) {
    wxArrayString files;
    for (const wxString& path : paths)
        if (Zenlo::isDroppableFile(Zenlo::fromWx(path))) files.Add(path);
    add(files);
    return static_cast<int>(files.GetCount());
}

void ZnFileList::removeSelected() {
    int selected = list_->GetSelection();
    if (selected != wxNOT_FOUND) {
        list_->Delete(static_cast<unsigned>(selected));
        int next = Zenlo::selectionAfterRemove(selected, static_cast<int>(list_->GetCount()));
        if (next >= 0) list_->SetSelection(next);
    }
    updateExtent();
}

void ZnFileList::clear() {
    list_->Clear();
    updateExtent();
}

bool ZnFileList::moveSelected(bool up, wxButton* pressed, wxButton* other) {
    int selected = list_->GetSelection();
    int count = static_cast<int>(list_->GetCount());
    if (up ? !Zenlo::canMoveUp(selected) : !Zenlo::canMoveDown(selected, count)) return false;
    if (other) showAsDefaultButton(other, false);
    if (pressed) showAsDefaultButton(pressed, true);
    defaultArrow_ = pressed;
    wxString text = list_->GetString(static_cast<unsigned>(selected));
    int target = Zenlo::indexAfterMove(selected, up);
    list_->Delete(static_cast<unsigned>(selected));
    list_->Insert(text, static_cast<unsigned>(target));
    list_->SetSelection(target);
    return true;
}

void ZnFileList::updateExtent() {
    widestEntry_ = Zenlo::applyHorizontalExtent(list_);
    // Elsewhere the list box's scroll bar follows its widest row, once its column may shrink.
    shrinkToWidestRow(list_);
}

Zenlo::StringList ZnFileList::entries() const {
    Zenlo::StringList result;
    for (unsigned i = 0; i < list_->GetCount(); ++i) result.add(Zenlo::fromWx(list_->GetString(i)));
    return result;
}

bool ZnFileDropTarget::OnDropFiles(wxCoord, wxCoord, const wxArrayString& paths) {
    if (handler_) handler_(paths);
    return true;
}
