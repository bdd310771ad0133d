// Main of the window tests: starts wx (GTK needs a display, e.g. xvfb-run), then runs gtest.
// Without a display only the suites that need no window run (their names do not start with Gui);
// listing the tests (as ctest does to name each one) needs neither wx nor a display.
#include <cstdio>
#include <string>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include "app/App.h"

using namespace Zenlo;

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    bool haveDisplay = false;
#if defined(__WXGTK__)
    haveDisplay = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
#else
    haveDisplay = true;
#endif
    if (haveDisplay) {
        wxApp::SetInstance(new ZnApp());
        int wxArgc = 1;
        haveDisplay = wxEntryStart(wxArgc, argv);
    }
    if (!haveDisplay) {
        std::puts("no display: running only the tests that need no window");
        std::string filter = testing::GTEST_FLAG(filter);
        testing::GTEST_FLAG(filter) =
            filter + (filter.find('-') == std::string::npos ? "-" : ":") + "Gui*";
    }
    // Yield dispatches the system's window messages through the active loop; wxMSW's Yield
    // without one leaves keys and clicks from the input simulator queued.
    wxGUIEventLoop loop;
    wxEventLoopActivator active(&loop);
    const int result = RUN_ALL_TESTS();
    if (haveDisplay) wxEntryCleanup();
    return result;
}
