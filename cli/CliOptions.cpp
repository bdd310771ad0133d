// Option table and parser of hexmoor-cli ("--name VALUE", "--name=VALUE", "-o DIR", "-oDIR"), and
// the base options a settings file gives.
#include "cli/CliOptions.h"

#include <charconv>
#include <filesystem>
#include <system_error>

#include "cli/ConsoleText.h"
#include "converter/IndexText.h"
#include "converter/OutputTarget.h"
#include "settings/SettingsFile.h"
#include "toolkit/PathText.h"
#include "toolkit/TextEncoding.h"

namespace Zenlo {

// One option: its names, whether it takes a value, and how that value is checked and applied.
struct ZnCliOptionSpec {
    const char* longName;
    char shortName;
    bool takesValue;
    // Applies the value; returns false with a message when the value is malformed.
    bool (*apply)(ZnCliOptions& options, const std::string& value, std::string& error);
};

namespace {

// Folder and file names keep their bytes exactly, whatever their encoding. On Windows the
// arguments arrive as UTF-8 made from the wide command line, and "/" separates as "\\" does.
WideString pathText(const std::string& value) {
#ifdef _WIN32
    WideString path = fromUtf8(value);
    path.replaceAll(u'/', u'\\');
    return path;
#else
    return fromPath(value);
#endif
}

// A text written into the generated lines: a line break or another control character would end
// a comment or a line early and change what the compiler reads.
bool setLineText(WideString& field, const std::string& value, std::string& error) {
    const WideString candidate = fromUtf8(value);
    for (char16_t c : candidate.view()) {
        const bool control = c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x2028 || c == 0x2029;
        if (control) return error = "line breaks and control characters are not allowed", false;
    }
    field = candidate;
    return true;
}

bool parseNumber(const std::string& value, std::int64_t low, std::int64_t high,
                 std::int64_t& number) {
    const char* end = value.data() + value.size();
    if (value.empty() || value[0] < '0' || value[0] > '9') return false;
    auto [rest, problem] = std::from_chars(value.data(), end, number);
    return problem == std::errc() && rest == end && number >= low && number <= high;
}

bool setQualifiers(std::uint8_t& bits, const std::string& value, std::string& error) {
    std::int64_t number = 0;
    if (!parseNumber(value, 0, 3, number)) return error = "qualifiers are 0 to 3", false;
    bits = static_cast<std::uint8_t>(number);
    return true;
}

// A field set by a function that checks the value first.
#define HEXMOOR_SET_CHECKED(setter, field)                                                         \
    [](ZnCliOptions& o, const std::string& value, std::string& error) {                            \
        return setter(o.field, value, error);                                                      \
    }

#define HEXMOOR_SET(field, expression)                                                             \
    [](ZnCliOptions& o, const std::string& value, std::string&) {                                  \
        (void)value;                                                                               \
        o.field = expression;                                                                      \
        return true;                                                                               \
    }

const ZnCliOptionSpec optionTable[] = {
    {"output-dir", 'o', true, HEXMOOR_SET(outputDir, pathText(value))},
    {"output-name", 'n', true,
     [](ZnCliOptions& o, const std::string& value, std::string& error) {
         if (value.empty()) return error = "the output name is empty", false;
         const WideString name = pathText(value);
         if (!isPlainFileName(name))
             return error = "the output name is a file name, not a path (use --output-dir)", false;
         o.outputName = name;
         return true;
     }},
    {"separate-files", 0, false, HEXMOOR_SET(separateFiles, true)},
    {"no-header", 0, false, HEXMOOR_SET(writeHeader, false)},
    {"empty-arrays", 0, false, HEXMOOR_SET(emptyArrays, true)},
    {"prefix", 0, true, HEXMOOR_SET_CHECKED(setLineText, conversion.namePrefix)},
    {"suffix", 0, true, HEXMOOR_SET_CHECKED(setLineText, conversion.nameSuffix)},
    {"element-type", 0, true, HEXMOOR_SET_CHECKED(setLineText, conversion.elementType)},
    {"size-type", 0, true, HEXMOOR_SET_CHECKED(setLineText, conversion.sizeType)},
    {"includes", 0, true, HEXMOOR_SET_CHECKED(setLineText, conversion.includeList)},
    {"bytes-per-line", 0, true,
     [](ZnCliOptions& o, const std::string& value, std::string& error) {
         std::int64_t number = 0;
         if (!parseNumber(value, 1, INT32_MAX, number))
             return error = "bytes per line must be a whole number from 1", false;
         o.conversion.bytesPerLine = static_cast<std::int32_t>(number);
         return true;
     }},
    {"uppercase-hex", 0, false, HEXMOOR_SET(conversion.upperCaseHex, 1)},
    {"no-size-variable", 0, false, HEXMOOR_SET(conversion.writeSizeVariable, 0)},
    {"capitalize", 0, false, HEXMOOR_SET(conversion.capitalizeName, 1)},
    {"keep-case", 0, false, HEXMOOR_SET(conversion.lowerCaseName, 0)},
    {"comment", 0, false, HEXMOOR_SET(conversion.printableComment, 1)},
    {"array-qualifiers", 0, true, HEXMOOR_SET_CHECKED(setQualifiers, conversion.arrayQualifiers)},
    {"size-qualifiers", 0, true, HEXMOOR_SET_CHECKED(setQualifiers, conversion.sizeQualifiers)},
    {"style", 0, true,
     [](ZnCliOptions& o, const std::string& value, std::string& error) {
         if (!parseByteStyle(value, o.byteStyle.style))
             return error = "the style is array, string or embed", false;
         return true;
     }},
    {"align", 0, true,
     [](ZnCliOptions& o, const std::string& value, std::string& error) {
         std::int64_t number = 0;
         if (!parseNumber(value, 1, maxAlignment, number) || !isAlignment(number))
             return error = "the alignment is a power of two from 1 to 4096", false;
         o.byteStyle.align = static_cast<std::uint32_t>(number);
         return true;
     }},
    {"null-terminate", 0, false, HEXMOOR_SET(byteStyle.nullTerminate, true)},
    {"object", 0, true,
     [](ZnCliOptions& o, const std::string& value, std::string& error) {
         if (!parseObjectFormat(value, o.objectFormat))
             return error = "the object format is coff-x86-64, coff-i386, coff-arm64, elf-x86-64, "
                            "elf-aarch64 or elf-i386",
                    false;
         return true;
     }},
    {"quiet", 'q', false, HEXMOOR_SET(quiet, true)},
    {"recursive", 'r', false, HEXMOOR_SET(recursive, true)},
    {"hidden", 0, false, HEXMOOR_SET(hidden, true)},
    {"index", 0, true,
     [](ZnCliOptions& o, const std::string& value, std::string& error) {
         if (!isIndexName(value))
             return error = "the index name is a C identifier (letters, digits, _)", false;
         o.indexName = value;
         return true;
     }},
    {"depfile", 0, true,
     [](ZnCliOptions& o, const std::string& value, std::string& error) {
         if (value.empty()) return error = "a file name is needed", false;
         o.depFile = pathText(value);
         return true;
     }},
    {"dry-run", 0, false, HEXMOOR_SET(dryRun, true)},
};

#undef HEXMOOR_SET
#undef HEXMOOR_SET_CHECKED

const ZnCliOptionSpec* findLong(const std::string& name) {
    for (const ZnCliOptionSpec& entry : optionTable)
        if (name == entry.longName) return &entry;
    return nullptr;
}

const ZnCliOptionSpec* findShort(char name) {
    for (const ZnCliOptionSpec& entry : optionTable)
        if (entry.shortName && entry.shortName == name) return &entry;
    return nullptr;
}

// The value as a one-line message shows it: control characters become "?".
std::string oneLine(std::string value) {
    for (char& c : value)
        if ((c >= 0 && c < 32) || c == 127) c = '?';
    return value;
}

// Checks the value on a scratch record and keeps the override for later.
bool addOverride(ZnCliCommand& command, const ZnCliOptionSpec& entry, const std::string& value,
                 const std::string& shown, std::string& error) {
    ZnCliOptions scratch;
    std::string problem;
    if (!entry.apply(scratch, value, problem)) {
        error = "invalid value '" + oneLine(value) + "' for " + shown + ": " + problem;
        return false;
    }
    command.overrides.push_back({&entry, value});
    return true;
}

bool parseLong(const std::vector<std::string>& arguments, std::size_t& i, ZnCliCommand& command,
               std::string& error) {
    const std::string& argument = arguments[i];
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(2, equals == std::string::npos ? equals : equals - 2);
    const std::string shown = "--" + name;
    if (name == "help" || name == "version") {
        if (equals != std::string::npos)
            return error = "option " + shown + " takes no value", false;
        (name == "help" ? command.help : command.version) = true;
        return true;
    }
    if (name == "settings") {
        // Not an override: the file gives the base that every override is applied to.
        if (equals == std::string::npos && ++i >= arguments.size())
            return error = "option " + shown + " needs a value", false;
        const std::string value =
            equals == std::string::npos ? arguments[i] : argument.substr(equals + 1);
        if (value.empty())
            return error = "invalid value '' for " + shown + ": a file name is needed", false;
        command.settingsFile = pathText(value);
        return true;
    }
    const ZnCliOptionSpec* entry = findLong(name);
    if (!entry) return error = "unknown option '" + shown + "'", false;
    if (!entry->takesValue) {
        if (equals != std::string::npos)
            return error = "option " + shown + " takes no value", false;
        return addOverride(command, *entry, {}, shown, error);
    }
    if (equals != std::string::npos)
        return addOverride(command, *entry, argument.substr(equals + 1), shown, error);
    if (++i >= arguments.size()) return error = "option " + shown + " needs a value", false;
    return addOverride(command, *entry, arguments[i], shown, error);
}

// Short options may be bundled ("-qo DIR"); a value may follow at once ("-oDIR").
bool parseShort(const std::vector<std::string>& arguments, std::size_t& i, ZnCliCommand& command,
                std::string& error) {
    const std::string argument = arguments[i];
    for (std::size_t k = 1; k < argument.size(); ++k) {
        const std::string shown = std::string("-") + argument[k];
        if (argument[k] == 'h' || argument[k] == 'V') {
            (argument[k] == 'h' ? command.help : command.version) = true;
            continue;
        }
        const ZnCliOptionSpec* entry = findShort(argument[k]);
        if (!entry) return error = "unknown option '" + shown + "'", false;
        if (!entry->takesValue) {
            if (!addOverride(command, *entry, {}, shown, error)) return false;
            continue;
        }
        if (k + 1 < argument.size())
            return addOverride(command, *entry, argument.substr(k + 1), shown, error);
        if (++i >= arguments.size()) return error = "option " + shown + " needs a value", false;
        return addOverride(command, *entry, arguments[i], shown, error);
    }
    return true;
}

} // namespace

void ZnCliOverride::apply(ZnCliOptions& options) const {
    std::string ignored;
    entry->apply(options, value, ignored);
}

ZnCliOptions ZnCliCommand::options(ZnCliOptions base) const {
    for (const ZnCliOverride& item : overrides)
        item.apply(base);
    return base;
}

bool parseCommandLine(const std::vector<std::string>& arguments, const char* sourceDateEpoch,
                      ZnCliCommand& command, std::string& error) {
    command = ZnCliCommand();
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            command.inputs.add(pathText(argument));
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument[1] == '-') {
            if (!parseLong(arguments, i, command, error)) return false;
        } else if (!parseShort(arguments, i, command, error)) {
            return false;
        }
    }
    if (sourceDateEpoch) {
        std::int64_t seconds = 0;
        if (!parseNumber(sourceDateEpoch, 0, INT64_MAX, seconds))
            return error = "SOURCE_DATE_EPOCH must be a non-negative whole number", false;
        command.hasSourceDate = true;
        command.sourceDate = seconds;
    }
    if (command.inputs.isEmpty() && !command.help && !command.version)
        return error = "no input file given", false;
    return true;
}

