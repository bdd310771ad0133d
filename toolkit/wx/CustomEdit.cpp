// ZnCustomEdit: keystroke filtering, commits, stepping and notifications over a wxTextCtrl.
// Every change the control makes itself runs with internalUpdate_ set, so the text-change
// handler can tell them from changes made from outside (SetValue, cut, input methods).
#include "toolkit/wx/CustomEdit.h"

#include <wx/clipbrd.h>
#include <wx/utils.h>

#ifdef __WXMSW__
#include <wx/msw/wrapwin.h>
#endif

#include "toolkit/NumberText.h"
#include "toolkit/wx/WxText.h"

namespace Zenlo {
wxDEFINE_EVENT(ZN_EVT_EDIT_CHANGE, wxCommandEvent);
wxDEFINE_EVENT(ZN_EVT_EDIT_FOCUS_LOST, wxCommandEvent);
wxDEFINE_EVENT(ZN_EVT_EDIT_ENTER, wxCommandEvent);
wxDEFINE_EVENT(ZN_EVT_EDIT_WHEEL, wxCommandEvent);

using Zenlo::WideString;

namespace {

// Runs a change of the control's own with the internal-update flag set.
class InternalUpdate {
public:
    explicit InternalUpdate(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~InternalUpdate() { flag_ = old_; }

private:
    bool& flag_;
    bool old_;
};

const wxEventType notificationTypes[] = {ZN_EVT_EDIT_CHANGE, ZN_EVT_EDIT_FOCUS_LOST,
                                         ZN_EVT_EDIT_ENTER, ZN_EVT_EDIT_WHEEL};

} // namespace

bool ZnCustomEdit::attach(wxTextCtrl* edit) {
    if (!edit || edit_) return false;
    edit_ = edit;
    edit->Bind(wxEVT_CHAR, &ZnCustomEdit::onChar, this);
    edit->Bind(wxEVT_KEY_DOWN, &ZnCustomEdit::onKeyDown, this);
    edit->Bind(wxEVT_KEY_UP, &ZnCustomEdit::onKeyUp, this);
    edit->Bind(wxEVT_MOUSEWHEEL, &ZnCustomEdit::onWheel, this);
    edit->Bind(wxEVT_SET_FOCUS, &ZnCustomEdit::onSetFocus, this);
    edit->Bind(wxEVT_KILL_FOCUS, &ZnCustomEdit::onKillFocus, this);
    edit->Bind(wxEVT_TEXT_PASTE, &ZnCustomEdit::onPaste, this);
    edit->Bind(wxEVT_TEXT, &ZnCustomEdit::onText, this);
    refreshTip();
    return true;
}

WideString ZnCustomEdit::text() const {
    return edit_ ? Zenlo::fromWx(edit_->GetValue()) : WideString();
}

void ZnCustomEdit::show(const WideString& text) {
    if (!edit_) return;
    InternalUpdate update(internalUpdate_);
    edit_->ChangeValue(Zenlo::toWx(text));
}

void ZnCustomEdit::showCorrected(const WideString& text) {
#ifdef __WXMSW__
    // wxMSW takes a ChangeValue inside its own change event for the end of that change and
    // reports the change a second time; the system's call counts as part of the change.
    InternalUpdate update(internalUpdate_);
    ::SetWindowTextW(edit_->GetHWND(), Zenlo::toWx(text).wc_str());
#else
    show(text);
#endif
}

void ZnCustomEdit::replaceSelection(const wxString& text) {
    InternalUpdate update(internalUpdate_);
    long from = 0, to = 0;
    edit_->GetSelection(&from, &to);
    if (from != to) edit_->Remove(from, to);
    edit_->SetInsertionPoint(from);
    edit_->WriteText(text);
}

void ZnCustomEdit::commitShown() {
    if (isPlain() || !edit_) return;
    show(commit(text()));
}

void ZnCustomEdit::notify(int code) {
    wxTextCtrl* edit = edit_.get();
    if (!edit || !edit->GetParent() || code < 1 || code > 4) return;
    wxCommandEvent event(notificationTypes[code - 1], edit->GetId());
    event.SetEventObject(edit);
    event.SetInt(code);
    edit->GetParent()->GetEventHandler()->ProcessEvent(event);
}

void ZnCustomEdit::refreshTip() {
    if (!edit_) return;
    if (tipText.isEmpty())
        edit_->UnsetToolTip();
    else
        edit_->SetToolTip(Zenlo::toWx(tipText));
}

void ZnCustomEdit::setMode(int newMode) {
    if (newMode == mode) return;
    mode = newMode;
    commitShown();
}

void ZnCustomEdit::setIntegerValue(std::int64_t value) {
    if (mode == plainMode) {
        show(Zenlo::formatInteger(value));
    } else if (mode == integerMode) {
        show(commit(Zenlo::formatInteger(value)));
    }
}

std::int64_t ZnCustomEdit::integerValue() {
    commitShown();
    return integerResult();
}

void ZnCustomEdit::pasteText(const WideString& pasted) {
    if (!edit_) return;
    // A single-line field takes the pasted lines as one line.
    wxString line = Zenlo::toWx(pasted);
    line.Replace("\r", "");
    line.Replace("\n", "");
    replaceSelection(line);
    commitShown();
    edit_->SelectAll();
    notify(changeNotification);
}

void ZnCustomEdit::onChar(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (key == WXK_BACK) {
        // The platform's own editing (with Ctrl a whole word); the change is seen in onText.
        event.Skip();
        return;
    }
    if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
        commitShown();
        notify(enterNotification);
        event.Skip(); // the dialog's default button still sees Enter
        return;
    }
    const wxChar character = event.GetUnicodeKey();
    if (character == WXK_NONE || character < 32 || character == 127 || event.ControlDown()) {
        event.Skip();
        return;
    }
    // Judged against the text and selection the key found, not what the platform left of them.
    const bool fromKey = keyStart_.valid && keyStart_.characterKey;
    WideString before = fromKey ? keyStart_.text : text();
    long from = keyStart_.from, to = keyStart_.to;
    if (!fromKey) edit_->GetSelection(&from, &to);
    WideString typed = Zenlo::fromWx(wxString(character));
    CharVerdict verdict =
        typed.length() == 1
            ? judgeChar(typed[0], before, static_cast<Size>(from), static_cast<Size>(to))
            : (isPlain() ? CharVerdict::accept : CharVerdict::refuse);
    if (fromKey && text() != before) show(before);
    edit_->SetSelection(from, to);
    if (verdict == CharVerdict::refuse) {
        wxBell();
    } else {
        replaceSelection(verdict == CharVerdict::acceptAsPoint ? wxString(".")
                                                               : wxString(character));
        readTyped(text());
        if (!tipText.isEmpty()) refreshTip();
        notify(changeNotification);
        from = to = edit_->GetInsertionPoint();
    }
    if (fromKey) {
        keyStart_.selectionPending = true;
        keyStart_.afterFrom = from;
        keyStart_.afterTo = to;
    }
}

void ZnCustomEdit::beginKey(const wxKeyEvent& event) {
    applyPendingSelection();
    const wxChar character = event.GetUnicodeKey();
    keyStart_.valid = true;
    keyStart_.characterKey = character != WXK_NONE && character >= 32 && character != 127 &&
                             !event.ControlDown() && !event.AltDown();
    keyStart_.text = text();
    edit_->GetSelection(&keyStart_.from, &keyStart_.to);
}

void ZnCustomEdit::endKey() {
    applyPendingSelection();
    keyStart_.valid = false;
}

void ZnCustomEdit::applyPendingSelection() {
    if (!keyStart_.selectionPending || !edit_) return;
    keyStart_.selectionPending = false;
    edit_->SetSelection(keyStart_.afterFrom, keyStart_.afterTo);
}

void ZnCustomEdit::onKeyDown(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (key == WXK_CONTROL) controlHeld_ = true;
    if ((key == WXK_UP || key == WXK_DOWN) && stepping) {
        stepBy(key == WXK_UP, false);
        return;
    }
    // Delete, Backspace and the rest get the platform's processing, modifiers included (Shift+
    // Delete cuts, Ctrl deletes a word); what they change is seen in onText.
    if (edit_) beginKey(event);
    event.Skip();
}

void ZnCustomEdit::onKeyUp(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_CONTROL) controlHeld_ = false;
    if (edit_) endKey();
    event.Skip();
}

