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

void printDryRun(const RunPlan& plan, const WideString& folder, const ZnCliOptions& options,
                 std::FILE* out) {
    for (const WideString& name : plan.outputNames)
        writeText(out, "output: " + shownPath(folder + name) + "\n");
    if (!options.depFile.isEmpty())
        writeText(out, "output: " + shownPath(absolutePath(options.depFile)) + "\n");
    for (const PlannedInput& input : plan.inputs)
        writeText(out, "variable: " + utf16ToUtf8(input.variable.view()) + " " +
                           shownPath(input.path) + "\n");
}

bool writeDependencyFile(const RunPlan& plan, const std::vector<WideString>& folders,
                         const ZnCliOptions& options, std::string& error) {
    std::vector<std::string> targets, prerequisites;
    const WideString folder = givenFolder(options.outputDir);
    for (const WideString& name : plan.outputNames)
        targets.push_back(shown(folder + name));
    for (const PlannedInput& input : plan.inputs)
        prerequisites.push_back(shown(absolutePath(input.path)));
    for (const WideString& path : folders)
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
