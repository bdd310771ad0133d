// The command-line run: output folder, extension rule, the engine, messages and exit status.
#include "cli/CliRun.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "HexmoorVersion.h"
#include "cli/CliBuildFiles.h"
#include "cli/CliInputs.h"
#include "cli/CliProgress.h"
#include "cli/CliSignals.h"
#include "cli/ConsoleText.h"
#include "converter/FileConverter.h"
#include "converter/GeneratedText.h"
#include "converter/OutputTarget.h"
#include "toolkit/TextEncoding.h"

namespace Zenlo {

namespace {

void printSummary(const ZnCliOptions& options, const WideString& folder, const WideString& name,
                  int converted, int inputs, std::FILE* out) {
    std::string where;
    if (options.separateFiles)
        where = shownPath(folder) + " (one source per input)";
    else
        where = shownPath(folder + name) +
                (options.writeHeader ? " and " + shownPath(headerFileName(name)) : "");
    writeText(out, "hexmoor-cli: converted " + std::to_string(converted) + " of " +
                       std::to_string(inputs) + (inputs == 1 ? " input" : " inputs") + " into " +
                       where + "\n");
}

// Refuses a lookup table the compiler could not build: 2 when the arrays live in other sources
// and are static, or (in C++) const without their header included; the table could not reach
// them. 0 otherwise.
int checkIndex(const ZnCliOptions& options, std::FILE* err) {
    if (options.indexName.empty() || !options.separateFiles) return exitConverted;
    if (options.conversion.arrayQualifiers & qualifierStatic) {
        std::fprintf(err, "hexmoor-cli: --index with --separate-files needs arrays without "
                          "static (--array-qualifiers 0 or 2): the table is in another source\n");
        return exitUsage;
    }
    // In C++ a const array has external linkage only after its header's extern declaration,
    // which each source includes only where that compiles (see includesOwnHeader).
    if ((options.conversion.arrayQualifiers & qualifierConst) &&
        !includesOwnHeader(u"input.cpp", options.writeHeader, options.conversion)) {
        std::fprintf(err, "hexmoor-cli: --index with --separate-files and const arrays needs the "
                          "headers and size variables without static (--size-qualifiers 2): the "
                          "table is in another source\n");
        return exitUsage;
    }
    return exitConverted;
}

void printFailure(const ZnInputFailure& failure, std::FILE* err) {
    const char* hint =
        failure.kind == ZnFailureKind::InputEmpty ? " (--empty-arrays writes one)" : "";
    // A failure of an output as a whole names the output in its reason already.
    if (failure.path == failure.outputPath)
        writeText(err, "hexmoor-cli: " + failure.reason() + "\n");
    else
        writeText(err, "hexmoor-cli: " + shownPath(failure.path) + ": " + failure.reason() + hint +
                           "\n");
}

} // namespace

int runCommand(const ZnCliCommand& command, std::FILE* out, std::FILE* err) {
    if (command.help) return writeText(out, cliUsage()), exitConverted;
    if (command.version)
        return std::fprintf(out, "hexmoor-cli %s\n", HEXMOOR_VERSION), exitConverted;

    ZnCliOptions base;
    std::string error;
    if (!cliBaseOptions(command, base, error)) {
        writeText(err, "hexmoor-cli: " + error + "\n");
        return exitUsage;
    }
    const ZnCliOptions options = command.options(base);
    if (!styleTakesElementType(options.byteStyle.style, options.conversion.elementType)) {
        std::fprintf(err,
                     "hexmoor-cli: --style %s needs a byte element type (uint8_t or unsigned "
                     "char), not '%s' (see --element-type)\n",
                     options.byteStyle.style == ByteStyle::String ? "string" : "embed",
                     utf16ToUtf8(options.conversion.elementType.view()).c_str());
        return exitUsage;
    }
    const WideString folder = resolveOutputFolder(options.outputDir);
    const WideString name = correctSourceExtension(options.outputName);
    ZnCliInputs inputs;
    if (!expandCliInputs(command.inputs, options, inputs, err, error)) {
        std::fprintf(err, "hexmoor-cli: %s\n", error.c_str());
        return exitFailed;
    }
    if (const int status = checkIndex(options, err)) return status;
    // Planned before the output folder is made: a run refused leaves no trace.
    const RunPlan plan = planCliRun(inputs, options, folder, name);
    for (const ZnInputFailure& problem : plan.problems)
        printFailure(problem, err);
    if (!plan.problems.empty()) return exitFailed;
    if (options.dryRun) return printDryRun(plan, options, out), exitConverted;
    if (!makeOutputFolder(folder, error)) {
        writeText(err, "hexmoor-cli: cannot create the output folder " + shownPath(folder) + ": " +
                           error + "\n");
        return exitFailed;
    }

    ZnFileConverter converter;
    converter.options = options.conversion;
    converter.emptyInputsAsArrays = options.emptyArrays;
    converter.byteStyle = options.byteStyle;
    converter.inputNames = inputs.folderNames;
    converter.indexName = options.indexName;
    if (command.hasSourceDate)
        converter.clock = [seconds = command.sourceDate] { return utcDateTime(seconds); };
    int failures = 0, converted = 0, written = 0;
    std::unique_ptr<ZnCliProgress> bar;
    converter.inputFailed.connect([&](const ZnInputFailure& failure) {
        ++failures;
        if (bar) bar->clear();
        printFailure(failure, err);
    });
    converter.fileFinished.connect([&](const WideString&) { ++converted; });
    converter.outputCommitted.connect([&](const WideString&, bool) { ++written; });
    if (wantsProgressBar(options.quiet, err))
        bar = std::make_unique<ZnCliProgress>(converter, err, terminalWidth(err));
    {
        const ZnCliSignals signals(converter);
        converter.convertAll(inputs.paths, folder, name, options.separateFiles,
                             options.writeHeader);
    }
    if (const int signal = ZnCliSignals::caught()) {
        // A signal that came only while the finished files were put in place changes nothing.
        writeText(err, written ? "hexmoor-cli: interrupted after the outputs were written\n"
                               : "hexmoor-cli: interrupted, no output file changed\n");
        return ZnCliSignals::exitStatus(signal);
    }
    // A refused run wrote nothing, so the build has nothing new to learn.
    if (!options.depFile.isEmpty() && written > 0 &&
        !writeDependencyFile(inputs, options, name, error)) {
        std::fprintf(err, "hexmoor-cli: %s\n", error.c_str());
        ++failures;
    }
    // Nothing written: the messages above said why, a summary would claim otherwise.
    if (!options.quiet && written > 0)
        printSummary(options, folder, name, converted, static_cast<int>(inputs.paths.count()), out);
    return failures ? exitFailed : exitConverted;
}

int reportUsageError(const std::string& message, std::FILE* err) {
    writeText(err, "hexmoor-cli: " + message + "\n" + cliUsage());
    return exitUsage;
}

} // namespace Zenlo
