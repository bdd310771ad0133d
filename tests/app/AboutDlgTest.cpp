// The About dialog: fixed texts, the build's word size, translation and closing with Escape.
#include "app/AboutDlg.h"

#include <gtest/gtest.h>
#include <wx/stattext.h>
#include <wx/timer.h>

#include "HexmoorVersion.h"
#include "UiTestSupport.h"
#include "app/MainDlgIds.h"
#include "toolkit/TextEncoding.h"

using namespace Zenlo;

namespace {

std::string labelOf(wxWindow* dialog, int id) {
    return static_cast<wxStaticText*>(dialog->FindWindow(id))->GetLabelText().utf8_string();
}

} // namespace

TEST(AboutDlg, VersionNamesTheBuildsWordSize) {
    const std::string version = Zenlo::utf16ToUtf8(CAboutDlg::versionText().view());
    EXPECT_EQ(version,
              std::string(HEXMOOR_VERSION) + (sizeof(void*) == 8 ? " (64 bit)" : " (32 bit)"));
}

TEST(GuiAboutDlg, ShowsItsTextsAndClosesWithEscape) {
    CAboutDlg about;
    ASSERT_TRUE(about.create(nullptr));
    EXPECT_EQ(labelOf(&about, AboutId::productName), "Hexmoor byte array");
    EXPECT_EQ(labelOf(&about, AboutId::version).rfind(std::string("v") + HEXMOOR_VERSION + " (", 0),
              0u);
    EXPECT_FALSE(labelOf(&about, AboutId::notice).empty());
    EXPECT_TRUE(about.FindWindow(AboutId::productName)->GetFont().GetWeight() >= wxFONTWEIGHT_BOLD);
    EXPECT_EQ(about.FindWindow(AboutId::productName)->GetForegroundColour(), wxColour(0, 0, 255));

    // Escape while the dialog runs modally ends it.
    bool escaped = false;
    about.CallAfter([&] {
        wxKeyEvent escape(wxEVT_CHAR_HOOK);
        escape.m_keyCode = WXK_ESCAPE;
        escape.SetEventObject(&about);
        about.ProcessWindowEvent(escape);
        escaped = true;
    });
    about.ShowModal();
    EXPECT_TRUE(escaped);
    EXPECT_FALSE(about.IsShown());
}
