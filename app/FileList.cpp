// The input file list's ways in: the open dialog and drops; the rules live in FileListRules.
#include "app/FileList.h"

#include <wx/app.h>
#include <wx/filedlg.h>

#include "app/FileListRules.h"
#include "app/IdleRule.h"
#include "toolkit/wx/WxText.h"

namespace Zenlo {
bool ZnFileList::addFromDialog(wxWindow* owner, const Zenlo::WideString& title,
                               const Zenlo::WideString& allFilesText) {
    wxFileDialog dialog(owner, Zenlo::toWx(title), wxString(), wxString(),
                        Zenlo::toWx(Zenlo::inputFileFilter(allFilesText)),
                        wxFD_OPEN | wxFD_MULTIPLE | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return false;
    wxArrayString paths;
    dialog.GetPaths(paths);
    append(paths);
    return true;
}

int ZnFileList::addDropped(const wxArrayString& paths) {
    wxArrayString files;
    for (const wxString& path : paths)
        if (Zenlo::isDroppableFile(Zenlo::fromWx(path))) files.Add(path);
    append(files);
    return static_cast<int>(files.GetCount());
}

bool ZnFileDropTarget::OnDropFiles(wxCoord, wxCoord, const wxArrayString& paths) {
    if (handler_) handler_(paths);
    // A drop arrives outside the toolkit's event flow, which the idle rule watches: ask for the
    // idle update here.
    Zenlo::requestIdleUpdate();
    wxWakeUpIdle();
    return true;
}
} // namespace Zenlo
