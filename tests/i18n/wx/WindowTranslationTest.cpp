// Window translation: which captions take part, registration under keys, later switches,
// missing keys, destroyed windows and the untouched edits.
#include "i18n/wx/WindowTranslation.h"

#include <map>

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "../../app/UiTestSupport.h"
#include "i18n/wx/LanguageChooser.h"

using namespace Zenlo;

using Zenlo::WideString;

namespace {

ZnWindowTranslation::Lookup tableOf(const std::map<std::int32_t, WideString>& table) {
    return [&table](std::int32_t key) -> const WideString* {
        auto found = table.find(key);
        return found == table.end() ? nullptr : &found->second;
    };
}

} // namespace

TEST(GuiWindowTranslation, TranslatesCaptionsAndLeavesEditsAlone) {
    ZnWindowTranslation translation;
    auto* dialog = new wxDialog(nullptr, wxID_ANY, "100 About");
    auto* label = new wxStaticText(dialog, wxID_ANY, " 42");
    auto* button = new wxButton(dialog, wxID_ANY, "202");
    auto* ok = new wxButton(dialog, wxID_OK, "OK");
    auto* box = new wxCheckBox(dialog, wxID_ANY, "205");
    auto* edit = new wxTextCtrl(dialog, wxID_ANY, "202 output.c");
    auto* fileName = new wxStaticText(dialog, wxID_ANY, "202.bin");
    ZnWindowTranslation::markAsData(fileName);

    std::map<std::int32_t, WideString> english = {
        {100, u"About"}, {42, u"Answer"}, {202, u"Add"}, {205, u"One file each"}};
    EXPECT_TRUE(translation.translateWindow(dialog, tableOf(english)));
    EXPECT_EQ(dialog->GetTitle(), "About");
    EXPECT_EQ(label->GetLabel(), "Answer");
    EXPECT_EQ(button->GetLabel(), "Add");
    EXPECT_EQ(ok->GetLabel(), "OK");
    EXPECT_EQ(box->GetLabel(), "One file each");
    EXPECT_EQ(edit->GetValue(), "202 output.c") << "an edit's content is the user's data";
    EXPECT_EQ(fileName->GetLabel(), "202.bin") << "a data label is never translated";
    EXPECT_EQ(translation.registeredCount(202), 1u);

    // A later switch reaches the windows through their keys, though their captions are words.
    std::map<std::int32_t, WideString> german = {{100, u"Info"}, {202, u"Hinzuf\u00fcgen"}};
    translation.translateWindow(dialog, tableOf(german));
    EXPECT_EQ(dialog->GetTitle(), "Info");
    EXPECT_EQ(button->GetLabel(), wxString::FromUTF8("Hinzuf\xc3\xbcgen"));
    EXPECT_EQ(label->GetLabel(), "Answer") << "a missing key keeps the previous text";
    EXPECT_EQ(translation.registeredCount(202), 1u) << "words are not registered again";

    dialog->Destroy();
    UiTest::pumpEvents();
    // The destroyed windows stay listed and are skipped.
    auto* second = new wxDialog(nullptr, wxID_ANY, "title");
    auto* again = new wxButton(second, wxID_ANY, "202");
    translation.translateWindow(second, tableOf(english));
    EXPECT_EQ(again->GetLabel(), "Add");
    EXPECT_EQ(translation.registeredCount(202), 2u);
    EXPECT_FALSE(translation.translateWindow(nullptr, tableOf(english)));
    second->Destroy();
    UiTest::pumpEvents();
}

TEST(GuiWindowTranslation, EmptyTableKeepsNumbers) {
    ZnWindowTranslation translation;
    auto* dialog = new wxDialog(nullptr, wxID_ANY, "Hexmoor");
    auto* label = new wxStaticText(dialog, wxID_ANY, "207");
    translation.translateWindow(dialog, nullptr);
    EXPECT_EQ(label->GetLabel(), "207");
    EXPECT_EQ(dialog->GetTitle(), "Hexmoor");
    dialog->Destroy();
    UiTest::pumpEvents();
}

TEST(LanguageChooser, PrefixSearchIgnoresCase) {
    wxArrayString entries;
    for (const char* name : {"Deutsch", "English", "Espa\xc3\xb1ol"})
        entries.Add(wxString::FromUTF8(name));
    struct Case {
        const char* prefix;
        int index;
    };
    const Case cases[] = {{"English", 1}, {"eng", 1},         {"E", 1}, {"es", 2},
                          {"", 0},        {"Englishman", -1}, {"x", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prefix);
        EXPECT_EQ(Zenlo::findPrefixIgnoringCase(entries, c.prefix), c.index);
    }
    EXPECT_EQ(Zenlo::findPrefixIgnoringCase(wxArrayString(), "English"), -1);
}
