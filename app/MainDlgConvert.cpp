// CMainDlg: the file list's ways in, output target and conversion control: browsing, convert,
// progress.
#include "app/MainDlg.h"

#include <wx/appprogress.h>
#include <wx/bmpbuttn.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/gauge.h>
#include <wx/listbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/ConversionControl.h"
#include "app/FileList.h"
#include "app/MainDlgIds.h"
#include "app/ProgressMath.h"
#include "converter/OutputTarget.h"
#include "i18n/Language.h"
#include "i18n/TextKeys.h"
#include "toolkit/wx/WxText.h"

namespace Zenlo {
void CMainDlg::initialiseConversion() {
    files_ = std::make_unique<ZnFileList>(fileList_, moveUpButton_, moveDownButton_,
                                          [this] { clearReport(); });
    taskbar_ = std::make_unique<wxAppProgressIndicator>(this, progressRange);
    taskbar_->Reset();
    // Posted to this window's queue: a window destroyed meanwhile drops the work with itself.
    ZnConversionView& view = *this;
    conversion_ = std::make_unique<ZnConversionControl>(
        converter, view, [this](std::function<void()> work) { CallAfter(std::move(work)); });

    // Files may be dropped on the window and on the list (which handles its own drops); the
    // list's change ends the report of the last run.
    auto drop = [this](const wxArrayString& paths) { files_->addDropped(paths); };
    SetDropTarget(new ZnFileDropTarget(drop));
    fileList_->SetDropTarget(new ZnFileDropTarget(drop));
}

void CMainDlg::addFiles() {
    const ZnLanguage& language = ZnLanguage::instance();
    files_->addFromDialog(this, language.text(TextKey::addFilesTitle),
                          language.text(TextKey::allFiles));
}

void CMainDlg::browseOutputFile() {
    ZnLanguage& language = ZnLanguage::instance();
    wxString filter = Zenlo::toWx(Zenlo::outputFileFilter(
        language.text(Zenlo::TextKey::allSources), language.text(Zenlo::TextKey::cSources),
        language.text(Zenlo::TextKey::cppSources)));
    // A save dialog, so that a file that does not exist yet can be named. It asks no overwrite
    // question: the file written is only known at convert, after the extension is corrected
    // and the folder normalised, and may not be the one chosen here.
    wxFileDialog dialog(this, Zenlo::toWx(language.text(Zenlo::TextKey::outputFileTitle)),
                        wxString(), wxString(), filter, wxFD_SAVE);
    if (dialog.ShowModal() == wxID_OK) useChosenOutputFile(Zenlo::fromWx(dialog.GetPath()));
}

void CMainDlg::useChosenOutputFile(const Zenlo::WideString& path) {
    Zenlo::ZnOutputChoice choice = Zenlo::splitOutputChoice(path);
    outputFileName = choice.fileName;
    outputFolder = choice.folder;
    writeToControls();
}

void CMainDlg::browseOutputFolder() {
    if (!readFromControls()) return;
    // A folder the browser cannot find selects nothing.
    wxDirDialog dialog(this, wxString(), Zenlo::toWx(outputFolder),
                       wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (dialog.ShowModal() == wxID_OK) useChosenOutputFolder(Zenlo::fromWx(dialog.GetPath()));
}

void CMainDlg::useChosenOutputFolder(const Zenlo::WideString& folder) {
    outputFolder = Zenlo::folderWithSeparator(folder);
    writeToControls();
}

namespace {

// A refused output field gets the focus with its whole text selected; both edits keep what the
// user typed.
void focusRefused(wxWindow* dialog, int id) {
    auto* edit = static_cast<wxTextCtrl*>(dialog->FindWindow(id));
    edit->SetFocus();
    // Selecting puts the caret at the end and scrolls it into view.
    edit->SelectAll();
}

} // namespace

void CMainDlg::convert() {
    if (busy || !readFromControls()) return;
    Zenlo::ZnPreparedOutput prepared =
        Zenlo::prepareOutput(outputFileName, outputFolder, startFolder);
    if (!prepared.nameAccepted || !prepared.folderReady) {
        ZnRunReport refusal;
        refusal.kind = prepared.nameAccepted ? ZnRunReport::Kind::folderRefused
                                             : ZnRunReport::Kind::nameRefused;
        if (!prepared.device.isEmpty()) refusal.kind = ZnRunReport::Kind::deviceRefused;
        refusal.folderError = prepared.folderError;
        refusal.device = prepared.device;
        showReport(refusal);
        focusRefused(this, prepared.nameAccepted ? MainId::outputFolder : MainId::outputFile);
        return;
    }
    outputFileName = prepared.fileName;
    outputFolder = prepared.folder;
    // A report of an earlier run does not outlive the start of the next.
    showReport(ZnRunReport());
    if (!writeToControls()) return;

    busy = true;
    conversion_->start({.inputs = Zenlo::inputsOf(files_->rows()),
                        .outputFolder = outputFolder,
                        .outputFileName = outputFileName,
                        .separateFiles = separateFiles != 0,
                        .writeHeader = writeHeader != 0});
}

void CMainDlg::showRunStarted() {
    if (taskbar_->IsAvailable()) taskbar_->SetValue(0);
}

void CMainDlg::showFileName(const WideString& name) {
    fileBar_->SetValue(0);
    labelText = name;
    static_cast<wxStaticText*>(FindWindow(MainId::fileLabel))->SetLabelText(toWx(name));
}

void CMainDlg::showProgress(int filePosition, int totalPosition) {
    fileBar_->SetValue(filePosition);
    totalBar_->SetValue(totalPosition);
    if (taskbar_->IsAvailable()) taskbar_->SetValue(totalPosition);
}

// The end comes in a posted event, after which the idle update enables the controls.
void CMainDlg::showRunEnded(const ZnRunReport& report) {
    fileBar_->SetValue(0);
    totalBar_->SetValue(0);
    taskbar_->Reset();
    showReport(report);
    busy = false;
}

void CMainDlg::showReport(const ZnRunReport& report) {
    report_ = report;
    labelText = Zenlo::reportLabel(report_);
    auto* label = static_cast<wxStaticText*>(FindWindow(MainId::fileLabel));
    label->SetLabelText(Zenlo::toWx(labelText));
    const WideString details = reportDetails(report_);
    if (details.isEmpty())
        label->UnsetToolTip();
    else
        label->SetToolTip(Zenlo::toWx(details));
}

void CMainDlg::clearReport() {
    if (report_.kind != ZnRunReport::Kind::none) showReport(ZnRunReport());
}
} // namespace Zenlo
