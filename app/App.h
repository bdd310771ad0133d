// ZnApp: the program's application object: creates the main dialog, runs the loop with the
// idle rule, and returns the exit code the main dialog asked for.
#pragma once

#include <wx/app.h>

namespace Zenlo {
// The process status for the code the main dialog ends with. Windows hands the whole code to
// the parent; elsewhere a parent sees only its low 8 bits, so the normal end by the Exit
// button (1039) becomes 0 there, and any other nonzero code stays nonzero.
int processExitStatus(int code, bool windows);

class ZnApp : public wxApp {
public:
    // Creates and shows the main dialog. Always true: a window that cannot be created makes the
    // program end with exit code 0 from OnRun instead.
    bool OnInit() override;
    // Runs the loop while the main dialog exists; returns the exit code set by quit (0 if none).
    int OnRun() override;
    // Marks the events after which the idle update runs; never filters an event out.
    int FilterEvent(wxEvent& event) override;

    // Ends the main loop; the process then exits with the code.
    void quit(int exitCode);
    int exitCode() const { return exitCode_; }

private:
    bool mainWindowCreated_ = false;
    int exitCode_ = 0;
};
} // namespace Zenlo
