// Screenshots of the main dialog idle, during a run, after a stop and after a failure, and of the
// variable setup dialog and the input box, in every shipped language, for looking at. Built on
// request (target hexmoor_screenshots) and run under a display; the pictures go to the folder
// HEXMOOR_SCREENSHOT_DIR names, else to "screenshots" in the current folder.
#include "app/MainDlg.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include <wx/choice.h>
#include <wx/dnd.h>
#include <wx/gauge.h>
#include <wx/listbox.h>

#include "app/MainDlgIds.h"
#include "app/UiTestSupport.h"
#include "dialogs/SetupTestSupport.h"

using namespace Zenlo;

namespace fs = std::filesystem;

namespace {

void shoot(const fs::path& file) {
    // Let the toolkit draw: it paints on its frame clock, so keep the loop turning a while.
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
    while (std::chrono::steady_clock::now() < end) {
        UiTest::pumpEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::string command = "import -window root '" + file.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

// The variable setup dialog and, from its add button, the input box.
void shootSetup(wxWindow* owner, const std::function<void(const char*)>& picture) {
    CVariableSetupDlg setup;
    setup.values.includeList = u"stdint.h;a/rather/long/header/name/for/the/list.h;";
    SetupTest::runSetup(
        setup,
        [&](CVariableSetupDlg& open) {
            picture("setup");
            SetupTest::whenInputBoxOpens([&](ZnInputBox& box) {
                picture("inputbox");
                SetupTest::typeAnswer(box, "", 2);
            });
            UiTest::click(&open, SetupId::addHeader);
            UiTest::click(&open, SetupId::cancel);
        },
        owner);
}

void runAndShoot(const char* language, const char* tag, const fs::path& target) {
    auto picture = [&](const char* moment) {
        shoot(target / (std::string(moment) + "-" + tag + ".png"));
    };
    testfiles::TestFolder folder;
    testfiles::CurrentFolderChange current(folder.path());
    fs::copy(fs::path(HEXMOOR_SOURCE_DIR) / "lang", folder.path() / "lang");

    fs::path small = folder.path() / "in" / "a first input.bin";
    fs::path gone = folder.path() / "in" / "gone.bin";
    fs::path big = folder.path() / "in" / "a rather long input file name, 256 MiB of zeros.bin";
    testfiles::writeFile(small, std::string(300000, 'x'));
    testfiles::writeFile(gone, "x");
    std::ofstream(big, std::ios::binary).close();
    fs::resize_file(big, std::uintmax_t{1} << 28);

    auto* dialog = new CMainDlg();
    ASSERT_TRUE(dialog->create());
    dialog->Show();
    // Chosen as a user does, through the language chooser.
    auto* chooser = static_cast<wxChoice*>(dialog->FindWindow(MainId::language));
    int entry = chooser->FindString(wxString::FromUTF8(language));
    ASSERT_NE(entry, wxNOT_FOUND) << language;
    chooser->SetSelection(entry);
    wxCommandEvent choice(wxEVT_CHOICE, MainId::language);
    choice.SetEventObject(chooser);
    choice.SetInt(entry);
    chooser->ProcessWindowEvent(choice);
    wxArrayString names;
    for (const fs::path& path : {small, gone, big})
        names.Add(wxString::FromUTF8(path.string()));
    static_cast<wxFileDropTarget*>(dialog->GetDropTarget())->OnDropFiles(0, 0, names);
    fs::remove(gone);
    UiTest::pumpEvents();
    picture("idle");
    UiTest::click(dialog, MainId::convert);
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    auto* total = static_cast<wxGauge*>(dialog->FindWindow(MainId::totalBar));
    while (total->GetValue() < 30 && std::chrono::steady_clock::now() < end)
        UiTest::pumpEvents();
    picture("during");
    UiTest::click(dialog, MainId::stop);
    while (dialog->busy && std::chrono::steady_clock::now() < end)
        UiTest::pumpEvents();
    picture("stopped");
    // Again without the big file: a complete run with one failed input.
    static_cast<wxListBox*>(dialog->FindWindow(MainId::fileList))->Delete(2);
    UiTest::click(dialog, MainId::convert);
    while (dialog->busy && std::chrono::steady_clock::now() < end)
        UiTest::pumpEvents();
    picture("failed");
    // The arrow used last is drawn as the default button.
    static_cast<wxListBox*>(dialog->FindWindow(MainId::fileList))->SetSelection(0);
    UiTest::click(dialog, MainId::moveDown);
    picture("moved");
    shootSetup(dialog, picture);
    dialog->Destroy();
    UiTest::pumpEvents();
}

} // namespace

TEST(GuiScreenshots, DuringAndAfterARun) {
    const char* named = std::getenv("HEXMOOR_SCREENSHOT_DIR");
    const fs::path target = fs::absolute(named ? named : "screenshots");
    fs::create_directories(target);
    runAndShoot("English", "en", target);
    runAndShoot("Deutsch", "de", target);
    runAndShoot("Русский", "ru", target);
}
