// ZnCustomEdit on a real wxTextCtrl: typed characters, paste, focus loss, outside text, steps
// and the notifications its parent receives.
#include "toolkit/wx/CustomEdit.h"

#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <wx/clipbrd.h>
#include <wx/dialog.h>

#include "../../app/UiTestSupport.h"

using namespace Zenlo;

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

TEST_F(GuiCustomEdit, AnEditObjectThatGoesFirstLeavesItsControlAlone) {
    auto* other = new wxTextCtrl(dialog, 78, "");
    {
        ZnCustomEdit gone;
        ASSERT_TRUE(gone.attach(other));
        gone.setMode(ZnCustomEdit::integerMode);
    }
    codes.clear();
    wxKeyEvent typed(wxEVT_CHAR);
    typed.m_uniChar = 'x';
    typed.m_keyCode = 'x';
    typed.SetEventObject(other);
    other->ProcessWindowEvent(typed);
    other->SetValue("abc");
    EXPECT_EQ(other->GetValue(), "abc") << "no rules apply any more";
    EXPECT_TRUE(codes.empty());
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

// Each outside text, cleaned or taken as it is, is one change for the parent.
TEST_F(GuiCustomEdit, OutsideTextKeepsItsDigitsButClampsTheValue) {
    edit.setMode(ZnCustomEdit::integerMode);
    edit.integerMaximum = 100;
    struct Case {
        const char* set;
        const char* shown;
        std::int64_t value;
    };
    const Case cases[] = {
        {"0500", "500", 100},
        {"42", "42", 42},
        {"007", "7", 7},
        {"0500", "500", 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        codes.clear();
        text->SetValue(c.set);
        EXPECT_EQ(value(), c.shown);
        EXPECT_EQ(edit.currentInteger, c.value);
        EXPECT_EQ(codes, std::vector<int>{1});
    }
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
    dialog->Show();
    text->SetFocus();
    UiTest::pumpEvents();
    text->SetInsertionPointEnd();
    type('!');
    UiTest::pressKey(text, WXK_DELETE); // at the end: nothing to delete, nothing changed
    UiTest::pressKey(text, WXK_BACK);
    EXPECT_EQ(value(), "12abc");
    EXPECT_EQ(codes, (std::vector<int>{1, 1}));
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

namespace {

// Real keys through the display server: the edit must be shown and focused.
class GuiCustomEditKeys : public GuiCustomEdit {
protected:
    void SetUp() override {
        GuiCustomEdit::SetUp();
        dialog->Show();
        text->SetFocus();
        UiTest::pumpEvents();
    }
    // Sets the text (and the value in integer mode) and the selection, with the focus in the
    // edit, and forgets the notifications so far.
    void prepare(const char* start, long from, long to) {
        text->SetFocus();
        UiTest::pumpEvents();
        if (edit.mode == ZnCustomEdit::integerMode)
            edit.setIntegerValue(std::stoll(start));
        else
            text->ChangeValue(start);
        text->SetSelection(from, to);
        codes.clear();
    }
    std::pair<long, long> selection() const {
        long from = 0, to = 0;
        text->GetSelection(&from, &to);
        return {from, to};
    }
};

} // namespace

// A refused character typed over a selection leaves text, selection and value as they were,
// also where the platform has already deleted the selection when the character arrives.
TEST_F(GuiCustomEditKeys, RefusedKeysOverASelectionChangeNothing) {
    edit.setMode(ZnCustomEdit::integerMode);
    edit.allowNegative = 0;
    struct Case {
        const char* start;
        long from, to;
        const char* typed;
        const char* want;
        std::int64_t value;
        bool refused;
    };
    const Case cases[] = {
        {"16", 0, 2, "-", "16", 16, true},
        {"42", 0, 1, "q", "42", 42, true},
        {"42", 0, 2, "x", "42", 42, true},
        {"1234", 1, 3, " ", "1234", 1234, true},
        {"42", 0, 1, "7", "72", 72, false},
        {"16", 0, 2, "5", "5", 5, false},
        {"16", 2, 2, "0", "160", 160, false},
        // Typing on after the first character goes on behind it.
        {"99", 0, 2, "123", "123", 123, false},
        {"99", 0, 2, "1x2", "12", 12, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " typed " + c.typed);
        prepare(c.start, c.from, c.to);
        UiTest::typeKeys(text, c.typed);
        EXPECT_EQ(value(), c.want);
        EXPECT_EQ(edit.currentInteger, c.value);
        if (c.refused) {
            EXPECT_EQ(selection(), std::make_pair(c.from, c.to)) << "the selection is back";
            EXPECT_TRUE(codes.empty()) << "a refused key is no change";
        } else {
            // One change per accepted (digit) key.
            std::size_t digits = 0;
            for (const char* k = c.typed; *k; ++k)
                digits += std::isdigit(*k) ? 1 : 0;
            EXPECT_EQ(codes, std::vector<int>(digits, 1));
        }
    }
}

// Entering the field selects its text: one stray letter must not wipe the number.
TEST_F(GuiCustomEditKeys, AStrayLetterAfterEnteringTheFieldKeepsTheNumber) {
    edit.setMode(ZnCustomEdit::integerMode);
    edit.allowNegative = 0;
    edit.setIntegerValue(16);
    auto* other = new wxTextCtrl(dialog, wxID_ANY, "");
    other->SetFocus();
    UiTest::pumpEvents();
    UiTest::typeKeys(text, "q");
    EXPECT_EQ(value(), "16");
    EXPECT_EQ(edit.integerValue(), 16);
}

// What Ctrl+Delete leaves of "abc def" with the caret at the start: the Windows edit deletes to
// the end of the line, GTK's entry the next word.
#ifdef __WXMSW__
constexpr const char* afterControlDelete = "";
#else
constexpr const char* afterControlDelete = " def";
#endif

// Delete and Backspace get the platform edit's processing, modifiers included; the value
// follows the text and one change notification is sent.
TEST_F(GuiCustomEditKeys, DeleteAndBackspaceWithModifiers) {
    struct Case {
        int mode;
        const char* start;
        long from, to;
        int key, modifiers;
        const char* want;
    };
    const Case cases[] = {
        {ZnCustomEdit::plainMode, "12345", 2, 2, WXK_DELETE, 0, "1245"},
        {ZnCustomEdit::plainMode, "12345", 2, 2, WXK_BACK, 0, "1345"},
        {ZnCustomEdit::plainMode, "12345", 1, 4, WXK_DELETE, 0, "15"},
        {ZnCustomEdit::plainMode, "abc def", 7, 7, WXK_BACK, wxMOD_CONTROL, "abc "},
        {ZnCustomEdit::plainMode, "abc def", 0, 0, WXK_DELETE, wxMOD_CONTROL, afterControlDelete},
        {ZnCustomEdit::plainMode, "abc def", 0, 3, WXK_DELETE, wxMOD_SHIFT, " def"},
        {ZnCustomEdit::integerMode, "123", 3, 3, WXK_BACK, 0, "12"},
        {ZnCustomEdit::integerMode, "123", 0, 0, WXK_DELETE, 0, "23"},
        {ZnCustomEdit::integerMode, "123", 0, 2, WXK_DELETE, wxMOD_SHIFT, "3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " key " + std::to_string(c.key) + " modifiers " +
                     std::to_string(c.modifiers));
        edit.setMode(c.mode);
        prepare(c.start, c.from, c.to);
        UiTest::pressKey(text, c.key, c.modifiers);
        EXPECT_EQ(value(), c.want);
        EXPECT_EQ(codes, std::vector<int>{1});
        if (c.mode == ZnCustomEdit::integerMode) {
            EXPECT_EQ(edit.currentInteger, std::stoll(c.want)) << "the value follows the text";
        }
    }
}

// Shift+Delete cuts: the removed text is on the clipboard, not lost.
TEST_F(GuiCustomEditKeys, ShiftDeleteCutsToTheClipboard) {
    if (!wxTheClipboard->Open()) GTEST_SKIP() << "no clipboard";
    wxTheClipboard->SetData(new wxTextDataObject("old"));
    wxTheClipboard->Close();
    prepare("keep this", 0, 5);
    UiTest::pressKey(text, WXK_DELETE, wxMOD_SHIFT);
    EXPECT_EQ(value(), "this");
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTextDataObject data;
    EXPECT_TRUE(wxTheClipboard->GetData(data));
    wxTheClipboard->Close();
    EXPECT_EQ(data.GetText(), "keep ");
}
