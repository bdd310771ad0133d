// Helpers for the window tests.
#include "UiTestSupport.h"

#ifdef __WXGTK__
#include <dlfcn.h>
#endif
#ifdef __WXMSW__
#include <wx/msw/wrapwin.h>
#endif

#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "app/MainDlgIds.h"

namespace UiTest {

void pumpEvents() {
    for (int round = 0; round < 5; ++round) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
        wxTheApp->ProcessIdle();
    }
}

namespace {

void focus(wxWindow* target) {
    if (wxWindow* top = wxGetTopLevelParent(target)) top->Raise();
    if (wxWindow::FindFocus() != target) target->SetFocus();
    pumpEvents();
}

// The simulated keys travel through the display server: give them time to come back.
void settle() {
    for (int round = 0; round < 8; ++round) {
        wxMilliSleep(5);
        pumpEvents();
    }
}

} // namespace

void pressKey(wxWindow* target, int key, int modifiers) {
    focus(target);
    wxUIActionSimulator keys;
    keys.Char(key, modifiers);
    settle();
}

void typeKeys(wxWindow* target, const char* characters) {
    focus(target);
    wxUIActionSimulator keys;
    for (const char* c = characters; *c; ++c)
        keys.Char(static_cast<unsigned char>(*c));
    settle();
}

void sleepBriefly() {
    wxMilliSleep(2);
}

bool scrollsSideways(wxWindow* window) {
    // The toolkit sizes its rows on its own clock.
    settle();
#ifdef __WXGTK__
    // The list is a tree view in a scrolled window (the window's handle); wx does not expose its
    // adjustments, so ask GTK, looked up in the library wx loaded.
    using GetAdjustment = void* (*)(void*);
    using GetValue = double (*)(void*);
    static auto hadjustment =
        reinterpret_cast<GetAdjustment>(dlsym(RTLD_DEFAULT, "gtk_scrolled_window_get_hadjustment"));
    static auto upper = reinterpret_cast<GetValue>(dlsym(RTLD_DEFAULT, "gtk_adjustment_get_upper"));
    static auto lower = reinterpret_cast<GetValue>(dlsym(RTLD_DEFAULT, "gtk_adjustment_get_lower"));
    static auto page =
        reinterpret_cast<GetValue>(dlsym(RTLD_DEFAULT, "gtk_adjustment_get_page_size"));
    if (!hadjustment || !upper || !lower || !page) return false;
    void* adjustment = hadjustment(window->GetHandle());
    return adjustment && upper(adjustment) - lower(adjustment) > page(adjustment) + 0.5;
#elif defined(__WXMSW__)
    // The native list keeps its own scroll bar; wx's thumb size is only that of bars wx set.
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    if (!::GetScrollInfo(window->GetHWND(), SB_HORZ, &info)) return false;
    return info.nMax - info.nMin + 1 > static_cast<int>(info.nPage);
#else
    return window->GetScrollRange(wxHORIZONTAL) > window->GetScrollThumb(wxHORIZONTAL);
#endif
}

bool stillOpen(const wxWindow& dialog) {
    auto* modal = dynamic_cast<const wxDialog*>(&dialog);
    return modal && modal->IsModal() && modal->IsShown();
}

void click(wxWindow* dialog, int id) {
    wxWindow* control = dialog->FindWindow(id);
    if (!control) return;
    if (auto* box = dynamic_cast<wxCheckBox*>(control)) {
        box->SetValue(!box->GetValue());
        wxCommandEvent event(wxEVT_CHECKBOX, id);
        event.SetEventObject(box);
        event.SetInt(box->GetValue());
        box->ProcessWindowEvent(event);
        return;
    }
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(control);
    control->ProcessWindowEvent(event);
}

Zenlo::CMainDlg* openMainDialog(Zenlo::CMainDlg::EndProgram endProgram) {
    auto* dialog = new Zenlo::CMainDlg(std::move(endProgram));
    if (!dialog->create()) {
        dialog->Destroy();
        return nullptr;
    }
    dialog->Show();
    pumpEvents();
    return dialog;
}

void closeWindow(wxWindow* window) {
    if (window) window->Destroy();
    pumpEvents();
}

void chooseLanguage(wxWindow* dialog, const char* name) {
    auto* chooser = static_cast<wxChoice*>(dialog->FindWindow(Zenlo::MainId::language));
    chooser->SetStringSelection(wxString::FromUTF8(name));
    wxCommandEvent event(wxEVT_CHOICE, Zenlo::MainId::language);
    event.SetEventObject(chooser);
    event.SetInt(chooser->GetSelection());
    chooser->ProcessWindowEvent(event);
}

} // namespace UiTest
