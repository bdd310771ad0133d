// Canonical composition (Unicode's NFC) for the scripts names mostly come in: Latin, Greek and
// Cyrillic with their combining marks.
#pragma once

#include <string>
#include <string_view>

#include "toolkit/WideString.h"

namespace Zenlo {

// The text in NFC as far as Latin, Greek and Cyrillic letters and the combining marks
// U+0300..U+036F go: each letter taken apart, its marks put in canonical order, and put together
// again as Unicode composes it ("e" U+0301 and "é" both give "é"). Other characters (Hangul
// syllables, other scripts' marks) are kept as they are.
std::u16string composedForm(std::u16string_view text);
// The same for the wide string.
WideString composedText(const WideString& text);

} // namespace Zenlo
