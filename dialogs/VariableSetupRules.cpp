// Copying between the options and the variable setup dialog, and the header list's rules.
#include "dialogs/VariableSetupRules.h"

namespace Zenlo {
namespace {

int flag(int value) {
    return value != 0 ? 1 : 0;
}

} // namespace

ZnVariableSetupValues copyIn(const ZnConversionOptions& options) {
    ZnVariableSetupValues values;
    values.lowerCaseName = options.lowerCaseName;
    values.capitalizeName = options.capitalizeName;
    values.elementType = options.elementType;
    values.arrayStatic = flag(options.arrayQualifiers & qualifierStatic);
    values.arrayConst = flag(options.arrayQualifiers & qualifierConst);
    values.namePrefix = options.namePrefix;
    values.nameSuffix = options.nameSuffix;
    values.writeSizeVariable = options.writeSizeVariable;
    values.sizeType = options.sizeType;
    values.sizeStatic = flag(options.sizeQualifiers & qualifierStatic);
    values.sizeConst = flag(options.sizeQualifiers & qualifierConst);
    values.upperCaseHex = options.upperCaseHex;
    values.bytesPerLine = options.bytesPerLine;
    values.printableComment = options.printableComment;
    values.includeList = options.includeList;
    return values;
}

void copyBack(const ZnVariableSetupValues& values, ZnConversionOptions& options) {
    options.lowerCaseName = values.lowerCaseName;
    options.capitalizeName = values.capitalizeName;
    options.elementType = values.elementType;
    options.arrayQualifiers = qualifierBits(values.arrayStatic != 0, values.arrayConst != 0);
    options.namePrefix = values.namePrefix;
    options.nameSuffix = values.nameSuffix;
    options.writeSizeVariable = values.writeSizeVariable;
    options.sizeType = values.sizeType;
    options.sizeQualifiers = qualifierBits(values.sizeStatic != 0, values.sizeConst != 0);
    options.upperCaseHex = values.upperCaseHex;
    options.bytesPerLine = values.bytesPerLine;
    options.printableComment = values.printableComment;
    options.includeList = values.includeList;
}

StringList includeRows(const WideString& includeList) {
    StringList rows;
    includeList.splitString(u';', rows);
    return rows;
}

WideString includeListOf(const StringList& rows) {
    WideString list;
    for (const WideString& row : rows)
        list.append(row).append(u';');
    return list;
}
} // namespace Zenlo
