// ZnWinDataExchange: text and check exchange both ways, and the stop at a failing control.
#include "toolkit/wx/WinDataExchange.h"

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "../../app/UiTestSupport.h"
#include "toolkit/TextEncoding.h"

using namespace Zenlo;

using Zenlo::WideString;

TEST(GuiWinDataExchange, MovesTextsAndChecksAndStopsAtAFailure) {
    auto* dialog = new wxDialog(nullptr, wxID_ANY, "exchange");
    auto* edit = new wxTextCtrl(dialog, 10, "");
    auto* label = new wxStaticText(dialog, 11, "");
    auto* box = new wxCheckBox(dialog, 12, "box");
    auto* other = new wxTextCtrl(dialog, 13, "");

    WideString name = u"a&b \u00e9\U0001F600";
    WideString caption = u"50% & more";
    int ticked = 5;
    ZnWinDataExchange write(dialog, ZnWinDataExchange::toControls);
    EXPECT_TRUE(write.text(10, name).text(11, caption).check(12, ticked).ok());
    EXPECT_EQ(ticked, 0);
    EXPECT_FALSE(box->GetValue());
    EXPECT_EQ(label->GetLabelText(), wxString::FromUTF8("50% & more"));

    WideString empty = u"filled";
    edit->ChangeValue("");
    ZnWinDataExchange read(dialog, ZnWinDataExchange::fromControls);
    EXPECT_TRUE(read.text(10, empty).ok());
    EXPECT_TRUE(empty.isEmpty());

    edit->ChangeValue(wxString::FromUTF8("a&b \xc3\xa9\xf0\x9f\x98\x80"));
    box->SetValue(true);
    WideString back;
    int state = 0;
    WideString untouched = u"kept";
    ZnWinDataExchange failing(dialog, ZnWinDataExchange::fromControls);
    failing.text(10, back).check(99, state).text(13, untouched);
    EXPECT_FALSE(failing.ok());
    EXPECT_EQ(back, name);
    EXPECT_EQ(Zenlo::utf16ToUtf8(untouched.view()), "kept") << "the run stops at the failure";
    EXPECT_TRUE(ZnWinDataExchange(dialog, ZnWinDataExchange::fromControls).check(12, state).ok());
    EXPECT_EQ(state, 1);
    (void)other;
    dialog->Destroy();
    UiTest::pumpEvents();
}
