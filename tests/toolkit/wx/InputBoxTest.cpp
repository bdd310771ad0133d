// The input box on a real display: minimum size, width-only resizing, remembered size, answers.
#include "toolkit/wx/InputBox.h"

#include <gtest/gtest.h>

#include <functional>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "../../app/UiTestSupport.h"

using namespace Zenlo;

namespace {

void pump() {
    for (int i = 0; i < 10; ++i) {
        wxYieldIfNeeded();
        wxMilliSleep(5);
    }
}

void click(wxWindow& dialog, int id) {
    wxWindow* button = dialog.FindWindow(id);
    ASSERT_NE(button, nullptr);
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
}

void pressEscape(wxWindow& dialog) {
    wxKeyEvent key(wxEVT_CHAR_HOOK);
    key.m_keyCode = WXK_ESCAPE;
    key.SetEventObject(&dialog);
    dialog.ProcessWindowEvent(key);
}

// Runs the box modally; whileOpen acts on it from inside its modal loop and should close it.
// A box left open is ended with -2 so a failing step cannot hang the run.
int runWith(ZnInputBox& box, const std::function<void(ZnInputBox&)>& whileOpen) {
    wxTheApp->CallAfter([&box, whileOpen] {
        pump();
        whileOpen(box);
        if (UiTest::stillOpen(box)) box.EndModal(-2);
    });
    return box.runModal(nullptr);
}

wxRect rectOf(wxWindow& dialog, int id) {
    return dialog.FindWindow(id)->GetRect();
}

// The layout's promise at any width: edit and prompt fill the content, the separator reaches
// both edges, the two buttons sit at the right edge.
void expectLayoutFollowsWidth(ZnInputBox& box) {
    int width = box.GetClientSize().x;
    EXPECT_EQ(rectOf(box, ZnInputBox::promptId).GetLeft(), 10);
    EXPECT_EQ(rectOf(box, ZnInputBox::promptId).GetRight(), width - 11);
    EXPECT_EQ(rectOf(box, ZnInputBox::editId).GetLeft(), 10);
    EXPECT_EQ(rectOf(box, ZnInputBox::editId).GetRight(), width - 11);
    EXPECT_EQ(rectOf(box, ZnInputBox::lineId).GetLeft(), 0);
    EXPECT_EQ(rectOf(box, ZnInputBox::lineId).GetRight(), width - 1);
    EXPECT_EQ(rectOf(box, 2).GetRight(), width - 11);
    EXPECT_EQ(rectOf(box, 1).GetRight(), rectOf(box, 2).GetLeft() - 6);
    EXPECT_EQ(rectOf(box, 1).GetTop(), rectOf(box, 2).GetTop());
}

TEST(GuiInputBox, FirstRunOpensAtTheMinimumSize) {
    ZnInputBox box;
    int result = runWith(box, [](ZnInputBox& open) {
        wxSize size = open.GetSize();
        EXPECT_GE(size.x, 250);
        EXPECT_EQ(size.x, open.trackSizes().minimumWidth);
        EXPECT_EQ(size.y, open.layoutMinimum().height);
        EXPECT_EQ(open.trackSizes().minimumHeight, size.y);
        EXPECT_EQ(open.trackSizes().maximumHeight, size.y);
        EXPECT_TRUE(open.sizeGripShown());
        // The buttons' bottom edge is the client area less the margin: exactly as high as needed.
        EXPECT_EQ(rectOf(open, 2).GetBottom(), open.GetClientSize().y - 11);
        expectLayoutFollowsWidth(open);
        click(open, 2);
    });
    EXPECT_EQ(result, 2);
}

TEST(GuiInputBox, WidenedBoxKeepsItsHeightAndReopensAtItsWidth) {
    ZnInputBox box;
    int widened = 0, height = 0;
    runWith(box, [&](ZnInputBox& open) {
        height = open.GetSize().y;
        open.SetSize(open.GetSize().x + 150, height + 60);
        pump();
        widened = open.GetSize().x;
        EXPECT_EQ(open.GetSize().y, height);
        expectLayoutFollowsWidth(open);
        click(open, 1);
    });
    EXPECT_EQ(box.rememberedWidth, widened);
    EXPECT_EQ(box.rememberedHeight, height);
    ZnInputBox again;
    again.rememberedWidth = box.rememberedWidth;
    again.rememberedHeight = box.rememberedHeight;
    runWith(again, [&](ZnInputBox& open) {
        EXPECT_EQ(open.GetSize().x, widened);
        EXPECT_EQ(open.GetSize().y, height);
        expectLayoutFollowsWidth(open);
        click(open, 2);
    });
}

TEST(GuiInputBox, SecondRunOfOneBoxStartsFromTheMinimumAgain) {
    ZnInputBox box;
    int minimum = 0;
    runWith(box, [&](ZnInputBox& open) {
        minimum = open.GetSize().x;
        open.SetSize(minimum + 150, open.GetSize().y);
        pump();
        click(open, 2);
    });
    box.rememberedWidth = box.rememberedHeight = 0;
    runWith(box, [&](ZnInputBox& open) {
        EXPECT_EQ(open.GetSize().x, minimum);
        EXPECT_EQ(open.trackSizes().minimumWidth, minimum);
        expectLayoutFollowsWidth(open);
        click(open, 2);
    });
}

TEST(GuiInputBox, DraggingTheGripWidensTheBoxOnly) {
    ZnInputBox box;
    runWith(box, [](ZnInputBox& open) {
        const wxSize before = open.GetSize();
        // The grip sits in the client area's bottom-right corner.
        const wxPoint corner =
            open.ClientToScreen(wxPoint(open.GetClientSize().x - 4, open.GetClientSize().y - 4));
        wxUIActionSimulator mouse;
        mouse.MouseMove(corner);
        pump();
        mouse.MouseDown();
        pump();
        mouse.MouseMove(corner + wxPoint(90, 40));
        pump();
        mouse.MouseUp();
        pump();
        EXPECT_EQ(open.GetSize().x, before.x + 90);
        EXPECT_EQ(open.GetSize().y, before.y);
        expectLayoutFollowsWidth(open);
        click(open, 2);
    });
}

TEST(GuiInputBox, TextsComeFromTheCaller) {
    ZnInputBox box;
    box.caption = u"Header";
    box.prompt = u"Name:";
    box.okText = u"Fine";
    box.cancelText = u"";
    box.value = u"start";
    runWith(box, [](ZnInputBox& open) {
        EXPECT_EQ(open.GetTitle(), "Header");
        EXPECT_EQ(open.FindWindow(ZnInputBox::promptId)->GetLabel(), "Name:");
        EXPECT_EQ(open.FindWindow(1)->GetLabel(), "Fine");
        EXPECT_EQ(open.FindWindow(2)->GetLabel(), "");
        auto* edit = static_cast<wxTextCtrl*>(open.FindWindow(ZnInputBox::editId));
        EXPECT_EQ(edit->GetValue(), "start");
        click(open, 2);
    });
}

TEST(GuiInputBox, NumberModeShowsTheStartValueCommitted) {
    ZnInputBox box;
    box.editMode = ZnNumericEditRules::integerMode;
    box.allowNegative = 0;
    box.value = u"-042";
    int result = runWith(box, [](ZnInputBox& open) {
        auto* edit = static_cast<wxTextCtrl*>(open.FindWindow(ZnInputBox::editId));
        EXPECT_EQ(edit->GetValue(), "42");
        click(open, 1);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(box.value, u"42");
}

TEST(GuiInputBox, LongPromptWidensTheMinimum) {
    ZnInputBox box;
    box.prompt =
        u"A prompt much longer than the box would be at its smallest width, so it needs more";
    runWith(box, [](ZnInputBox& open) {
        wxWindow* prompt = open.FindWindow(ZnInputBox::promptId);
        EXPECT_GT(open.GetSize().x, 250);
        EXPECT_GE(prompt->GetSize().x, prompt->GetBestSize().x);
        expectLayoutFollowsWidth(open);
        click(open, 2);
    });
}

TEST(GuiInputBox, AnswersOkCancelAndEscape) {
    struct Case {
        const char* name;
        const char16_t* typed;
        std::function<void(wxWindow&)> close;
        int result;
        const char16_t* value;
    };
    const Case cases[] = {
        {"OK takes the typed text", u"stdint.h", [](wxWindow& d) { click(d, 1); }, 1, u"stdint.h"},
        {"OK with an empty answer", u"", [](wxWindow& d) { click(d, 1); }, 1, u""},
        {"Cancel keeps the value", u"typed", [](wxWindow& d) { click(d, 2); }, 2, u"before"},
        {"Escape is Cancel", u"typed", pressEscape, 2, u"before"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ZnInputBox box;
        box.value = u"before";
        int result = runWith(box, [&](ZnInputBox& open) {
            auto* edit = static_cast<wxTextCtrl*>(open.FindWindow(ZnInputBox::editId));
            edit->SetValue(wxString::FromUTF8(Zenlo::WideString(c.typed).toUtf8().c_str()));
            c.close(open);
        });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(box.value, c.value);
        EXPECT_NE(box.rememberedWidth, 0);
    }
}

TEST(GuiInputBox, RealKeysEnterAnswersAndEscapeCancels) {
    struct Case {
        int key;
        int result;
        const char16_t* value;
    };
    for (Case c : {Case{WXK_RETURN, 1, u"abc"}, Case{WXK_ESCAPE, 2, u"before"}}) {
        SCOPED_TRACE(c.key);
        ZnInputBox box;
        box.value = u"before";
        int result = runWith(box, [&](ZnInputBox& open) {
            open.FindWindow(ZnInputBox::editId)->SetFocus();
            pump();
            wxUIActionSimulator keys;
            keys.Text("abc");
            pump();
            keys.Char(c.key);
            pump();
        });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(box.value, c.value);
    }
}

} // namespace
