// String-literal lines: table-driven escapes, written straight into the output buffer.
#include "converter/StringLiteral.h"

#include <algorithm>
#include <cstring>

namespace Zenlo {

namespace {

constexpr std::size_t indentWidth = 4;
// Four characters at most per byte ("\377"), plus the indent, two quotes and CR LF.
constexpr std::size_t lineRoom = indentWidth + 4 * stringBytesPerLine + 4;

bool isOctalDigit(std::uint8_t value) {
    return value >= '0' && value <= '7';
}

// The character of a letter escape ("\n"), or 0 when the byte has none.
char letterEscape(int value) {
    // Each byte with an escape letter, followed by that letter.
    static constexpr char pairs[] = "\aa\bb\tt\nn\vv\ff\rr\"\"\\\\";
    for (std::size_t i = 0; i + 1 < sizeof pairs; i += 2)
        if (pairs[i] == value) return pairs[i + 1];
    return 0;
}

} // namespace

StringLineWriter::StringLineWriter() {
    for (int value = 0; value < 256; ++value) {
        char* text = escape_[value];
        octal_[value] = false;
        if (const char letter = letterEscape(value)) {
            text[0] = '\\', text[1] = letter;
            shortLength_[value] = 2;
        } else if (value >= 32 && value < 127) {
            text[0] = static_cast<char>(value);
            shortLength_[value] = 1;
        } else {
            text[0] = '\\';
            text[1] = static_cast<char>('0' + (value >> 6));
            text[2] = static_cast<char>('0' + ((value >> 3) & 7));
            text[3] = static_cast<char>('0' + (value & 7));
            // Leading zero digits may be left out: "\0", "\37", "\177".
            const std::uint8_t length = value < 8 ? 2 : value < 64 ? 3 : 4;
            std::memmove(text + 1, text + 5 - length, length - 1u);
            shortLength_[value] = length;
            octal_[value] = true;
        }
    }
}

char* StringLineWriter::escape(const std::uint8_t* bytes, std::size_t count, char* text) const {
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t value = bytes[i];
        if (value == '?' && i > 0 && bytes[i - 1] == '?') {
            *text++ = '\\', *text++ = '?';
            continue;
        }
        std::size_t length = shortLength_[value];
        if (octal_[value] && length < 4 && i + 1 < count && isOctalDigit(bytes[i + 1])) {
            // A following digit would be read as part of the escape: all three digits.
            text[0] = '\\';
            text[1] = static_cast<char>('0' + (value >> 6));
            text[2] = static_cast<char>('0' + ((value >> 3) & 7));
            text[3] = static_cast<char>('0' + (value & 7));
            length = 4;
        } else {
            std::memcpy(text, escape_[value], 4);
        }
        text += length;
    }
    return text;
}

bool StringLineWriter::writeBlock(const std::uint8_t* bytes, std::size_t count, OutputFile& out,
                                  const std::atomic<bool>& stop) const {
    for (std::size_t done = 0; done < count; done += stringBytesPerLine) {
        if (stop.load(std::memory_order_relaxed)) return false;
        const std::size_t length = std::min(stringBytesPerLine, count - done);
        char* start = out.reserve(lineRoom);
        std::memcpy(start, "    \"", indentWidth + 1);
        char* next = escape(bytes + done, length, start + indentWidth + 1);
        std::memcpy(next, "\"\r\n", 3);
        out.commit(static_cast<std::size_t>(next + 3 - start));
    }
    return true;
}

} // namespace Zenlo
