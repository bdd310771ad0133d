// The language key that a window caption carries.
#pragma once

#include <cstdint>

#include "toolkit/WideString.h"

namespace Zenlo {

// The number at the start of a caption, read as the C library's wide-to-long conversion reads it
// (white space skipped, optional sign, decimal digits), clamped to the 32-bit range; 0 when the
// caption does not start with a number. 0 means the caption carries no key.
std::int32_t captionKey(const WideString& caption);

} // namespace Zenlo
