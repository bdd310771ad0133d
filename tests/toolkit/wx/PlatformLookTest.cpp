// What the platform's own controls must show: the list box's sideways extent, dialog units from
// the dialog font, the default-button look of a button that is not the default, the taskbar
// progress. Where the platform keeps the state itself (Windows), it is read back from the control.
#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/listbox.h>

#include "toolkit/wx/NativeLook.h"
#include "toolkit/wx/ListBoxExtent.h"

#ifdef __WXMSW__
#include <wx/appprogress.h>
#include <wx/msw/wrapwin.h>
#endif

namespace {

class GuiPlatformLook : public testing::Test {
protected:
    void SetUp() override {
        dialog = new wxDialog(nullptr, wxID_ANY, "look");
        list = new wxListBox(dialog, wxID_ANY, wxPoint(0, 0), wxSize(120, 80), 0, nullptr,
                             wxLB_SINGLE | wxLB_HSCROLL);
        button = new wxButton(dialog, wxID_ANY, "arrow", wxPoint(130, 0));
        other = new wxButton(dialog, wxID_ANY, "other", wxPoint(130, 40));
    }
    void TearDown() override { dialog->Destroy(); }

    wxDialog* dialog = nullptr;
    wxListBox* list = nullptr;
    wxButton* button = nullptr;
    wxButton* other = nullptr;
};

} // namespace

TEST_F(GuiPlatformLook, ListExtentIsTheWidestRowPlusOneCharacter) {
    EXPECT_EQ(Zenlo::applyHorizontalExtent(list), 0) << "empty list";
    const wxString wide =
        wxString::FromUTF8("C:\\a rather long folder name\\that does not fit\\Grüße, Привет.bin");
    list->Append("short");
    list->Append(wide);
    const int extent = Zenlo::applyHorizontalExtent(list);
    EXPECT_EQ(extent, list->GetTextExtent(wide).x + list->GetCharWidth());
    EXPECT_GT(extent, list->GetClientSize().x);
#ifdef __WXMSW__
    EXPECT_EQ(::SendMessage(list->GetHWND(), LB_GETHORIZONTALEXTENT, 0, 0), extent)
        << "the Windows list box scrolls only as far as it is told";
    list->Clear();
    Zenlo::applyHorizontalExtent(list);
    EXPECT_EQ(::SendMessage(list->GetHWND(), LB_GETHORIZONTALEXTENT, 0, 0), 0);
#endif
}

// Dialog units come from the dialog's font: 4 horizontal units are the average width of the
// Latin letters, 8 vertical ones the character height.
TEST_F(GuiPlatformLook, DialogUnitsFollowTheDialogFont) {
    const wxString letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const wxSize measured = dialog->GetTextExtent(letters);
    const int averageWidth = (measured.x / 26 + 1) / 2;
    const wxPoint base = dialog->ConvertDialogToPixels(wxPoint(4, 8));
    EXPECT_EQ(base.x, averageWidth);
    EXPECT_EQ(base.y, measured.y);
    // A bigger dialog font gives bigger units.
    wxFont bigger = dialog->GetFont();
    bigger.SetPointSize(bigger.GetPointSize() * 2);
    dialog->SetFont(bigger);
    EXPECT_GT(dialog->ConvertDialogToPixels(wxPoint(100, 100)).x, base.x * 25 + 10);
}

#ifdef __WXMSW__
TEST_F(GuiPlatformLook, MoveButtonTakesAndLosesTheDefaultLook) {
    auto isDefaultLook = [](wxButton* b) {
        return (::GetWindowLong(b->GetHWND(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    };
    ASSERT_TRUE(Zenlo::showAsDefaultButton(button, true));
    EXPECT_TRUE(isDefaultLook(button));
    EXPECT_FALSE(isDefaultLook(other));
    ASSERT_TRUE(Zenlo::showAsDefaultButton(button, false));
    EXPECT_FALSE(isDefaultLook(button));
}

// The taskbar button shows the run's progress once the window has one.
TEST_F(GuiPlatformLook, TaskbarProgressIsOfferedForAShownWindow) {
    dialog->Show();
    wxAppProgressIndicator taskbar(dialog, 100);
    EXPECT_TRUE(taskbar.IsAvailable()) << "no taskbar interface for the window";
    taskbar.SetValue(40);
    taskbar.Reset();
}
#endif
