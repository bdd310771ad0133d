// Numbers to text and the cleaning of numeric text typed by a user.
#pragma once

#include <cstdint>

#include "toolkit/WideString.h"

namespace Zenlo {

// Decimal digits with "-" for negatives, no separators.
WideString formatInteger(std::int64_t value);
// Fixed-point text with the given fraction digits; trimming drops trailing zeros but keeps one.
WideString formatDecimal(double value, int decimals, bool trim);
// Cleans the text in place into a plain integer; returns false (and leaves "0") when invalid.
bool normalizeIntegerText(WideString& text);
// Cleans the text in place into a fixed-point number with at least `decimals` fraction digits;
// returns false (and leaves the zero text) when invalid.
bool normalizeDecimalText(WideString& text, int decimals);

} // namespace Zenlo
