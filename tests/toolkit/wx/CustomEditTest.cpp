// ZnCustomEdit on a real wxTextCtrl: typed characters, paste, focus loss, outside text, steps
// and the notifications its parent receives.
#include "toolkit/wx/CustomEdit.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/clipbrd.h>
#include <wx/dialog.h>

#include "../../app/UiTestSupport.h"

namespace {

class GuiCustomEdit : public testing::Test {
protected:
    void SetUp() override {
        dialog = new wxDialog(nullptr, wxID_ANY, "edit");
        text = new wxTextCtrl(dialog, 77, "");
        for (const auto& type :
             {ZN_EVT_EDIT_CHANGE, ZN_EVT_EDIT_FOCUS_LOST, ZN_EVT_EDIT_ENTER, ZN_EVT_EDIT_WHEEL})
            dialog->Bind(type, [this](wxCommandEvent& event) {
                EXPECT_EQ(event.GetId(), 77);
                EXPECT_EQ(event.GetEventObject(), text);
                codes.push_back(event.GetInt());
            });
        ASSERT_TRUE(edit.attach(text));
    }
    void TearDown() override {
        dialog->Destroy();
        UiTest::pumpEvents();
    }

    void type(wxChar character, int keyCode = 0) {
        wxKeyEvent event(wxEVT_CHAR);
        event.m_uniChar = character;
        event.m_keyCode = keyCode ? keyCode : static_cast<int>(character);
        event.SetEventObject(text);
        text->ProcessWindowEvent(event);
    }
    void typeText(const char* characters) {
        for (const char* c = characters; *c; ++c)
            type(static_cast<wxChar>(*c));
    }
    void key(int keyCode, wxEventType type = wxEVT_KEY_DOWN) {
        wxKeyEvent event(type);
        event.m_keyCode = keyCode;
        event.SetEventObject(text);
        text->ProcessWindowEvent(event);
    }
    void loseFocus() {
        wxFocusEvent event(wxEVT_KILL_FOCUS, text->GetId());
        event.SetEventObject(text);
        text->ProcessWindowEvent(event);
    }
    std::string value() const { return text->GetValue().ToStdString(); }

    wxDialog* dialog = nullptr;
    wxTextCtrl* text = nullptr;
    ZnCustomEdit edit;
    std::vector<int> codes;
};

} // namespace

TEST_F(GuiCustomEdit, IntegerModeTypingAndFocusLoss) {
    edit.setMode(ZnCustomEdit::integerMode);
    EXPECT_EQ(value(), "0") << "entering integer mode commits the text";
    text->ChangeValue("");
    codes.clear();
    type('5');
    EXPECT_EQ(value(), "5");
    EXPECT_EQ(edit.currentInteger, 5);
    EXPECT_EQ(codes, std::vector<int>{1});
    type('x');
    EXPECT_EQ(value(), "5") << "refused characters are dropped";
    loseFocus();
    EXPECT_EQ(value(), "5");
    EXPECT_EQ(codes, (std::vector<int>{1, 2}));
}

TEST_F(GuiCustomEdit, MinusSignRules) {
    edit.setMode(ZnCustomEdit::integerMode);
    edit.allowNegative = 0;
    text->ChangeValue("");
    type('-');
    EXPECT_EQ(value(), "");
    edit.pasteText(u"-42");
    EXPECT_EQ(value(), "42");
    EXPECT_EQ(edit.currentInteger, 42);

    edit.allowNegative = 1;
    text->ChangeValue("-3");
    text->SetInsertionPoint(0);
    type('-');
    EXPECT_EQ(value(), "-3");
    text->SetSelection(0, 2);
    type('-');
    EXPECT_EQ(value(), "-");
}

TEST_F(GuiCustomEdit, DecimalModeCommaAndPoint) {
    edit.setMode(ZnCustomEdit::decimalMode);
    text->ChangeValue("12");
    text->SetInsertionPointEnd();
    type(',');
    EXPECT_EQ(value(), "12.");
    EXPECT_DOUBLE_EQ(edit.currentDecimal, 12.0);
    type('.');
    EXPECT_EQ(value(), "12.");
    edit.currentDecimal = 2.9;
    text->ChangeValue("2.9");
    EXPECT_EQ(edit.integerValue(), 2);
    text->ChangeValue("-2.9");
    EXPECT_EQ(edit.integerValue(), -2);
}

TEST_F(GuiCustomEdit, OutsideTextKeepsItsDigitsButClampsTheValue) {
    edit.setMode(ZnCustomEdit::integerMode);
    edit.integerMaximum = 100;
    codes.clear();
    text->SetValue("0500");
    EXPECT_EQ(value(), "500");
    EXPECT_EQ(edit.currentInteger, 100);
    EXPECT_EQ(codes, std::vector<int>{1});
    loseFocus();
    EXPECT_EQ(value(), "100");
}

TEST_F(GuiCustomEdit, SteppingStopsAtTheBounds) {
    edit.setMode(ZnCustomEdit::integerMode);
    edit.stepping = 1;
    edit.integerMaximum = 6;
    edit.setIntegerValue(5);
    codes.clear();
    key(WXK_UP);
    EXPECT_EQ(value(), "6");
    key(WXK_UP);
    EXPECT_EQ(value(), "6");
    EXPECT_EQ(codes, std::vector<int>{1}) << "no notification at the maximum";
    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.m_wheelRotation = -120;
    wheel.SetEventObject(text);
    text->ProcessWindowEvent(wheel);
    EXPECT_EQ(value(), "5");
    EXPECT_EQ(codes, (std::vector<int>{1, 1, 4}));
    key(WXK_CONTROL);
    key(WXK_DOWN);
    EXPECT_EQ(value(), "0") << "Ctrl makes the large step";
    key(WXK_CONTROL, wxEVT_KEY_UP);
    key(WXK_DOWN);
    EXPECT_EQ(value(), "-1");
}

TEST_F(GuiCustomEdit, PlainModeKeepsTextAndReportsOnlyUserChanges) {
    codes.clear();
    text->SetValue("12abc");
    EXPECT_EQ(value(), "12abc");
    EXPECT_TRUE(codes.empty()) << "outside changes are silent in plain mode";
    text->SetInsertionPointEnd();
    type('!');
    key(WXK_DELETE);
    type(0, WXK_BACK);
    EXPECT_EQ(value(), "12abc");
    EXPECT_EQ(codes, (std::vector<int>{1, 1, 1}));
    type(0, WXK_RETURN);
    EXPECT_EQ(codes.back(), 3);
    EXPECT_EQ(edit.integerValue(), 0);
    edit.setIntegerValue(-7);
    EXPECT_EQ(value(), "-7");
}

TEST_F(GuiCustomEdit, PasteFromTheClipboardCommitsSelectsAndNotifies) {
    if (!wxTheClipboard->Open()) GTEST_SKIP() << "no clipboard";
    wxTheClipboard->SetData(new wxTextDataObject("-42\n"));
    wxTheClipboard->Close();
    edit.setMode(ZnCustomEdit::integerMode);
    edit.allowNegative = 0;
    text->ChangeValue("");
    codes.clear();
    wxClipboardTextEvent paste(wxEVT_TEXT_PASTE, text->GetId());
    paste.SetEventObject(text);
    text->ProcessWindowEvent(paste);
    EXPECT_EQ(value(), "42");
    EXPECT_EQ(edit.currentInteger, 42);
    EXPECT_EQ(codes, std::vector<int>{1});
    long from = 0, to = 0;
    text->GetSelection(&from, &to);
    EXPECT_EQ(from, 0);
    EXPECT_EQ(to, 2);
}
