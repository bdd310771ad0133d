// Rules of the input file list that need no window: the open dialog's filter, which dropped
// paths are taken. The list's selection and move rules are ListRules'.
#pragma once

#include "toolkit/WideString.h"

namespace Zenlo {

// The open dialog's filter in the toolkit's "text|pattern" form: the text of the "all files"
// entry followed by " (*.*)", matching every file.
WideString inputFileFilter(const WideString& allFilesText);

// Whether a dropped path is taken into the list: its status can be read and it is not a
// folder. Unreadable paths and folders give false, never an error.
bool isDroppableFile(const WideString& path);

} // namespace Zenlo
