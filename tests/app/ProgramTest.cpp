// The real hexmoor program: started in a fresh folder, driven with xdotool, its exit code and
// settings file checked; and its one-line answer when there is no display.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "app/App.h"
#include "settings/SettingsFile.h"

#if HEXMOOR_HAVE_X11
#include <X11/Xlib.h>
#endif

using Zenlo::ZnConversionOptions;

namespace {

namespace fs = std::filesystem;

// Starts the program in the folder, its standard error going to a file there.
pid_t startProgram(const fs::path& folder, bool withDisplay,
                   const char* program = HEXMOOR_GUI_PATH) {
    const pid_t child = fork();
    if (child != 0) return child;
    if (chdir(folder.c_str()) != 0) _exit(126);
    std::freopen("stderr.txt", "w", stderr);
    if (!withDisplay) {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
    }
    const std::string suppressions =
        std::string("suppressions=") + HEXMOOR_SOURCE_DIR + "/tests/lsan.supp:print_suppressions=0";
    setenv("LSAN_OPTIONS", suppressions.c_str(), 1);
    execl(program, program, "--ignored-argument", static_cast<char*>(nullptr));
    _exit(127);
}

// Waits up to the time for the child to end; -1 when it is still running (it is then killed).
int waitForExit(pid_t child, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(child, &status, WNOHANG) == child)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    return -1;
}

bool stillRunning(pid_t child) {
    int status = 0;
    return waitpid(child, &status, WNOHANG) == 0;
}

int xdotool(const std::string& arguments) {
    return std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str());
}

// The id of the visible window with the exact title, as xdotool finds it; 0 when none.
unsigned long windowNamed(const std::string& title) {
    FILE* found = popen(("xdotool search --onlyvisible --name '^" + title + "$'").c_str(), "r");
    if (!found) return 0;
    unsigned long id = 0;
    if (std::fscanf(found, "%lu", &id) != 1) id = 0;
    pclose(found);
    return id;
}

// Waits up to the time for a visible window with the exact title; its id, or 0.
unsigned long waitForWindow(const std::string& title, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (unsigned long id = windowNamed(title)) return id;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return 0;
}

// Asks the window to close the way a window manager's close box or Alt+F4 does: the
// WM_DELETE_WINDOW message of the window-manager protocol. False when it could not be sent.
bool askToClose(unsigned long window) {
#if HEXMOOR_HAVE_X11
    Display* display = XOpenDisplay(nullptr);
    if (!display || window == 0) return false;
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    message.xclient.data.l[1] = CurrentTime;
    const bool sent = XSendEvent(display, window, False, NoEventMask, &message) != 0;
    XCloseDisplay(display);
    return sent;
#else
    (void)window;
    return false;
#endif
}

} // namespace

TEST(Program, WithoutADisplaySaysSoInOneLine) {
    testfiles::TestFolder folder;
    const pid_t child = startProgram(folder.path(), false);
    const int code = waitForExit(child, std::chrono::seconds(30));
    EXPECT_NE(code, 0);
    EXPECT_NE(code, -1);
    const std::string said = testfiles::readFile(folder.path() / "stderr.txt");
    EXPECT_NE(said.find("no display"), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
    EXPECT_FALSE(fs::exists(folder.path() / "settings.cfg"));
}

TEST(Program, ExitStatusForTheParent) {
    struct Case {
        int code;
        bool windows;
        int status;
    };
    const Case cases[] = {
        {1039, true, 1039}, {1039, false, 0}, {0, false, 0},   {0, true, 0},
        {1, false, 1},      {256, false, 1},  {257, false, 1}, {-1, false, 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.code) + (c.windows ? " windows" : " posix"));
        EXPECT_EQ(Zenlo::processExitStatus(c.code, c.windows), c.status);
    }
}

TEST(GuiProgram, CloseButtonWritesSettingsAndEndsNormally) {
    if (xdotool("version") != 0) GTEST_SKIP() << "xdotool is not installed";
    testfiles::TestFolder folder;
    const pid_t child = startProgram(folder.path(), true);
    // The window appears; Escape does nothing; Shift+Tab from the file list reaches Close.
    ASSERT_EQ(xdotool("search --sync --onlyvisible --name '^Hexmoor$' windowfocus --sync"), 0)
        << testfiles::readFile(folder.path() / "stderr.txt");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    xdotool("key Escape");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ASSERT_TRUE(stillRunning(child)) << "Escape must not end the program";
    // A close request from outside (close box, Alt+F4) is refused as well.
    if (askToClose(windowNamed("Hexmoor"))) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        ASSERT_TRUE(stillRunning(child)) << "a close request must not end the program";
        ASSERT_NE(windowNamed("Hexmoor"), 0u) << "the window stays open";
        xdotool("search --onlyvisible --name '^Hexmoor$' windowfocus --sync");
    }
    EXPECT_FALSE(fs::exists(folder.path() / "settings.cfg"));
    xdotool("key shift+Tab");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    xdotool("key space");
    const int code = waitForExit(child, std::chrono::seconds(30));
    // The Exit button is the normal end: 1039 on Windows, success for a POSIX parent.
    EXPECT_EQ(code, 0) << testfiles::readFile(folder.path() / "stderr.txt");
    std::error_code error;
    EXPECT_EQ(fs::file_size(folder.path() / "settings.cfg", error), 130u) << "defaults: 130 bytes";
}

// Run by the install test, with HEXMOOR_INSTALLED_GUI naming the installed program: started in a
// folder holding nothing but a settings file that asks for German, the program finds its
// language files through its install and titles its About box in German.
TEST(GuiProgram, InstalledProgramFindsItsLanguagesFromAnyFolder) {
    const char* installed = std::getenv("HEXMOOR_INSTALLED_GUI");
    if (!installed) GTEST_SKIP() << "run by the install test";
    if (xdotool("version") != 0) GTEST_SKIP() << "xdotool is not installed";
    testfiles::TestFolder folder;
    ASSERT_TRUE(
        Zenlo::saveSettingsFile(folder.path() / "settings.cfg", ZnConversionOptions(), u"Deutsch"));
    const pid_t child = startProgram(folder.path(), true, installed);
    const unsigned long window = waitForWindow("Hexmoor", std::chrono::seconds(60));
    ASSERT_NE(window, 0u) << testfiles::readFile(folder.path() / "stderr.txt");
    xdotool("windowfocus --sync " + std::to_string(window));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    // Backwards from the file list: Close, the language chooser, the About button.
    xdotool("key shift+Tab shift+Tab shift+Tab space");
    EXPECT_NE(waitForWindow("Über Hexmoor", std::chrono::seconds(20)), 0u)
        << "no German About box: the language files were not found";
    kill(child, SIGKILL);
    waitForExit(child, std::chrono::seconds(10));
}
