// COFF, the object format of Windows linkers (link.exe, lld-link, MinGW's ld): header and tables.
#pragma once

#include "converter/ObjectContents.h"

namespace Zenlo {

// The bytes before the data section: the file header and the one section header.
constexpr std::uint64_t coffHeaderSize = 20 + 40;

// The header and the symbol and string tables of an object holding one data section (.rdata,
// or .data when writable) with the contents' symbols as external variables, and no time stamp
// but the one given. The tables follow the data directly.
EncodedObject encodeCoff(const ObjectContents& contents);

} // namespace Zenlo
