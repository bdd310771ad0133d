// The main dialog's command 1018 around the variable setup dialog: copy-in, copy-back on OK
// only, and a conversion that uses the options the dialog set.
#include "app/MainDlg.h"

#include <gtest/gtest.h>

#include <wx/app.h>

#include "../dialogs/SetupTestSupport.h"
#include "UiTestSupport.h"
#include "app/MainDlgIds.h"
#include "toolkit/PathText.h"

using namespace Zenlo;

namespace {

using namespace SetupTest;

// The main dialog around the setup dialog: copy-in, copy-back on OK only.
class GuiMainDlgSetup : public testing::Test {
protected:
    static void SetUpTestSuite() { loadEnglish(); }
    void SetUp() override {
        ASSERT_TRUE(main = UiTest::openMainDialog());
        main->converter.options.namePrefix = u"old_";
        main->converter.options.includeList = u"a.h;;b.h;";
        main->converter.options.arrayQualifiers = 2;
        main->converter.options.sizeQualifiers = 1;
        main->converter.options.bytesPerLine = 9;
    }
    void TearDown() override { UiTest::closeWindow(main); }
    // Presses the main dialog's button 1018 and runs the steps in the setup dialog it opens.
    void runVariableSetup(const Steps& steps) {
        wxTheApp->CallAfter([steps] {
            UiTest::pumpEvents();
            CVariableSetupDlg* open = openSetupDialog();
            ASSERT_NE(open, nullptr);
            steps(*open);
            if (UiTest::stillOpen(*open)) open->EndModal(-2);
        });
        UiTest::click(main, MainId::variableSetup);
    }
    void expectOptionsUntouched() {
        EXPECT_EQ(main->converter.options.namePrefix, u"old_");
        EXPECT_EQ(main->converter.options.includeList, u"a.h;;b.h;");
        EXPECT_EQ(main->converter.options.arrayQualifiers, 2);
        EXPECT_EQ(main->converter.options.sizeQualifiers, 1);
        EXPECT_EQ(main->converter.options.bytesPerLine, 9);
        EXPECT_EQ(main->converter.options.lowerCaseName, 1);
        EXPECT_EQ(main->converter.options.writeSizeVariable, 1);
    }
    // Changes a little of everything in the open dialog.
    static void editEverything(CVariableSetupDlg& open) {
        edit(open, SetupId::namePrefix)->SetValue("new_");
        UiTest::click(&open, SetupId::lowerCaseName);
        UiTest::click(&open, SetupId::writeSizeVariable);
        UiTest::click(&open, SetupId::arrayStatic);
        UiTest::click(&open, SetupId::removeAllHeaders);
        wxTextCtrl* count = edit(open, SetupId::bytesPerLine);
        count->SetFocus();
        count->SelectAll();
        open.bytesPerLineEdit().pasteText(u"4");
    }

