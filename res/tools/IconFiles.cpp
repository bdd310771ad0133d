// hexmoor_icons: writes the program icon as PNG files for desktops, from the drawing code the
// window uses, into <folder>/<N>x<N>/apps/hexmoor.png (the hicolor theme's layout).
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include <wx/image.h>
#include <wx/init.h>

#include "res/Images.h"

namespace {

// Writes one size; false (with a message on stderr) when the file cannot be written.
bool writeIcon(const std::filesystem::path& root, int size) {
    const std::string sizeName = std::to_string(size) + "x" + std::to_string(size);
    const std::filesystem::path folder = root / sizeName / "apps";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::filesystem::path file = folder / "hexmoor.png";
    // The drawing needs no display: it paints into an image, never onto a screen.
    const wxImage image = Zenlo::programIconImage(size);
    if (error || !image.IsOk() ||
        !image.SaveFile(wxString::FromUTF8(file.string()), wxBITMAP_TYPE_PNG)) {
        std::fprintf(stderr, "hexmoor_icons: cannot write %s\n", file.string().c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: hexmoor_icons <folder>\n", stderr);
        return 2;
    }
    // Console start-up of wx: no toolkit, so no display is needed.
    wxInitializer initializer;
    if (!initializer.IsOk()) {
        std::fputs("hexmoor_icons: wxWidgets did not start\n", stderr);
        return 1;
    }
    wxImage::AddHandler(new wxPNGHandler);
    for (int size : Zenlo::programIconSizes)
        if (!writeIcon(argv[1], size)) return 1;
    return 0;
}
