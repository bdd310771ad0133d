// The program's drawn images: the icon in every size, the icon files made from it for desktops,
// and the two arrows.
#include "res/Images.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace {

int alphaAt(const wxImage& image, int x, int y) {
    return image.GetAlpha(x, y);
}

} // namespace

TEST(ProgramIcon, EverySizeIsAnOpaqueHexagonOnATransparentSquare) {
    for (int size : Zenlo::programIconSizes) {
        SCOPED_TRACE(size);
        const wxImage image = Zenlo::programIconImage(size);
        ASSERT_TRUE(image.IsOk());
        ASSERT_EQ(image.GetWidth(), size);
        ASSERT_EQ(image.GetHeight(), size);
        ASSERT_TRUE(image.HasAlpha());
        EXPECT_EQ(alphaAt(image, 0, 0), 0) << "corners stay see-through";
        EXPECT_EQ(alphaAt(image, size - 1, size - 1), 0);
        EXPECT_EQ(alphaAt(image, size / 2, size / 2), 255) << "the middle byte cell is solid";
    }
    // The window's own icons: one of each offered size.
    const wxIconBundle bundle = Zenlo::programIcons();
    EXPECT_EQ(bundle.GetIconCount(), std::size(Zenlo::programIconSizes));
    for (int size : Zenlo::programIconSizes)
        EXPECT_EQ(bundle.GetIcon(wxSize(size, size), wxIconBundle::FALLBACK_NONE).GetWidth(), size);
}

#if wxUSE_LIBPNG // (a build without PNG makes no PNG icon files: Windows gets an .ico instead)
// The installed icon files are the window's icon, pixel for pixel.
TEST(ProgramIcon, BuiltIconFilesEqualTheDrawing) {
    const std::string folder = HEXMOOR_ICON_DIR;
    if (folder.empty()) GTEST_SKIP() << "this build makes no icon files";
    wxImage::AddHandler(new wxPNGHandler);
    for (int size : Zenlo::programIconSizes) {
        SCOPED_TRACE(size);
        const std::string sizeName = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path file =
            std::filesystem::path(folder) / sizeName / "apps" / "hexmoor.png";
        wxImage loaded;
        ASSERT_TRUE(loaded.LoadFile(wxString::FromUTF8(file.string()), wxBITMAP_TYPE_PNG));
        const wxImage drawn = Zenlo::programIconImage(size);
        ASSERT_EQ(loaded.GetSize(), drawn.GetSize());
        ASSERT_TRUE(loaded.HasAlpha());
        const std::size_t pixels = static_cast<std::size_t>(size) * size;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(loaded.GetData()), pixels * 3),
                  std::string(reinterpret_cast<const char*>(drawn.GetData()), pixels * 3));
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(loaded.GetAlpha()), pixels),
                  std::string(reinterpret_cast<const char*>(drawn.GetAlpha()), pixels));
    }
}

#endif

TEST(ArrowImages, UpAndDownPointTheirWay) {
    // At 64 pixels the up arrow's tip is near row 16 and its base near row 45; the down arrow
    // is the mirror image.
    const wxImage up = Zenlo::arrowBitmap(true, 64).ConvertToImage();
    const wxImage down = Zenlo::arrowBitmap(false, 64).ConvertToImage();
    ASSERT_TRUE(up.HasAlpha());
    ASSERT_TRUE(down.HasAlpha());
    EXPECT_GT(alphaAt(up, 32, 17), 128);
    EXPECT_EQ(alphaAt(up, 32, 46), 0);
    EXPECT_GT(alphaAt(down, 32, 46), 128);
    EXPECT_EQ(alphaAt(down, 32, 17), 0);
    EXPECT_EQ(Zenlo::arrowBitmap(true).GetWidth(), 16) << "the list buttons' default size";
}
