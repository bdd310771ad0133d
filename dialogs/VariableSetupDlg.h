// CVariableSetupDlg: the modal dialog that edits how variables are named and declared, the
// per-line layout of the bytes and the list of included headers.
#pragma once

#include <cassert>
#include <memory>

#include <wx/dialog.h>

#include "dialogs/VariableSetupRules.h"
#include "toolkit/wx/CustomEdit.h"
#include "toolkit/wx/ReorderableList.h"
#include "toolkit/wx/WinDataExchange.h"

namespace Zenlo {
class CVariableSetupDlg : public wxDialog {
public:
    CVariableSetupDlg();

    // Creates the dialog owned by the window and runs it modally. Returns the closing command:
    // 1 for OK, 2 for Cancel (also Escape and the close box), -1 when it cannot be created.
    // Only OK rebuilds values.includeList from the rows; the caller copies values back on 1.
    int runModal(wxWindow* owner);

    // The working copy of the options, filled by the caller.
    ZnVariableSetupValues values;
    // The input box's size as the user last left it; 0, 0 until it has been closed once.
    int inputBoxWidth = 0;
    int inputBoxHeight = 0;

    // Asks for a header name; a non-empty answer becomes the last row. The header list's other
    // commands are its own.
    void addHeader();
    // Puts the default options into the controls and the single header "stdint.h" into the list.
    void setDefaults();

    // Moves the members to the controls or back, stopping at the first control that fails
    // (beep, focus on it). Returns false on such a failure.
    bool writeToControls();
    bool readFromControls();
    bool exchangeData(ZnWinDataExchange::Direction direction);
    // The size type and its two boxes are enabled exactly when a size variable is written.
    void applySizeVariableRule();
    // Enables remove, remove all, move up and move down from the selection and row count.
    void applyListButtonRule();

    // The header list, from the dialog's creation on.
    Zenlo::ZnReorderableList& headerList() {
        assert(headers_);
        return *headers_;
    }
    ZnCustomEdit& bytesPerLineEdit() { return bytesPerLineEdit_; }

private:
    bool create(wxWindow* owner);
    void initialise();
    // Puts the values into the controls, the header list and the numeric edit included.
    void showValues();
    // Reads the controls back, takes the count from the numeric edit, and ends the dialog;
    // on OK the header list is rebuilt from the rows first.
    void closeWith(int id);

    void onButton(wxCommandEvent& event);
    void onWriteSizeVariable(wxCommandEvent& event);
    void onListSelection(wxCommandEvent& event);
    void onTextEnter(wxCommandEvent& event);

    std::unique_ptr<Zenlo::ZnReorderableList> headers_;
    ZnCustomEdit bytesPerLineEdit_;

    wxDECLARE_EVENT_TABLE();
};
} // namespace Zenlo
