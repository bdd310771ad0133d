// CMainDlg: creation, initialisation, the idle update, data exchange, language switching and
// the Close button. The file list and the conversion control live in their own files.
#include "app/MainDlg.h"

#include <cassert>
#include <utility>

#include <wx/appprogress.h>
#include <wx/bmpbuttn.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/gauge.h>
#include <wx/listbox.h>

#include "app/AboutDlg.h"
#include "app/ConversionControl.h"
#include "app/FileList.h"
#include "app/IdleRule.h"
#include "app/MainDlgIds.h"
#include "app/MainDlgTable.h"
#include "app/ProgressMath.h"
#include "converter/OutputTarget.h"
#include "i18n/wx/WindowTranslation.h"
#include "res/Images.h"
#include "toolkit/FileSystem.h"
#include "toolkit/wx/NativeLook.h"
#include "toolkit/wx/WinDataExchange.h"
#include "toolkit/wx/WxText.h"

namespace Zenlo {
// clang-format off
wxBEGIN_EVENT_TABLE(CMainDlg, wxDialog)
    EVT_IDLE(CMainDlg::onIdle)
    EVT_CLOSE(CMainDlg::onClose)
    EVT_BUTTON(wxID_ANY, CMainDlg::onCommand)
    EVT_CHECKBOX(wxID_ANY, CMainDlg::onCommand)
    EVT_CHOICE(MainId::language, CMainDlg::onLanguage)
wxEND_EVENT_TABLE()
    // clang-format on

    CMainDlg::CMainDlg(EndProgram endProgram)
    : endProgram_(std::move(endProgram)) {
    outputFolder = defaultOutputFolder();
}

CMainDlg::~CMainDlg() {
    shutdown();
}

bool CMainDlg::create() {
    // Fixed size: caption, window menu and minimise box; no maximise box, no sizing border and
    // no close box (only the Close button ends the program).
    const long style = wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX;
    if (!Create(nullptr, wxID_ANY, "Hexmoor", wxDefaultPosition, wxDefaultSize, style))
        return false;
    if (!buildDialogControls(this, mainDialogWidth, mainDialogHeight, mainDialogControls,
                             mainDialogControlCount))
        return false;
    initialise();
    return true;
}

void CMainDlg::initialise() {
    Centre(wxBOTH);
    // Escape does nothing: the dialog has no cancel command.
    SetEscapeId(wxID_NONE);
    SetAffirmativeId(wxID_NONE);
    startFolder = Zenlo::currentFolder();

    // The file-name label shows input names during a run: data, not a caption.
    ZnWindowTranslation::markAsData(FindWindow(MainId::fileLabel));
    fileList_ = static_cast<wxListBox*>(FindWindow(MainId::fileList));
    moveUpButton_ = static_cast<wxBitmapButton*>(FindWindow(MainId::moveUp));
    moveDownButton_ = static_cast<wxBitmapButton*>(FindWindow(MainId::moveDown));
    totalBar_ = static_cast<wxGauge*>(FindWindow(MainId::totalBar));
    fileBar_ = static_cast<wxGauge*>(FindWindow(MainId::fileBar));
    languageChooser_ = static_cast<wxChoice*>(FindWindow(MainId::language));
    outputFileEdit_.attach(static_cast<wxTextCtrl*>(FindWindow(MainId::outputFile)));
    outputFolderEdit_.attach(static_cast<wxTextCtrl*>(FindWindow(MainId::outputFolder)));
    attachImages();
    // The closed chooser lines up with the buttons of its row.
    fitChoiceHeight(languageChooser_, FindWindow(MainId::close)->GetSize().y);
    loadSettings();
    initialiseLanguage();

    for (wxGauge* bar : {fileBar_, totalBar_}) {
        bar->SetRange(Zenlo::progressRange);
        bar->SetValue(0);
    }
    initialiseConversion();
    SetIcons(Zenlo::programIcons());
    writeToControls();
    fileList_->SetFocus();
}

void CMainDlg::attachImages() {
    moveUpButton_->SetBitmap(Zenlo::arrowBitmap(true));
    moveDownButton_->SetBitmap(Zenlo::arrowBitmap(false));
}

void CMainDlg::shutdown() {
    // Stops and joins a running worker; it never waits for this window, so this cannot hang.
    if (conversion_) conversion_->shutdown();
}

bool CMainDlg::writeToControls() {
    return exchangeData(ZnWinDataExchange::toControls);
}

bool CMainDlg::readFromControls() {
    return exchangeData(ZnWinDataExchange::fromControls);
}

// One list of control-member pairs serves both directions, so they cannot drift apart.
bool CMainDlg::exchangeData(ZnWinDataExchange::Direction direction) {
    ZnWinDataExchange exchange(this, direction);
    exchange.text(MainId::outputFile, outputFileName)
        .text(MainId::outputFolder, outputFolder)
        .text(MainId::fileLabel, labelText)
        .check(MainId::separateFiles, separateFiles)
        .check(MainId::writeHeader, writeHeader);
    return exchange.ok();
}

ZnMainState CMainDlg::currentState() const {
    ZnMainState state;
    state.busy = busy;
    state.selected = fileList_->GetSelection();
    state.count = static_cast<int>(fileList_->GetCount());
    state.separateFiles = separateFiles != 0;
    state.writeHeader = writeHeader != 0;
    state.outputFileNameEmpty = outputFileName.isEmpty();
    return state;
}

void CMainDlg::idleUpdate() {
    ++idleUpdates_;
    readFromControls();
    const auto wanted = mainDialogUpdates(currentState());
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        const ZnControlUpdate& want = wanted[i];
        wxWindow* control = FindWindow(want.id);
        if (!control) continue;
        const ZnControlUpdate& had = applied_[i];
        if (!appliedValid_ || had.enabled != want.enabled) control->Enable(want.enabled);
        if (want.check < 0 || (appliedValid_ && had.check == want.check)) continue;
        // Only check boxes have a wanted check state.
        assert(dynamic_cast<wxCheckBox*>(control));
        static_cast<wxCheckBox*>(control)->SetValue(want.check != 0);
    }
    applied_ = wanted;
    appliedValid_ = true;
}

