// Helpers for the window tests: event pumping, clicks and key presses, the main dialog opened
// and closed (temporary folders and whole files come from the shared test support).
#pragma once

#include <chrono>
#include <functional>

#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/window.h>

#include "app/MainDlg.h"
#include "support/TestSupport.h"

namespace UiTest {

// Processes pending events (and pending deletes) until none are left.
void pumpEvents();
// Presses a key as a user does, through the display server (wxUIActionSimulator): the target
// gets the focus first, then the events are handled. modifiers: wxMOD_SHIFT, wxMOD_CONTROL...
void pressKey(wxWindow* target, int key, int modifiers = 0);
// Types the characters one key at a time into the focused window.
void typeKeys(wxWindow* target, const char* characters);
// Gives other threads and the display server a moment.
void sleepBriefly();
// Pumps events until the condition holds; false after the limit (which only catches a hang).
template <class Condition>
bool waitUntil(Condition condition, std::chrono::seconds limit = std::chrono::seconds(60)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        pumpEvents();
        sleepBriefly();
    }
    return true;
}
// Whether the window can scroll sideways: its horizontal range exceeds the visible part.
bool scrollsSideways(wxWindow* window);
// True while the dialog runs modally and has not been ended. After EndModal, wxMSW reports the
// dialog as modal until its loop returns; a hidden dialog has been ended everywhere.
bool stillOpen(const wxWindow& dialog);
// Sends a button or check-box click of the control with the id, as a user click would.
void click(wxWindow* dialog, int id);
// Creates and shows the main dialog and handles what that posts; null when it cannot be created.
Zenlo::CMainDlg* openMainDialog(Zenlo::CMainDlg::EndProgram endProgram = {});
// Destroys a window a test left (nothing for null) and lets wx finish with it.
void closeWindow(wxWindow* window);
// Picks the language by its shown name in the main dialog's chooser, as a user does.
void chooseLanguage(wxWindow* dialog, const char* name);

// Answers the next modal dialog of the type instead of a user: the action looks at it, and its
// result is what the dialog returns. The dialog itself is never shown.
template <class Dialog> class DialogAnswer : public wxModalDialogHook {
public:
    explicit DialogAnswer(std::function<int(Dialog&)> action) : action_(std::move(action)) {
        Register();
    }
    int Enter(wxDialog* dialog) override {
        auto* wanted = dynamic_cast<Dialog*>(dialog);
        if (!wanted) return wxID_NONE;
        ++answered;
        return action_(*wanted);
    }
    int answered = 0;

private:
    std::function<int(Dialog&)> action_;
};

} // namespace UiTest
