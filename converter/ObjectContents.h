// What an object file of arrays holds besides the bytes themselves, and little-endian encoding.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "converter/ObjectFormat.h"

namespace Zenlo {

// One named variable in the data section.
struct ObjectSymbol {
    // As the linker sees it (coff-i386's "_" already in front).
    std::string name;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

// Everything an encoder needs to write the header and the tables around the data section.
struct ObjectContents {
    ObjectFormat format = ObjectFormat::None;
    // Where the data section starts in the file, and its length.
    std::uint64_t dataOffset = 0;
    std::uint64_t dataSize = 0;
    // The section's alignment in bytes, a power of two.
    std::uint32_t align = 1;
    // The data may be written to by the program (some variable is not const).
    bool writable = false;
    // COFF's time stamp, seconds since 1970 (0 keeps the bytes reproducible).
    std::uint32_t timeStamp = 0;
    std::vector<ObjectSymbol> symbols;
};

// Bytes in little-endian order, as every format here stores its numbers.
class LittleEndian {
public:
    void u8(unsigned value) { bytes_ += static_cast<char>(value & 0xff); }
    void u16(unsigned value) { put(value, 2); }
    void u32(std::uint64_t value) { put(value, 4); }
    void u64(std::uint64_t value) { put(value, 8); }
    // The value in the given number of bytes (1, 2, 4 or 8).
    void put(std::uint64_t value, unsigned width) {
        for (unsigned i = 0; i < width; ++i)
            u8(static_cast<unsigned>(value >> (8 * i)));
    }
    // Text of exactly width bytes, cut or padded with zeros.
    void text(const std::string& value, std::size_t width) {
        bytes_ += value.substr(0, width);
        bytes_.append(width - std::min(width, value.size()), '\0');
    }
    void append(const std::string& bytes) { bytes_ += bytes; }
    // Zeros up to the next multiple of alignment, counting from start.
    void padTo(std::uint64_t alignment, std::uint64_t start = 0) {
        while ((start + bytes_.size()) % alignment != 0)
            bytes_ += '\0';
    }
    std::size_t size() const { return bytes_.size(); }
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// The header (written over the room left at the file's start) and the tables after the data.
struct EncodedObject {
    std::string header;
    std::string tail;
};

} // namespace Zenlo
