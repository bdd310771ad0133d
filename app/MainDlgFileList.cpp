// CMainDlg: the input file list: adding, dropping, removing, clearing and reordering entries.
#include "app/MainDlg.h"

#include <wx/app.h>
#include <wx/bmpbuttn.h>
#include <wx/listbox.h>

#include "app/FileList.h"
#include "app/IdleRule.h"

void CMainDlg::addFiles() { files_->addFromDialog(this); }

void CMainDlg::removeSelected() { files_->removeSelected(); }

void CMainDlg::clearList() { files_->clear(); }

void CMainDlg::moveSelected(bool up) {
    wxButton* pressed = up ? moveUpButton_ : moveDownButton_;
    wxButton* other = up ? moveDownButton_ : moveUpButton_;
    files_->moveSelected(up, pressed, other);
}

void CMainDlg::addDroppedFiles(const wxArrayString& paths) {
    // Accepted at any time, also during a run (which works on its own copy of the list).
    files_->addDropped(paths);
    clearReport();
    // A drop arrives outside the toolkit's event flow: ask for the idle update ourselves.
    Zenlo::requestIdleUpdate();
    wxWakeUpIdle();
}

void CMainDlg::onListKey(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (key == WXK_DELETE || key == WXK_NUMPAD_DELETE) {
        clearReport();
        removeSelected();
        return;
    }
    event.Skip();
}
