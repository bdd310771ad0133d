// Rules of the input file list that need no window: selection after remove and move, which
// dropped paths are taken.
#pragma once

#include "toolkit/WideString.h"

namespace Zenlo {

// The index to select after the entry at removed was deleted from a list that now holds
// countAfter entries: the same index, or the last one when it is past the end; -1 when the
// list is empty or nothing was removed (removed < 0).
int selectionAfterRemove(int removed, int countAfter);

// The index an entry reaches when moved one place up or down; the caller checks canMoveUp or
// canMoveDown first.
int indexAfterMove(int index, bool up);
bool canMoveUp(int selected);
bool canMoveDown(int selected, int count);

// The open dialog's filter in the toolkit's "text|pattern" form: the text of the "all files"
// entry followed by " (*.*)", matching every file.
WideString inputFileFilter(const WideString& allFilesText);

// Whether a dropped path is taken into the list: its status can be read and it is not a
// folder. Unreadable paths and folders give false, never an error.
bool isDroppableFile(const WideString& path);

} // namespace Zenlo
