// The main dialog's enable table as a plain function of the dialog's state.
#include "app/EnableTable.h"

#include "app/MainDlgIds.h"

bool canConvert(const ZnMainState& state) {
    return state.count > 0 && (state.separateFiles != 0 || !state.outputFileNameEmpty);
}

std::array<ZnControlUpdate, mainUpdateIds.size()> mainDialogUpdates(const ZnMainState& state) {
    const bool idle = !state.busy;
    const bool selected = state.selected >= 0;
    const bool notLast = selected && state.selected < state.count - 1;
    const bool oneFile = state.separateFiles == 0;
    return {{
        {MainId::fileList, idle, -1},
        {MainId::addFiles, idle, -1},
        {MainId::removeFile, idle && selected, -1},
        {MainId::clearList, idle && state.count > 0, -1},
        {MainId::moveUp, idle && state.selected >= 1, -1},
        {MainId::moveDown, idle && notLast, -1},
        {MainId::separateFiles, idle, state.separateFiles},
        {MainId::writeHeader, idle, state.writeHeader},
        {MainId::variableSetup, idle, -1},
        {MainId::outputFile, idle && oneFile, -1},
        {MainId::browseFile, idle && oneFile, -1},
        {MainId::outputFolder, idle, -1},
        {MainId::browseFolder, idle, -1},
        {MainId::convert, idle && canConvert(state), -1},
        {MainId::stop, state.busy, -1},
        {MainId::close, idle, -1},
    }};
}
