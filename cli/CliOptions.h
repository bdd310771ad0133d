// The command line of hexmoor-cli: options in order as overrides over a base (the defaults or a
// settings file, see CliRunOptions), inputs, and the usage text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "converter/ByteStyles.h"
#include "converter/ConversionOptions.h"
#include "converter/ObjectFormat.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// The conversion options a command-line run starts from without a settings file: the window's,
// but with definitions the header reaches (const, not static), which a C source also declares
// through its own header.
ZnConversionOptions cliConversionDefaults();

// Everything a command-line run is told.
struct ZnCliOptions {
    ZnConversionOptions conversion = cliConversionDefaults();
    // The folder of the generated files as given; empty means the current directory.
    WideString outputDir;
    WideString outputName = u"arrays.cpp";
    bool separateFiles = false;
    bool writeHeader = true;
    // Empty inputs become a size of 0 and a placeholder element instead of failing.
    bool emptyArrays = false;
    // Array, string or #embed text, alignment and terminator: command-line choices only.
    ByteStyleOptions byteStyle;
    // Objects of this format instead of sources (--object); None for sources.
    ObjectFormat objectFormat = ObjectFormat::None;
    bool quiet = false;
    // Inputs that are folders stand for every regular file below them (-r).
    bool recursive = false;
    // Below folders, names starting with "." are taken too.
    bool hidden = false;
    // The lookup table's name (an identifier); empty for none.
    std::string indexName;
    // The dependency file to write beside the outputs, as given; empty for none.
    WideString depFile;
    // Print what the run would write and the variable of each input, and write nothing.
    bool dryRun = false;
    // The banners show the date and time of the run (SOURCE_DATE_EPOCH's when it is set, which
    // also shows them by itself); without either the same inputs always give the same bytes.
    bool timestamp = false;
    // The one generated source goes to standard output (as an include file), nothing to disk.
    bool toStdout = false;
};

struct ZnCliOptionSpec;

// One option as given on the command line, already checked; applied later over a base record
// (the defaults, or a record read from elsewhere), in command-line order.
struct ZnCliOverride {
    const ZnCliOptionSpec* entry = nullptr;
    std::string value;
    void apply(ZnCliOptions& options) const;
};

// The parsed command line.
struct ZnCliCommand {
    std::vector<ZnCliOverride> overrides;
    StringList inputs;
    // The variable name given with --name for each input, in order; empty where none was.
    std::vector<WideString> inputNames;
    // The names given with --name that no input has taken yet, first first.
    std::vector<WideString> pendingNames;
    // The settings file whose options the run starts from (--settings); empty when none.
    WideString settingsFile;
    bool help = false;
    bool version = false;
    // Set when SOURCE_DATE_EPOCH fixes the banners' instant (seconds since 1970, UTC).
    bool hasSourceDate = false;
    std::int64_t sourceDate = 0;

    // The base record with every override applied in order.
    ZnCliOptions options(ZnCliOptions base = {}) const;
};

// Parses the arguments (without the program name) and the SOURCE_DATE_EPOCH value (null when
// unset). Returns false with a one-line message for bad usage: an unknown option, a missing or
// malformed value (an empty --settings file name among them), no input, a --name with no input
// after it, or a SOURCE_DATE_EPOCH that is not a non-negative integer. Each --name goes to the
// first input after it that no earlier --name took ("--name a --name b -- x y" names x a, y b).
bool parseCommandLine(const std::vector<std::string>& arguments, const char* sourceDateEpoch,
                      ZnCliCommand& command, std::string& error);

// The usage text printed by --help and after a usage error: every option of the table with the
// defaults of ZnCliOptions{}.
std::string cliUsage();

} // namespace Zenlo
