// ELF relocatable objects as the System V ABI lays them out, 32 or 64 bit, little-endian: the
// header, the data section, then symbol table, string tables and the section header table.
#include "converter/ElfObject.h"

namespace Zenlo {

namespace {

constexpr unsigned machineI386 = 3;
constexpr unsigned machineX86_64 = 62;
constexpr unsigned machineAarch64 = 183;
constexpr unsigned typeProgbits = 1, typeSymtab = 2, typeStrtab = 3;
constexpr std::uint64_t flagWrite = 1, flagAlloc = 2;
constexpr unsigned symbolObject = 1, symbolSection = 3, bindGlobal = 1;
// The sections in their order; the first is the null section.
enum Section : unsigned { Null, Data, Symtab, Strtab, Shstrtab, GnuStack, SectionCount };

bool is64(ObjectFormat format) {
    return format != ObjectFormat::ElfI386;
}

unsigned machine(ObjectFormat format) {
    if (format == ObjectFormat::ElfI386) return machineI386;
    return format == ObjectFormat::ElfAarch64 ? machineAarch64 : machineX86_64;
}

// Addresses, offsets and sizes: the class's word.
class ElfBytes : public LittleEndian {
public:
    explicit ElfBytes(bool wide) : wide_(wide) {}
    void word(std::uint64_t value) { put(value, wide_ ? 8 : 4); }

private:
    bool wide_;
};

struct SectionHeader {
    std::uint32_t name = 0, type = 0;
    std::uint64_t flags = 0, offset = 0, size = 0;
    std::uint32_t link = 0, info = 0;
    std::uint64_t align = 1, entrySize = 0;
};

void writeSectionHeader(const SectionHeader& section, ElfBytes& out) {
    out.u32(section.name);
    out.u32(section.type);
    out.word(section.flags);
    out.word(0); // address: none in an object
    out.word(section.offset);
    out.word(section.size);
    out.u32(section.link);
    out.u32(section.info);
    out.word(section.align);
    out.word(section.entrySize);
}

// The 32-bit record puts value and size before the binding; the 64-bit one after.
void writeSymbol(bool wide, std::uint32_t name, unsigned info, unsigned section,
                 std::uint64_t value, std::uint64_t size, ElfBytes& out) {
    out.u32(name);
    if (!wide) {
        out.u32(value);
        out.u32(size);
    }
    out.u8(info);
    out.u8(0); // default visibility
    out.u16(section);
    if (wide) {
        out.u64(value);
        out.u64(size);
    }
}

} // namespace

std::uint64_t elfHeaderSize(ObjectFormat format) {
    return is64(format) ? 64 : 52;
}

EncodedObject encodeElf(const ObjectContents& contents) {
    const bool wide = is64(contents.format);
    const std::uint64_t word = wide ? 8 : 4;
    const char* const sectionName[SectionCount] = {
        "",          contents.writable ? ".data" : ".rodata",
        ".symtab",   ".strtab",
        ".shstrtab", ".note.GNU-stack"};
    std::string sectionNames;
    std::uint32_t nameOffset[SectionCount] = {};
    for (unsigned i = 0; i < SectionCount; ++i) {
        nameOffset[i] = static_cast<std::uint32_t>(sectionNames.size());
        sectionNames += sectionName[i];
        sectionNames += '\0';
    }

    const std::uint64_t start = contents.dataOffset + contents.dataSize;
    ElfBytes tail(wide);
    tail.padTo(word, start);
    SectionHeader sections[SectionCount];
    sections[Data] = {nameOffset[Data],
                      typeProgbits,
                      (contents.writable ? flagWrite : 0) | flagAlloc,
                      contents.dataOffset,
                      contents.dataSize,
                      0,
                      0,
                      contents.align,
                      0};
    // The null symbol and the section's symbol are local; every variable after them is global.
    sections[Symtab] = {nameOffset[Symtab], typeSymtab, 0, start + tail.size(), 0, Strtab, 2, word,
                        wide ? 24u : 16u};
    std::string names(1, '\0');
    writeSymbol(wide, 0, 0, 0, 0, 0, tail);
    writeSymbol(wide, 0, symbolSection, Data, 0, 0, tail);
    for (const ObjectSymbol& symbol : contents.symbols) {
        writeSymbol(wide, static_cast<std::uint32_t>(names.size()), bindGlobal << 4 | symbolObject,
                    Data, symbol.offset, symbol.size, tail);
        names += symbol.name + '\0';
    }
    sections[Symtab].size = start + tail.size() - sections[Symtab].offset;
    sections[Strtab] = {nameOffset[Strtab], typeStrtab, 0, start + tail.size(), names.size()};
    tail.append(names);
    sections[Shstrtab] = {nameOffset[Shstrtab], typeStrtab, 0, start + tail.size(),
                          sectionNames.size()};
    tail.append(sectionNames);
    sections[GnuStack] = {nameOffset[GnuStack], typeProgbits, 0, start + tail.size(), 0};
    tail.padTo(word, start);
    const std::uint64_t sectionTable = start + tail.size();
    for (const SectionHeader& section : sections)
        writeSectionHeader(section, tail);

    ElfBytes header(wide);
    header.append(std::string("\x7f"
                              "ELF",
                              4));
    header.u8(wide ? 2 : 1); // class
    header.u8(1);            // little-endian
    header.u8(1);            // version
    header.text({}, 9);      // System V, padding
    header.u16(1);           // relocatable
    header.u16(machine(contents.format));
    header.u32(1);
    header.word(0); // no entry
    header.word(0); // no program headers
    header.word(sectionTable);
    header.u32(0); // flags
    header.u16(static_cast<unsigned>(elfHeaderSize(contents.format)));
    header.u16(0);
    header.u16(0);
    header.u16(wide ? 64 : 40);
    header.u16(SectionCount);
    header.u16(Shstrtab);
    return {header.bytes(), tail.bytes()};
}

} // namespace Zenlo
