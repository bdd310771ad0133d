// The naming rule of generated variables: what no identifier may hold becomes "_".
#include "converter/VariableName.h"

#include "converter/IdentifierCharacters.h"
#include "toolkit/Composition.h"

namespace Zenlo {

namespace {

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The code point at position i and how many code units it takes; a lone surrogate is itself.
char32_t codePointAt(const WideString& text, WideString::Size i, WideString::Size& units) {
    units = 1;
    const char16_t c = text[i];
    if (isHighSurrogate(c) && i + 1 < text.length() && isLowSurrogate(text[i + 1])) {
        units = 2;
        return 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
    }
    return c;
}

bool isLoneSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

} // namespace

WideString replaceNameCharacters(const WideString& text) {
    WideString result;
    for (WideString::Size i = 0, units = 1; i < text.length(); i += units) {
        const char32_t c = codePointAt(text, i, units);
        if (isLoneSurrogate(c) || !isIdentifierCharacter(c))
            result.append(u'_');
        else
            result.append(text.substr(i, units));
    }
    return result;
}

WideString variableName(const WideString& inputPath, const ZnConversionOptions& options,
                        char16_t separator) {
    // Written composed (NFC), as compilers expect identifiers: "e" U+0301 and "é" name one array.
    WideString name = replaceNameCharacters(composedText(fileNamePart(inputPath, separator)));
    if (options.lowerCaseName) name.toLower();
    if (options.capitalizeName && !name.isEmpty() && name[0] >= u'a' && name[0] <= u'z')
        name[0] = static_cast<char16_t>(name[0] - 32);
    return composedText(options.namePrefix + name + options.nameSuffix);
}

bool startsAsIdentifier(const WideString& name) {
    if (name.isEmpty()) return false;
    WideString::Size units = 1;
    const char32_t c = codePointAt(name, 0, units);
    return !isLoneSurrogate(c) && isIdentifierStart(c);
}

} // namespace Zenlo
