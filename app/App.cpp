// ZnApp: start-up, the idle rule's event filter, and the exit code.
#include "app/App.h"

#include "app/IdleRule.h"
#include "app/MainDlg.h"

bool ZnApp::OnInit() {
    // The command line is accepted and ignored.
    auto* dialog = new CMainDlg();
    if (!dialog->create()) {
        dialog->Destroy();
        return true;
    }
    mainWindowCreated_ = true;
    SetTopWindow(dialog);
    dialog->Show();
    return true;
}

int ZnApp::OnRun() {
    if (!mainWindowCreated_) return 0;
    wxApp::OnRun();
    return exitCode_;
}

int ZnApp::FilterEvent(wxEvent& event) {
    if (Zenlo::eventStartsIdleUpdate(event.GetEventType())) Zenlo::requestIdleUpdate();
    return Event_Skip;
}

void ZnApp::quit(int exitCode) {
    exitCode_ = exitCode;
    ExitMainLoop();
}
