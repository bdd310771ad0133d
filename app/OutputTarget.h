// The window's own output target helpers: the default folder, browse results, the file filter.
#pragma once

#include "converter/OutputTarget.h"
#include "toolkit/PathText.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// The default output folder: "out" followed by the separator.
WideString defaultOutputFolder(char16_t separator = nativeSeparator);

// What a chosen output path gives the two edits: the name without its folder, and the folder
// up to and including its last separator.
struct ZnOutputChoice {
    WideString fileName;
    WideString folder;
};
ZnOutputChoice splitOutputChoice(const WideString& path, char16_t separator = nativeSeparator);

// The output file dialog's filter in the toolkit's "text|pattern|..." form: C and C++ sources,
// C sources, C++ sources, with the three texts given.
WideString outputFileFilter(const WideString& allSources, const WideString& cSources,
                            const WideString& cppSources);

} // namespace Zenlo
