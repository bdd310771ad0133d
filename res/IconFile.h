// Icon files (.ico) for Windows, made from the drawn icon images.
#pragma once

#include <vector>

#include <wx/image.h>

namespace Zenlo {

// The bytes of an .ico file holding the images in the given order, each as a 32-bit image with
// alpha (and the AND mask older readers need). Every image must be square, 1 to 256 pixels, and
// valid; the function asserts that and returns an empty vector for a list that breaks it.
std::vector<unsigned char> iconFileBytes(const std::vector<wxImage>& images);

// iconFileBytes of the program icon in every size of programIconSizes.
std::vector<unsigned char> programIconFileBytes();

} // namespace Zenlo