    CMainDlg* main = nullptr;
};

TEST_F(GuiMainDlgSetup, CopiesTheOptionsInSplitByQualifierBit) {
    runVariableSetup([](CVariableSetupDlg& open) {
        EXPECT_EQ(edit(open, SetupId::namePrefix)->GetValue(), "old_");
        EXPECT_FALSE(checked(open, SetupId::arrayStatic));
        EXPECT_TRUE(checked(open, SetupId::arrayConst));
        EXPECT_TRUE(checked(open, SetupId::sizeStatic));
        EXPECT_FALSE(checked(open, SetupId::sizeConst));
        EXPECT_EQ(list(open)->GetCount(), 2u);
        UiTest::click(&open, SetupId::cancel);
    });
}

TEST_F(GuiMainDlgSetup, CancelEscapeAndCloseBoxChangeNothing) {
    const std::pair<const char*, std::function<void(CVariableSetupDlg&)>> closers[] = {
        {"Cancel", [](CVariableSetupDlg& open) { UiTest::click(&open, SetupId::cancel); }},
        {"Escape",
         [](CVariableSetupDlg& open) {
             wxKeyEvent key(wxEVT_CHAR_HOOK);
             key.m_keyCode = WXK_ESCAPE;
             key.SetEventObject(&open);
             open.ProcessWindowEvent(key);
         }},
        {"close box", [](CVariableSetupDlg& open) { open.Close(); }},
        {"defaults, then Cancel",
         [](CVariableSetupDlg& open) {
             UiTest::click(&open, SetupId::defaults);
             UiTest::click(&open, SetupId::cancel);
         }},
    };
    for (const auto& [name, close] : closers) {
        SCOPED_TRACE(name);
        bool closed = false;
        runVariableSetup([&](CVariableSetupDlg& open) {
            editEverything(open);
            close(open);
            closed = !UiTest::stillOpen(open);
        });
        EXPECT_TRUE(closed);
        expectOptionsUntouched();
    }
}

TEST_F(GuiMainDlgSetup, DefaultsThenOkPutsEveryOptionBackToItsDefault) {
    runVariableSetup([](CVariableSetupDlg& open) {
        UiTest::click(&open, SetupId::defaults);
        UiTest::click(&open, SetupId::ok);
    });
    const ZnConversionOptions defaults;
    const ZnConversionOptions& options = main->converter.options;
    EXPECT_EQ(options.namePrefix, defaults.namePrefix);
    EXPECT_EQ(options.nameSuffix, defaults.nameSuffix);
    EXPECT_EQ(options.elementType, defaults.elementType);
    EXPECT_EQ(options.sizeType, defaults.sizeType);
    EXPECT_EQ(options.includeList, u"stdint.h;");
    EXPECT_EQ(options.bytesPerLine, 16);
    EXPECT_EQ(options.upperCaseHex, 0);
    EXPECT_EQ(options.writeSizeVariable, 1);
    EXPECT_EQ(options.capitalizeName, 0);
    EXPECT_EQ(options.lowerCaseName, 1);
    EXPECT_EQ(options.printableComment, 0);
    EXPECT_EQ(options.arrayQualifiers, 3);
    EXPECT_EQ(options.sizeQualifiers, 3);
}

TEST_F(GuiMainDlgSetup, OkCopiesBackAndTheNextConversionUsesTheNewOptions) {
    runVariableSetup([](CVariableSetupDlg& open) {
        editEverything(open);
        UiTest::click(&open, SetupId::arrayConst);
        whenInputBoxOpens([](ZnInputBox& box) { typeAnswer(box, "mine.h", 1); });
        UiTest::click(&open, SetupId::addHeader);
        UiTest::click(&open, SetupId::ok);
    });
    const ZnConversionOptions& options = main->converter.options;
    EXPECT_EQ(options.namePrefix, u"new_");
    EXPECT_EQ(options.lowerCaseName, 0);
    EXPECT_EQ(options.writeSizeVariable, 0);
    EXPECT_EQ(options.arrayQualifiers, 1) << "static ticked, const unticked";
    EXPECT_EQ(options.sizeQualifiers, 1);
    EXPECT_EQ(options.bytesPerLine, 4);
    EXPECT_EQ(options.includeList, u"mine.h;");

    testfiles::TestFolder folder;
    testfiles::writeFile(folder.path() / "Data.bin", std::string("\x01\x02\x03\x04\x05\x06", 6));
    const Zenlo::WideString out = Zenlo::fromPath(folder.path()) + Zenlo::nativeSeparator;
    std::string failures;
    auto subscription = main->converter.inputFailed.subscribe(
        [&](const ZnInputFailure& failure) { failures += failure.reason() + "\n"; });
    main->converter.run({.inputs = {{Zenlo::fromPath(folder.path() / "Data.bin")}},
                         .outputFolder = out,
                         .outputFileName = u"arrays.cpp",
                         .writeHeader = false});
    subscription.disconnect();
    EXPECT_EQ(failures, "");
    const std::string generated = testfiles::readFile(folder.path() / "arrays.cpp");
    EXPECT_NE(generated.find("mine.h"), std::string::npos) << generated;
    EXPECT_EQ(generated.find("stdint.h"), std::string::npos);
    // Not lower-cased, static without const, no size variable.
    EXPECT_NE(generated.find("static uint8_t new_Data_bin_array[]"), std::string::npos)
        << generated;
    EXPECT_EQ(generated.find("uintmax_t"), std::string::npos);
    EXPECT_NE(generated.find("0x01, 0x02, 0x03, 0x04,"), std::string::npos) << generated;
    EXPECT_EQ(generated.find("0x04, 0x05"), std::string::npos) << "four elements per line";
}

} // namespace