bool cliBaseOptions(const ZnCliCommand& command, ZnCliOptions& base, std::string& error) {
    if (command.settingsFile.isEmpty()) return true;
    const std::filesystem::path path = toPath(command.settingsFile);
    const std::string shown = "the settings file " + shownPath(command.settingsFile);
    std::string record;
    std::error_code reason;
    if (!readSettingsRecord(path, record, &reason))
        return error = "cannot read " + shown + ": " +
                       (reason ? reason.message() : std::string("not a regular file")),
               false;
    // A build must not quietly run on defaults because the wrong file was named.
    ZnConversionOptions conversion = base.conversion;
    WideString languageName;
    const int fields = decodeSettingsRecord(record, conversion, languageName);
    if (fields < settingsFieldCount) {
        error = shown + " is not a settings file (its record ends after " + std::to_string(fields) +
                " of " + std::to_string(settingsFieldCount) + " fields)";
        return false;
    }
    base.conversion = conversion;
    return true;
}

std::string cliUsage() {
    return "Usage: hexmoor-cli [OPTIONS] INPUT...\n"
           "Turns files into C/C++ byte arrays with size variables and a header.\n"
           "\n"
           "  -o, --output-dir DIR      folder of the generated files, created if missing\n"
           "                            (default: the current directory)\n"
           "  -n, --output-name NAME    name of the generated source (default: arrays.cpp);\n"
           "                            its extension stays when it is a piece of\n"
           "                            .cpp.c.cc.c++ (.cpp .cp .c .cc .c+ .c++ .), and\n"
           "                            any other becomes .cpp\n"
           "      --separate-files      one source file (and header) per input\n"
           "      --no-header           no header with extern declarations\n"
           "      --empty-arrays        an empty input gets a size of 0 and a placeholder\n"
           "                            element instead of failing\n"
           "      --prefix TEXT         text in front of every variable name (default: g_)\n"
           "      --suffix TEXT         text behind every variable name (default: _array)\n"
           "      --element-type TEXT   type of the array elements (default: uint8_t)\n"
           "      --size-type TEXT      type of the size variables (default: uintmax_t)\n"
           "      --includes LIST       headers to include, each followed by ';'\n"
           "                            (default: \"stdint.h;\", \"\" for none)\n"
           "      --bytes-per-line N    array elements per line (default: 16)\n"
           "      --uppercase-hex       hexadecimal digits in capitals\n"
           "      --no-size-variable    no size variable\n"
           "      --capitalize          first letter of the name part in capitals\n"
           "      --keep-case           keep the case of the file name in variable names\n"
           "      --comment             end every line with its bytes as text\n"
           "      --array-qualifiers N  1 static, 2 const, 3 both, 0 none (default: 3)\n"
           "      --size-qualifiers N   the same for the size variables (default: 3)\n"
           "      --style STYLE         how the bytes are written (default: array):\n"
           "                              array   0x41, 0x42, ... element lines: any\n"
           "                                      element type, slow to compile when big\n"
           "                              string  string literals, ten times and more\n"
           "                                      faster to compile; MSVC (short literals)\n"
           "                                      gets the array text from the same file\n"
           "                              embed   #embed of the input where the compiler\n"
           "                                      has it (clang 19, gcc 15): the fastest;\n"
           "                                      the string form for other compilers\n"
           "                            string and embed need a byte element type (uint8_t,\n"
           "                            unsigned char); defining HEXMOOR_FORCE_ARRAYS when\n"
           "                            compiling selects the array text, HEXMOOR_NO_EMBED\n"
           "                            the string form\n"
           "      --align N             align the arrays to N bytes (a power of two up to\n"
           "                            4096; alignas, or _Alignas in a .c source)\n"
           "      --null-terminate      one zero after the bytes, not counted in the size\n"
           "      --object FORMAT       write the arrays into an object file for the linker\n"
           "                            instead of a source, whatever --style says (NAME.obj\n"
           "                            or NAME.o; nothing to compile): coff-x86-64,\n"
           "                            coff-i386, coff-arm64 (MSVC, MinGW), elf-x86-64,\n"
           "                            elf-aarch64, elf-i386; the header stays, --index\n"
           "                            writes its table into NAME; the size type must have\n"
           "                            a known width (uint32_t, size_t, unsigned long, ...)\n"
           "      --settings FILE       start from the options stored in FILE (the window\n"
           "                            program's settings.cfg); other options override them\n"
           "  -r, --recursive           an input folder stands for every regular file below\n"
           "                            it, in the byte order of their paths; each is named\n"
           "                            by its path below the folder (textures/stone.png\n"
           "                            gives g_textures_stone_png_array)\n"
           "      --hidden              below folders, also take names starting with '.'\n"
           "      --index NAME          also write a table of every file, sorted by path,\n"
           "                            with NAME_find(path) (null when absent) and\n"
           "                            NAME_count; in the main output and its header\n"
           "      --depfile FILE        write a make/ninja dependency file: the outputs need\n"
           "                            every input and every folder walked\n"
           "      --dry-run             print each output ('output: PATH') and each input's\n"
           "                            variable ('variable: NAME PATH'); write nothing\n"
           "  -q, --quiet               print nothing but errors (no progress bar)\n"
           "  -h, --help                show this help\n"
           "  -V, --version             show the version\n"
           "\n"
           "Every generated file is written under a temporary name beside its target and\n"
           "replaces it only when complete: a failure or an interrupt leaves the previous\n"
           "file as it was. A file that would come out byte for byte the same is not\n"
           "touched at all, so its modification time stays. A link is written through.\n"
           "\n"
           "Exit status: 0 when every input was converted; 1 when any failed, or when the\n"
           "run was refused before writing (an input that is an output, names that clash);\n"
           "2 for bad usage; 130 after Ctrl-C (SIGINT) and 143 after SIGTERM: nothing is\n"
           "written then.\n"
           "When SOURCE_DATE_EPOCH is set, the banners show that instant (UTC) instead of now.\n";
}

} // namespace Zenlo
