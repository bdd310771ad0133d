// CMainDlg: settings file and interface language: loading at start-up, the chooser, switching.
#include "app/MainDlg.h"

#include <wx/choice.h>

#include "i18n/Language.h"
#include "i18n/wx/LanguageChooser.h"
#include "i18n/wx/WindowTranslation.h"
#include "settings/SettingsFile.h"
#include "toolkit/wx/WxText.h"

namespace Zenlo {
namespace {

std::filesystem::path settingsPath(const Zenlo::WideString& startFolder) {
    return Zenlo::toPath(startFolder + Zenlo::settingsFileName);
}

} // namespace

void CMainDlg::loadSettings() {
    Zenlo::loadSettingsFile(settingsPath(startFolder), converter.options, languageName);
}

void CMainDlg::saveSettings() {
    // A failure stays silent: the window shows no messages, and the old file stays whole.
    Zenlo::saveSettingsFile(settingsPath(startFolder), converter.options, languageName);
}

void CMainDlg::initialiseLanguage() {
    ZnLanguage& language = ZnLanguage::instance();
    language.startUp(startFolder, languageName);
    for (const auto& entry : language.languages())
        languageChooser_->Append(Zenlo::toWx(entry.first));
    languageChooser_->SetSelection(
        Zenlo::findPrefixIgnoringCase(languageChooser_->GetStrings(), Zenlo::toWx(languageName)));
    translate();
}

void CMainDlg::translate() {
    translateWithLanguage(this);
    // The report is made of keys: it follows the language; input names and edits do not.
    if (report_.kind != ZnRunReport::Kind::none) showReport(report_);
}

void CMainDlg::changeLanguage() {
    const int selected = languageChooser_->GetSelection();
    if (selected == wxNOT_FOUND) return;
    const Zenlo::WideString chosen = Zenlo::fromWx(languageChooser_->GetString(selected));
    if (chosen == languageName) return;
    languageName = chosen;
    ZnLanguage::instance().selectLanguage(languageName);
    translate();
}
} // namespace Zenlo
