// The naming rule of generated variables: a fixed set of characters becomes "_".
#include "converter/VariableName.h"

#include <string_view>

namespace Zenlo {

namespace {

constexpr std::u16string_view replacedCharacters = u".[]{}`'!@#%^&*()-+=~,<>; ";
constexpr std::u16string_view posixOnlyCharacters = u"\":?\\|";

} // namespace

bool isReplacedNameCharacter(char16_t c, bool posixExtras) {
    if (replacedCharacters.find(c) != std::u16string_view::npos) return true;
    if (!posixExtras) return false;
    return c < 32 || c == 127 || posixOnlyCharacters.find(c) != std::u16string_view::npos;
}

WideString replaceNameCharacters(const WideString& text, bool posixExtras) {
    WideString result(text);
    for (WideString::Size i = 0; i < result.length(); ++i)
        if (isReplacedNameCharacter(result[i], posixExtras)) result[i] = u'_';
    return result;
}

WideString variableName(const WideString& inputPath, const ZnConversionOptions& options,
                        char16_t separator, bool posixExtras) {
    WideString name = replaceNameCharacters(fileNamePart(inputPath, separator), posixExtras);
    if (options.lowerCaseName) name.toLower();
    if (options.capitalizeName && !name.isEmpty() && name[0] >= u'a' && name[0] <= u'z')
        name[0] = static_cast<char16_t>(name[0] - 32);
    return options.namePrefix + name + options.nameSuffix;
}

} // namespace Zenlo
