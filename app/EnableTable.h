// The main dialog's enable table: which controls the idle update enables and ticks.
#pragma once

#include <array>

#include "app/MainDlgIds.h"

namespace Zenlo {
// What the idle update reads before it enables the controls.
struct ZnMainState {
    bool busy = false;
    int selected = -1; // selected list index, -1 for none
    int count = 0;     // list entries
    bool separateFiles = false;
    bool writeHeader = true;
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
    MainId::fileList,      MainId::addFiles,   MainId::removeFile,    MainId::clearList,
    MainId::moveUp,        MainId::moveDown,   MainId::separateFiles, MainId::writeHeader,
    MainId::variableSetup, MainId::outputFile, MainId::browseFile,    MainId::outputFolder,
    MainId::browseFolder,  MainId::convert,    MainId::stop,          MainId::close};

// True when convert may start: the list has an entry, and either one file per input is chosen
// or an output file name is given.
bool canConvert(const ZnMainState& state);
// The wanted state of every control of mainUpdateIds, in that order.
std::array<ZnControlUpdate, mainUpdateIds.size()> mainDialogUpdates(const ZnMainState& state);
} // namespace Zenlo
