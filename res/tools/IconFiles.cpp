// hexmoor_icons: writes the program icon from the drawing code the window uses, either as PNG
// files for desktops into <folder>/<N>x<N>/apps/hexmoor.png (the hicolor theme's layout), or
// with --ico as one Windows icon file holding every size.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include <wx/image.h>
#include <wx/init.h>

#include "res/IconFile.h"
#include "res/Images.h"

namespace {

#if wxUSE_LIBPNG

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

bool writePngFiles(const std::filesystem::path& root) {
    wxImage::AddHandler(new wxPNGHandler);
    for (int size : Zenlo::programIconSizes)
        if (!writeIcon(root, size)) return false;
    return true;
}
#else
bool writePngFiles(const std::filesystem::path&) {
    std::fputs("hexmoor_icons: this build cannot write PNG files\n", stderr);
    return false;
}
#endif

// Writes the .ico; false (with a message on stderr) when the file cannot be written.
bool writeIcoFile(const char* file) {
    const std::vector<unsigned char> bytes = Zenlo::programIconFileBytes();
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (bytes.empty() || !out) {
        std::fprintf(stderr, "hexmoor_icons: cannot write %s\n", file);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const bool ico = argc == 3 && std::strcmp(argv[1], "--ico") == 0;
    if (argc != 2 && !ico) {
        std::fputs("usage: hexmoor_icons <folder> | hexmoor_icons --ico <file.ico>\n", stderr);
        return 2;
    }
    // Console start-up of wx: no toolkit, so no display is needed.
    wxInitializer initializer;
    if (!initializer.IsOk()) {
        std::fputs("hexmoor_icons: wxWidgets did not start\n", stderr);
        return 1;
    }
    if (ico) return writeIcoFile(argv[2]) ? 0 : 1;
    return writePngFiles(argv[1]) ? 0 : 1;
}
