// Helpers for the window tests.
#include "UiTestSupport.h"

#include <fstream>
#include <random>

#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/evtloop.h>

namespace UiTest {

void pumpEvents() {
    for (int round = 0; round < 5; ++round) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
        wxTheApp->ProcessIdle();
    }
}

void click(wxWindow* dialog, int id) {
    wxWindow* control = dialog->FindWindow(id);
    if (!control) return;
    if (auto* box = dynamic_cast<wxCheckBox*>(control)) {
        box->SetValue(!box->GetValue());
        wxCommandEvent event(wxEVT_CHECKBOX, id);
        event.SetEventObject(box);
        event.SetInt(box->GetValue());
        box->ProcessWindowEvent(event);
        return;
    }
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(control);
    control->ProcessWindowEvent(event);
}

TempFolder::TempFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("hexmoor-ui-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

CurrentFolder::CurrentFolder(const std::filesystem::path& folder)
    : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
}

CurrentFolder::~CurrentFolder() {
    std::filesystem::current_path(previous_);
}

void writeFile(const std::filesystem::path& file, const std::string& text) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

} // namespace UiTest
