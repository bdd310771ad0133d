// The main dialog with real language files: start-up selection, switching, About afterwards,
// and the settings file of the start folder.
#include <filesystem>

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "UiTestSupport.h"
#include "app/AboutDlg.h"
#include "app/MainDlg.h"
#include "app/MainDlgIds.h"
#include "i18n/Language.h"
#include "settings/SettingsFile.h"
#include "toolkit/TextEncoding.h"
#include "toolkit/wx/WxText.h"

using namespace Zenlo;

namespace {

namespace fs = std::filesystem;

wxString textOf(std::int32_t key) {
    return Zenlo::toWx(ZnLanguage::instance().text(key));
}

class GuiMainDlgLanguage : public testing::Test {
protected:
    void SetUp() override {
        fs::copy(fs::path(HEXMOOR_SOURCE_DIR) / "lang", folder.path() / "lang");
        // A fresh process starts with an empty table; a failed load empties the shared one.
        ZnLanguage::instance().loadLanguageFile(u"no-such-language.lng");
    }
    void TearDown() override { UiTest::closeWindow(dialog); }
    void open() { ASSERT_TRUE(dialog = UiTest::openMainDialog()); }
    wxChoice* chooser() { return static_cast<wxChoice*>(dialog->FindWindow(MainId::language)); }
    void choose(const char* name) { UiTest::chooseLanguage(dialog, name); }
    wxString label(int id) { return dialog->FindWindow(id)->GetLabel(); }

    testfiles::TestFolder folder;
    testfiles::CurrentFolderChange current{folder.path()};
    CMainDlg* dialog = nullptr;
};

} // namespace

TEST_F(GuiMainDlgLanguage, StartsInEnglishAndSwitchesWithoutTouchingEdits) {
    open();
    EXPECT_EQ(Zenlo::utf16ToUtf8(dialog->languageName.view()), "English");
    EXPECT_EQ(chooser()->GetStringSelection(), "English");
    EXPECT_GE(chooser()->GetCount(), 3u);
    EXPECT_EQ(label(MainId::addFiles), textOf(202));
    EXPECT_FALSE(label(MainId::close).IsNumber()) << "no bare number left";
    EXPECT_EQ(dialog->GetTitle(), "Hexmoor") << "the title is not a key";

    auto* edit = static_cast<wxTextCtrl*>(dialog->FindWindow(MainId::outputFile));
    edit->SetValue("202 parts.c");
    auto* fileLabel = static_cast<wxStaticText*>(dialog->FindWindow(MainId::fileLabel));
    fileLabel->SetLabelText("203 input.bin");
    choose("Deutsch");
    EXPECT_EQ(Zenlo::utf16ToUtf8(dialog->languageName.view()), "Deutsch");
    EXPECT_EQ(label(MainId::addFiles), textOf(202));
    EXPECT_EQ(label(MainId::addFiles), wxString::FromUTF8("Anf\xc3\xbcgen..."));
    EXPECT_EQ(label(MainId::close), textOf(212));
    EXPECT_EQ(edit->GetValue(), "202 parts.c") << "an edit's content is never translated";
    EXPECT_EQ(fileLabel->GetLabelText(), "203 input.bin") << "nor is the file-name label";

    // About opened after the switch speaks the new language.
    CAboutDlg about;
    ASSERT_TRUE(about.create(dialog));
    EXPECT_EQ(about.GetTitle(), textOf(100));
    EXPECT_EQ(about.FindWindow(AboutId::description)->GetLabel(), textOf(101));
    about.Destroy();
}

// A stored language that no file provides (a prefix, a deleted file) starts in English, and
// the chooser shows the language in use, never bare keys or a blank chooser.
TEST_F(GuiMainDlgLanguage, StoredLanguageWithoutAFileFallsBackToEnglish) {
    for (const char16_t* stored : {u"eng", u"Klingon"}) {
        SCOPED_TRACE(Zenlo::utf16ToUtf8(stored));
        ZnLanguage::instance().loadLanguageFile(u"no-such-language.lng");
        ZnConversionOptions options;
        ASSERT_TRUE(Zenlo::saveSettingsFile(folder.path() / "settings.cfg", options, stored));
        open();
        EXPECT_EQ(chooser()->GetStringSelection(), "English");
        EXPECT_EQ(Zenlo::utf16ToUtf8(dialog->languageName.view()), "English");
        EXPECT_EQ(label(MainId::addFiles), "Add...");
        dialog->Destroy();
        dialog = nullptr;
        UiTest::pumpEvents();
    }
}

TEST_F(GuiMainDlgLanguage, SettingsAreReadAtStartAndWrittenOnlyByClose) {
    ZnConversionOptions stored;
    stored.namePrefix = u"p_";
    stored.bytesPerLine = 8;
    // Texts that would not stand in the generated code take their defaults.
    stored.nameSuffix = u"_a\n#error injected";
    stored.elementType = u"";
    ASSERT_TRUE(Zenlo::saveSettingsFile(folder.path() / "settings.cfg", stored, u"Deutsch"));
    open();
    EXPECT_EQ(Zenlo::utf16ToUtf8(dialog->converter.options.namePrefix.view()), "p_");
    EXPECT_EQ(Zenlo::utf16ToUtf8(dialog->converter.options.nameSuffix.view()), "_array");
    EXPECT_EQ(Zenlo::utf16ToUtf8(dialog->converter.options.elementType.view()), "uint8_t");
    EXPECT_EQ(dialog->converter.options.bytesPerLine, 8);
    EXPECT_EQ(chooser()->GetStringSelection(), "Deutsch");
    fs::remove(folder.path() / "settings.cfg");
    choose("English");
    UiTest::pumpEvents();
    EXPECT_FALSE(fs::exists(folder.path() / "settings.cfg")) << "only Close writes settings";
    dialog->closeProgram();
    dialog = nullptr;
    ZnConversionOptions back;
    Zenlo::WideString name;
    ASSERT_TRUE(Zenlo::loadSettingsFile(folder.path() / "settings.cfg", back, name));
    EXPECT_EQ(Zenlo::utf16ToUtf8(name.view()), "English");
    EXPECT_EQ(back.bytesPerLine, 8);

    // Settings that cannot be kept: a message says why, and the end is not the normal one.
    fs::remove(folder.path() / "settings.cfg");
    fs::create_directory(folder.path() / "settings.cfg");
    int code = 0;
    ASSERT_TRUE(dialog = UiTest::openMainDialog([&](int ended) { code = ended; }));
    UiTest::DialogAnswer<wxMessageDialog> answer([&](wxMessageDialog& message) {
        // The place and the system's reason.
        EXPECT_TRUE(message.GetMessage().StartsWith("The settings could not be saved in " +
                                                    (folder.path() / "settings.cfg: ").string()))
            << message.GetMessage();
        return wxID_OK;
    });
    dialog->closeProgram();
    dialog = nullptr;
    EXPECT_EQ(answer.answered, 1);
    EXPECT_EQ(code, CMainDlg::settingsNotSavedCode);
}
