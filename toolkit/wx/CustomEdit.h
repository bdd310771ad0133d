// ZnCustomEdit: turns an existing single-line wxTextCtrl into a number field (or a plain field
// that still reports its changes) and sends four notifications to the parent window.
#pragma once

#include <cstdint>

#include <wx/event.h>
#include <wx/textctrl.h>
#include <wx/weakref.h>

#include "toolkit/dialogrules/NumericEditRules.h"

namespace Zenlo {
// The notifications, sent synchronously to the parent as command events whose id is the edit's
// id, whose object is the edit and whose int is the code below.
wxDECLARE_EVENT(ZN_EVT_EDIT_CHANGE, wxCommandEvent);     // code 1
wxDECLARE_EVENT(ZN_EVT_EDIT_FOCUS_LOST, wxCommandEvent); // code 2
wxDECLARE_EVENT(ZN_EVT_EDIT_ENTER, wxCommandEvent);      // code 3
wxDECLARE_EVENT(ZN_EVT_EDIT_WHEEL, wxCommandEvent);      // code 4

// An event handler itself, so that wx takes its handlers off the edit when this object goes first.
class ZnCustomEdit : public ZnNumericEditRules, public wxEvtHandler {
public:
    enum Notification {
        changeNotification = 1,
        focusLostNotification,
        enterNotification,
        wheelNotification
    };

    ZnCustomEdit() = default;
    ZnCustomEdit(const ZnCustomEdit&) = delete;
    ZnCustomEdit& operator=(const ZnCustomEdit&) = delete;

    // Takes over the edit's keyboard, mouse-wheel, focus, paste and text-change handling.
    // Returns false for a null edit or when an edit is already attached.
    bool attach(wxTextCtrl* edit);
    wxTextCtrl* control() const { return edit_.get(); }

    // Changes the mode; entering integer or decimal mode commits the current text.
    void setMode(int newMode);
    // Plain mode: shows the digits of the value; integer mode: stores, clamps and shows it.
    void setIntegerValue(std::int64_t value);
    // Unless plain, commits the current text first; then the value as an integer (0 when plain).
    std::int64_t integerValue();

    // Inserts text as a paste would: replaces the selection, commits, selects all, notifies.
    void pasteText(const Zenlo::WideString& text);

    // Tip shown over the edit; empty (the default) shows none.
    Zenlo::WideString tipText;

private:
    void onChar(wxKeyEvent& event);
    void onKeyDown(wxKeyEvent& event);
    void onKeyUp(wxKeyEvent& event);
    void onWheel(wxMouseEvent& event);
    void onSetFocus(wxFocusEvent& event);
    void onKillFocus(wxFocusEvent& event);
    void onPaste(wxClipboardTextEvent& event);
    void onText(wxCommandEvent& event);

    Zenlo::WideString text() const;
    // Replaces the whole text without treating it as a change from outside.
    void show(const Zenlo::WideString& text);
    // show() for the cleaned text of a change from outside, made while its change event runs.
    void showCorrected(const Zenlo::WideString& text);
    // Replaces the selection by the text without treating it as a change from outside.
    void replaceSelection(const wxString& text);
    void commitShown();
    void stepBy(bool up, bool fromWheel);
    // Records the text and selection the key finds; forgets them.
    void beginKey(const wxKeyEvent& event);
    void endKey();
    // Applies the selection a handled character left, if the platform moved it since.
    void applyPendingSelection();
    void notify(int code);
    void refreshTip();

    wxWeakRef<wxTextCtrl> edit_;
    bool internalUpdate_ = false;
    bool controlHeld_ = false;
    // The text and selection when the current key went down, before the platform's edit acted
    // on it: some platforms delete the selection before the typed character is seen, and put
    // the caret back where the deletion left it after the character was handled.
    struct KeyStart {
        bool valid = false;
        bool characterKey = false; // a character will follow; otherwise the key edits by itself
        Zenlo::WideString text;
        long from = 0;
        long to = 0;
        // The selection the handled character leaves, applied again once the platform is done.
        bool selectionPending = false;
        long afterFrom = 0;
        long afterTo = 0;
    };
    KeyStart keyStart_;
};
} // namespace Zenlo
