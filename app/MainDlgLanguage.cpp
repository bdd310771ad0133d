// CMainDlg: settings file and interface language: loading at start-up, the chooser, switching.
#include "app/MainDlg.h"

#include <wx/choice.h>
#include <wx/msgdlg.h>

#include "converter/OptionTexts.h"
#include "i18n/Language.h"
#include "i18n/TextKeys.h"
#include "i18n/wx/LanguageChooser.h"
#include "i18n/wx/WindowTranslation.h"
#include "settings/SettingsFile.h"
#include "toolkit/FileSystem.h"
#include "toolkit/wx/WxText.h"

namespace Zenlo {
namespace {

std::filesystem::path settingsPath(const Zenlo::WideString& startFolder) {
    return Zenlo::toPath(startFolder + Zenlo::settingsFileName);
}

} // namespace

void CMainDlg::loadSettings() {
    Zenlo::loadSettingsFile(settingsPath(startFolder), converter.options, languageName);
    // A text that would not stand in the generated code takes its default, as on first start.
    Zenlo::defaultUnusableTexts(converter.options);
}

bool CMainDlg::saveSettings() {
    const std::filesystem::path path = settingsPath(startFolder);
    int error = 0;
    if (Zenlo::saveSettingsFile(path, converter.options, languageName, &error)) return true;
    // The old file stays whole; the user learns that this session's choices are not kept.
    const Zenlo::WideString pattern = ZnLanguage::instance().templateText(
        TextKey::settingsNotSaved, u"The settings could not be saved in %s: %s");
    wxMessageBox(Zenlo::toWx(Zenlo::WideString::formatted(pattern.c_str(), Zenlo::fromPath(path),
                                                          Zenlo::fromUtf8(systemErrorText(error)))),
                 "Hexmoor", wxOK | wxICON_WARNING, this);
    return false;
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
