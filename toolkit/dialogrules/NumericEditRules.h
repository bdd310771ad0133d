// The value rules of the numeric edit: modes, bounds, typed-character checks, commit and stepping.
#pragma once

#include <cfloat>
#include <cstdint>

#include "toolkit/WideString.h"

namespace Zenlo {
// What a numeric edit keeps beside its text, and every rule that needs no window. The window
// side (ZnCustomEdit) derives from it, so owners set bounds and flags directly on the edit.
class ZnNumericEditRules {
public:
    enum Mode { integerMode = 0, decimalMode = 1, plainMode = 2 };
    enum class CharVerdict { refuse, accept, acceptAsPoint };
    using Size = Zenlo::WideString::Size;

    int mode = plainMode;
    double currentDecimal = 0.0;
    double decimalSmallStep = 1.0;
    double decimalLargeStep = 5.0;
    double decimalMinimum = -DBL_MAX;
    double decimalMaximum = DBL_MAX;
    std::int64_t currentInteger = 0;
    std::int64_t integerSmallStep = 1;
    std::int64_t integerLargeStep = 5;
    std::int64_t integerMinimum = INT64_MIN;
    std::int64_t integerMaximum = INT64_MAX;
    int decimalsShown = 8;
    int minimumDecimals = 1;
    int allowNegative = 1;
    int stepping = 0;

    bool isPlain() const { return mode != integerMode && mode != decimalMode; }

    // Whether a printable character typed over the selection [selStart, selEnd) of the text may
    // go in; acceptAsPoint means a "," that goes in as ".". Plain mode accepts everything.
    CharVerdict judgeChar(char16_t character, const Zenlo::WideString& text, Size selStart,
                          Size selEnd) const;
    // Reads the leading number of freshly typed text into the value, without cleaning or clamping.
    void readTyped(const Zenlo::WideString& text);
    // Cleans, parses and clamps the text into the value; returns the text to show for the value.
    // Plain mode: returns the text unchanged.
    Zenlo::WideString commit(const Zenlo::WideString& text);
    // Cleans, parses and clamps text set from outside; returns the cleaned text (not re-formatted
    // after clamping, so an out-of-range text stays visible until the next commit).
    Zenlo::WideString takeOutsideText(const Zenlo::WideString& text);
    // One step up or down (large while Ctrl is held) within the bounds. Returns true and the text
    // to show when the value changed; false in plain mode or at the bound.
    bool step(bool up, bool large, Zenlo::WideString& shown);
    // The value as an integer: decimal values truncated toward zero, 0 in plain mode.
    std::int64_t integerResult() const;
};

// The leading decimal integer of the text as the C library's wide-to-long-long conversion reads
// it (white space, sign, digits; saturating at the 64-bit limits); 0 when there are no digits.
std::int64_t leadingInteger(const WideString& text);
// The leading decimal number of the text (white space, sign, digits, point, exponent); 0 when
// there is none.
double leadingDecimal(const WideString& text);
} // namespace Zenlo
