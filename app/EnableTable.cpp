// The main dialog's enable table as a plain function of the dialog's state.
#include "app/EnableTable.h"

#include "toolkit/dialogrules/ListRules.h"

namespace Zenlo {
bool canConvert(const ZnMainState& state) {
    return state.count > 0 && (state.separateFiles || !state.outputFileNameEmpty);
}

std::array<ZnControlUpdate, mainUpdateIds.size()> mainDialogUpdates(const ZnMainState& state) {
    const bool idle = !state.busy;
    const Zenlo::ZnListButtons list = Zenlo::listButtons(state.selected, state.count);
    const bool oneFile = !state.separateFiles;
    return {{
        {MainId::fileList, idle, -1},
        {MainId::addFiles, idle, -1},
        {MainId::removeFile, idle && list.remove, -1},
        {MainId::clearList, idle && list.removeAll, -1},
        {MainId::moveUp, idle && list.moveUp, -1},
        {MainId::moveDown, idle && list.moveDown, -1},
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
} // namespace Zenlo