void CMainDlg::onIdle(wxIdleEvent& event) {
    event.Skip();
    if (Zenlo::takeIdleUpdateRequest()) idleUpdate();
}

void CMainDlg::onClose(wxCloseEvent& event) {
    // The close box, Alt+F4 and the window manager's close requests do nothing.
    if (event.CanVeto()) {
        event.Veto();
        return;
    }
    Destroy();
}

void CMainDlg::onCommand(wxCommandEvent& event) {
    using Action = void (*)(CMainDlg&);
    static const std::pair<int, Action> actions[] = {
        {MainId::addFiles, [](CMainDlg& d) { d.addFiles(); }},
        {MainId::removeFile, [](CMainDlg& d) { d.files_->removeSelected(); }},
        {MainId::clearList, [](CMainDlg& d) { d.files_->removeAll(); }},
        {MainId::moveUp, [](CMainDlg& d) { d.files_->moveSelected(true); }},
        {MainId::moveDown, [](CMainDlg& d) { d.files_->moveSelected(false); }},
        {MainId::variableSetup, [](CMainDlg& d) { d.variableSetup(); }},
        {MainId::browseFile, [](CMainDlg& d) { d.browseOutputFile(); }},
        {MainId::browseFolder, [](CMainDlg& d) { d.browseOutputFolder(); }},
        {MainId::convert, [](CMainDlg& d) { d.convert(); }},
        {MainId::stop, [](CMainDlg& d) { d.conversion_->stop(); }},
        {MainId::close, [](CMainDlg& d) { d.closeProgram(); }},
        {MainId::about, [](CMainDlg& d) { d.showAbout(); }},
    };
    const int id = event.GetId();
    // Looking at the About box, stopping and leaving keep the report; anything else ends it.
    if (id != MainId::about && id != MainId::stop && id != MainId::close) clearReport();
    for (const auto& [actionId, action] : actions)
        if (actionId == id) return action(*this);
    event.Skip();
}

void CMainDlg::onLanguage(wxCommandEvent&) {
    changeLanguage();
}

void CMainDlg::showAbout() {
    CAboutDlg about;
    if (about.create(this)) about.ShowModal();
}

void CMainDlg::closeProgram() {
    const bool saved = saveSettings();
    shutdown();
    Destroy();
    if (endProgram_) endProgram_(saved ? MainId::close : settingsNotSavedCode);
}
} // namespace Zenlo
