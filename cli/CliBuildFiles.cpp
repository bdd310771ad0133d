// Dry runs and dependency files: the same list of outputs serves both.
#include "cli/CliBuildFiles.h"


#include "converter/AtomicOutput.h"
#include "converter/DependencyFile.h"
#include "converter/GeneratedText.h"
#include "converter/InputNames.h"
#include "toolkit/FileSystem.h"
#include "toolkit/PathText.h"
#include "toolkit/TextEncoding.h"

using Zenlo::WideString;

namespace {

std::string shown(const WideString& path) {
    return Zenlo::toPath(path).string();
}

void addSource(std::vector<WideString>& names, const WideString& source, bool writeHeader) {
    names.push_back(source);
    if (writeHeader) names.push_back(Zenlo::headerFileName(source));
}

// The output folder as given, ready to have a name appended.
WideString givenFolder(const WideString& outputDir) {
    if (outputDir.isEmpty() || outputDir[outputDir.length() - 1] == u'/' ||
        outputDir[outputDir.length() - 1] == Zenlo::nativeSeparator)
        return outputDir;
    return outputDir + Zenlo::nativeSeparator;
}

} // namespace

std::vector<WideString> plannedOutputNames(const ZnCliInputs& inputs, const ZnCliOptions& options,
                                           const WideString& outputName) {
    std::vector<WideString> names;
    if (!options.separateFiles) {
        addSource(names, outputName, options.writeHeader);
        return names;
    }
    for (Zenlo::StringList::Size i = 0; i < inputs.paths.count(); ++i)
        addSource(names, Zenlo::inputOutputName(inputs.paths[i], inputs.folderNames[i]),
                  options.writeHeader);
    if (!options.indexName.empty()) addSource(names, outputName, options.writeHeader);
    return names;
}

WideString absolutePath(const WideString& path) {
    if (path.isEmpty() || Zenlo::toPath(path).is_absolute()) return path;
    return Zenlo::currentFolder() + path;
}

void printDryRun(const ZnCliInputs& inputs, const ZnCliOptions& options,
                 const ZnConversionOptions& conversion, const WideString& folder,
                 const WideString& outputName, std::FILE* out) {
    for (const WideString& name : plannedOutputNames(inputs, options, outputName))
        std::fprintf(out, "output: %s\n", shown(folder + name).c_str());
    if (!options.depFile.isEmpty())
        std::fprintf(out, "output: %s\n", shown(absolutePath(options.depFile)).c_str());
    for (Zenlo::StringList::Size i = 0; i < inputs.paths.count(); ++i) {
        const WideString variable =
            Zenlo::inputVariableName(inputs.paths[i], inputs.folderNames[i], conversion);
        std::fprintf(out, "variable: %s %s\n", Zenlo::utf16ToUtf8(variable.view()).c_str(),
                     shown(inputs.paths[i]).c_str());
    }
}

bool writeDependencyFile(const ZnCliInputs& inputs, const ZnCliOptions& options,
                         const WideString& outputName, std::string& error) {
    std::vector<std::string> targets, prerequisites;
    const WideString folder = givenFolder(options.outputDir);
    for (const WideString& name : plannedOutputNames(inputs, options, outputName))
        targets.push_back(shown(folder + name));
    for (const WideString& path : inputs.paths)
        prerequisites.push_back(shown(absolutePath(path)));
    for (const WideString& path : inputs.folders)
        prerequisites.push_back(shown(absolutePath(path)));
    std::string text;
    if (!Zenlo::dependencyFileText(targets, prerequisites, text, error)) return false;
    // Put in place whole, and only when its text changes, like the other outputs.
    Zenlo::AtomicOutput file;
    if (file.begin(options.depFile)) {
        file.file().write(text);
        if (file.commit() != Zenlo::CommitResult::Failed) return true;
    }
    error = "cannot write " + shown(options.depFile) + ": " + Zenlo::systemErrorText(file.error());
    return false;
}
