// Control ids of the variable setup dialog.
#pragma once

namespace Zenlo {
namespace SetupId {
enum : int {
    ok = 1,
    cancel = 2,
    lowerCaseName = 1034,
    capitalizeName = 1025,
    elementType = 1020,
    arrayStatic = 1021,
    arrayConst = 1022,
    namePrefix = 1023,
    nameSuffix = 1024,
    writeSizeVariable = 1026,
    sizeType = 1027,
    sizeStatic = 1028,
    sizeConst = 1029,
    includeList = 1044,
    addHeader = 1045,
    removeHeader = 1046,
    removeAllHeaders = 1047,
    moveUp = 1013,
    moveDown = 1014,
    upperCaseHex = 1031,
    bytesPerLine = 1032,
    printableComment = 1043,
    defaults = 1030,
};
} // namespace SetupId
} // namespace Zenlo
