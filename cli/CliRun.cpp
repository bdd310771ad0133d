// The command-line run: output folder, extension rule, the engine, messages and exit status.
#include "cli/CliRun.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>

#include "HexmoorVersion.h"
#include "cli/CliBuildFiles.h"
#include "cli/CliInputs.h"
#include "cli/CliProgress.h"
#include "cli/CliRunOptions.h"
#include "cli/CliSignals.h"
#include "cli/CliStreams.h"
#include "cli/ConsoleText.h"
#include "converter/FileConverter.h"
#include "converter/OutputNames.h"
#include "converter/OutputTarget.h"
#include "toolkit/DateTime.h"
#include "toolkit/PathText.h"
#include "toolkit/TextEncoding.h"

namespace Zenlo {

namespace {

// The inputs counted are those whose arrays are in an output put in place.
void printSummary(const ZnCliOptions& options, const WideString& folder, const WideString& name,
                  const ZnRunTally& tally, std::FILE* out) {
    std::string where;
    if (options.separateFiles)
        where = shownPath(folder) + " (one source per input)";
    else
        where = shownPath(folder + (options.objectFormat == ObjectFormat::None
                                        ? name
                                        : objectFileName(name, options.objectFormat))) +
                (options.writeHeader ? " and " + shownPath(headerFileName(name)) : "");
    const std::uint32_t failed = tally.failedOutputs;
    writeMessage(out,
                 "converted " + std::to_string(tally.converted) + " of " +
                     std::to_string(tally.inputs) + (tally.inputs == 1 ? " input" : " inputs") +
                     " into " + where +
                     (failed ? "; " + std::to_string(failed) +
                                   (failed == 1 ? " output file" : " output files") + " not written"
                             : ""));
}

// The objects' time stamp: SOURCE_DATE_EPOCH's, as far as COFF's 32 bits reach; 0 without it.
std::uint32_t objectTimeStamp(const ZnCliCommand& command) {
    if (!command.hasSourceDate) return 0;
    return static_cast<std::uint32_t>(std::min<std::int64_t>(command.sourceDate, 0xffffffff));
}

// Standard input is read into a scratch file that is gone after the run: nothing may name it.
bool stdinFits(const ZnCliCommand& command, const ZnCliOptions& options, std::string& error) {
    bool fromStdin = false;
    for (const WideString& input : command.inputs)
        fromStdin = fromStdin || input == fromUtf8(stdinArgument);
    if (!fromStdin) return true;
    if (options.byteStyle.style == ByteStyle::Embed)
        return error = "standard input has no path for #embed (--style embed)", false;
    if (options.byteStyle.style == ByteStyle::Incbin)
        return error = "standard input has no path for .incbin (--style incbin)", false;
    if (!options.depFile.isEmpty())
        return error = "standard input has no path for the dependency file (--depfile)", false;
    return true;
}

void printFailure(const ZnInputFailure& failure, std::FILE* err) {
    const char* hint =
        failure.kind == ZnFailureKind::InputEmpty ? " (--empty-arrays writes one)" : "";
    // A failure of an output as a whole names the output in its reason already.
    if (failure.path == failure.outputPath)
        writeMessage(err, failure.reason());
    else
        writeMessage(err, shownPath(failure.path) + ": " + failure.reason() + hint);
}

} // namespace

int runCommand(const ZnCliCommand& command, std::FILE* out, std::FILE* err) {
    if (command.help) return writeText(out, cliUsage()), exitConverted;
    if (command.version)
        return writeText(out, std::string("hexmoor-cli ") + HEXMOOR_VERSION + "\n"), exitConverted;

    ZnCliOptions options;
    std::string error;
    if (!cliRunOptions(command, options, error) || !stdinFits(command, options, error))
        return reportUsageError(error, err);
    if (headerMissesStatics(options) && !options.quiet)
        writeMessage(err, "warning: the header's declarations cannot reach static definitions "
                          "(--array-qualifiers and --size-qualifiers 2 drop static)");
    // Standard output gets the source written into a scratch folder.
    ScratchPath scratch;
    if (options.toStdout && !scratch.makeFolder(error)) return writeMessage(err, error), exitFailed;
    const WideString folder = options.toStdout ? folderWithSeparator(fromPath(scratch.path()))
                                               : resolveOutputFolder(options.outputDir);
    const WideString name = cliSourceName(options);
    ZnCliInputs inputs;
    if (!expandCliInputs(command.inputs, command.inputNames, options, inputs, err, error))
        return writeMessage(err, error), exitFailed;
    const ZnRunRequest request{.inputs = std::move(inputs.files),
                               .outputFolder = folder,
                               .outputFileName = name,
                               .separateFiles = options.separateFiles,
                               .separateExtension =
                                   name.substr(name.findLastOf(u'.'), WideString::npos),
                               .writeHeader = options.writeHeader,
                               .indexName = options.indexName,
                               .emptyInputsAsArrays = options.emptyArrays,
                               .byteStyle = options.byteStyle,
                               .object = {options.objectFormat, objectTimeStamp(command)},
                               .dependencies = {options.depFile, givenFolder(options.outputDir),
                                                std::move(inputs.folders)}};
    // Planned before the output folder is made: a run refused leaves no trace.
    const RunPlan plan = planRun(request, options.conversion);
    for (const ZnInputFailure& problem : plan.problems)
        printFailure(problem, err);
    if (!plan.problems.empty()) return exitFailed;
    // The dry run, the run and the dependency file all follow this one plan.
    if (options.dryRun) return printDryRun(plan, folder, out), exitConverted;
    if (!makeOutputFolder(folder, error)) {
        writeMessage(err, "cannot create the output folder " + shownPath(folder) + ": " + error);
        return exitFailed;
    }

    ZnFileConverter converter;
    converter.options = options.conversion;
    if (command.hasSourceDate)
        converter.clock = [seconds = command.sourceDate] { return utcDateTime(seconds); };
    int failures = 0, written = 0;
    std::unique_ptr<ZnCliProgress> bar;
    converter.inputFailed.connect([&](const ZnInputFailure& failure) {
        ++failures;
        if (bar) bar->clear();
        printFailure(failure, err);
    });
    converter.outputCommitted.connect([&](const WideString&, bool) { ++written; });
    if (wantsProgressBar(options.quiet, err))
        bar = std::make_unique<ZnCliProgress>(converter, err, terminalWidth(err));
    {
        const ZnCliSignals signals(converter);
        converter.run(request, plan);
    }
    if (const int signal = ZnCliSignals::caught()) {
        // A signal that came only while the finished files were put in place changes nothing.
        writeMessage(err, written ? "interrupted after the outputs were written"
                                  : "interrupted, no output file changed");
        return ZnCliSignals::exitStatus(signal);
    }
    // A refused run wrote nothing; the dependency file went in with the outputs.
    const ZnRunTally tally = converter.tally();
    if (options.toStdout && tally.converted > 0 &&
        !copyFileTo(scratch.path() / toPath(name), out)) {
        writeMessage(err, "cannot write to standard output");
        ++failures;
    }
    // Nothing written: the messages above said why, a summary would claim otherwise.
    if (!options.quiet && !options.toStdout && written > 0)
        printSummary(options, folder, name, tally, out);
    return failures ? exitFailed : exitConverted;
}

int reportUsageError(const std::string& message, std::FILE* err) {
    writeMessage(err, message);
    writeText(err, "Try 'hexmoor-cli --help'.\n");
    return exitUsage;
}

} // namespace Zenlo
