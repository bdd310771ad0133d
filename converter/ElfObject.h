// ELF, the object format of Linux and most other Unix linkers: header, tables, section headers.
#pragma once

#include "converter/ObjectContents.h"

namespace Zenlo {

// The bytes before the data section: the ELF header of the contents' class (32 or 64 bit).
std::uint64_t elfHeaderSize(ObjectFormat format);

// The header and what follows the data: the symbol table (every variable a global object with
// its size), the string tables and the section headers, with a .note.GNU-stack section so the
// linker does not make the stack executable.
EncodedObject encodeElf(const ObjectContents& contents);

} // namespace Zenlo
