// A run's options, from the settings file and the command line, refused before anything is read
// when they cannot work together.
#include "cli/CliRunOptions.h"

#include <filesystem>
#include <system_error>

#include "cli/ConsoleText.h"
#include "converter/GeneratedText.h"
#include "converter/ObjectFile.h"
#include "settings/SettingsFile.h"
#include "toolkit/FileSystem.h"
#include "toolkit/TextEncoding.h"

namespace Zenlo {

namespace {

// The lookup table reaches the arrays of the other sources only by external linkage.
bool indexReachesArrays(const ZnCliOptions& options, std::string& error) {
    // Arrays in objects are external whatever their qualifiers.
    if (options.indexName.empty() || !options.separateFiles ||
        options.objectFormat != ObjectFormat::None)
        return true;
    if (options.conversion.arrayQualifiers & qualifierStatic)
        return error = "--index with --separate-files needs arrays without static "
                       "(--array-qualifiers 0 or 2): the table is in another source",
               false;
    // In C++ a const array has external linkage only after its header's extern declaration,
    // which each source includes only where that compiles (see includesOwnHeader).
    if ((options.conversion.arrayQualifiers & qualifierConst) &&
        !includesOwnHeader(u"input.cpp", options.writeHeader, options.conversion))
        return error = "--index with --separate-files and const arrays needs the headers and size "
                       "variables without static (--size-qualifiers 2): the table is in another "
                       "source",
               false;
    return true;
}

} // namespace

bool cliBaseOptions(const ZnCliCommand& command, ZnCliOptions& base, std::string& error) {
    if (command.settingsFile.isEmpty()) return true;
    const std::filesystem::path path = toPath(command.settingsFile);
    const std::string shown = "the settings file " + shownPath(command.settingsFile);
    std::string record;
    std::error_code reason;
    if (!readSettingsRecord(path, record, &reason))
        return error = "cannot read " + shown + ": " +
                       (reason ? systemErrorText(reason) : std::string("not a regular file")),
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

bool validateCliOptions(const ZnCliOptions& options, std::string& error) {
    const ByteStyle style = options.byteStyle.style;
    if (!styleTakesElementType(style, options.conversion.elementType))
        return error = "--style " + std::string(byteStyleName(style)) +
                       " needs a byte element type (uint8_t or unsigned char), not '" +
                       utf16ToUtf8(options.conversion.elementType.view()) +
                       "' (see --element-type)",
               false;
    const std::string problem = objectOptionsProblem(options.objectFormat, options.conversion);
    if (!problem.empty()) return error = "--object: " + problem, false;
    return indexReachesArrays(options, error);
}

bool cliRunOptions(const ZnCliCommand& command, ZnCliOptions& options, std::string& error) {
    ZnCliOptions base;
    if (!cliBaseOptions(command, base, error)) return false;
    options = command.options(base);
    return validateCliOptions(options, error);
}

} // namespace Zenlo
