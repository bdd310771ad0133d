// Dry runs and the dependency file's targets: the same list of outputs serves both.
#include "cli/CliBuildFiles.h"

#include "cli/ConsoleText.h"
#include "converter/OutputTarget.h"
#include "toolkit/TextEncoding.h"

namespace Zenlo {

WideString givenFolder(const WideString& outputDir) {
    if (outputDir.view().ends_with(u'/')) return outputDir;
    return folderWithSeparator(outputDir);
}

void printDryRun(const RunPlan& plan, const WideString& folder, std::FILE* out) {
    for (const WideString& name : plan.outputNames)
        writeText(out, "output: " + shownPath(folder + name) + "\n");
    if (!plan.dependencyFile.isEmpty())
        writeText(out, "output: " + shownPath(plan.dependencyFile) + "\n");
    for (const PlannedInput& input : plan.inputs)
        writeText(out, "variable: " + utf16ToUtf8(input.variable.view()) + " " +
                           shownPath(input.path) + "\n");
}

} // namespace Zenlo
