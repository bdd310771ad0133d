// CMainDlg: settings file and interface language: loading at start-up, the chooser, switching.
#include "app/MainDlg.h"

#include <wx/choice.h>

#include "i18n/wx/LanguageChooser.h"
#include "i18n/wx/WindowTranslation.h"
#include "toolkit/wx/WxText.h"

void CMainDlg::loadSettings() {}

void CMainDlg::saveSettings() {}

void CMainDlg::initialiseLanguage() {
    if (languageName.isEmpty()) languageName = u"English";
    languageChooser_->SetSelection(
        Zenlo::findPrefixIgnoringCase(languageChooser_->GetStrings(), Zenlo::toWx(languageName)));
    translate();
}

void CMainDlg::translate() {
    windowTranslation().translateWindow(this, nullptr);
}

void CMainDlg::changeLanguage() {
    const int selected = languageChooser_->GetSelection();
    if (selected == wxNOT_FOUND) return;
    const Zenlo::WideString chosen = Zenlo::fromWx(languageChooser_->GetString(selected));
    if (chosen == languageName) return;
    languageName = chosen;
    translate();
}
