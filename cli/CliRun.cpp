// The command-line run: output folder, extension rule, the engine, messages and exit status.
#include "cli/CliRun.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>
#include <utility>

#include "HexmoorVersion.h"
#include "cli/CliBuildFiles.h"
#include "cli/CliInputs.h"
#include "cli/CliProgress.h"
#include "cli/CliRunOptions.h"
#include "cli/CliSignals.h"
#include "cli/ConsoleText.h"
#include "converter/FileConverter.h"
#include "converter/OutputNames.h"
#include "converter/OutputTarget.h"
#include "toolkit/DateTime.h"

namespace Zenlo {

namespace {

void printSummary(const ZnCliOptions& options, const WideString& folder, const WideString& name,
                  int converted, int inputs, std::FILE* out) {
    std::string where;
    if (options.separateFiles)
        where = shownPath(folder) + " (one source per input)";
    else
        where = shownPath(folder + (options.objectFormat == ObjectFormat::None
                                        ? name
                                        : objectFileName(name, options.objectFormat))) +
                (options.writeHeader ? " and " + shownPath(headerFileName(name)) : "");
    writeMessage(out, "converted " + std::to_string(converted) + " of " + std::to_string(inputs) +
                          (inputs == 1 ? " input" : " inputs") + " into " + where);
}

// The objects' time stamp: SOURCE_DATE_EPOCH's, as far as COFF's 32 bits reach; 0 without it.
std::uint32_t objectTimeStamp(const ZnCliCommand& command) {
    if (!command.hasSourceDate) return 0;
    return static_cast<std::uint32_t>(std::min<std::int64_t>(command.sourceDate, 0xffffffff));
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
    if (!cliRunOptions(command, options, error)) return writeMessage(err, error), exitUsage;
    const WideString folder = resolveOutputFolder(options.outputDir);
    const WideString name = correctedOutputName(options.outputName);
    ZnCliInputs inputs;
    if (!expandCliInputs(command.inputs, options, inputs, err, error))
        return writeMessage(err, error), exitFailed;
    const ZnRunRequest request{.inputs = std::move(inputs.files),
                               .outputFolder = folder,
                               .outputFileName = name,
                               .separateFiles = options.separateFiles,
                               .writeHeader = options.writeHeader,
                               .indexName = options.indexName,
                               .emptyInputsAsArrays = options.emptyArrays,
                               .byteStyle = options.byteStyle,
                               .object = {options.objectFormat, objectTimeStamp(command)}};
    // Planned before the output folder is made: a run refused leaves no trace.
    const RunPlan plan = planRun(request, options.conversion);
    for (const ZnInputFailure& problem : plan.problems)
        printFailure(problem, err);
    if (!plan.problems.empty()) return exitFailed;
    // A name the build could not read back is refused before anything is written.
    if (const std::optional<std::string> problem =
            dependencyFileProblem(plan, inputs.folders, options))
        return writeMessage(err, *problem), exitFailed;
    // The dry run, the run and the dependency file all follow this one plan.
    if (options.dryRun) return printDryRun(plan, folder, options, out), exitConverted;
    if (!makeOutputFolder(folder, error)) {
        writeMessage(err, "cannot create the output folder " + shownPath(folder) + ": " + error);
        return exitFailed;
    }

    ZnFileConverter converter;
    converter.options = options.conversion;
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
        converter.run(request, plan);
    }
    if (const int signal = ZnCliSignals::caught()) {
        // A signal that came only while the finished files were put in place changes nothing.
        writeMessage(err, written ? "interrupted after the outputs were written"
                                  : "interrupted, no output file changed");
        return ZnCliSignals::exitStatus(signal);
    }
    // A refused run wrote nothing, so the build has nothing new to learn.
    if (!options.depFile.isEmpty() && written > 0 &&
        !writeDependencyFile(plan, inputs.folders, options, error)) {
        writeMessage(err, error);
        ++failures;
    }
    // Nothing written: the messages above said why, a summary would claim otherwise.
    if (!options.quiet && written > 0)
        printSummary(options, folder, name, converted, static_cast<int>(plan.inputs.size()), out);
    return failures ? exitFailed : exitConverted;
}

int reportUsageError(const std::string& message, std::FILE* err) {
    writeMessage(err, message);
    writeText(err, cliUsage());
    return exitUsage;
}

} // namespace Zenlo
