// COFF objects in the published PE/COFF layout: 20-byte file header, 40-byte section headers,
// 18-byte symbol records, a string table for names longer than eight bytes.
#include "converter/CoffObject.h"

#include <bit>

namespace Zenlo {

namespace {

constexpr unsigned machineAmd64 = 0x8664;
constexpr unsigned machineI386 = 0x014c;
constexpr unsigned machineArm64 = 0xaa64;
constexpr std::uint32_t initializedData = 0x00000040;
constexpr std::uint32_t memoryRead = 0x40000000;
constexpr std::uint32_t memoryWrite = 0x80000000;
constexpr unsigned classExternal = 2;
constexpr unsigned classStatic = 3;
constexpr std::uint64_t symbolRecordSize = 18;

unsigned machine(ObjectFormat format) {
    if (format == ObjectFormat::CoffI386) return machineI386;
    return format == ObjectFormat::CoffArm64 ? machineArm64 : machineAmd64;
}

// Section flags: 1 byte is 0x00100000, each doubling one more in the same four bits.
std::uint32_t alignmentFlag(std::uint32_t align) {
    return static_cast<std::uint32_t>(std::countr_zero(align) + 1) << 20;
}

class SymbolTable {
public:
    void add(const std::string& name, std::uint32_t value, unsigned section, unsigned storage,
             unsigned auxiliaries = 0) {
        if (name.size() <= 8) {
            records_.text(name, 8);
        } else {
            records_.u32(0);
            records_.u32(4 + strings_.size());
            strings_ += name + '\0';
        }
        records_.u32(value);
        records_.u16(section);
        records_.u16(0); // type: not a function
        records_.u8(storage);
        records_.u8(auxiliaries);
        ++count_;
    }
    // The auxiliary record of a section symbol: its length, no relocations, no COMDAT.
    void addSectionAuxiliary(std::uint32_t length) {
        records_.u32(length);
        records_.text({}, symbolRecordSize - 4);
        ++count_;
    }
    std::uint32_t count() const { return count_; }
    // The records, then the string table with its length in front.
    std::string bytes() const {
        LittleEndian out;
        out.append(records_.bytes());
        out.u32(4 + strings_.size());
        out.append(strings_);
        return out.bytes();
    }

private:
    LittleEndian records_;
    std::string strings_;
    std::uint32_t count_ = 0;
};

} // namespace

EncodedObject encodeCoff(const ObjectContents& contents) {
    const std::string sectionName = contents.writable ? ".data" : ".rdata";
    const auto dataSize = static_cast<std::uint32_t>(contents.dataSize);
    SymbolTable symbols;
    symbols.add(sectionName, 0, 1, classStatic, 1);
    symbols.addSectionAuxiliary(dataSize);
    // 32-bit images are linked /SAFESEH by default: the object must say it has no handlers.
    if (contents.format == ObjectFormat::CoffI386) symbols.add("@feat.00", 1, 0xffff, classStatic);
    for (const ObjectSymbol& symbol : contents.symbols)
        symbols.add(symbol.name, static_cast<std::uint32_t>(symbol.offset), 1, classExternal);

    LittleEndian header;
    header.u16(machine(contents.format));
    header.u16(1);
    header.u32(contents.timeStamp);
    header.u32(contents.dataOffset + contents.dataSize);
    header.u32(symbols.count());
    header.u16(0); // no optional header
    header.u16(0);
    header.text(sectionName, 8);
    header.u32(0); // virtual size and address: none in an object
    header.u32(0);
    header.u32(dataSize);
    header.u32(dataSize ? contents.dataOffset : 0);
    header.text({}, 12); // no relocations, no line numbers
    header.u32(initializedData | memoryRead | (contents.writable ? memoryWrite : 0) |
               alignmentFlag(contents.align));
    return {header.bytes(), symbols.bytes()};
}

} // namespace Zenlo
