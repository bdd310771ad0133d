// Number text: formatting, and the normalisers that never reject, only reset to zero.
#include "toolkit/NumberText.h"

namespace Zenlo {

namespace {

constexpr char16_t digitSet[] = u"0123456789";

WideString zeroText(int decimals) {
    return WideString::formatted(u"0.%0*u", decimals, 0u);
}

// Removes a leading "-" and reports whether there was one.
bool takeMinus(WideString& text) {
    if (text.isEmpty() || text[0] != u'-') return false;
    text.erase(0, 1);
    return true;
}

} // namespace

WideString formatInteger(std::int64_t value) {
    return WideString::formatted(u"%lld", value);
}

WideString formatDecimal(double value, int decimals, bool trim) {
    WideString text = WideString::formatted(u"%#.*f", decimals, value);
    if (text.find(u'.') == WideString::npos) return text.append(u".0");
    if (trim) {
        text.trimRight(u'0');
        if (text[text.length() - 1] == u'.') text.append(u'0');
    }
    return text;
}

bool normalizeIntegerText(WideString& text) {
    if (text.isEmpty()) {
        text = u"0";
        return false;
    }
    bool negative = takeMinus(text);
    text.replaceAll(u',', u'.');
    WideString::Size point = text.find(u'.');
    if (point != WideString::npos) text = text.left(point);
    text.trimLeft(u'0');
    if (text.isEmpty()) {
        text = u"0";
        return true;
    }
    if (text.findFirstNotOf(digitSet) != WideString::npos) {
        text = u"0";
        return false;
    }
    if (negative) text = WideString(u'-') + text;
    return true;
}

bool normalizeDecimalText(WideString& text, int decimals) {
    if (text.isEmpty()) {
        text = zeroText(decimals);
        return false;
    }
    bool negative = takeMinus(text);
    text.replaceAll(u',', u'.');
    WideString::Size point = text.find(u'.');
    if (point == WideString::npos) text.append(u'.');
    bool oneDot = text.find(u'.', text.find(u'.') + 1) == WideString::npos;
    if (!oneDot || text.equals(u".") || text.findFirstNotOf(u"0123456789.") != WideString::npos) {
        text = zeroText(decimals);
        return false;
    }
    text.trimLeft(u'0');
    text.trimRight(u'0');
    if (text[0] == u'.') text = WideString(u'0') + text;
    int fraction = static_cast<int>(text.length() - text.find(u'.') - 1);
    if (fraction < decimals) text.append(WideString::formatted(u"%0*u", decimals - fraction, 0u));
    if (negative && text.findFirstNotOf(u"0.") != WideString::npos) text = WideString(u'-') + text;
    return true;
}

} // namespace Zenlo
