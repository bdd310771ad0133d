// C identifiers from file names: the array variable name and the character set it replaces.
#pragma once

#include "toolkit/PathText.h"
#include "settings/ConversionOptions.h"
#include "toolkit/WideString.h"

namespace Zenlo {

#ifdef _WIN32
constexpr bool replacesPosixOnlyCharacters = false;
#else
// Outside Windows a file name may also hold " : ? \ | and control characters.
constexpr bool replacesPosixOnlyCharacters = true;
#endif

// True for the characters that become "_" in names taken from file names.
bool isReplacedNameCharacter(char16_t c, bool posixExtras = replacesPosixOnlyCharacters);
// The text with every replaced character turned into "_".
WideString replaceNameCharacters(const WideString& text,
                                 bool posixExtras = replacesPosixOnlyCharacters);
// namePrefix + the input's file name (characters replaced, case options applied) + nameSuffix.
WideString variableName(const WideString& inputPath, const ZnConversionOptions& options,
                        char16_t separator = nativeSeparator,
                        bool posixExtras = replacesPosixOnlyCharacters);

} // namespace Zenlo
