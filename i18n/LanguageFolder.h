// Where the language files are: below the start folder, beside the program, or installed.
#pragma once

#include "toolkit/WideString.h"

namespace Zenlo {

// The folder of the running executable, ending with a separator; empty when it cannot be found.
WideString executableFolder();

// The first of these folders that exists: "lang" below the start folder, "lang" below the
// executable's folder, "lang" below the installed data folder. When none exists, the one below
// the start folder (a scan of it then finds nothing). Every folder given and returned ends with
// a separator; an empty one is passed over.
WideString chooseLanguageFolder(const WideString& startFolder, const WideString& programFolder,
                                const WideString& dataFolder);

// The data folder of an install that may have been moved to another prefix: relativeData
// below programFolder when it holds a "lang" folder, else fixedData (the configured one). An
// empty relativeData or programFolder gives fixedData. The result ends with a separator
// unless empty.
WideString installedDataFolder(const WideString& programFolder, const WideString& relativeData,
                               const WideString& fixedData);

// chooseLanguageFolder with this program's executable folder and installed data folder.
WideString findLanguageFolder(const WideString& startFolder);

} // namespace Zenlo