void ZnCustomEdit::stepBy(bool up, bool fromWheel) {
    WideString shown;
    if (!step(up, controlHeld_, shown)) return;
    show(shown);
    notify(changeNotification);
    if (fromWheel) notify(wheelNotification);
}

void ZnCustomEdit::onWheel(wxMouseEvent& event) {
    event.Skip();
    if (stepping && !isPlain() && event.GetWheelRotation() != 0)
        stepBy(event.GetWheelRotation() > 0, true);
}

void ZnCustomEdit::onSetFocus(wxFocusEvent& event) {
    event.Skip();
    if (edit_) edit_->SelectAll();
}

void ZnCustomEdit::onKillFocus(wxFocusEvent& event) {
    event.Skip();
    keyStart_ = KeyStart();
    commitShown();
    refreshTip();
    notify(focusLostNotification);
}

void ZnCustomEdit::onPaste(wxClipboardTextEvent&) {
    wxString pasted;
    if (wxTheClipboard->Open()) {
        wxTextDataObject data;
        if (wxTheClipboard->IsSupported(wxDF_UNICODETEXT) && wxTheClipboard->GetData(data))
            pasted = data.GetText();
        wxTheClipboard->Close();
    }
    pasteText(Zenlo::fromWx(pasted));
}

void ZnCustomEdit::onText(wxCommandEvent& event) {
    event.Skip();
    if (internalUpdate_) return;
    if (keyStart_.valid) {
        // A typed character: its handler sets the text (the platform may report its removal of
        // the selection, before or after).
        if (keyStart_.characterKey) return;
        // The platform's editing by a key (Delete, Backspace, cut): the value follows the text.
        if (!isPlain()) readTyped(text());
        notify(changeNotification);
        return;
    }
    if (isPlain()) return;
    WideString clean = takeOutsideText(text());
    if (clean != text()) showCorrected(clean);
    notify(changeNotification);
}
} // namespace Zenlo
