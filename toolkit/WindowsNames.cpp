// Windows' device names and the name clean-up it applies, as plain text rules.
#include "toolkit/WindowsNames.h"

#include <string_view>

namespace Zenlo {

namespace {

bool isAsciiLetter(char16_t c, char16_t upper) {
    return c == upper || c == upper + (u'a' - u'A');
}

// True when text is word in any case of its ASCII letters.
bool sameLetters(std::u16string_view text, std::u16string_view word) {
    if (text.size() != word.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] != word[i] && !isAsciiLetter(text[i], word[i])) return false;
    return true;
}

bool isPortDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || c == u'\u00b9' || c == u'\u00b2' || c == u'\u00b3';
}

} // namespace

bool isDeviceName(const WideString& name) {
    std::u16string_view base = name.view();
    // Windows looks only at the text before the extension (or a stream's ":"), and drops the
    // spaces behind it.
    base = base.substr(0, base.find_first_of(u".:"));
    while (!base.empty() && base.back() == u' ')
        base.remove_suffix(1);
    for (std::u16string_view device : {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"})
        if (sameLetters(base, device)) return true;
    return base.size() == 4 && isPortDigit(base[3]) &&
           (sameLetters(base.substr(0, 3), u"COM") || sameLetters(base.substr(0, 3), u"LPT"));
}

WideString devicePart(const WideString& path, char16_t separator) {
    if (separator != u'\\') return {};
    const std::u16string_view text = path.view();
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find_first_of(u"\\/", start);
        if (end == text.npos) end = text.size();
        const WideString part(text.data() + start, static_cast<WideString::Size>(end - start));
        if (isDeviceName(part)) return part;
        start = end + 1;
    }
    return {};
}

WideString storedName(const WideString& name, char16_t separator) {
    if (separator != u'\\') return name;
    std::u16string_view text = name.view();
    while (!text.empty() && (text.back() == u'.' || text.back() == u' '))
        text.remove_suffix(1);
    return WideString(text.data(), static_cast<WideString::Size>(text.size()));
}

} // namespace Zenlo
