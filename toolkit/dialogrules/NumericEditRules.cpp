// The value rules of the numeric edit, kept apart from any window so they can be tested alone.
#include "toolkit/dialogrules/NumericEditRules.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "toolkit/NumberText.h"

namespace Zenlo {
namespace {

bool isCSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}
bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Position of the first character after leading white space.
WideString::Size skipSpace(const WideString& text) {
    WideString::Size i = 0;
    while (i < text.length() && isCSpace(text[i]))
        ++i;
    return i;
}

// A forbidden sign is dropped before the bounds apply, so the value always ends inside them
// (a typed -5 with the minimum 1 is 5, and no turned value can pass the maximum). The most
// negative integer has no positive twin; the largest value stands in for it.
template <class Number>
Number clamped(Number value, bool allowNegative, Number minimum, Number maximum) {
    using Limits = std::numeric_limits<Number>;
    if (!allowNegative && value < 0) value = value == Limits::lowest() ? Limits::max() : -value;
    if (value < minimum) value = minimum;
    if (value > maximum) value = maximum;
    return value;
}

} // namespace

std::int64_t leadingInteger(const WideString& text) {
    WideString::Size i = skipSpace(text);
    bool negative = false;
    if (i < text.length() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    // Accumulate toward the negative side, which holds one more value than the positive side.
    std::int64_t value = 0;
    bool saturated = false;
    for (; i < text.length() && isDigit(text[i]); ++i) {
        int digit = text[i] - u'0';
        if (value < (INT64_MIN + digit) / 10) saturated = true;
        if (!saturated) value = value * 10 - digit;
    }
    if (saturated) return negative ? INT64_MIN : INT64_MAX;
    if (negative) return value;
    return value == INT64_MIN ? INT64_MAX : -value;
}

double leadingDecimal(const WideString& text) {
    WideString::Size i = skipSpace(text);
    bool negative = false;
    if (i < text.length() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    std::string ascii;
    for (; i < text.length() && text[i] < 0x80; ++i) {
        char c = static_cast<char>(text[i]);
        if (!isDigit(text[i]) && c != '.' && c != 'e' && c != 'E') break;
        ascii += c;
        // An exponent may carry its own sign.
        if ((c == 'e' || c == 'E') && i + 1 < text.length() &&
            (text[i + 1] == u'-' || text[i + 1] == u'+'))
            ascii += static_cast<char>(text[++i]);
    }
    double value = 0.0;
    auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec == std::errc::invalid_argument) return 0.0;
    if (result.ec == std::errc::result_out_of_range) value = HUGE_VAL;
    return negative ? -value : value;
}

using Zenlo::WideString;

ZnNumericEditRules::CharVerdict ZnNumericEditRules::judgeChar(char16_t character,
                                                              const WideString& text, Size selStart,
                                                              Size selEnd) const {
    if (isPlain()) return CharVerdict::accept;
    if (character >= u'0' && character <= u'9') return CharVerdict::accept;
    if (character == u'-') {
        // A sign goes only in front, and not in front of a sign that would stay.
        bool signStays = !text.isEmpty() && text[0] == u'-' && selEnd == 0;
        return allowNegative && selStart == 0 && !signStays ? CharVerdict::accept
                                                            : CharVerdict::refuse;
    }
    if (mode == decimalMode && (character == u'.' || character == u',')) {
        Size point = text.find(u'.');
        bool pointReplaced = point != WideString::npos && selStart <= point && point < selEnd;
        if (point != WideString::npos && !pointReplaced) return CharVerdict::refuse;
        return character == u',' ? CharVerdict::acceptAsPoint : CharVerdict::accept;
    }
    return CharVerdict::refuse;
}

void ZnNumericEditRules::readTyped(const WideString& text) {
    if (mode == integerMode) currentInteger = Zenlo::leadingInteger(text);
    if (mode == decimalMode) currentDecimal = Zenlo::leadingDecimal(text);
}

WideString ZnNumericEditRules::takeOutsideText(const WideString& text) {
    WideString clean(text);
    if (mode == integerMode) {
        Zenlo::normalizeIntegerText(clean);
        currentInteger =
            clamped(Zenlo::leadingInteger(clean), allowNegative, integerMinimum, integerMaximum);
    } else if (mode == decimalMode) {
        Zenlo::normalizeDecimalText(clean, minimumDecimals);
        currentDecimal =
            clamped(Zenlo::leadingDecimal(clean), allowNegative, decimalMinimum, decimalMaximum);
    }
    return clean;
}

WideString ZnNumericEditRules::commit(const WideString& text) {
    WideString clean = takeOutsideText(text);
    if (mode == integerMode) return Zenlo::formatInteger(currentInteger);
    if (mode == decimalMode) return Zenlo::formatDecimal(currentDecimal, decimalsShown, true);
    return clean;
}

bool ZnNumericEditRules::step(bool up, bool large, WideString& shown) {
    if (mode == integerMode) {
        std::int64_t delta = large ? integerLargeStep : integerSmallStep;
        std::int64_t old = currentInteger;
        std::int64_t next = 0;
        if (up && currentInteger < integerMaximum) {
            bool overflow = __builtin_add_overflow(currentInteger, delta, &next);
            currentInteger = overflow || next > integerMaximum ? integerMaximum : next;
        }
        if (!up && currentInteger > integerMinimum) {
            bool overflow = __builtin_sub_overflow(currentInteger, delta, &next);
            currentInteger = overflow || next < integerMinimum ? integerMinimum : next;
        }
        if (currentInteger == old) return false;
        shown = Zenlo::formatInteger(currentInteger);
        return true;
    }
    if (mode == decimalMode) {
        double delta = large ? decimalLargeStep : decimalSmallStep;
        double old = currentDecimal;
        if (up && currentDecimal < decimalMaximum)
            currentDecimal = std::fmin(currentDecimal + delta, decimalMaximum);
        if (!up && currentDecimal > decimalMinimum)
            currentDecimal = std::fmax(currentDecimal - delta, decimalMinimum);
        if (currentDecimal == old) return false;
        shown = WideString::formatted(u"%#.*f", decimalsShown, currentDecimal);
        Zenlo::normalizeDecimalText(shown, minimumDecimals);
        return true;
    }
    return false;
}

std::int64_t ZnNumericEditRules::integerResult() const {
    if (mode == integerMode) return currentInteger;
    if (mode != decimalMode || std::isnan(currentDecimal)) return 0;
    if (currentDecimal >= 9223372036854775807.0) return INT64_MAX;
    if (currentDecimal <= -9223372036854775808.0) return INT64_MIN;
    return static_cast<std::int64_t>(currentDecimal);
}
} // namespace Zenlo
