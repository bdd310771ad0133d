// Entry of the window program: starts wx with ZnApp; the command line is ignored.
#include <cstdio>
#include <cstdlib>

#include <wx/app.h>

#include "app/App.h"

wxIMPLEMENT_APP_NO_MAIN(Zenlo::ZnApp);

int main(int argc, char** argv) {
#if defined(__WXGTK__)
    // Without a display GTK cannot start; say so in one line instead of its own messages.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        std::fputs("hexmoor: no display (set DISPLAY, or run under xvfb-run)\n", stderr);
        return 1;
    }
#endif
    return wxEntry(argc, argv);
}
