// The incbin style's text: arrays that the assembler fills from the input files, and the way back
// to the #embed, string and array text for compilers without GNU top-level asm.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/WideString.h"

namespace Zenlo {

// One array as the assembler defines it.
struct IncbinSymbol {
    // The variable's name, UTF-8.
    std::string name;
    // The input as .incbin opens it (see incbinPathText).
    std::string path;
    std::uint64_t size = 0;
    // In bytes; 0 leaves the bytes unaligned.
    std::uint32_t align = 0;
    // The zero that follows the bytes belongs to the array (in its size and declaration): the
    // terminator, or an empty input's placeholder element.
    bool terminated = false;
    // Not const: the bytes go into a writable section.
    bool writable = false;
    // Static: the symbol stays in its object file.
    bool local = false;
};

// The input's path as the assembler opens it: absolute (the assembler resolves a relative one
// against the compiler's working folder), links resolved, "/" separated. Returns false when
// .incbin cannot name it: a quote, a backslash, a control character, text that is not UTF-8, and
// on Windows (whose GNU as opens files in the ANSI code page) any character beyond ASCII.
bool incbinPathText(const WideString& inputPath, std::string& text);

// The macros the arrays of a source use, written once before its first array: whether the
// compiler takes the assembler's route and each object format's directives. With a fallback
// file, also the #include of it for the compilers that do not.
std::string incbinPreamble(const WideString& fallbackName);

// The fallback file's opening comment, naming the source that includes it.
std::string incbinFallbackBanner(const WideString& sourceName);

// The top-level asm that defines the symbol: its section, alignment, visibility, ELF type and
// size, and exactly the input's size bytes of it, so an input that changed size since the text
// was written fails to assemble.
std::string incbinDefinition(const IncbinSymbol& symbol);

} // namespace Zenlo
