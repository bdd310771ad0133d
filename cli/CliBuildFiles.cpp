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

void printDryRun(const RunPlan& plan, const ZnCliOptions& options, std::FILE* out) {
    for (const WideString& path : plan.outputs)
        std::fprintf(out, "output: %s\n", shown(path).c_str());
    if (!options.depFile.isEmpty())
        std::fprintf(out, "output: %s\n", shown(absolutePath(options.depFile)).c_str());
    for (const PlannedInput& input : plan.inputs)
        std::fprintf(out, "variable: %s %s\n", utf16ToUtf8(input.variable.view()).c_str(),
                     shown(input.path).c_str());
}

bool writeDependencyFile(const ZnRunRequest& request, const ZnCliInputs& inputs,
                         const ZnCliOptions& options, std::string& error) {
    std::vector<std::string> targets, prerequisites;
    ZnRunRequest given = request;
    given.outputFolder = givenFolder(options.outputDir);
    const RunPlan plan = planRun(given, options.conversion);
    for (const WideString& path : plan.outputs)
        targets.push_back(shown(path));
    for (const ZnRunInput& input : inputs.files)
        prerequisites.push_back(shown(absolutePath(input.path)));
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
