// Rules of a list whose rows the user removes and reorders, without a window: which commands
// apply, where a moved row lands, which row is selected after a removal.
#pragma once

namespace Zenlo {

// Which of the list's commands apply.
struct ZnListButtons {
    bool remove = false;
    bool removeAll = false;
    bool moveUp = false;
    bool moveDown = false;

    bool operator==(const ZnListButtons&) const = default;
};

// The commands for the selected row (-1 for none) of count rows.
ZnListButtons listButtons(int selected, int count);

// The index the row at index reaches when moved one place up or down in a list of count rows.
// The move must be possible (listButtons' moveUp or moveDown); asserted.
int indexAfterMove(int index, bool up, int count);

// The row to select after the row at removed was deleted, leaving remaining rows: the same
// index, or the last row when it is past the end; -1 when no rows remain or nothing was
// removed (removed < 0).
int selectionAfterRemoval(int removed, int remaining);

} // namespace Zenlo
