// Control ids of the main dialog and the About dialog.
#pragma once

namespace Zenlo {
namespace MainId {
enum : int {
    fileList = 1001,
    addFiles = 1002,
    removeFile = 1003,
    clearList = 1017,
    moveUp = 1013,
    moveDown = 1014,
    separateFiles = 1007,
    writeHeader = 1006,
    variableSetup = 1018,
    outputFile = 1004,
    browseFile = 1008,
    outputFolder = 1016,
    browseFolder = 1005,
    fileLabel = 1037,
    convert = 1015,
    stop = 1038,
    fileBar = 1036,
    totalBar = 1035,
    // The About command. wx ids stop at 32767 and its stock ids change button captions, so a
    // free id of the dialog's own range stands in for the classic 57664.
    about = 1040,
    language = 1033,
    close = 1039,
};
} // namespace MainId

namespace AboutId {
enum : int {
    icon = 1012,
    productName = 1009,
    version = 1010,
    description = 1011,
    notice = 1008,
};
} // namespace AboutId
} // namespace Zenlo
