// Helpers for the variable setup tests: running the dialog and the input box from inside their
// modal loops, and reading their controls.
#pragma once

#include <functional>

#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

#include "dialogs/VariableSetupDlg.h"
#include "dialogs/VariableSetupIds.h"
#include "toolkit/wx/InputBox.h"

namespace SetupTest {

using namespace Zenlo;

using Steps = std::function<void(CVariableSetupDlg&)>;

// Loads the English language file of the source tree, for the translated captions.
void loadEnglish();
// Runs the dialog modally; the steps act on it from inside its modal loop and should close it.
// A dialog left open is ended with -2 so a failing step cannot hang the run.
int runSetup(CVariableSetupDlg& dialog, const Steps& steps, wxWindow* owner = nullptr);
// The modal variable setup dialog, once something has opened it; null when none is open.
CVariableSetupDlg* openSetupDialog();
// Answers the next input box from inside its modal loop; the step should close it.
void whenInputBoxOpens(const std::function<void(ZnInputBox&)>& step);
// Puts the text into the input box's edit and clicks the button with the id.
void typeAnswer(ZnInputBox& box, const char* text, int closeId);

inline wxListBox* list(wxWindow& dialog) {
    return static_cast<wxListBox*>(dialog.FindWindow(SetupId::includeList));
}
inline wxTextCtrl* edit(wxWindow& dialog, int id) {
    return static_cast<wxTextCtrl*>(dialog.FindWindow(id));
}
inline bool checked(wxWindow& dialog, int id) {
    return static_cast<wxCheckBox*>(dialog.FindWindow(id))->GetValue();
}
inline bool enabled(wxWindow& dialog, int id) {
    return dialog.FindWindow(id)->IsEnabled();
}

} // namespace SetupTest
