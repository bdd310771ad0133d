// The variable setup dialog driven for real: header list, input box, size-variable rule,
// numeric edit, Enter, defaults.
#include "dialogs/VariableSetupDlg.h"

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/uiaction.h>

#include "../app/UiTestSupport.h"
#include "SetupTestSupport.h"
#include "i18n/Language.h"
#include "toolkit/wx/WxText.h"

using namespace Zenlo;

namespace {

using namespace SetupTest;

class GuiVariableSetup : public testing::Test {
protected:
    static void SetUpTestSuite() { loadEnglish(); }
};
TEST_F(GuiVariableSetup, HeaderListOpensWithoutEmptyPiecesAndSavesOneSemicolonEach) {
    struct Case {
        const char16_t* list;
        int rows;
        const char16_t* saved;
    };
    for (Case c : {Case{u"a.h;;b.h;", 2, u"a.h;b.h;"}, Case{u"stdint.h", 1, u"stdint.h;"}}) {
        SCOPED_TRACE(Zenlo::WideString(c.list).toUtf8().c_str());
        CVariableSetupDlg dialog;
        dialog.values.includeList = c.list;
        int result = runSetup(dialog, [&](CVariableSetupDlg& open) {
            EXPECT_EQ(static_cast<int>(list(open)->GetCount()), c.rows);
            UiTest::click(&open, SetupId::ok);
        });
        EXPECT_EQ(result, SetupId::ok);
        EXPECT_EQ(dialog.values.includeList, c.saved);
    }
}

TEST_F(GuiVariableSetup, ControlsShowTheValuesAndTheTranslatedCaptions) {
    CVariableSetupDlg dialog;
    dialog.values.namePrefix = u"p_";
    dialog.values.arrayConst = 0;
    dialog.values.capitalizeName = 1;
    dialog.values.bytesPerLine = 12;
    runSetup(dialog, [](CVariableSetupDlg& open) {
        EXPECT_EQ(open.GetTitle(), Zenlo::toWx(ZnLanguage::instance().text(300)));
        EXPECT_EQ(open.FindWindow(SetupId::defaults)->GetLabel(),
                  Zenlo::toWx(ZnLanguage::instance().text(310)));
        EXPECT_EQ(open.FindWindow(SetupId::arrayStatic)->GetLabel(), "static");
        EXPECT_EQ(edit(open, SetupId::namePrefix)->GetValue(), "p_");
        EXPECT_EQ(edit(open, SetupId::bytesPerLine)->GetValue(), "12");
        EXPECT_TRUE(checked(open, SetupId::arrayStatic));
        EXPECT_FALSE(checked(open, SetupId::arrayConst));
        EXPECT_TRUE(checked(open, SetupId::capitalizeName));
        UiTest::click(&open, SetupId::cancel);
    });
}

TEST_F(GuiVariableSetup, AddAsksTheInputBoxWithTheLanguageTexts) {
    CVariableSetupDlg dialog;
    runSetup(dialog, [](CVariableSetupDlg& open) {
        whenInputBoxOpens([](ZnInputBox& box) {
            const ZnLanguage& language = ZnLanguage::instance();
            EXPECT_EQ(box.GetTitle(), Zenlo::toWx(language.text(500)));
            EXPECT_EQ(box.FindWindow(ZnInputBox::promptId)->GetLabel(),
                      Zenlo::toWx(language.text(501)));
            EXPECT_EQ(box.FindWindow(1)->GetLabel(), "OK");
            EXPECT_EQ(box.FindWindow(2)->GetLabel(), Zenlo::toWx(language.text(600)));
            EXPECT_EQ(edit(box, ZnInputBox::editId)->GetValue(), "");
            typeAnswer(box, "x.h;y.h", 1);
        });
        UiTest::click(&open, SetupId::addHeader);
        ASSERT_EQ(list(open)->GetCount(), 2u);
        EXPECT_EQ(list(open)->GetString(1), "x.h;y.h");
        EXPECT_TRUE(enabled(open, SetupId::removeAllHeaders));
        EXPECT_GT(open.headerList().horizontalExtent(), 0);
        UiTest::click(&open, SetupId::ok);
    });
    EXPECT_EQ(dialog.values.includeList, u"stdint.h;x.h;y.h;");
    // Opened again, the answer with ";" shows as separate rows.
    CVariableSetupDlg again;
    again.values.includeList = dialog.values.includeList;
    runSetup(again, [](CVariableSetupDlg& open) {
        EXPECT_EQ(list(open)->GetCount(), 3u);
        UiTest::click(&open, SetupId::cancel);
    });
}

TEST_F(GuiVariableSetup, EmptyOrCancelledAnswersAddNothing) {
    CVariableSetupDlg dialog;
    runSetup(dialog, [](CVariableSetupDlg& open) {
        whenInputBoxOpens([](ZnInputBox& box) { typeAnswer(box, "", 1); });
        open.addHeader();
        whenInputBoxOpens([](ZnInputBox& box) { typeAnswer(box, "typed.h", 2); });
        open.addHeader();
        EXPECT_EQ(list(open)->GetCount(), 1u);
        UiTest::click(&open, SetupId::ok);
    });
    EXPECT_EQ(dialog.values.includeList, u"stdint.h;");
}

TEST_F(GuiVariableSetup, InputBoxSizeIsRememberedForTheDialogsLife) {
    CVariableSetupDlg dialog;
    int widened = 0;
    runSetup(dialog, [&](CVariableSetupDlg& open) {
        EXPECT_EQ(open.inputBoxWidth, 0);
        whenInputBoxOpens([&](ZnInputBox& box) {
            box.SetSize(box.GetSize().x + 120, box.GetSize().y);
            UiTest::pumpEvents();
            widened = box.GetSize().x;
            typeAnswer(box, "", 2);
        });
        open.addHeader();
        EXPECT_EQ(open.inputBoxWidth, widened);
        whenInputBoxOpens([&](ZnInputBox& box) {
            EXPECT_EQ(box.GetSize().x, widened);
            typeAnswer(box, "", 2);
        });
        open.addHeader();
        UiTest::click(&open, SetupId::cancel);
    });
    EXPECT_GT(widened, 250);
    CVariableSetupDlg fresh;
    EXPECT_EQ(fresh.inputBoxWidth, 0);
    EXPECT_EQ(fresh.inputBoxHeight, 0);
}

TEST_F(GuiVariableSetup, RemovingKeepsASelectionWhileRowsRemain) {
    CVariableSetupDlg dialog;
    dialog.values.includeList = u"a.h;b.h;c.h;";
    runSetup(dialog, [](CVariableSetupDlg& open) {
        wxListBox* rows = list(open);
        EXPECT_FALSE(enabled(open, SetupId::removeHeader)) << "no selection yet";
        rows->SetSelection(2);
        open.applyListButtonRule();
        UiTest::click(&open, SetupId::removeHeader);
        EXPECT_EQ(rows->GetCount(), 2u);
        EXPECT_EQ(rows->GetSelection(), 1) << "the new last row";
        rows->SetSelection(0);
        // The Delete key in the list removes the selected row too.
        wxKeyEvent key(wxEVT_KEY_DOWN);
        key.m_keyCode = WXK_DELETE;
        key.SetEventObject(rows);
        rows->ProcessWindowEvent(key);
        EXPECT_EQ(rows->GetCount(), 1u);
        EXPECT_EQ(rows->GetString(0), "b.h");
        EXPECT_EQ(rows->GetSelection(), 0);
        UiTest::click(&open, SetupId::removeHeader);
        EXPECT_EQ(rows->GetCount(), 0u);
        EXPECT_EQ(rows->GetSelection(), wxNOT_FOUND);
        for (int id :
             {SetupId::removeHeader, SetupId::removeAllHeaders, SetupId::moveUp, SetupId::moveDown})
            EXPECT_FALSE(enabled(open, id)) << id;
        EXPECT_EQ(open.headerList().horizontalExtent(), 0);
        UiTest::click(&open, SetupId::ok);
    });
    EXPECT_EQ(dialog.values.includeList, u"");
}

TEST_F(GuiVariableSetup, RemoveAllAndMoving) {
    CVariableSetupDlg dialog;
    dialog.values.includeList = u"a.h;b.h;c.h;";
    runSetup(dialog, [](CVariableSetupDlg& open) {
        wxListBox* rows = list(open);
        rows->SetSelection(0);
        open.applyListButtonRule();
        EXPECT_FALSE(enabled(open, SetupId::moveUp));
        EXPECT_TRUE(enabled(open, SetupId::moveDown));
        UiTest::click(&open, SetupId::moveDown);
        UiTest::click(&open, SetupId::moveDown);
        EXPECT_EQ(rows->GetSelection(), 2);
        EXPECT_FALSE(enabled(open, SetupId::moveDown));
        UiTest::click(&open, SetupId::moveUp);
        EXPECT_EQ(Zenlo::includeListOf(open.headerList().rows()), u"b.h;a.h;c.h;");
        EXPECT_EQ(rows->GetSelection(), 1);
        EXPECT_TRUE(enabled(open, SetupId::moveUp));
        EXPECT_TRUE(enabled(open, SetupId::moveDown));
        UiTest::click(&open, SetupId::ok);
    });
    EXPECT_EQ(dialog.values.includeList, u"b.h;a.h;c.h;");
    CVariableSetupDlg cleared;
    cleared.values.includeList = u"a.h;b.h;";
    runSetup(cleared, [](CVariableSetupDlg& open) {
        UiTest::click(&open, SetupId::removeAllHeaders);
        EXPECT_EQ(list(open)->GetCount(), 0u);
        EXPECT_FALSE(enabled(open, SetupId::removeAllHeaders));
        UiTest::click(&open, SetupId::ok);
    });
    EXPECT_EQ(cleared.values.includeList, u"");
}

TEST_F(GuiVariableSetup, UncheckingTheSizeVariableGreysItsControlsAndKeepsTheirStates) {
    CVariableSetupDlg dialog;
    dialog.values.sizeStatic = 1;
    dialog.values.sizeConst = 0;
    dialog.values.sizeType = u"size_t";
    runSetup(dialog, [](CVariableSetupDlg& open) {
        const int sizeControls[] = {SetupId::sizeType, SetupId::sizeStatic, SetupId::sizeConst};
        for (int id : sizeControls)
            EXPECT_TRUE(enabled(open, id)) << id;
        UiTest::click(&open, SetupId::writeSizeVariable);
        for (int id : sizeControls)
            EXPECT_FALSE(enabled(open, id)) << id;
        EXPECT_TRUE(checked(open, SetupId::sizeStatic));
        EXPECT_FALSE(checked(open, SetupId::sizeConst));
        EXPECT_EQ(edit(open, SetupId::sizeType)->GetValue(), "size_t");
        UiTest::click(&open, SetupId::writeSizeVariable);
        for (int id : sizeControls)
            EXPECT_TRUE(enabled(open, id)) << id;
        EXPECT_TRUE(checked(open, SetupId::sizeStatic));
        EXPECT_FALSE(checked(open, SetupId::sizeConst));
        UiTest::click(&open, SetupId::writeSizeVariable);
        UiTest::click(&open, SetupId::ok);
    });
    EXPECT_EQ(dialog.values.writeSizeVariable, 0);
    EXPECT_EQ(dialog.values.sizeStatic, 1);
    EXPECT_EQ(dialog.values.sizeConst, 0);
}

TEST_F(GuiVariableSetup, ElementsPerLineTakesWholeCountsFromOne) {
    struct Case {
        const char* pasted;
        const char* shown;
        std::int32_t stored;
    };
    const Case cases[] = {
        {"-5", "5", 5},
        {"0", "1", 1},
        {"2147483648", "2147483647", 2147483647},
        {"99999999999999999999", "2147483647", 2147483647},
        {"24", "24", 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pasted);
        CVariableSetupDlg dialog;
        runSetup(dialog, [&](CVariableSetupDlg& open) {
            wxTextCtrl* count = edit(open, SetupId::bytesPerLine);
            count->SetFocus();
            count->SelectAll();
            open.bytesPerLineEdit().pasteText(Zenlo::fromUtf8(c.pasted));
            EXPECT_EQ(count->GetValue(), c.shown);
            UiTest::click(&open, SetupId::ok);
        });
        EXPECT_EQ(dialog.values.bytesPerLine, c.stored);
    }
}

TEST_F(GuiVariableSetup, TypedMinusSignIsRefused) {
    CVariableSetupDlg dialog;
    runSetup(dialog, [](CVariableSetupDlg& open) {
        wxTextCtrl* count = edit(open, SetupId::bytesPerLine);
        count->SetFocus();
        count->SetInsertionPoint(0);
        wxKeyEvent minus(wxEVT_CHAR);
        minus.m_keyCode = '-';
        minus.m_uniChar = '-';
        minus.SetEventObject(count);
        count->ProcessWindowEvent(minus);
        EXPECT_EQ(count->GetValue(), "16");
        UiTest::click(&open, SetupId::ok);
    });
    EXPECT_EQ(dialog.values.bytesPerLine, 16);
}

TEST_F(GuiVariableSetup, StoredCountOutsideTheRangeOpensClamped) {
    CVariableSetupDlg dialog;
    dialog.values.bytesPerLine = 0;
    runSetup(dialog, [](CVariableSetupDlg& open) {
        EXPECT_EQ(edit(open, SetupId::bytesPerLine)->GetValue(), "1");
        UiTest::click(&open, SetupId::ok);
    });
    EXPECT_EQ(dialog.values.bytesPerLine, 1);
}

TEST_F(GuiVariableSetup, EnterInAnEditIsOk) {
    for (int id : {SetupId::namePrefix, SetupId::bytesPerLine}) {
        SCOPED_TRACE(id);
        CVariableSetupDlg dialog;
        int result = runSetup(dialog, [id](CVariableSetupDlg& open) {
            wxTextCtrl* field = edit(open, id);
            field->SetFocus();
            UiTest::pumpEvents();
            field->SelectAll();
            wxUIActionSimulator keys;
            keys.Text("7");
            UiTest::pumpEvents();
            keys.Char(WXK_RETURN);
            UiTest::pumpEvents();
        });
        EXPECT_EQ(result, SetupId::ok);
        if (id == SetupId::namePrefix)
            EXPECT_EQ(dialog.values.namePrefix, u"7");
        else
            EXPECT_EQ(dialog.values.bytesPerLine, 7);
    }
}

TEST_F(GuiVariableSetup, DefaultsThenOkGivesTheDefaults) {
    CVariableSetupDlg dialog;
    dialog.values = Zenlo::copyIn(ZnConversionOptions{});
    dialog.values.namePrefix = u"x";
    dialog.values.lowerCaseName = 0;
    dialog.values.writeSizeVariable = 0;
    dialog.values.sizeConst = 0;
    dialog.values.bytesPerLine = 3;
    dialog.values.includeList = u"a.h;b.h;";
    runSetup(dialog, [](CVariableSetupDlg& open) {
        EXPECT_FALSE(enabled(open, SetupId::sizeType));
        UiTest::click(&open, SetupId::defaults);
        EXPECT_TRUE(enabled(open, SetupId::sizeType));
        EXPECT_TRUE(checked(open, SetupId::sizeConst));
        EXPECT_EQ(edit(open, SetupId::bytesPerLine)->GetValue(), "16");
        ASSERT_EQ(list(open)->GetCount(), 1u);
        EXPECT_EQ(list(open)->GetString(0), "stdint.h");
        UiTest::click(&open, SetupId::ok);
    });
    EXPECT_EQ(dialog.values, ZnVariableSetupValues{});
}

} // namespace

