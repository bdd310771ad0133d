// ZnApp: start-up, the idle rule's event filter, and the exit code.
#include "app/App.h"

#include "app/IdleRule.h"
#include "app/MainDlg.h"
#include "app/MainDlgIds.h"

namespace Zenlo {
bool ZnApp::OnInit() {
    // The command line is accepted and ignored.
    auto* dialog = new CMainDlg([this](int code) { quit(code); });
    if (!dialog->create()) {
        dialog->Destroy();
        return true;
    }
    mainWindowCreated_ = true;
    SetTopWindow(dialog);
    dialog->Show();
    return true;
}

int processExitStatus(int code, bool windows) {
    if (windows || code == 0) return code;
    if (code == MainId::close) return 0;
    // Any other ending must not look like success once cut to 8 bits.
    return (code & 0xFF) != 0 ? code & 0xFF : 1;
}

int ZnApp::OnRun() {
    if (!mainWindowCreated_) return 0;
    wxApp::OnRun();
#ifdef _WIN32
    return Zenlo::processExitStatus(exitCode_, true);
#else
    return Zenlo::processExitStatus(exitCode_, false);
#endif
}

int ZnApp::FilterEvent(wxEvent& event) {
    if (Zenlo::eventStartsIdleUpdate(event.GetEventType())) Zenlo::requestIdleUpdate();
    return Event_Skip;
}

void ZnApp::quit(int exitCode) {
    exitCode_ = exitCode;
    ExitMainLoop();
}
} // namespace Zenlo
