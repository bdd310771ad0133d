// The array's element lines: whole lines built from lookup tables straight into the output buffer.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "converter/ConversionOptions.h"
#include "converter/OutputFile.h"

namespace Zenlo {

// Inputs are written in blocks of this many bytes (the last one holds the rest); every block ends
// its last line, and progress is told once per block.
constexpr std::size_t byteBlockSize = 4096;

class ByteLineWriter {
public:
    // With castHighBytes, bytes from 0x80 are written as the element type's value of that bit
    // pattern ("(char)0xff"), which a signed or plain char element takes without narrowing.
    explicit ByteLineWriter(const ZnConversionOptions& options, bool castHighBytes = false);

    // Writes the lines of one block of at most byteBlockSize bytes; lastBlock says that the input
    // ends with it. Before every byte the stop flag is read: when it is set, the text up to that
    // byte stays written and the result is false. Returns true when the whole block was written.
    bool writeBlock(const std::uint8_t* bytes, std::size_t count, bool lastBlock, OutputFile& out,
                    const std::atomic<bool>& stop) const;

private:
    // One line of the cast form; false when the stop flag was seen.
    bool writeCastLine(const std::uint8_t* line, std::size_t length, bool inputEnds,
                       OutputFile& out, const std::atomic<bool>& stop) const;
    void writeComment(const std::uint8_t* bytes, std::size_t count, bool inputEnds,
                      OutputFile& out) const;

    // "0xab, " for every byte value, padded to eight bytes so each is one word copy.
    char elements_[256][8];
    // The character the comment shows for every byte value.
    char shown_[256];
    // The elements per line the options ask for; values below 1 count as 1.
    std::int64_t bytesPerLine_;
    bool comment_;
    // The cast elements of the bytes from 0x80, each with its ", "; empty without castHighBytes.
    std::vector<std::string> castElements_;
};

} // namespace Zenlo
