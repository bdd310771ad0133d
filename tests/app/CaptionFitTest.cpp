// Every button caption of the dialogs fits its button with room to spare, in every shipped
// language, at the window's real font.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/choice.h>

#include "../dialogs/SetupTestSupport.h"
#include "UiTestSupport.h"
#include "app/AboutDlg.h"
#include "app/MainDlg.h"
#include "app/MainDlgIds.h"
#include "i18n/Language.h"

using namespace Zenlo;

namespace fs = std::filesystem;

namespace {

// Room each side of the widest caption line: the frame and some air.
constexpr int minimumMargin = 8;

struct Tight {
    std::string caption;
    int room; // pixels left each side
};

// The buttons of the window and its children whose captions leave too little room.
void findTight(wxWindow* window, std::vector<Tight>& tight) {
    for (wxWindow* child : window->GetChildren()) {
        findTight(child, tight);
        auto* button = dynamic_cast<wxButton*>(child);
        if (!button || dynamic_cast<wxBitmapButton*>(child)) continue;
        int widest = 0;
        for (const wxString& line : wxSplit(button->GetLabel(), '\n', '\0'))
            widest = std::max(widest, button->GetTextExtent(line).x);
        const int room = (button->GetSize().x - widest) / 2;
        if (room < minimumMargin) tight.push_back({button->GetLabel().utf8_string(), room});
    }
}

std::string describe(const std::vector<Tight>& tight) {
    std::string text;
    for (const Tight& t : tight)
        text += "\"" + t.caption + "\" " + std::to_string(t.room) + "px; ";
    return text;
}

} // namespace

TEST(GuiCaptionFit, EveryButtonCaptionFitsInEveryLanguage) {
    testfiles::TestFolder folder;
    testfiles::CurrentFolderChange current(folder.path());
    fs::copy(fs::path(HEXMOOR_SOURCE_DIR) / "lang", folder.path() / "lang");
    auto* dialog = new CMainDlg();
    ASSERT_TRUE(dialog->create());
    dialog->Show();
    UiTest::pumpEvents();
    auto* chooser = static_cast<wxChoice*>(dialog->FindWindow(MainId::language));
    ASSERT_GE(chooser->GetCount(), 3u);
    for (unsigned entry = 0; entry < chooser->GetCount(); ++entry) {
        SCOPED_TRACE(chooser->GetString(entry).utf8_string());
        chooser->SetSelection(static_cast<int>(entry));
        wxCommandEvent choice(wxEVT_CHOICE, MainId::language);
        choice.SetEventObject(chooser);
        choice.SetInt(static_cast<int>(entry));
        chooser->ProcessWindowEvent(choice);
        UiTest::pumpEvents();
        std::vector<Tight> tight;
        findTight(dialog, tight);
        EXPECT_TRUE(tight.empty()) << "main dialog: " << describe(tight);
        CVariableSetupDlg setup;
        SetupTest::runSetup(
            setup,
            [&](CVariableSetupDlg& open) {
                std::vector<Tight> inSetup;
                findTight(&open, inSetup);
                EXPECT_TRUE(inSetup.empty()) << "variable setup: " << describe(inSetup);
                UiTest::click(&open, SetupId::cancel);
            },
            dialog);
        CAboutDlg about;
        ASSERT_TRUE(about.create(dialog));
        std::vector<Tight> inAbout;
        findTight(&about, inAbout);
        EXPECT_TRUE(inAbout.empty()) << "About: " << describe(inAbout);
        about.Destroy();
    }
    dialog->Destroy();
    UiTest::pumpEvents();
}
