// The input file list: a reorderable list that also adds through the open dialog and by drops.
#pragma once

#include <functional>

#include <wx/dnd.h>

#include "toolkit/WideString.h"
#include "toolkit/wx/ReorderableList.h"

namespace Zenlo {
// Works on the dialog's list box, which is the only store of the input paths. Every operation
// runs on the window's thread.
class ZnFileList : public Zenlo::ZnReorderableList {
public:
    using ZnReorderableList::ZnReorderableList;

    // Opens the multi-selection open dialog with the title and, as its one filter, the
    // "all files" text, and appends every chosen file. Returns false when the dialog was
    // cancelled; the list is then unchanged.
    bool addFromDialog(wxWindow* owner, const Zenlo::WideString& title,
                       const Zenlo::WideString& allFilesText);
    // Appends the dropped paths that are files; folders and paths whose status cannot be read
    // are skipped. Returns how many were added.
    int addDropped(const wxArrayString& paths);
};

// Accepts files dropped on a window, hands their paths on and asks for the idle update.
// Dropping is accepted at any time.
class ZnFileDropTarget : public wxFileDropTarget {
public:
    using Handler = std::function<void(const wxArrayString&)>;
    explicit ZnFileDropTarget(Handler handler) : handler_(std::move(handler)) {}
    bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& paths) override;

private:
    Handler handler_;
};
} // namespace Zenlo
