// The conversion options with their defaults, in the order the converter and the settings file use.
#pragma once

#include <cstdint>

#include "toolkit/WideString.h"

namespace Zenlo {

// Choices of the generated text that only the command line makes; the settings file keeps none
// of them, and their defaults give exactly the window's text.
struct ZnTextChoices {
    // The banners' Date and Time lines.
    bool bannerDates = true;
    // A C source written with its header includes it as a C++ one does, so every definition
    // follows a declaration (clang's -Wmissing-variable-declarations).
    bool ownHeaderInC = false;
    // What the size variable's name adds to the array's.
    WideString sizeSuffix = u"_size";
    // The section the arrays are placed in; empty for the compiler's choice.
    WideString section{};
    // Text written where GCC and Clang take an attribute on an array's definition ("PROGMEM").
    WideString attribute{};
    // Each source is a self-contained include file: guarded, its definitions static.
    bool includeFile = false;
};

// Every choice that shapes the generated text. Flags are 32-bit integers, 0 for false: the
// settings file keeps the whole value held, so they stay integers.
struct ZnConversionOptions {
    WideString namePrefix = u"g_";
    WideString nameSuffix = u"_array";
    WideString elementType = u"uint8_t";
    WideString sizeType = u"uintmax_t";
    // Header names, each followed by ";". Readers split at ";" and drop empty pieces.
    WideString includeList = u"stdint.h;";
    std::int32_t bytesPerLine = 16;
    std::int32_t upperCaseHex = 0;
    std::int32_t writeSizeVariable = 1;
    std::int32_t capitalizeName = 0;
    std::int32_t lowerCaseName = 1;
    std::int32_t printableComment = 0;
    // Bit value 1: "static ", bit value 2: "const ". Only the two low bits are read.
    std::uint8_t arrayQualifiers = 3;
    std::uint8_t sizeQualifiers = 3;
    ZnTextChoices choices{};
};

constexpr std::uint8_t qualifierStatic = 1;
constexpr std::uint8_t qualifierConst = 2;

// The qualifier byte of the two check-box states: 2 for const, plus 1 for static.
inline std::uint8_t qualifierBits(bool isStatic, bool isConst) {
    return static_cast<std::uint8_t>((isConst ? qualifierConst : 0) |
                                     (isStatic ? qualifierStatic : 0));
}

} // namespace Zenlo
