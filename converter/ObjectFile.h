// Arrays written as an object file that a linker takes as it is, so no compiler ever reads the
// bytes: format names, the rules the options must meet, and the writer of one object.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "converter/ByteStyles.h"
#include "converter/ConversionOptions.h"
#include "converter/ObjectContents.h"
#include "converter/OutputFile.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// The format named "coff-x86-64", "coff-i386", "coff-arm64", "elf-x86-64", "elf-aarch64" or
// "elf-i386"; false for any other name.
bool parseObjectFormat(std::string_view name, ObjectFormat& format);
// True for the COFF formats (Windows' linkers), false for ELF and None.
bool isCoffFormat(ObjectFormat format);
// The size type's width in bytes on the format's machine: uint8_t to uint64_t, uintmax_t,
// size_t, uintptr_t and the unsigned standard types (long: 4 bytes on COFF and 32-bit ELF, 8 on
// 64-bit ELF), with or without "std::". 0 for any other type.
unsigned sizeTypeWidth(ObjectFormat format, const WideString& sizeType);
// Why arrays with these options cannot go into an object of the format (a one-line message): an
// element type that is not one byte, or a size variable whose type's width is not known. Empty
// when they can, and for None.
std::string objectOptionsProblem(ObjectFormat format, const ZnConversionOptions& options);

// The pass that writes an input's bytes as they are.
const BytePass& rawBytePass();

// One object under construction in a file that starts empty: a header, one data section that
// takes the arrays one after the other and then the size variables, and the symbol tables. The
// arrays get the alignment and the terminator of the style options; an empty array holds one
// zero. Every variable is an external symbol named as the text names it. Bytes the file loses
// again (an input cut back) are simply not counted: each step measures the file.
class ObjectWriter {
public:
    enum class Room { Fits, SizeTooWide, ObjectTooLarge };

    ObjectWriter(const ObjectOptions& object, const ZnConversionOptions& options,
                 const ByteStyleOptions& style);

    // Leaves room for the header at the start of the empty file.
    void begin(OutputFile& out);
    // Whether an array of size bytes can still be added: SizeTooWide when the size variable's
    // type cannot hold the size, ObjectTooLarge when the object would pass its format's 4 GiB
    // (COFF, 32-bit ELF).
    Room room(const OutputFile& out, const WideString& variable, std::uint64_t size) const;
    // Pads the data to the next array's alignment; the array's bytes follow.
    void startArray(OutputFile& out) const;
    // After the array's bytes: writes its terminator (or an empty array's zero) and records its
    // symbols.
    void finishArray(OutputFile& out, const WideString& variable, std::uint64_t size);
    // Writes the size variables and the tables after the data, and the header over its room.
    // Returns false when the file could not be written.
    bool finish(OutputFile& out);

private:
    struct SizeVariable {
        std::string name;
        std::uint64_t value;
    };
    std::uint64_t dataOffset() const;
    std::uint64_t padding(std::uint64_t position, std::uint64_t alignment) const;
    std::string symbolName(const WideString& variable) const;

    ObjectContents contents_;
    std::uint32_t arrayAlign_ = 1;
    bool terminate_ = false;
    // 0 when no size variables are written.
    unsigned sizeWidth_ = 0;
    // What each size variable's symbol adds to its array's.
    std::string sizeSuffix_;
    std::vector<SizeVariable> sizes_;
    // More than the symbol and string tables will take, for the 4 GiB check.
    std::uint64_t tableBound_ = 0;
};

} // namespace Zenlo
