// Helpers for the window tests: event pumping, temporary folders, clicks and key presses.
#pragma once

#include <filesystem>
#include <string>

#include <wx/window.h>

namespace UiTest {

// Processes pending events (and pending deletes) until none are left.
void pumpEvents();
// Sends a button or check-box click of the control with the id, as a user click would.
void click(wxWindow* dialog, int id);
// A fresh empty folder below the system's temporary folder, removed by the destructor.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};
// Makes the folder the current directory for the object's life.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::filesystem::path& folder);
    ~CurrentFolder();

private:
    std::filesystem::path previous_;
};
// Writes a UTF-8 text file.
void writeFile(const std::filesystem::path& file, const std::string& text);

} // namespace UiTest
