// The main dialog driven for real: enable table, check boxes, close requests, the idle rule,
// data exchange and the layout built from the table.
#include "app/MainDlg.h"

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/dnd.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "UiTestSupport.h"
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

TEST_F(GuiMainDlg, EmptyListEnablesOnlyTheIdleControls) {
    dialog->idleUpdate();
    const int on[] = {MainId::fileList,    MainId::addFiles,      MainId::separateFiles,
                      MainId::writeHeader, MainId::variableSetup, MainId::outputFile,
                      MainId::browseFile,  MainId::outputFolder,  MainId::browseFolder,
                      MainId::close,       MainId::language,      MainId::about};
    const int off[] = {MainId::convert, MainId::removeFile, MainId::clearList,
                       MainId::moveUp,  MainId::moveDown,   MainId::stop};
    for (int id : on)
        EXPECT_TRUE(enabled(id)) << id;
    for (int id : off)
        EXPECT_FALSE(enabled(id)) << id;
}

TEST_F(GuiMainDlg, SeparateFilesDisablesTheOutputFileAndAllowsAnEmptyName) {
    list()->Append("/tmp/a.bin");
    static_cast<wxTextCtrl*>(dialog->FindWindow(MainId::outputFile))->SetValue("");
    dialog->idleUpdate();
    EXPECT_FALSE(enabled(MainId::convert)) << "one output file needs a name";
    UiTest::click(dialog, MainId::separateFiles);
    dialog->idleUpdate();
    EXPECT_EQ(dialog->separateFiles, 1);
    EXPECT_FALSE(enabled(MainId::outputFile));
    EXPECT_FALSE(enabled(MainId::browseFile));
    EXPECT_TRUE(enabled(MainId::convert));
    UiTest::click(dialog, MainId::separateFiles);
    dialog->idleUpdate();
    EXPECT_TRUE(enabled(MainId::outputFile));
    EXPECT_FALSE(enabled(MainId::convert));
}

TEST_F(GuiMainDlg, SelectionDrivesTheListButtons) {
    for (const char* name : {"/a", "/b", "/c"})
        list()->Append(name);
    list()->SetSelection(0);
    dialog->idleUpdate();
    EXPECT_TRUE(enabled(MainId::removeFile));
    EXPECT_FALSE(enabled(MainId::moveUp));
    EXPECT_TRUE(enabled(MainId::moveDown));
    EXPECT_TRUE(enabled(MainId::convert));
    list()->SetSelection(2);
    dialog->idleUpdate();
    EXPECT_TRUE(enabled(MainId::moveUp));
    EXPECT_FALSE(enabled(MainId::moveDown));
}

TEST_F(GuiMainDlg, BusyLeavesOnlyStopLanguageAndAbout) {
    list()->Append("/a");
    dialog->busy = true;
    dialog->idleUpdate();
    for (int id : mainUpdateIds)
        EXPECT_EQ(enabled(id), id == MainId::stop) << id;
    EXPECT_TRUE(enabled(MainId::language));
    EXPECT_TRUE(enabled(MainId::about));
    dialog->busy = false;
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
    dialog->Bind(wxEVT_BUTTON, [&](wxCommandEvent&) { ++pressed; }, MainId::convert);
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
