// Element lines: "    0x41, 0x42," with the optional printable comment, CR LF line ends.
#include "converter/ByteLines.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "toolkit/TextEncoding.h"

namespace Zenlo {

namespace {

// Six characters per element: "0x", two digits, ", ".
constexpr std::size_t elementWidth = 6;
constexpr std::size_t indentWidth = 4;

} // namespace

ByteLineWriter::ByteLineWriter(const ZnConversionOptions& options, bool castHighBytes)
    : bytesPerLine_(std::max<std::int32_t>(options.bytesPerLine, 1)),
      comment_(options.printableComment != 0) {
    const char* digits = options.upperCaseHex ? "0123456789ABCDEF" : "0123456789abcdef";
    for (int value = 0; value < 256; ++value) {
        char* element = elements_[value];
        std::memcpy(element, "0x??, \0\0", 8);
        element[2] = digits[value >> 4];
        element[3] = digits[value & 15];
        // A backslash would end the line comment in a line continuation.
        bool printable = value >= 32 && value <= 126 && value != '\\';
        shown_[value] = printable ? static_cast<char>(value) : '.';
    }
    if (!castHighBytes) return;
    const std::string cast = "(" + utf16ToUtf8(options.elementType.view()) + ")";
    for (int value = 128; value < 256; ++value)
        castElements_.push_back(cast + std::string(elements_[value], elementWidth));
}

bool ByteLineWriter::writeBlock(const std::uint8_t* bytes, std::size_t count, bool lastBlock,
                                OutputFile& out, const std::atomic<bool>& stop) const {
    assert(count <= byteBlockSize);
    std::size_t done = 0;
    while (done < count) {
        const std::size_t length =
            static_cast<std::size_t>(std::min<std::int64_t>(bytesPerLine_, count - done));
        const std::uint8_t* line = bytes + done;
        if (!castElements_.empty()) {
            if (!writeCastLine(line, length, lastBlock && done + length == count, out, stop))
                return false;
            done += length;
            continue;
        }
        char* start = out.reserve(indentWidth + elementWidth * length + 8);
        std::memcpy(start, "    ", indentWidth);
        char* next = start + indentWidth;
        for (std::size_t i = 0; i < length; ++i) {
            if (stop.load(std::memory_order_relaxed)) {
                // The partial line as a byte-by-byte writer leaves it: no indent before byte 0.
                out.commit(i ? indentWidth + elementWidth * i : 0);
                return false;
            }
            std::memcpy(next, elements_[line[i]], 8);
            next += elementWidth;
        }
        done += length;
        const bool inputEnds = lastBlock && done == count;
        // Every line but the input's last keeps its comma; the last has neither comma nor space.
        next -= inputEnds ? 2 : 1;
        out.commit(static_cast<std::size_t>(next - start));
        if (comment_) writeComment(line, length, inputEnds, out);
        out.write("\r\n");
    }
    return true;
}

bool ByteLineWriter::writeCastLine(const std::uint8_t* line, std::size_t length, bool inputEnds,
                                   OutputFile& out, const std::atomic<bool>& stop) const {
    std::string text = "    ";
    for (std::size_t i = 0; i < length; ++i) {
        if (stop.load(std::memory_order_relaxed)) return out.write(i ? text : ""), false;
        text += line[i] < 128 ? std::string(elements_[line[i]], elementWidth)
                              : castElements_[line[i] - 128u];
    }
    text.resize(text.size() - (inputEnds ? 2 : 1));
    out.write(text);
    if (comment_) writeComment(line, length, inputEnds, out);
    out.write("\r\n");
    return true;
}

void ByteLineWriter::writeComment(const std::uint8_t* bytes, std::size_t count, bool inputEnds,
                                  OutputFile& out) const {
    if (inputEnds) {
        // Filler spaces put the last line's "//" in the column of a full line's; no line is wider
        // than one block, whatever bytesPerLine asks.
        const std::int64_t fullLine =
            std::min<std::int64_t>(bytesPerLine_, static_cast<std::int64_t>(byteBlockSize));
        const std::int64_t position = static_cast<std::int64_t>(count) - 1;
        out.fill(' ', static_cast<std::size_t>((fullLine - position) * 6 - 5));
    }
    char* start = out.reserve(count + 4);
    std::memcpy(start, " //", 3);
    char* text = start + 3;
    for (std::size_t i = 0; i < count; ++i)
        text[i] = shown_[bytes[i]];
    // Two question marks and a slash form the trigraph of a backslash: at the end it would also
    // continue the line.
    if (count >= 3 && text[count - 3] == '?' && text[count - 2] == '?' && text[count - 1] == '/')
        text[count - 1] = '.';
    text[count] = ' ';
    out.commit(count + 4);
}

} // namespace Zenlo
