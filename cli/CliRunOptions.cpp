// A run's options, from the settings file and the command line, refused before anything is read
// when they cannot work together.
#include "cli/CliRunOptions.h"

#include <filesystem>
#include <system_error>

#include "cli/ConsoleText.h"
#include "converter/GeneratedText.h"
#include "converter/ObjectFile.h"
#include "converter/OptionTexts.h"
#include "converter/OutputNames.h"
#include "settings/SettingsFile.h"
#include "toolkit/FileSystem.h"
#include "toolkit/TextEncoding.h"
#include "toolkit/WindowsNames.h"

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

// Standard output takes one source and nothing beside it.
bool streamOptionsFit(const ZnCliOptions& options, std::string& error) {
    const char* other = nullptr;
    if (options.toStdout) {
        if (options.separateFiles)
            other = "--separate-files";
        else if (!options.indexName.empty())
            other = "--index";
        else if (options.objectFormat != ObjectFormat::None)
            other = "--object";
        else if (!options.depFile.isEmpty())
            other = "--depfile";
        else if (options.byteStyle.style == ByteStyle::Embed)
            other = "--style embed";
        else if (options.byteStyle.style == ByteStyle::Incbin)
            other = "--style incbin";
    }
    if (other)
        return error = std::string("--stdout writes one source and nothing beside it: not with ") +
                       other,
               false;
    // Each unit that includes the file has its own static arrays, which no table elsewhere reaches.
    if (options.conversion.choices.includeFile && !options.indexName.empty())
        return error = "--index needs a source, not an include file (" +
                       utf16ToUtf8(options.outputName.view()) + ")",
               false;
    // The assembler's symbols are defined once per unit that includes the file: a second unit
    // would define them again.
    if (options.conversion.choices.includeFile && options.byteStyle.style == ByteStyle::Incbin)
        return error = "--style incbin needs a source, not an include file (" +
                       utf16ToUtf8(options.outputName.view()) + ")",
               false;
    return true;
}

// An include file holds its definitions itself, static, without a header beside it.
void shapeIncludeFile(ZnCliOptions& options) {
    if (!options.toStdout && !isIncludeFileName(options.outputName)) return;
    options.conversion.choices.includeFile = true;
    options.writeHeader = false;
}

} // namespace

WideString cliSourceName(const ZnCliOptions& options) {
    const WideString stored = storedName(options.outputName);
    return isIncludeFileName(stored) ? stored : correctedOutputName(options.outputName);
}

bool headerMissesStatics(const ZnCliOptions& options) {
    const ZnConversionOptions& o = options.conversion;
    const bool staticSize = o.writeSizeVariable && (o.sizeQualifiers & qualifierStatic);
    return options.writeHeader && options.objectFormat == ObjectFormat::None &&
           ((o.arrayQualifiers & qualifierStatic) || staticSize);
}

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
    if (!streamOptionsFit(options, error)) return false;
    // The settings file's texts are checked as the command line's: both reach the code alike.
    if (const std::optional<OptionTextProblem> text = optionTextsProblem(options.conversion))
        return error = "--" + std::string(text->name) + " '" +
                       oneLineText(utf16ToUtf8(text->text.view())) +
                       "' (from the command line or the settings file): " + text->problem,
               false;
    const ByteStyle style = options.byteStyle.style;
    if (!styleTakesElementType(style, options.conversion.elementType))
        return error = "--style " + std::string(byteStyleName(style)) +
                       " needs a byte element type (uint8_t, unsigned char, char, signed char, "
                       "int8_t), not '" +
                       utf16ToUtf8(options.conversion.elementType.view()) +
                       "' (see --element-type)",
               false;
    // Both hand the bytes to a tool other than the compiler, each in files of its own.
    if (options.objectFormat != ObjectFormat::None && style == ByteStyle::Incbin)
        return error = "--object writes the arrays into an object, --style incbin into sources "
                       "for the assembler: give one of them",
               false;
    const std::string problem = objectOptionsProblem(options.objectFormat, options.conversion);
    if (!problem.empty()) return error = "--object: " + problem, false;
    const ZnTextChoices& choices = options.conversion.choices;
    // An object's arrays have their own section and no source text to carry an attribute.
    if (options.objectFormat != ObjectFormat::None &&
        !(choices.section.isEmpty() && choices.attribute.isEmpty()))
        return error = "--section and --attribute shape sources, not --object", false;
    // The assembler places incbin's arrays itself; the attribute would reach only the fallback.
    if (style == ByteStyle::Incbin && !(choices.section.isEmpty() && choices.attribute.isEmpty()))
        return error = "--section and --attribute shape C definitions, not --style incbin", false;
    return indexReachesArrays(options, error);
}

bool cliRunOptions(const ZnCliCommand& command, ZnCliOptions& options, std::string& error) {
    ZnCliOptions base;
    if (!cliBaseOptions(command, base, error)) return false;
    options = command.options(base);
    options.conversion.choices.bannerDates = options.timestamp || command.hasSourceDate;
    shapeIncludeFile(options);
    return validateCliOptions(options, error);
}

} // namespace Zenlo
