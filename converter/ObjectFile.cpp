// Objects of arrays: the format table, the size types' widths per machine, and the writer that
// streams the bytes between a header written last and tables written at the end.
#include "converter/ObjectFile.h"

#include <algorithm>
#include <vector>

#include "converter/CoffObject.h"
#include "converter/ElfObject.h"
#include "toolkit/TextEncoding.h"

namespace Zenlo {

namespace {

struct FormatEntry {
    const char* name;
    ObjectFormat format;
    bool coff;
    // Pointer and size_t width.
    unsigned pointer;
};

constexpr FormatEntry formats[] = {
    {"coff-x86-64", ObjectFormat::CoffX86_64, true, 8},
    {"coff-i386", ObjectFormat::CoffI386, true, 4},
    {"coff-arm64", ObjectFormat::CoffArm64, true, 8},
    {"elf-x86-64", ObjectFormat::ElfX86_64, false, 8},
    {"elf-aarch64", ObjectFormat::ElfAarch64, false, 8},
    {"elf-i386", ObjectFormat::ElfI386, false, 4},
};

const FormatEntry& entryOf(ObjectFormat format) {
    for (const FormatEntry& entry : formats)
        if (entry.format == format) return entry;
    return formats[0];
}

// Offsets in COFF and 32-bit ELF files are 32 bits wide.
bool hasFourGibLimit(ObjectFormat format) {
    return entryOf(format).coff || format == ObjectFormat::ElfI386;
}

std::vector<std::string> words(const WideString& text) {
    std::vector<std::string> result(1);
    for (char c : utf16ToUtf8(text.view())) {
        if (c != ' ' && c != '\t')
            result.back() += c;
        else if (!result.back().empty())
            result.emplace_back();
    }
    if (result.back().empty()) result.pop_back();
    return result;
}

// The width of "unsigned" followed by the rest of the words; 0 when they name no type.
unsigned unsignedWidth(std::vector<std::string> rest, unsigned longWidth) {
    if (!rest.empty() && rest.back() == "int") rest.pop_back();
    if (rest.empty()) return 4;
    if (rest.size() == 1 && rest[0] == "char") return 1;
    if (rest.size() == 1 && rest[0] == "short") return 2;
    if (rest.size() == 1 && rest[0] == "long") return longWidth;
    if (rest.size() == 2 && rest[0] == "long" && rest[1] == "long") return 8;
    return 0;
}

class RawBytes final : public BytePass {
public:
    bool writeBlock(const std::uint8_t* bytes, std::size_t count, bool, OutputFile& out,
                    const std::atomic<bool>& stop) const override {
        if (stop.load(std::memory_order_relaxed)) return false;
        out.write({reinterpret_cast<const char*>(bytes), count});
        return true;
    }
    void writeEmpty(OutputFile&) const override {}
};

std::uint64_t headerSize(ObjectFormat format) {
    return entryOf(format).coff ? coffHeaderSize : elfHeaderSize(format);
}

} // namespace

bool parseObjectFormat(std::string_view name, ObjectFormat& format) {
    for (const FormatEntry& entry : formats)
        if (name == entry.name) return format = entry.format, true;
    return false;
}

bool isCoffFormat(ObjectFormat format) {
    return format != ObjectFormat::None && entryOf(format).coff;
}

unsigned sizeTypeWidth(ObjectFormat format, const WideString& sizeType) {
    const FormatEntry& entry = entryOf(format);
    std::vector<std::string> typeWords = words(sizeType);
    if (typeWords.empty()) return 0;
    if (typeWords[0] == "unsigned") {
        typeWords.erase(typeWords.begin());
        return unsignedWidth(typeWords, entry.coff ? 4 : entry.pointer);
    }
    if (typeWords.size() != 1) return 0;
    std::string name = typeWords[0];
    for (const char* space : {"std::", "::"})
        if (name.starts_with(space)) name.erase(0, std::string_view(space).size());
    const struct {
        const char* name;
        unsigned width;
    } fixed[] = {{"uint8_t", 1},   {"uint16_t", 2}, {"uint32_t", 4}, {"uint64_t", 8},
                 {"uintmax_t", 8}, {"size_t", 0},   {"uintptr_t", 0}};
    for (const auto& type : fixed)
        if (name == type.name) return type.width ? type.width : entry.pointer;
    return 0;
}

std::string objectOptionsProblem(ObjectFormat format, const ZnConversionOptions& options) {
    if (format == ObjectFormat::None) return {};
    if (!isByteElementType(options.elementType))
        return "an object holds the bytes as they are: the element type must be uint8_t or "
               "unsigned char, not '" +
               utf16ToUtf8(options.elementType.view()) + "'";
    if (options.writeSizeVariable && !sizeTypeWidth(format, options.sizeType))
        return "the width of the size type '" + utf16ToUtf8(options.sizeType.view()) +
               "' on this machine is not known: take uint8_t to uint64_t, uintmax_t, size_t or an "
               "unsigned standard type, or --no-size-variable";
    return {};
}

const BytePass& rawBytePass() {
    static const RawBytes pass;
    return pass;
}

ObjectWriter::ObjectWriter(const ObjectOptions& object, const ZnConversionOptions& options,
                           const ByteStyleOptions& style)
    : arrayAlign_(std::max<std::uint32_t>(style.align, 1)), terminate_(style.nullTerminate),
      sizeSuffix_(utf16ToUtf8(options.choices.sizeSuffix.view())) {
    contents_.format = object.format;
    contents_.timeStamp = object.timeStamp;
    contents_.dataOffset = headerSize(object.format);
    if (options.writeSizeVariable) sizeWidth_ = sizeTypeWidth(object.format, options.sizeType);
    contents_.align = std::max(arrayAlign_, sizeWidth_);
    // What the header declares without const, the program may write to.
    contents_.writable = !(options.arrayQualifiers & qualifierConst) ||
                         (sizeWidth_ && !(options.sizeQualifiers & qualifierConst));
}

void ObjectWriter::begin(OutputFile& out) {
    out.fill('\0', contents_.dataOffset);
}

ObjectWriter::Room ObjectWriter::room(const OutputFile& out, const WideString& variable,
                                      std::uint64_t size) const {
    if (sizeWidth_ && sizeWidth_ < 8 && size >> (8 * sizeWidth_) != 0) return Room::SizeTooWide;
    if (!hasFourGibLimit(contents_.format)) return Room::Fits;
    const std::uint64_t arrayEnd = out.position() + padding(out.position(), arrayAlign_) + size + 1;
    const std::uint64_t sizesEnd = arrayEnd + (sizes_.size() + 2) * sizeWidth_;
    const std::uint64_t tables = tableBound_ + 2 * (symbolName(variable).size() + 32) + 4096;
    return sizesEnd + tables <= 0xffffffffu ? Room::Fits : Room::ObjectTooLarge;
}

void ObjectWriter::startArray(OutputFile& out) const {
    out.fill('\0', padding(out.position(), arrayAlign_));
}

void ObjectWriter::finishArray(OutputFile& out, const WideString& variable, std::uint64_t size) {
    const std::uint64_t offset = out.position() - size - dataOffset();
    // The terminator; an empty array's zero keeps its address apart from the next one's.
    const bool zero = terminate_ || size == 0;
    if (zero) out.fill('\0', 1);
    const std::string name = symbolName(variable);
    contents_.symbols.push_back({name, offset, size + zero});
    if (sizeWidth_) sizes_.push_back({name + sizeSuffix_, size});
    tableBound_ += 2 * (name.size() + 32);
}

bool ObjectWriter::finish(OutputFile& out) {
    LittleEndian values;
    values.padTo(sizeWidth_ ? sizeWidth_ : 1, out.position() - dataOffset());
    for (const SizeVariable& variable : sizes_) {
        contents_.symbols.push_back(
            {variable.name, out.position() - dataOffset() + values.size(), sizeWidth_});
        values.put(variable.value, sizeWidth_);
    }
    out.write(values.bytes());
    contents_.dataSize = out.position() - dataOffset();
    const EncodedObject encoded =
        entryOf(contents_.format).coff ? encodeCoff(contents_) : encodeElf(contents_);
    out.write(encoded.tail);
    return out.overwrite(0, encoded.header);
}

std::uint64_t ObjectWriter::dataOffset() const {
    return contents_.dataOffset;
}

std::uint64_t ObjectWriter::padding(std::uint64_t position, std::uint64_t alignment) const {
    const std::uint64_t used = (position - dataOffset()) % alignment;
    return used ? alignment - used : 0;
}

std::string ObjectWriter::symbolName(const WideString& variable) const {
    // 32-bit Windows compilers put "_" in front of every C name.
    const std::string prefix = contents_.format == ObjectFormat::CoffI386 ? "_" : "";
    return prefix + utf16ToUtf8(variable.view());
}

} // namespace Zenlo
