// Bytes as C string literals: one literal per line, escapes that no following byte can extend.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

#include "converter/OutputFile.h"

namespace Zenlo {

// Input bytes per literal line: short enough for editors and diffs, long enough that a compiler
// has few tokens to join. Divides the engine's block size, so blocks end on whole lines.
constexpr std::size_t stringBytesPerLine = 32;

// Writes one input's bytes as indented literal lines "    \"...\"" with CR LF line ends.
class StringLineWriter {
public:
    StringLineWriter();

    // Writes the lines of one block; every block ends its last line. Before every line the stop
    // flag is read: when set, the lines before it stay written and the result is false.
    bool writeBlock(const std::uint8_t* bytes, std::size_t count, OutputFile& out,
                    const std::atomic<bool>& stop) const;
    // The line of an input without bytes: an empty literal, whose terminating zero is then the
    // array's one element.
    static std::string emptyLine() { return "    \"\"\r\n"; }

    // Writes the bytes escaped for the inside of one string literal (without the quotes) at text,
    // which has room for four characters per byte plus four; returns the end. Printable ASCII
    // stays itself; quote and backslash are escaped; the seven control characters with a letter
    // escape take it; every other byte is an octal escape, of three digits only when an octal
    // digit follows (octal escapes end after three digits, hexadecimal ones never do). A '?'
    // after a '?' is written "\?", so no trigraph can form in compilers that still read them.
    char* escape(const std::uint8_t* bytes, std::size_t count, char* text) const;

private:
    // The escape of every byte value in its longest form, and the length of its shortest one.
    char escape_[256][4];
    std::uint8_t shortLength_[256];
    bool octal_[256];
};

} // namespace Zenlo
