// The variable setup dialog's rules that need no window: its values, copying, the header list.
#pragma once

#include <cstdint>

#include "converter/ConversionOptions.h"
#include "toolkit/WideString.h"

namespace Zenlo {
// The values the variable setup dialog edits: a working copy of the conversion options with
// each qualifier byte split into its two check boxes. Flags hold 0 or 1.
struct ZnVariableSetupValues {
    int lowerCaseName = 1;
    int capitalizeName = 0;
    Zenlo::WideString elementType = u"uint8_t";
    int arrayStatic = 1;
    int arrayConst = 1;
    Zenlo::WideString namePrefix = u"g_";
    Zenlo::WideString nameSuffix = u"_array";
    int writeSizeVariable = 1;
    Zenlo::WideString sizeType = u"uintmax_t";
    int sizeStatic = 1;
    int sizeConst = 1;
    int upperCaseHex = 0;
    std::int32_t bytesPerLine = 16;
    int printableComment = 0;
    Zenlo::WideString includeList = u"stdint.h;";

    bool operator==(const ZnVariableSetupValues&) const = default;
};

// The smallest and largest count of elements per line the dialog lets through.
constexpr std::int64_t minimumBytesPerLine = 1;
constexpr std::int64_t maximumBytesPerLine = 2147483647;

// The dialog's values for the options: qualifier bit 1 is "static", bit 2 "const".
ZnVariableSetupValues copyIn(const ZnConversionOptions& options);
// Writes the values back: each qualifier byte becomes const x 2 + static; the rest one to one.
void copyBack(const ZnVariableSetupValues& values, ZnConversionOptions& options);

// The header list's rows: its pieces between ";", empty pieces dropped.
StringList includeRows(const WideString& includeList);
// The header list of the rows: every row followed by ";" (empty for no rows).
WideString includeListOf(const StringList& rows);
} // namespace Zenlo
