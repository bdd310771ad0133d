// Which characters C and C++ compilers accept in an identifier, so generated names compile.
#pragma once

namespace Zenlo {

// True when the code point may stand in an identifier (after its first character) for gcc and
// clang alike: ASCII letters, digits, "_" and "$", and the non-ASCII characters that are both in
// the C11 ranges (Annex D) and XID_Continue of Unicode 14 (what C++ and C23 go by).
bool isIdentifierCharacter(char32_t c);
// True when the code point may also begin an identifier: not a digit, and for non-ASCII in the
// same ranges minus C11's "not initially" ranges, and XID_Start.
bool isIdentifierStart(char32_t c);

} // namespace Zenlo
