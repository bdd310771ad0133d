// CMainDlg: the program's only top-level window: file list, output target, conversion control,
// variable setup and About buttons, and the language chooser.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include <wx/dialog.h>

#include "app/ConversionControl.h"
#include "app/EnableTable.h"
#include "app/RunReport.h"
#include "converter/FileConverter.h"
#include "toolkit/WideString.h"
#include "toolkit/wx/CustomEdit.h"
#include "toolkit/wx/WinDataExchange.h"

class wxAppProgressIndicator;
class wxChoice;
class wxGauge;
class wxListBox;
class wxBitmapButton;

namespace Zenlo {
class ZnFileList;

// Shows a run's progress itself: the file-name label, the file and total bars, the taskbar.
class CMainDlg : public wxDialog, private ZnConversionView {
public:
    // Ends the program with the exit code; the application's, left empty in tests.
    using EndProgram = std::function<void(int exitCode)>;

    explicit CMainDlg(EndProgram endProgram = {});
    ~CMainDlg() override;

    // Creates the window and its controls and runs the initialisation. False when the window
    // could not be created.
    bool create();

    // The idle update: joins a finished worker, reads the controls, applies the enable table.
    void idleUpdate();
    // Moves the five exchanged values between members and controls; false (after a beep and
    // the focus on the failing control) when a control could not be exchanged.
    bool writeToControls();
    bool readFromControls();
    bool exchangeData(ZnWinDataExchange::Direction direction);
    // The state the enable table is computed from (list, selection, busy flag, output fields).
    ZnMainState currentState() const;

    // The conversion job with its options and notifications, and the main window's settings.
    Zenlo::ZnFileConverter converter;
    Zenlo::WideString outputFileName = u"arrays.cpp";
    Zenlo::WideString outputFolder;
    Zenlo::WideString startFolder;
    Zenlo::WideString languageName = u"English";
    Zenlo::WideString labelText = u"...";
    // Check box states as the exchange reads them (0, 1 or 2).
    int separateFiles = 0;
    int writeHeader = 1;
    bool busy = false;

    // Shows the report in the file-name label (every failure in its tip) and keeps it, so a
    // language switch shows it again in the new language. An empty report shows "...".
    void showReport(const ZnRunReport& report);

    // What browsing for the output file or folder does with the chosen path.
    void useChosenOutputFile(const Zenlo::WideString& path);
    void useChosenOutputFolder(const Zenlo::WideString& folder);

    // How often the idle update ran (for the idle rule's tests).
    unsigned idleUpdates() const { return idleUpdates_; }

    // The variable setup dialog on a copy of the options, copied back only on OK.
    void variableSetup();
    // Opens the About dialog modally.
    void showAbout();
    // Reacts to a chosen language: loads it and translates the windows again.
    void changeLanguage();
    // Saves the settings, destroys the window and ends the program with exit code 1039; when the
    // settings could not be saved, after a message saying why, with settingsNotSavedCode.
    void closeProgram();
    static constexpr int settingsNotSavedCode = 1;

private:
    void initialise();
    // Settings file of the start folder: read over the defaults, written by the Close button.
    void loadSettings();
    // False, after a message with the system's reason, when the settings could not be saved.
    bool saveSettings();
    // Scans the language folder, selects languageName, fills the chooser and translates.
    void initialiseLanguage();
    void translate();
    void attachImages();
    void shutdown();

    // Any action the user takes ends the report of the one before.
    void clearReport();

    // Event handlers: thin calls into the operations above and into the list and conversion
    // operations below.
    void onIdle(wxIdleEvent& event);
    void onClose(wxCloseEvent& event);
    void onCommand(wxCommandEvent& event);
    void onLanguage(wxCommandEvent& event);

    // Output target and conversion control.
    void addFiles();
    void browseOutputFile();
    void browseOutputFolder();
    void convert();
    // Creates the file list, the taskbar progress and the conversion control, and accepts
    // dropped files (also during a run, which works on its own copy of the list).
    void initialiseConversion();
    // What the conversion control shows, on the window's thread.
    void showRunStarted() override;
    void showFileName(const Zenlo::WideString& name) override;
    void showProgress(int filePosition, int totalPosition) override;
    void showRunEnded(const ZnRunReport& report) override;

    EndProgram endProgram_;
    ZnCustomEdit outputFileEdit_;
    ZnCustomEdit outputFolderEdit_;
    wxListBox* fileList_ = nullptr;
    wxBitmapButton* moveUpButton_ = nullptr;
    wxBitmapButton* moveDownButton_ = nullptr;
    wxGauge* totalBar_ = nullptr;
    wxGauge* fileBar_ = nullptr;
    wxChoice* languageChooser_ = nullptr;

    // Last applied enable and check states; only changes are applied.
    std::array<ZnControlUpdate, mainUpdateIds.size()> applied_{};
    bool appliedValid_ = false;
    unsigned idleUpdates_ = 0;
    ZnRunReport report_;

    // Declared in this order so the control (which shows through the taskbar) goes first.
    std::unique_ptr<ZnFileList> files_;
    std::unique_ptr<wxAppProgressIndicator> taskbar_;
    std::unique_ptr<ZnConversionControl> conversion_;

    wxDECLARE_EVENT_TABLE();
};
} // namespace Zenlo
