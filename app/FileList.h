// The input file list: adding through the file dialog and by drops, remove, clear, move, extent.
#pragma once

#include <functional>

#include <wx/dnd.h>
#include <wx/listbox.h>

#include "toolkit/WideString.h"
#include "toolkit/wx/NativeLook.h"

class wxButton;

// Works on the dialog's list box, which is the only store of the input paths. Every operation
// runs on the window's thread.
class ZnFileList {
public:
    explicit ZnFileList(wxListBox* list);

    // Opens the multi-selection open dialog (title key 400, filter key 402) and appends every
    // chosen file. Returns false when the dialog was cancelled; the list is then unchanged.
    bool addFromDialog(wxWindow* owner);
    // Appends the paths, duplicates included, in the given order.
    void add(const wxArrayString& paths);
    // Appends the dropped paths that are files; folders and paths whose status cannot be read
    // are skipped. Returns how many were added.
    int addDropped(const wxArrayString& paths);
    // Removes the selected entry and selects the one now at its place, or the new last one.
    void removeSelected();
    void clear();
    // Moves the selected entry one place up or down and keeps it selected. The pressed arrow
    // is drawn as the default button and the other one loses that look. Returns false when
    // the move is not possible.
    bool moveSelected(bool up, wxButton* pressed, wxButton* other);
    // Recomputes the horizontal scroll extent from the widest entry.
    void updateExtent();

    // The entries in list order.
    Zenlo::StringList entries() const;
    int widestEntry() const { return widestEntry_; }
    // The arrow button last drawn as the default button by a move; null before the first.
    wxButton* defaultArrow() const { return defaultArrow_; }
    wxListBox* listBox() const { return list_; }

private:
    wxListBox* list_;
    int widestEntry_ = 0;
    wxButton* defaultArrow_ = nullptr;
};

// Accepts files dropped on a window and hands their paths on. Dropping is accepted at any time.
class ZnFileDropTarget : public wxFileDropTarget {
public:
    using Handler = std::function<void(const wxArrayString&)>;
    explicit ZnFileDropTarget(Handler handler) : handler_(std::move(handler)) {}
    bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& paths) override;

private:
    Handler handler_;
};
