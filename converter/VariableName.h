// C identifiers from file names: the array variable name and the characters it replaces.
#pragma once

#include "converter/ConversionOptions.h"
#include "toolkit/PathText.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// The text with every character that cannot stand in a C or C++ identifier turned into one "_":
// among them the 25 characters .[]{}`'!@#%^&*()-+=~,<>; and space, the rest of ASCII punctuation,
// control characters, symbols such as © or ±, and halves of broken UTF-16 pairs.
WideString replaceNameCharacters(const WideString& text);
// namePrefix + the input's file name (characters replaced, case options applied) + nameSuffix.
WideString variableName(const WideString& inputPath, const ZnConversionOptions& options,
                        char16_t separator = nativeSeparator);
// True when the name's first character may begin an identifier (so not a digit, not empty).
bool startsAsIdentifier(const WideString& name);

} // namespace Zenlo