// The header list as the main list: keypad Delete removes the selected row, the list stops
// scrolling sideways once its long row is gone, and a move gives the pressed arrow the
// default button's look.
TEST_F(GuiVariableSetup, HeaderListKeysExtentAndArrows) {
    CVariableSetupDlg dialog;
    dialog.values.includeList =
        u"a.h;a/very/long/header/path/that/does/not/fit/into/the/list/box/at/all/x.h;c.h;";
    runSetup(dialog, [](CVariableSetupDlg& open) {
        wxListBox* rows = list(open);
        ASSERT_TRUE(UiTest::scrollsSideways(rows)) << "the long row needs scrolling";
        rows->SetSelection(1);
        open.applyListButtonRule();
        UiTest::pressKey(rows, WXK_NUMPAD_DELETE);
        ASSERT_EQ(rows->GetCount(), 2u);
        EXPECT_EQ(rows->GetString(1), "c.h");
        EXPECT_FALSE(UiTest::scrollsSideways(rows));
        rows->SetSelection(0);
        open.applyListButtonRule();
        UiTest::click(&open, SetupId::moveDown);
        EXPECT_EQ(static_cast<wxWindow*>(open.headerList().defaultArrow()),
                  open.FindWindow(SetupId::moveDown));
        UiTest::click(&open, SetupId::moveUp);
        EXPECT_EQ(static_cast<wxWindow*>(open.headerList().defaultArrow()),
                  open.FindWindow(SetupId::moveUp));
        UiTest::click(&open, SetupId::ok);
    });
    EXPECT_EQ(dialog.values.includeList, u"a.h;c.h;");
}
