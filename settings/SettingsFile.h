// The stored settings record: its bytes, its line-end translation, and loading and saving it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "converter/ConversionOptions.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// The name of the settings file in the start folder.
inline constexpr const char16_t* settingsFileName = u"settings.cfg";

// The number of fields in a whole record.
inline constexpr int settingsFieldCount = 14;

// The record of the options and the language name, in stored field order, before line-end
// translation: strings as a 32-bit length and that many UTF-16 code units, integers
// little-endian, flags as the full value held.
std::string encodeSettingsRecord(const ZnConversionOptions& options,
                                 const WideString& languageName);

// Reads the record's fields in order into options and languageName. Stops at the first field
// the bytes cannot complete: that field and every later one keep the values they held.
// Returns the number of fields read (settingsFieldCount for a whole record).
int decodeSettingsRecord(std::string_view record, ZnConversionOptions& options,
                         WideString& languageName);

// The disk form of a record: every 0x0A becomes 0x0D 0x0A.
std::string toDiskForm(std::string_view record);
// The record of a disk form: 0x0D 0x0A becomes 0x0A (a lone 0x0D stays). A 0x1A byte is kept:
// inside a record it is always data (a length of 26, a character such as U+041A), and ending
// the file there would silently drop that field and every later one.
std::string fromDiskForm(std::string_view disk);

// The record stored in the settings file (its disk form translated back). Returns false when
// the file is not a plain file or cannot be read; error (when given) then holds the system's
// reason, and stays clear for something that is not a plain file.
bool readSettingsRecord(const std::filesystem::path& path, std::string& record,
                        std::error_code* error = nullptr);

// Reads the settings file over the values held. A file that cannot be read changes nothing;
// a short file sets only its complete fields. An empty languageName becomes "English".
// Returns false when the file could not be opened or read.
bool loadSettingsFile(const std::filesystem::path& path, ZnConversionOptions& options,
                      WideString& languageName);

// Writes the settings file, replacing it atomically: a temporary file beside it is written,
// flushed to disk and renamed over it. A link is written through; only a regular file is
// replaced (or a missing one created). Returns false when it could not be written or the path
// names something else, such as a device; that then stays as it was, and error (when given)
// holds the reason's code for systemErrorText.
bool saveSettingsFile(const std::filesystem::path& path, const ZnConversionOptions& options,
                      const WideString& languageName, int* error = nullptr);

} // namespace Zenlo
