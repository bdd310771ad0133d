// Writes .ico files: a directory, then one bottom-up 32-bit device-independent bitmap per size.
// Bitmaps rather than compressed images, so no image library is needed wherever this runs.
#include "res/IconFile.h"

#include <cassert>
#include <cstdint>

#include "res/Images.h"

namespace Zenlo {

namespace {

constexpr std::size_t directorySize = 6;
constexpr std::size_t entrySize = 16;
constexpr std::size_t bitmapHeaderSize = 40;

void putU16(std::vector<unsigned char>& out, unsigned value) {
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

void putU32(std::vector<unsigned char>& out, std::uint32_t value) {
    putU16(out, value & 0xFFFF);
    putU16(out, value >> 16);
}

// Rows of the 1-bit mask are padded to whole 32-bit words.
std::size_t maskRowBytes(int size) {
    return static_cast<std::size_t>((size + 31) / 32) * 4;
}

std::size_t imageBytes(int size) {
    const std::size_t side = static_cast<std::size_t>(size);
    return bitmapHeaderSize + side * side * 4 + maskRowBytes(size) * side;
}

bool isUsable(const wxImage& image) {
    return image.IsOk() && image.GetWidth() == image.GetHeight() && image.GetWidth() >= 1 &&
           image.GetWidth() <= 256;
}

// One image as its bitmap header (height counts colour and mask), colour rows and mask rows,
// both from the bottom row up. A pixel without alpha is opaque; a fully clear one is masked.
void putImage(std::vector<unsigned char>& out, const wxImage& image) {
    const int size = image.GetWidth();
    const bool hasAlpha = image.HasAlpha();
    putU32(out, bitmapHeaderSize);
    putU32(out, static_cast<std::uint32_t>(size));
    putU32(out, static_cast<std::uint32_t>(size * 2));
    putU16(out, 1);  // planes
    putU16(out, 32); // bits per pixel
    putU32(out, 0);  // no compression
    putU32(out, static_cast<std::uint32_t>(imageBytes(size) - bitmapHeaderSize));
    for (int field = 0; field < 4; ++field)
        putU32(out, 0); // resolution and palette: unused
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x) {
            out.push_back(image.GetBlue(x, y));
            out.push_back(image.GetGreen(x, y));
            out.push_back(image.GetRed(x, y));
            out.push_back(hasAlpha ? image.GetAlpha(x, y) : 255);
        }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<unsigned char> row(maskRowBytes(size), 0);
        for (int x = 0; x < size; ++x)
            if (hasAlpha && image.GetAlpha(x, y) == 0) row[x / 8] |= 0x80 >> (x % 8);
        out.insert(out.end(), row.begin(), row.end());
    }
}

} // namespace

std::vector<unsigned char> iconFileBytes(const std::vector<wxImage>& images) {
    bool usable = !images.empty() && images.size() <= 0xFFFF;
    for (const wxImage& image : images)
        usable = usable && isUsable(image);
    assert(usable && "icon images must be square, 1 to 256 pixels");
    if (!usable) return {};
    std::vector<unsigned char> out;
    putU16(out, 0); // reserved
    putU16(out, 1); // icon, not cursor
    putU16(out, static_cast<unsigned>(images.size()));
    std::size_t offset = directorySize + entrySize * images.size();
    for (const wxImage& image : images) {
        const int size = image.GetWidth();
        out.push_back(static_cast<unsigned char>(size == 256 ? 0 : size)); // 0 means 256
        out.push_back(static_cast<unsigned char>(size == 256 ? 0 : size));
        out.push_back(0); // no palette
        out.push_back(0); // reserved
        putU16(out, 1);   // planes
        putU16(out, 32);  // bits per pixel
        putU32(out, static_cast<std::uint32_t>(imageBytes(size)));
        putU32(out, static_cast<std::uint32_t>(offset));
        offset += imageBytes(size);
    }
    for (const wxImage& image : images)
        putImage(out, image);
    return out;
}

std::vector<unsigned char> programIconFileBytes() {
    std::vector<wxImage> images;
    for (int size : programIconSizes)
        images.push_back(programIconImage(size));
    return iconFileBytes(images);
}

} // namespace Zenlo
