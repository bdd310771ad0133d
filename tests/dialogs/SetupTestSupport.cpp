// Helpers for the variable setup tests.
#include "SetupTestSupport.h"

#include <wx/app.h>

#include "../app/UiTestSupport.h"
#include "i18n/Language.h"

using namespace Zenlo;

namespace SetupTest {

void loadEnglish() {
    ZnLanguage& language = ZnLanguage::instance();
    language.setLanguageFolder(Zenlo::fromUtf8(HEXMOOR_SOURCE_DIR "/lang/"));
    language.scanLanguages();
    language.selectLanguage(u"English");
}

int runSetup(CVariableSetupDlg& dialog, const Steps& steps, wxWindow* owner) {
    wxTheApp->CallAfter([&dialog, steps] {
        UiTest::pumpEvents();
        steps(dialog);
        if (UiTest::stillOpen(dialog)) dialog.EndModal(-2);
    });
    return dialog.runModal(owner);
}

CVariableSetupDlg* openSetupDialog() {
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<CVariableSetupDlg*>(window);
            dialog && UiTest::stillOpen(*dialog))
            return dialog;
    return nullptr;
}

void whenInputBoxOpens(const std::function<void(ZnInputBox&)>& step) {
    wxTheApp->CallAfter([step] {
        UiTest::pumpEvents();
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* box = dynamic_cast<ZnInputBox*>(window); box && UiTest::stillOpen(*box)) {
                step(*box);
                if (UiTest::stillOpen(*box)) box->EndModal(-2);
            }
    });
}

void typeAnswer(ZnInputBox& box, const char* text, int closeId) {
    edit(box, ZnInputBox::editId)->SetValue(wxString::FromUTF8(text));
    UiTest::click(&box, closeId);
}

} // namespace SetupTest
