// The Windows icon file: its directory, the bottom-up pixel rows and mask, and that a separate
// reader (wx's own) gets the drawing back from it.
#include "res/IconFile.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>
#include <wx/mstream.h>

#include "res/Images.h"

namespace {

unsigned u16(const std::vector<unsigned char>& bytes, std::size_t at) {
    return bytes.at(at) | bytes.at(at + 1) << 8;
}

std::uint32_t u32(const std::vector<unsigned char>& bytes, std::size_t at) {
    return u16(bytes, at) | static_cast<std::uint32_t>(u16(bytes, at + 2)) << 16;
}

// A small image whose top-left pixel is clear red and whose bottom-right one is solid blue, so
// a file written upside down or with swapped channels shows.
wxImage markedImage(int size) {
    wxImage image(size, size);
    image.SetAlpha();
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            image.SetRGB(x, y, 10, 20, 30);
            image.SetAlpha(x, y, 200);
        }
    image.SetRGB(0, 0, 255, 0, 0);
    image.SetAlpha(0, 0, 0);
    image.SetRGB(size - 1, size - 1, 0, 0, 255);
    image.SetAlpha(size - 1, size - 1, 255);
    return image;
}

} // namespace

TEST(IconFile, DirectoryListsEverySizeWithContiguousImages) {
    const std::vector<unsigned char> bytes = Zenlo::programIconFileBytes();
    const std::size_t count = std::size(Zenlo::programIconSizes);
    ASSERT_GE(bytes.size(), 6 + 16 * count);
    EXPECT_EQ(u16(bytes, 0), 0u);
    EXPECT_EQ(u16(bytes, 2), 1u) << "type 1: icon";
    ASSERT_EQ(u16(bytes, 4), count);
    std::size_t expectedOffset = 6 + 16 * count;
    for (std::size_t i = 0; i < count; ++i) {
        const int size = Zenlo::programIconSizes[i];
        SCOPED_TRACE(size);
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(bytes[entry], size == 256 ? 0 : size) << "width; 0 stands for 256";
        EXPECT_EQ(bytes[entry + 1], size == 256 ? 0 : size);
        EXPECT_EQ(u16(bytes, entry + 6), 32u) << "bits per pixel";
        const std::uint32_t length = u32(bytes, entry + 8);
        const std::uint32_t offset = u32(bytes, entry + 12);
        EXPECT_EQ(offset, expectedOffset);
        const std::size_t maskRow = (size + 31) / 32 * 4;
        EXPECT_EQ(length, 40 + size * size * 4 + maskRow * size);
        EXPECT_EQ(u32(bytes, offset + 4), static_cast<std::uint32_t>(size));
        EXPECT_EQ(u32(bytes, offset + 8), static_cast<std::uint32_t>(2 * size))
            << "colour and mask rows together";
        expectedOffset = offset + length;
    }
    EXPECT_EQ(bytes.size(), expectedOffset) << "nothing after the last image";
}

TEST(IconFile, RowsRunBottomUpInBlueGreenRedAlphaWithClearPixelsMasked) {
    for (int size : {2, 5, 33}) {
        SCOPED_TRACE(size);
        const std::vector<unsigned char> bytes = Zenlo::iconFileBytes({markedImage(size)});
        const std::size_t pixels = 6 + 16 + 40;
        const std::size_t rowBytes = static_cast<std::size_t>(size) * 4;
        // The last row of the image is the file's first: its last pixel is solid blue.
        const std::size_t blue = pixels + rowBytes - 4;
        EXPECT_EQ(std::string(bytes.begin() + blue, bytes.begin() + blue + 4),
                  std::string("\xFF\x00\x00\xFF", 4));
        // The image's first row comes last: its first pixel is clear red.
        const std::size_t red = pixels + rowBytes * (size - 1);
        EXPECT_EQ(std::string(bytes.begin() + red, bytes.begin() + red + 4),
                  std::string("\x00\x00\xFF\x00", 4));
        // Mask: only that clear pixel is set, the leftmost bit of the last mask row.
        const std::size_t maskRow = (size + 31) / 32 * 4;
        const std::size_t mask = pixels + rowBytes * size;
        ASSERT_EQ(bytes.size(), mask + maskRow * size);
        for (int row = 0; row < size; ++row) {
            const unsigned char first = bytes[mask + maskRow * row];
            EXPECT_EQ(first, row == size - 1 ? 0x80 : 0x00) << "mask row " << row;
        }
    }
}

TEST(IconFile, WxReadsEverySizeBackAsTheDrawing) {
    wxImage::AddHandler(new wxICOHandler);
    const std::vector<unsigned char> bytes = Zenlo::programIconFileBytes();
    for (std::size_t i = 0; i < std::size(Zenlo::programIconSizes); ++i) {
        const int size = Zenlo::programIconSizes[i];
        SCOPED_TRACE(size);
        wxMemoryInputStream stream(bytes.data(), bytes.size());
        wxImage loaded;
        ASSERT_TRUE(loaded.LoadFile(stream, wxBITMAP_TYPE_ICO, static_cast<int>(i)));
        const wxImage drawn = Zenlo::programIconImage(size);
        ASSERT_EQ(loaded.GetSize(), drawn.GetSize());
        ASSERT_TRUE(loaded.HasAlpha());
        int differing = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                // Colour under a fully clear pixel carries no meaning.
                if (drawn.GetAlpha(x, y) == 0 && loaded.GetAlpha(x, y) == 0) continue;
                differing += loaded.GetRed(x, y) != drawn.GetRed(x, y) ||
                             loaded.GetGreen(x, y) != drawn.GetGreen(x, y) ||
                             loaded.GetBlue(x, y) != drawn.GetBlue(x, y) ||
                             loaded.GetAlpha(x, y) != drawn.GetAlpha(x, y);
            }
        EXPECT_EQ(differing, 0);
    }
}

// The icon built into the Windows program is the drawing of the program that runs the test.
TEST(IconFile, BuiltIconFileEqualsTheDrawing) {
    const std::string file = HEXMOOR_ICO_FILE;
    if (file.empty()) GTEST_SKIP() << "this build makes no .ico file";
    std::ifstream in(file, std::ios::binary);
    ASSERT_TRUE(in) << file;
    const std::vector<unsigned char> built{std::istreambuf_iterator<char>(in), {}};
    EXPECT_TRUE(built == Zenlo::programIconFileBytes());
}
