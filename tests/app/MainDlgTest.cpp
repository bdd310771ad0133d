// The main dialog driven for real: enable table, check boxes, close requests, the idle rule,
// data exchange and the layout built from the table.
#include "app/MainDlg.h"

#include <functional>

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/dnd.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "UiTestSupport.h"
#include "app/EnableTable.h"
#include "app/MainDlgIds.h"
#include "app/MainDlgTable.h"
#include "toolkit/TextEncoding.h"
#include "toolkit/wx/WxText.h"

using namespace Zenlo;

namespace {

class GuiMainDlg : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog = UiTest::openMainDialog()); }
    void TearDown() override { UiTest::closeWindow(dialog); }
    bool enabled(int id) { return dialog->FindWindow(id)->IsEnabled(); }
    wxListBox* list() { return static_cast<wxListBox*>(dialog->FindWindow(MainId::fileList)); }

    CMainDlg* dialog = nullptr;
};

} // namespace

// The table's rows are EnableTableTest's; here the dialog reads its own state and every control
// ends up as the table says, through changes in both directions.
TEST_F(GuiMainDlg, IdleUpdateAppliesTheTable) {
    struct Step {
        const char* name;
        std::function<void()> change;
    };
    auto* output = static_cast<wxTextCtrl*>(dialog->FindWindow(MainId::outputFile));
    const Step steps[] = {
        {"empty list", [] {}},
        {"three entries, first selected",
         [&] {
             for (const char* name : {"/a", "/b", "/c"})
                 list()->Append(name);
             list()->SetSelection(0);
         }},
        {"last selected", [&] { list()->SetSelection(2); }},
        {"no output name", [&] { output->SetValue(""); }},
        {"separate files", [&] { UiTest::click(dialog, MainId::separateFiles); }},
        {"one file again", [&] { UiTest::click(dialog, MainId::separateFiles); }},
        {"busy", [&] { dialog->busy = true; }},
        {"idle again", [&] { dialog->busy = false; }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        dialog->idleUpdate();
        for (const ZnControlUpdate& want : mainDialogUpdates(dialog->currentState())) {
            EXPECT_EQ(enabled(want.id), want.enabled) << want.id;
            if (want.check < 0) continue;
            auto* box = static_cast<wxCheckBox*>(dialog->FindWindow(want.id));
            EXPECT_EQ(box->GetValue(), want.check != 0) << want.id;
        }
        // Outside the table: never disabled, not even during a run.
        EXPECT_TRUE(enabled(MainId::language));
        EXPECT_TRUE(enabled(MainId::about));
    }
    EXPECT_EQ(dialog->currentState().count, 3) << "the state is read from the list";
}

TEST_F(GuiMainDlg, CloseRequestsAreVetoed) {
    EXPECT_FALSE(dialog->Close(false));
    UiTest::pumpEvents();
    EXPECT_TRUE(dialog->IsShown());
    // Escape reaches the dialog as a key press and does nothing either.
    wxKeyEvent escape(wxEVT_CHAR_HOOK);
    escape.m_keyCode = WXK_ESCAPE;
    escape.SetEventObject(dialog);
    dialog->ProcessWindowEvent(escape);
    UiTest::pumpEvents();
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_FALSE(dialog->IsBeingDeleted());
}

TEST_F(GuiMainDlg, IdleUpdateRunsAfterActionsNotAfterMouseMoves) {
    UiTest::pumpEvents();
    const unsigned before = dialog->idleUpdates();
    for (int i = 0; i < 5; ++i) {
        wxMouseEvent move(wxEVT_MOTION);
        move.SetEventObject(list());
        list()->ProcessWindowEvent(move);
        UiTest::pumpEvents();
    }
    EXPECT_EQ(dialog->idleUpdates(), before);
    UiTest::click(dialog, MainId::writeHeader);
    UiTest::pumpEvents();
    EXPECT_EQ(dialog->idleUpdates(), before + 1);
    EXPECT_EQ(dialog->writeHeader, 0) << "the idle update read the box back";
    // A posted event (as the worker's wake-up) counts as well.
    dialog->CallAfter([] {});
    UiTest::pumpEvents();
    EXPECT_EQ(dialog->idleUpdates(), before + 2);
    // So does a drop, which arrives outside the event flow, even when it adds nothing.
    static_cast<wxFileDropTarget*>(dialog->GetDropTarget())->OnDropFiles(0, 0, wxArrayString());
    UiTest::pumpEvents();
    EXPECT_EQ(dialog->idleUpdates(), before + 3);
}

TEST_F(GuiMainDlg, DataExchangeResetsOutOfRangeChecks) {
    dialog->separateFiles = 5;
    dialog->outputFileName = u"123.c";
    EXPECT_TRUE(dialog->writeToControls());
    EXPECT_EQ(dialog->separateFiles, 0);
    EXPECT_FALSE(static_cast<wxCheckBox*>(dialog->FindWindow(MainId::separateFiles))->GetValue());
    EXPECT_TRUE(dialog->readFromControls());
    EXPECT_EQ(Zenlo::utf16ToUtf8(dialog->outputFileName.view()), "123.c");
    EXPECT_EQ(Zenlo::utf16ToUtf8(dialog->labelText.view()), "...");
}

TEST_F(GuiMainDlg, LayoutFollowsTheTableInKeyboardOrder) {
    // Every table control exists, lies inside the client area and comes in table order.
    const wxSize client = dialog->GetClientSize();
    const wxWindowList& children = dialog->GetChildren();
    ASSERT_EQ(children.size(), mainDialogControlCount);
    std::size_t index = 0;
    for (wxWindow* child : children) {
        const ZnControlSpec& item = mainDialogControls[index++];
        if (item.id != wxID_ANY) {
            EXPECT_EQ(child->GetId(), item.id);
        }
        const wxRect rect = child->GetRect();
        if (item.x >= 0) {
            EXPECT_LE(rect.GetRight(), client.x) << item.id;
        }
        EXPECT_LE(rect.GetBottom(), client.y) << item.id;
    }
    EXPECT_EQ(Zenlo::fromWx(dialog->GetTitle()), Zenlo::WideString(u"Hexmoor"));
    EXPECT_FALSE(dialog->HasFlag(wxRESIZE_BORDER));
    EXPECT_FALSE(dialog->HasFlag(wxMAXIMIZE_BOX));
}

TEST_F(GuiMainDlg, MultiLineButtonWrapsLongCaptions) {
    wxWindow* setup = dialog->FindWindow(MainId::variableSetup);
    setup->SetLabel("Variable setup of many words");
    const wxString label = setup->GetLabel();
    EXPECT_NE(label.Find('\n'), wxNOT_FOUND) << label;
    for (const wxString& line : wxSplit(label, '\n', '\0'))
        EXPECT_LE(setup->GetTextExtent(line).x, setup->GetSize().x) << line;
    setup->SetLabel("300");
    EXPECT_EQ(setup->GetLabel(), "300");
}

TEST(GuiWrapToWidth, BreaksAtSpacesAndKeepsLineBreaks) {
    auto* frame = new wxDialog(nullptr, wxID_ANY, "wrap");
    const int width = frame->GetTextExtent("abc def").x;
    EXPECT_EQ(wrapToWidth(frame, "abc def ghi", width), "abc def\nghi");
    EXPECT_EQ(wrapToWidth(frame, "abcdefghijklmnop xy", width), "abcdefghijklmnop\nxy");
    EXPECT_EQ(wrapToWidth(frame, "\na b", width), "\na b");
    EXPECT_EQ(wrapToWidth(frame, "", width), "");
    frame->Destroy();
    UiTest::pumpEvents();
}

TEST_F(GuiMainDlg, EnterInTheOutputFileEditPressesConvert) {
    list()->Append("/a");
    dialog->idleUpdate();
    ASSERT_TRUE(enabled(MainId::convert));
    int pressed = 0;
    dialog->Bind(
        wxEVT_BUTTON, [&](wxCommandEvent&) { ++pressed; }, MainId::convert);
    auto* edit = static_cast<wxTextCtrl*>(dialog->FindWindow(MainId::outputFile));
    dialog->Raise();
    edit->SetFocus();
    UiTest::pumpEvents();
    wxUIActionSimulator keys;
    keys.Char(WXK_RETURN);
    for (int i = 0; i < 20 && pressed == 0; ++i) {
        wxMilliSleep(20);
        UiTest::pumpEvents();
    }
    EXPECT_EQ(pressed, 1);
    EXPECT_TRUE(dialog->IsShown());
}
