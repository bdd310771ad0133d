// Rules for the output target the user types: extension correction and folder normalisation.
#pragma once

#include "toolkit/PathText.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// The extensions a generated source file may keep; any piece of this text counts as one.
constexpr const char16_t* sourceExtensions = u".cpp.c.cc.c++";

// The output file name with a source extension: the text from the last "." (a separator does
// not end the search) stays when it occurs, with exact case, inside sourceExtensions; otherwise
// it is dropped and ".cpp" appended. A name without "." gets ".cpp" appended. Cannot fail.
WideString correctOutputExtension(const WideString& name);

// The default output folder: "out" followed by the separator.
WideString defaultOutputFolder(char16_t separator = nativeSeparator);

// The absolute folder the output goes to, ending with the separator. With the backslash
// (Windows rules): leading backslashes and question marks are dropped, "/" becomes "\", and a
// text without ":" is taken against startFolder. With "/": "\" becomes "/", and a text that
// does not start with "/" is taken against startFolder. Then the text after the last separator
// is dropped. startFolder must end with the separator. Cannot fail; the result is not checked
// against the file system.
WideString normaliseOutputFolder(const WideString& folder, const WideString& startFolder,
                                 char16_t separator = nativeSeparator);

// The output as convert uses it: the corrected file name, the normalised folder, and whether
// that folder exists as a folder or could be created with every missing level.
struct ZnPreparedOutput {
    bool folderReady = false;
    WideString fileName;
    WideString folder;
};
ZnPreparedOutput prepareOutput(const WideString& fileName, const WideString& folder,
                               const WideString& startFolder);

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

// A chosen folder as the folder edit shows it: the separator appended unless it ends with one.
WideString folderWithSeparator(const WideString& folder, char16_t separator = nativeSeparator);

} // namespace Zenlo
