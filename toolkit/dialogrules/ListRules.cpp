// List rules: plain index arithmetic over the selection and the row count.
#include "toolkit/dialogrules/ListRules.h"

#include <cassert>

namespace Zenlo {

ZnListButtons listButtons(int selected, int count) {
    return {selected >= 0, count >= 1, selected >= 1, selected >= 0 && selected < count - 1};
}

int indexAfterMove(int index, bool up, int count) {
    [[maybe_unused]] const ZnListButtons buttons = listButtons(index, count);
    assert(up ? buttons.moveUp : buttons.moveDown);
    return up ? index - 1 : index + 1;
}

int selectionAfterRemoval(int removed, int remaining) {
    if (removed < 0 || remaining <= 0) return -1;
    return removed < remaining ? removed : remaining - 1;
}

} // namespace Zenlo
