// Dry runs and dependency files: the same list of outputs serves both.
#include "cli/CliBuildFiles.h"

#include "cli/ConsoleText.h"
#include "converter/AtomicOutput.h"
#include "converter/DependencyFile.h"
#include "converter/OutputTarget.h"
#include "toolkit/FileSystem.h"
#include "toolkit/PathText.h"
#include "toolkit/TextEncoding.h"

namespace Zenlo {

namespace {

std::string shown(const WideString& path) {
    return toPath(path).string();
}

// The output folder as given, ready to have a name appended.
WideString givenFolder(const WideString& outputDir) {
    if (outputDir.view().ends_with(u'/')) return outputDir;
    return folderWithSeparator(outputDir);
}

} // namespace

RunPlan planCliRun(const ZnCliInputs& inputs, const ZnCliOptions& options, const WideString& folder,
                   const WideString& outputName) {
    return planRun(inputs.paths, folder, outputName, options.separateFiles, options.writeHeader,
                   options.conversion, inputs.folderNames, !options.indexName.empty());
}

void printDryRun(const RunPlan& plan, const ZnCliOptions& options, std::FILE* out) {
    for (const WideString& path : plan.outputs)
        writeText(out, "output: " + shownPath(path) + "\n");
    if (!options.depFile.isEmpty())
        writeText(out, "output: " + shownPath(absolutePath(options.depFile)) + "\n");
    for (const PlannedInput& input : plan.inputs)
        writeText(out, "variable: " + utf16ToUtf8(input.variable.view()) + " " +
                           shownPath(input.path) + "\n");
}

bool writeDependencyFile(const ZnCliInputs& inputs, const ZnCliOptions& options,
                         const WideString& outputName, std::string& error) {
    std::vector<std::string> targets, prerequisites;
    const RunPlan plan = planCliRun(inputs, options, givenFolder(options.outputDir), outputName);
    for (const WideString& path : plan.outputs)
        targets.push_back(shown(path));
    for (const WideString& path : inputs.paths)
        prerequisites.push_back(shown(absolutePath(path)));
    for (const WideString& path : inputs.folders)
        prerequisites.push_back(shown(absolutePath(path)));
    std::string text;
    if (!dependencyFileText(targets, prerequisites, text, error)) return false;
    // Put in place whole, and only when its text changes, like the other outputs.
    AtomicOutput file;
    if (file.begin(options.depFile)) {
        file.file().write(text);
        if (file.commit() != CommitResult::Failed) return true;
    }
    error = "cannot write " + shownPath(options.depFile) + ": " + systemErrorText(file.error());
    return false;
}

} // namespace Zenlo
