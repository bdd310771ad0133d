// The main dialog's enable table: which controls the idle update enables and ticks.
#pragma once

#include <array>

// What the idle update reads before it enables the controls.
struct ZnMainState {
    bool busy = false;
    int selected = -1; // selected list index, -1 for none
    int count = 0;     // list entries
    int separateFiles = 0;
    int writeHeader = 1;
    bool outputFileNameEmpty = false;
};

// One control's wanted state; check is -1 for controls that are not check boxes.
struct ZnControlUpdate {
    int id;
    bool enabled;
    int check;
};

// The ids the idle update handles, in its order.
inline constexpr std::array<int, 16> mainUpdateIds = {
    1001, 1002, 1003, 1017, 1013, 1014, 1007, 1006, 1018, 1004, 1008, 1016, 1005, 1015, 1038, 1039};

// True when convert may start: the list has an entry, and either one file per input is chosen
// or an output file name is given.
bool canConvert(const ZnMainState& state);
// The wanted state of every control of mainUpdateIds, in that order.
std::array<ZnControlUpdate, mainUpdateIds.size()> mainDialogUpdates(const ZnMainState& state);
