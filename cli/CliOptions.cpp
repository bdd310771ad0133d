// Option table and parser of hexmoor-cli ("--name VALUE", "--name=VALUE", "-o DIR", "-oDIR"), and
// the usage text the table gives.
#include "cli/CliOptions.h"

#include <algorithm>
#include <charconv>

#include "cli/CliValueChecks.h"
#include "cli/ConsoleText.h"

#include "converter/IndexText.h"
#include "converter/ObjectFile.h"
#include "converter/OutputNames.h"
#include "converter/VariableName.h"
#include "toolkit/PathText.h"
#include "toolkit/TextEncoding.h"
#include "toolkit/WindowsNames.h"

namespace Zenlo {

// One option: its names, its value's name in the usage (null when it takes none), its usage text,
// and what its value does.
struct ZnCliOptionSpec {
    const char* longName;
    char shortName;
    const char* valueName;
    // The usage text beside the names; each "\n" starts a line below them, "{}" stands for the
    // default that shownDefault gives.
    const char* help;
    // Applies the value; returns false with a message when the value is malformed.
    bool (*apply)(ZnCliOptions& options, const std::string& value, std::string& error);
    // The default as the usage shows it, taken from a record of defaults.
    std::string (*shownDefault)(const ZnCliOptions& defaults) = nullptr;
    // In place of apply, for the options about the command itself: sets it at once.
    bool (*setCommand)(ZnCliCommand& command, const std::string& value,
                       std::string& error) = nullptr;
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

std::string shownValue(const WideString& text) {
    return utf16ToUtf8(text.view());
}

std::string shownValue(int number) {
    return std::to_string(number);
}

std::string shownValue(ByteStyle style) {
    return std::string(byteStyleName(style));
}

#define HEXMOOR_SET(field, expression)                                                             \
    [](ZnCliOptions& o, const std::string& value, std::string&) {                                  \
        (void)value;                                                                               \
        o.field = expression;                                                                      \
        return true;                                                                               \
    }

#define HEXMOOR_DEFAULT(field) [](const ZnCliOptions& o) { return shownValue(o.field); }

// True, with the reason in error, when a part of the path names a device on Windows: such a
// folder cannot be removed again, such a file is no file.
bool refusesDevice(const WideString& path, std::string& error) {
    const WideString device = devicePart(path);
    if (device.isEmpty()) return false;
    error = utf16ToUtf8(device.view()) + " is a name Windows keeps for a device";
    return true;
}

// A field set by a function that checks the value first; the usage shows its default.
#define HEXMOOR_CHECKED_FIELD(setter, field)                                                       \
    [](ZnCliOptions& o, const std::string& value, std::string& error) {                            \
        return setter(o.field, value, error);                                                      \
    },                                                                                             \
        HEXMOOR_DEFAULT(field)

// In the order of the usage text.
const ZnCliOptionSpec optionTable[] = {
    {"output-dir", 'o', "DIR",
     "folder of the generated files, created if missing\n(default: the current directory)",
     [](ZnCliOptions& o, const std::string& value, std::string& error) {
         o.outputDir = pathText(value);
         return !refusesDevice(o.outputDir, error);
     }},
    {"output-name", 'n', "NAME",
     "name of the generated source (default: {});\nits extension stays when it is a piece of\n"
     ".cpp.c.cc.c++ (.cpp .cp .c .cc .c+ .c++ .), and\nany other becomes .cpp; a name ending in "
     ".h .hh\n.hpp .hxx .inc or .ipp is one self-contained file\nto include (static, guarded), "
     "with no header",
     [](ZnCliOptions& o, const std::string& value, std::string& error) {
         if (value.empty()) return error = "the output name is empty", false;
         const WideString name = pathText(value);
         if (!isPlainFileName(name))
             return error = name.find(u':') != WideString::npos
                                ? "a \":\" in a name is a drive or a stream on Windows"
                                : "the output name is a file name, not a path (use --output-dir)",
                    false;
         if (refusesDevice(name, error)) return false;
         o.outputName = name;
         return true;
     },
     HEXMOOR_DEFAULT(outputName)},
    {"separate-files", 0, nullptr, "one source file (and header) per input",
     HEXMOOR_SET(separateFiles, true)},
    {"no-header", 0, nullptr, "no header with extern declarations",
     HEXMOOR_SET(writeHeader, false)},
    {"empty-arrays", 0, nullptr,
     "an empty input gets a size of 0 and a placeholder\nelement instead of failing",
     HEXMOOR_SET(emptyArrays, true)},
    {"prefix", 0, "TEXT", "text in front of every variable name (default: {})",
     HEXMOOR_CHECKED_FIELD(setNameText, conversion.namePrefix)},
    {"suffix", 0, "TEXT", "text behind every variable name (default: {})",
     HEXMOOR_CHECKED_FIELD(setNameText, conversion.nameSuffix)},
    {"name", 0, "NAME",
     "the variable name of the input that follows, exactly\n(no prefix, suffix or case rule)",
     nullptr, nullptr,
     [](ZnCliCommand& command, const std::string& value, std::string& error) {
         const WideString name = fromUtf8(value);
         if (!startsAsIdentifier(name) || replaceNameCharacters(name) != name)
             return error = "the name is a C identifier", false;
         command.pendingNames.push_back(name);
         return true;
     }},
    {"size-suffix", 0, "TEXT",
     "what the size variable's name adds to the array's\n(default: {}; _len gives xxd's names)",
     [](ZnCliOptions& o, const std::string& value, std::string& error) {
         if (value.empty()) return error = "the size suffix is empty", false;
         return setNameText(o.conversion.choices.sizeSuffix, value, error);
     },
     HEXMOOR_DEFAULT(conversion.choices.sizeSuffix)},
    {"element-type", 0, "TEXT", "type of the array elements (default: {})",
     HEXMOOR_CHECKED_FIELD(setTypeText, conversion.elementType)},
    {"size-type", 0, "TEXT", "type of the size variables (default: {})",
     HEXMOOR_CHECKED_FIELD(setTypeText, conversion.sizeType)},
    {"includes", 0, "LIST",
     "headers to include, each followed by ';'\n(default: \"{}\", \"\" for none)",
     HEXMOOR_CHECKED_FIELD(setIncludeList, conversion.includeList)},
    {"bytes-per-line", 0, "N", "array elements per line (default: {})",
     [](ZnCliOptions& o, const std::string& value, std::string& error) {
         std::int64_t number = 0;
         if (!parseNumber(value, 1, INT32_MAX, number))
             return error = "bytes per line must be a whole number from 1", false;
         o.conversion.bytesPerLine = static_cast<std::int32_t>(number);
         return true;
     },
     HEXMOOR_DEFAULT(conversion.bytesPerLine)},
    {"uppercase-hex", 0, nullptr, "hexadecimal digits in capitals",
     HEXMOOR_SET(conversion.upperCaseHex, 1)},
    {"no-size-variable", 0, nullptr, "no size variable",
     HEXMOOR_SET(conversion.writeSizeVariable, 0)},
    {"capitalize", 0, nullptr, "first letter of the name part in capitals",
     HEXMOOR_SET(conversion.capitalizeName, 1)},
    {"keep-case", 0, nullptr, "keep the case of the file name in variable names",
     HEXMOOR_SET(conversion.lowerCaseName, 0)},
    {"comment", 0, nullptr, "end every line with its bytes as text",
     HEXMOOR_SET(conversion.printableComment, 1)},
    {"array-qualifiers", 0, "N", "1 static, 2 const, 3 both, 0 none (default: {})",
     HEXMOOR_CHECKED_FIELD(setQualifiers, conversion.arrayQualifiers)},
    {"size-qualifiers", 0, "N", "the same for the size variables (default: {})",
     HEXMOOR_CHECKED_FIELD(setQualifiers, conversion.sizeQualifiers)},
    {"style", 0, "STYLE",
     "how the bytes are written (default: {}):\n"
     "  array   0x41, 0x42, ... element lines: any\n"
     "          element type, slow to compile when big\n"
     "  string  string literals, ten times and more\n"
     "          faster to compile; MSVC (short literals)\n"
     "          gets the array text from the same file\n"
     "  embed   #embed of the input where the compiler\n"
     "          has it (clang 19, gcc 15); the string\n"
     "          form for other compilers\n"
     "  incbin  the assembler copies the input into the\n"
     "          array (GCC, Clang): the fastest; other\n"
     "          compilers take the embed text from\n"
     "          SOURCE.inc, written beside the source\n"
     "the styles but array need a byte element type\n"
     "(uint8_t, unsigned char, char, signed char, int8_t);\n"
     "defining HEXMOOR_FORCE_ARRAYS when compiling selects\n"
     "the array text, HEXMOOR_NO_EMBED the string form\n"
     "instead of #embed, HEXMOOR_NO_INCBIN the embed text\n"
     "instead of .incbin",
     [](ZnCliOptions& o, const std::string& value, std::string& error) {
         if (!parseByteStyle(value, o.byteStyle.style))
             return error = "the style is array, string, embed or incbin", false;
         return true;
     },
     HEXMOOR_DEFAULT(byteStyle.style)},
    {"align", 0, "N",
     "align the arrays to N bytes (a power of two up to\n4096; alignas, or _Alignas in a .c "
     "source)",
     [](ZnCliOptions& o, const std::string& value, std::string& error) {
         std::int64_t number = 0;
         if (!parseNumber(value, 1, maxAlignment, number) || !isAlignment(number))
             return error = "the alignment is a power of two from 1 to 4096", false;
         o.byteStyle.align = static_cast<std::uint32_t>(number);
         return true;
     }},
    {"null-terminate", 0, nullptr, "one zero after the bytes, not counted in the size",
     HEXMOOR_SET(byteStyle.nullTerminate, true)},
    {"section", 0, "NAME", "put the arrays into the section NAME (GCC, Clang\nand MSVC alike)",
     [](ZnCliOptions& o, const std::string& value, std::string& error) {
         return setSectionName(o.conversion.choices.section, value, error);
     }},
    {"attribute", 0, "TEXT",
     "write TEXT after each array's name, where GCC and\nClang take an attribute (PROGMEM)",
     [](ZnCliOptions& o, const std::string& value, std::string& error) {
         return setAttributeText(o.conversion.choices.attribute, value, error);
     }},
    {"object", 0, "FORMAT",
     "write the arrays into an object file for the linker\n"
     "instead of a source, whatever --style says (incbin\n"
     "is refused) (NAME.obj or NAME.o; nothing to\n"
     "compile): coff-x86-64, coff-i386, coff-arm64 (MSVC,\n"
     "MinGW), elf-x86-64, elf-aarch64, elf-i386; the\n"
     "header stays, --index writes its table into NAME;\n"
     "the size type must have a known width (uint32_t,\n"
     "size_t, unsigned long, ...)",
     [](ZnCliOptions& o, const std::string& value, std::string& error) {
         if (!parseObjectFormat(value, o.objectFormat))
             return error = "the object format is coff-x86-64, coff-i386, coff-arm64, elf-x86-64, "
                            "elf-aarch64 or elf-i386",
                    false;
         return true;
     }},
    // Not an override: the file gives the base that every override is applied to.
    {"settings", 0, "FILE",
     "start from the options stored in FILE (the window\nprogram's settings.cfg); other options "
     "override them",
     nullptr, nullptr,
     [](ZnCliCommand& command, const std::string& value, std::string& error) {
         if (value.empty()) return error = "a file name is needed", false;
         command.settingsFile = pathText(value);
         return true;
     }},
    {"recursive", 'r', nullptr,
     "an input folder stands for every regular file below\nit, in the byte order of their paths; "
     "each is named\nby its path below the folder (textures/stone.png\ngives "
     "g_textures_stone_png_array)",
     HEXMOOR_SET(recursive, true)},
    {"hidden", 0, nullptr, "below folders, also take names starting with '.'",
     HEXMOOR_SET(hidden, true)},
    {"index", 0, "NAME",
     "also write a table of every file, sorted by path,\nwith NAME_find(path) (null when absent) "
     "and\nNAME_count; in the main output and its header",
     [](ZnCliOptions& o, const std::string& value, std::string& error) {
         if (!isIndexName(value))
             return error = "the index name is a C identifier (letters, digits, _)", false;
         o.indexName = value;
         return true;
     }},
    {"depfile", 0, "FILE",
     "write a make/ninja dependency file: the outputs need\nevery input and every folder walked",
     [](ZnCliOptions& o, const std::string& value, std::string& error) {
         if (value.empty()) return error = "a file name is needed", false;
         o.depFile = pathText(value);
         return true;
     }},
    {"dry-run", 0, nullptr,
     "print each output ('output: PATH') and each input's\nvariable ('variable: NAME PATH'); "
     "write nothing",
     HEXMOOR_SET(dryRun, true)},
    {"timestamp", 0, nullptr,
     "write the date and time of the run into the banners\n(SOURCE_DATE_EPOCH's, when set, "
     "which shows them\ntoo); without, every run gives the same bytes",
     HEXMOOR_SET(timestamp, true)},
    {"stdout", 0, nullptr,
     "write the one generated source to standard output,\nas an include file; no header",
     HEXMOOR_SET(toStdout, true)},
    {"quiet", 'q', nullptr, "print nothing but errors (no progress bar)", HEXMOOR_SET(quiet, true)},
    {"help", 'h', nullptr, "show this help", nullptr, nullptr,
     [](ZnCliCommand& command, const std::string&, std::string&) { return command.help = true; }},
    {"version", 'V', nullptr, "show the version", nullptr, nullptr,
     [](ZnCliCommand& command, const std::string&, std::string&) {
         return command.version = true;
     }},
};

#undef HEXMOOR_CHECKED_FIELD
#undef HEXMOOR_DEFAULT
#undef HEXMOOR_SET

// Where the usage text of every option starts on its lines.
constexpr std::size_t usageColumn = 28;

// The option's lines of the usage text, with the default of the record shown.
std::string usageLines(const ZnCliOptionSpec& entry, const ZnCliOptions& defaults) {
    std::string text = entry.shortName ? std::string("  -") + entry.shortName + ", " : "      ";
    text += std::string("--") + entry.longName;
    if (entry.valueName) text += std::string(" ") + entry.valueName;
    text.resize(std::max(usageColumn, text.size() + 2), ' ');
    std::string help = entry.help;
    if (entry.shownDefault) help.replace(help.find("{}"), 2, entry.shownDefault(defaults));
    for (char c : help)
        text += c == '\n' ? "\n" + std::string(usageColumn, ' ') : std::string(1, c);
    return text + "\n";
}

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

// Takes the option with its value: an option about the command at once, any other as an override
// for later, its value checked on a scratch record.
bool take(ZnCliCommand& command, const ZnCliOptionSpec& entry, const std::string& value,
          const std::string& shown, std::string& error) {
    ZnCliOptions scratch;
    std::string problem;
    const bool valid = entry.setCommand ? entry.setCommand(command, value, problem)
                                        : entry.apply(scratch, value, problem);
    if (!valid)
        return error = "invalid value '" + oneLineText(value) + "' for " + shown + ": " + problem,
               false;
    if (!entry.setCommand) command.overrides.push_back({&entry, value});
    return true;
}

// Takes the option with the next argument as its value.
bool takeNext(const std::vector<std::string>& arguments, std::size_t& i, ZnCliCommand& command,
              const ZnCliOptionSpec& entry, const std::string& shown, std::string& error) {
    if (++i >= arguments.size()) return error = "option " + shown + " needs a value", false;
    return take(command, entry, arguments[i], shown, error);
}

bool parseLong(const std::vector<std::string>& arguments, std::size_t& i, ZnCliCommand& command,
               std::string& error) {
    const std::string& argument = arguments[i];
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(2, equals == std::string::npos ? equals : equals - 2);
    const std::string shown = "--" + name;
    const ZnCliOptionSpec* entry = findLong(name);
    if (!entry) return error = "unknown option '" + shown + "'", false;
    if (equals != std::string::npos) {
        if (!entry->valueName) return error = "option " + shown + " takes no value", false;
        return take(command, *entry, argument.substr(equals + 1), shown, error);
    }
    if (!entry->valueName) return take(command, *entry, {}, shown, error);
    return takeNext(arguments, i, command, *entry, shown, error);
}

// Short options may be bundled ("-qo DIR"); a value may follow at once ("-oDIR").
bool parseShort(const std::vector<std::string>& arguments, std::size_t& i, ZnCliCommand& command,
                std::string& error) {
    const std::string argument = arguments[i];
    for (std::size_t k = 1; k < argument.size(); ++k) {
        const std::string shown = std::string("-") + argument[k];
        const ZnCliOptionSpec* entry = findShort(argument[k]);
        if (!entry) return error = "unknown option '" + shown + "'", false;
        if (!entry->valueName) {
            if (!take(command, *entry, {}, shown, error)) return false;
            continue;
        }
        if (k + 1 < argument.size())
            return take(command, *entry, argument.substr(k + 1), shown, error);
        return takeNext(arguments, i, command, *entry, shown, error);
    }
    return true;
}

} // namespace

ZnConversionOptions cliConversionDefaults() {
    ZnConversionOptions options;
    options.arrayQualifiers = options.sizeQualifiers = qualifierConst;
    options.choices.ownHeaderInC = true;
    return options;
}

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
            const bool named = !command.pendingNames.empty();
            command.inputNames.push_back(named ? command.pendingNames.front() : WideString());
            if (named) command.pendingNames.erase(command.pendingNames.begin());
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
    if (!command.pendingNames.empty())
        return error = "--name " + utf16ToUtf8(command.pendingNames.front().view()) +
                       " has no input after it",
               false;
    return true;
}

std::string cliUsage() {
    const ZnCliOptions defaults;
    std::string text = "Usage: hexmoor-cli [OPTIONS] INPUT...\n"
                       "Turns files into C/C++ byte arrays with size variables and a header.\n"
                       "An INPUT of - is standard input; @FILE reads more arguments from FILE.\n"
                       "\n";
    for (const ZnCliOptionSpec& entry : optionTable)
        text += usageLines(entry, defaults);
    return text + "\n"
                  "Every generated file is written under a temporary name beside its target and\n"
                  "replaces it only when complete: a failure or an interrupt leaves the previous\n"
                  "file as it was. A file that would come out byte for byte the same is not\n"
                  "touched at all, so its modification time stays. A link is written through.\n"
                  "\n"
                  "Exit status: 0 when every input was converted; 1 when any failed, or when the\n"
                  "run was refused before writing (an input that is an output, names that clash);\n"
                  "2 for bad usage; 130 after Ctrl-C (SIGINT) and 143 after SIGTERM: nothing is\n"
                  "written then.\n"
                  "When SOURCE_DATE_EPOCH is set, the banners show that instant (UTC) as the date\n"
                  "and time of the run.\n";
}

} // namespace Zenlo
