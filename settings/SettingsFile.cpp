// The stored settings record: its bytes, its line-end translation, and loading and saving it.
#include "settings/SettingsFile.h"

#include <cerrno>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <system_error>

#include "converter/AtomicOutput.h"
#include "toolkit/TextEncoding.h"

namespace Zenlo {

namespace {

void putUint32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void putString(std::string& out, const WideString& text) {
    putUint32(out, text.length());
    for (WideString::Size i = 0; i < text.length(); ++i) {
        auto unit = static_cast<std::uint16_t>(text[i]);
        out.push_back(static_cast<char>(unit & 0xFF));
        out.push_back(static_cast<char>(unit >> 8));
    }
}

// Reads fields off the front of a record; every read fails once the bytes run short.
class RecordReader {
public:
    explicit RecordReader(std::string_view bytes) : bytes_(bytes) {}

    bool readUint32(std::uint32_t& value) {
        if (bytes_.size() < 4) return false;
        value = 0;
        for (int i = 3; i >= 0; --i)
            value = (value << 8) | static_cast<std::uint8_t>(bytes_[i]);
        bytes_.remove_prefix(4);
        return true;
    }

    bool readInt32(std::int32_t& value) {
        std::uint32_t raw = 0;
        if (!readUint32(raw)) return false;
        value = static_cast<std::int32_t>(raw);
        return true;
    }

    bool readByte(std::uint8_t& value) {
        if (bytes_.empty()) return false;
        value = static_cast<std::uint8_t>(bytes_[0]);
        bytes_.remove_prefix(1);
        return true;
    }

    // The length is checked against the bytes left before any storage is made for it.
    bool readString(WideString& text) {
        std::uint32_t length = 0;
        if (!readUint32(length) || bytes_.size() / 2 < length) return false;
        const std::u16string units = decodeUtf16le(bytes_.substr(0, 2 * std::size_t{length}));
        bytes_.remove_prefix(2 * std::size_t{length});
        // Every user of the text sees it up to its first U+0000 (the C-string view); the generated
        // files must see the same, not the hidden rest.
        text = WideString(units.c_str(), length);
        return true;
    }

private:
    std::string_view bytes_;
};

// Reads a plain file whole. On failure error holds the system's reason; it stays clear for
// something that is not a plain file (a pipe or device would block or never end).
bool readWholeFile(const std::filesystem::path& path, std::string& bytes, std::error_code& error) {
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error) return false;
    if (status.type() == std::filesystem::file_type::directory) {
        error = std::make_error_code(std::errc::is_a_directory);
        return false;
    }
    if (status.type() != std::filesystem::file_type::regular) return false;
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::error_code(errno ? errno : EIO, std::generic_category());
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.bad()) return true;
    error = std::make_error_code(std::errc::io_error);
    return false;
}

} // namespace

std::string encodeSettingsRecord(const ZnConversionOptions& options,
                                 const WideString& languageName) {
    std::string out;
    putString(out, options.namePrefix);
    putString(out, options.nameSuffix);
    putString(out, options.elementType);
    putString(out, options.sizeType);
    putString(out, languageName);
    putString(out, options.includeList);
    putUint32(out, static_cast<std::uint32_t>(options.bytesPerLine));
    out.push_back(static_cast<char>(options.arrayQualifiers));
    out.push_back(static_cast<char>(options.sizeQualifiers));
    putUint32(out, static_cast<std::uint32_t>(options.upperCaseHex));
    putUint32(out, static_cast<std::uint32_t>(options.writeSizeVariable));
    putUint32(out, static_cast<std::uint32_t>(options.capitalizeName));
    putUint32(out, static_cast<std::uint32_t>(options.lowerCaseName));
    putUint32(out, static_cast<std::uint32_t>(options.printableComment));
    return out;
}

int decodeSettingsRecord(std::string_view record, ZnConversionOptions& options,
                         WideString& languageName) {
    RecordReader reader(record);
    WideString* strings[] = {&options.namePrefix, &options.nameSuffix, &options.elementType,
                             &options.sizeType,   &languageName,       &options.includeList};
    int fields = 0;
    for (WideString* text : strings) {
        if (!reader.readString(*text)) return fields;
        ++fields;
    }
    if (!reader.readInt32(options.bytesPerLine)) return fields;
    ++fields;
    for (std::uint8_t* bits : {&options.arrayQualifiers, &options.sizeQualifiers}) {
        if (!reader.readByte(*bits)) return fields;
        ++fields;
    }
    for (std::int32_t* flag :
         {&options.upperCaseHex, &options.writeSizeVariable, &options.capitalizeName,
          &options.lowerCaseName, &options.printableComment}) {
        if (!reader.readInt32(*flag)) return fields;
        ++fields;
    }
    return fields;
}

std::string toDiskForm(std::string_view record) {
    std::string disk;
    disk.reserve(record.size() + record.size() / 16);
    for (char byte : record) {
        if (byte == '\n') disk.push_back('\r');
        disk.push_back(byte);
    }
    return disk;
}

std::string fromDiskForm(std::string_view disk) {
    std::string record;
    record.reserve(disk.size());
    for (std::size_t i = 0; i < disk.size(); ++i) {
        char byte = disk[i];
        if (byte == '\r' && i + 1 < disk.size() && disk[i + 1] == '\n') continue;
        record.push_back(byte);
    }
    return record;
}

bool readSettingsRecord(const std::filesystem::path& path, std::string& record,
                        std::error_code* error) {
    std::string disk;
    std::error_code reason;
    if (!readWholeFile(path, disk, reason)) {
        if (error) *error = reason;
        return false;
    }
    record = fromDiskForm(disk);
    return true;
}

bool loadSettingsFile(const std::filesystem::path& path, ZnConversionOptions& options,
                      WideString& languageName) {
    std::string record;
    bool read = readSettingsRecord(path, record);
    if (read) decodeSettingsRecord(record, options, languageName);
    if (languageName.isEmpty()) languageName = u"English";
    return read;
}

bool saveSettingsFile(const std::filesystem::path& path, const ZnConversionOptions& options,
                      const WideString& languageName, int* error) {
    AtomicOutput file;
    bool saved = file.begin(fromPath(path));
    if (saved) {
        file.file().write(toDiskForm(encodeSettingsRecord(options, languageName)));
        // The settings must be on the disk before the rename makes them the settings file.
        saved = file.commit(true) != CommitResult::Failed;
    }
    if (!saved && error) *error = file.error();
    return saved;
}

} // namespace Zenlo
