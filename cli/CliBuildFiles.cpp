// Dry runs and dependency files: the same list of outputs serves both.
#include "cli/CliBuildFiles.h"

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
                   options.conversion, inputs.folderNames, !options.indexName.empty(),
                   options.objectFormat);
}

void printDryRun(const RunPlan& plan, const ZnCliOptions& options, std::FILE* out) {
    for (const WideString& path : plan.outputs)
        std::fprintf(out, "output: %s\n", shown(path).c_str());
    if (!options.depFile.isEmpty())
        std::fprintf(out, "output: %s\n", shown(absolutePath(options.depFile)).c_str());
    for (const PlannedInput& input : plan.inputs)
        std::fprintf(out, "variable: %s %s\n", utf16ToUtf8(input.variable.view()).c_str(),
                     shown(input.path).c_str());
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
    error = "cannot write " + shown(options.depFile) + ": " + systemErrorText(file.error());
    return false;
}

} // namespace Zenlo
