// CMainDlg: the input file list: adding, dropping, removing, clearing and reordering entries.
#include "app/MainDlg.h"

#include <wx/listbox.h>

#include "app/FileList.h"
#include "i18n/Language.h"
#include "i18n/TextKeys.h"

namespace Zenlo {
void CMainDlg::addFiles() {
    const ZnLanguage& language = ZnLanguage::instance();
    files_->addFromDialog(this, language.text(Zenlo::TextKey::addFilesTitle),
                          language.text(Zenlo::TextKey::allFiles));
}

void CMainDlg::removeSelected() { files_->removeSelected(); }

void CMainDlg::clearList() { files_->removeAll(); }

void CMainDlg::moveSelected(bool up) { files_->moveSelected(up); }

void CMainDlg::addDroppedFiles(const wxArrayString& paths) {
    // Accepted at any time, also during a run (which works on its own copy of the list).
    // The list's change ends the report of the last run.
    files_->addDropped(paths);
}
} // namespace Zenlo
