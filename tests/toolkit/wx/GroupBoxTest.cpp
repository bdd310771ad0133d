// ZnGroupBox: attaching once, and the parent erasing the background inside the frame.
#include "toolkit/wx/GroupBox.h"

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/dialog.h>

#include "../../app/UiTestSupport.h"

using namespace Zenlo;

TEST(GuiGroupBox, AttachesOnceAndLetsTheParentErase) {
    auto* dialog = new wxDialog(nullptr, wxID_ANY, "group");
    auto* box = new wxStaticBox(dialog, wxID_ANY, "frame", wxPoint(10, 10), wxSize(100, 60));
    int parentErases = 0;
    dialog->Bind(wxEVT_ERASE_BACKGROUND, [&](wxEraseEvent&) { ++parentErases; });
    {
        ZnGroupBox group;
        EXPECT_FALSE(group.attach(nullptr));
        EXPECT_TRUE(group.attach(box));
        EXPECT_FALSE(group.attach(box)) << "one box per group";
        wxBitmap canvas(120, 80);
        wxMemoryDC dc(canvas);
        wxEraseEvent erase(box->GetId(), &dc);
        erase.SetEventObject(box);
        box->ProcessWindowEvent(erase);
        EXPECT_EQ(parentErases, 1);
    }
    // Once the group is gone the box erases on its own again.
    wxBitmap canvas(120, 80);
    wxMemoryDC dc(canvas);
    wxEraseEvent erase(box->GetId(), &dc);
    box->ProcessWindowEvent(erase);
    EXPECT_EQ(parentErases, 1);
    dialog->Destroy();
    UiTest::pumpEvents();
}
