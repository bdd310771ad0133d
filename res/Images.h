// The program's own images, drawn in code: the program icon in several sizes and the arrows.
#pragma once

#include <wx/bitmap.h>
#include <wx/iconbndl.h>
#include <wx/image.h>

namespace Zenlo {

// Icon sizes the program offers the window manager.
inline constexpr int programIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// The program icon at the given square size in pixels, with alpha. Needs no display, so the
// icon files installed for desktops are made from it at build time.
wxImage programIconImage(int size);
// programIconImage as a bitmap for windows.
wxBitmap programIconBitmap(int size);
// The program icon in every size of programIconSizes.
wxIconBundle programIcons();
// An arrow pointing up or down on a transparent square, for the move buttons of lists.
wxBitmap arrowBitmap(bool up, int size = 16);

} // namespace Zenlo
