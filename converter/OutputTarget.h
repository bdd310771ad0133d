// Where a run writes, for both front ends: the typed folder made absolute, the folder made ready
// before the run, the window's prepared output and its browse results.
#pragma once

#include <string>

#include "toolkit/PathText.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// The default output folder of the window: "out" followed by the separator.
WideString defaultOutputFolder(char16_t separator = nativeSeparator);

// The window's folder rule, by the text alone: the absolute folder the output goes to, ending
// with the separator. The typed text names a folder, so a separator is added when it ends without
// one ("gen" is the folder gen, not a file in the start folder). With the backslash (Windows
// rules): leading backslashes and question marks are dropped, "/" becomes "\", and a text without
// ":" is taken against startFolder. With "/": "\" is an ordinary character, and a text that does
// not start with "/" is taken against startFolder, which is empty (unknown) or ends with the
// separator.
// Cannot fail; the result is not checked against the file system.
WideString normaliseOutputFolder(const WideString& folder, const WideString& startFolder,
                                 char16_t separator = nativeSeparator);

// The command line's folder rule, by the system: the current folder for an empty text, a relative
// one below it (on Windows "/" is "\", "." and ".." resolved), always ending with the separator.
WideString resolveOutputFolder(const WideString& folder);

// Makes the output folder (the text up to its last separator) with every missing level. Returns
// true when it exists as a folder afterwards; false with the system's reason otherwise.
bool makeOutputFolder(const WideString& folder, std::string& reason);

// The window's output: the corrected name, the folder by the text rule, whether the name is plain
// and the folder exists or was made (else folderError says why). A refused name makes no folder.
// A part of the name or the folder, as typed, that names a device on Windows refuses the name or
// the folder; device holds that part (see devicePart).
struct ZnPreparedOutput {
    bool nameAccepted = false;
    bool folderReady = false;
    WideString fileName;
    WideString folder;
    std::string folderError;
    WideString device;
};
ZnPreparedOutput prepareOutput(const WideString& fileName, const WideString& folder,
                               const WideString& startFolder);

// A chosen output path split for the two edits: the file name, and the folder up to and including
// its last separator.
struct ZnOutputChoice {
    WideString fileName;
    WideString folder;
};
ZnOutputChoice splitOutputChoice(const WideString& path, char16_t separator = nativeSeparator);

// The output file dialog's filter in the "text|pattern|..." form: C and C++ sources, C sources,
// C++ sources, with the three texts given.
WideString outputFileFilter(const WideString& allSources, const WideString& cSources,
                            const WideString& cppSources);

} // namespace Zenlo
