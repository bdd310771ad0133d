// What the platform's own controls must show: the default-button look of a button that is not the
// default, the taskbar progress; the state the platform keeps itself is read back from the control.
// Only Windows keeps such state apart from wx: elsewhere there is nothing of ours to read back.
// (The list's sideways extent is checked by its scrolling, in FileListTest.)
#ifdef __WXMSW__
#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/dialog.h>

#include "toolkit/wx/NativeLook.h"

#include <wx/appprogress.h>
#include <wx/msw/wrapwin.h>

namespace {

class GuiPlatformLook : public testing::Test {
protected:
    void SetUp() override {
        dialog = new wxDialog(nullptr, wxID_ANY, "look");
        button = new wxButton(dialog, wxID_ANY, "arrow", wxPoint(130, 0));
        other = new wxButton(dialog, wxID_ANY, "other", wxPoint(130, 40));
    }
    void TearDown() override { dialog->Destroy(); }

    wxDialog* dialog = nullptr;
    wxButton* button = nullptr;
    wxButton* other = nullptr;
};

} // namespace

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
