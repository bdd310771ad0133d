// Rules for the output target the user types: extension correction and folder normalisation.
#pragma once

#include <string>

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

// The absolute folder the output goes to, ending with the separator. The typed text names a
// folder, so a separator is added when it ends without one ("gen" is the folder gen, not a file
// in the start folder). With the backslash (Windows rules): leading backslashes and question
// marks are dropped, "/" becomes "\", and a text without ":" is taken against startFolder. With
// "/": "\" becomes "/", and a text that does not start with "/" is taken against startFolder.
// startFolder must end with the separator. Cannot fail; the result is not checked against the
// file system.
WideString normaliseOutputFolder(const WideString& folder, const WideString& startFolder,
                                 char16_t separator = nativeSeparator);

// True when the output file name names a file and not a path: it holds no "/" and, with Windows
// rules, no "\" either. A name with a separator would write outside the output folder.
bool isPlainFileName(const WideString& name, char16_t separator = nativeSeparator);

// The output as convert uses it: the corrected file name, the normalised folder, and whether
// the name is a plain file name and that folder exists as a folder or could be created with
// every missing level. folderError is the system's reason when the folder is not ready.
struct ZnPreparedOutput {
    bool nameAccepted = false;
    bool folderReady = false;
    WideString fileName;
    WideString folder;
    std::string folderError;
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
