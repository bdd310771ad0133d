// CAboutDlg: the program's icon, name, version with word size, translated description, notice.
#pragma once

#include <wx/dialog.h>
#include <wx/font.h>

#include "toolkit/WideString.h"

namespace Zenlo {
class CAboutDlg : public wxDialog {
public:
    // Creates the window and its controls and runs the initialisation; false on failure.
    bool create(wxWindow* parent);

    // "1.1.79 (64 bit)": the version followed by the word size of this build.
    static Zenlo::WideString versionText();
    static const char16_t productName[];
    static const char16_t noticeLine[];

private:
    void initialise();
    void onOk(wxCommandEvent& event);
    void onPaint(wxPaintEvent& event);

    wxFont boldFont_;

    wxDECLARE_EVENT_TABLE();
};
} // namespace Zenlo
