// Planning a run: the outputs and names are all known before the first file is opened, so a run
// that would overwrite one of its inputs or write two things under one name never starts.
#include "converter/RunPlan.h"

#include <cassert>
#include <cerrno>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>

#include "converter/AtomicOutput.h"
#include "converter/DependencyFile.h"
#include "converter/InputNames.h"
#include "converter/OutputNames.h"
#include "converter/VariableName.h"
#include "toolkit/FileSystem.h"

namespace Zenlo {

namespace {

using PathKey = std::filesystem::path::string_type;

// A path in a form where two spellings of one place compare equal: absolute, "." and ".."
// resolved as text (links are left to the identity check).
PathKey pathKey(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) absolute = path;
    return absolute.lexically_normal().native();
}

PathKey pathKey(const WideString& path) {
    return pathKey(toPath(path));
}

std::u16string textKey(const WideString& text) {
    return std::u16string(text.view());
}

// An output's name as the output folder compares it.
std::u16string outputKey(const WideString& name, const ZnRunRequest& request) {
    return request.outputNamesIgnoreCase ? caseFoldedName(name.view()) : textKey(name);
}

// The run's outputs by path, by the file their links lead to and by file identity, to look
// inputs and other outputs up in.
class OutputIndex {
public:
    // Adds the output. Returns the output already known that is the same file (the same path,
    // a link to it, a hard link), or null when it is new.
    const WideString* add(const WideString& path) {
        const std::filesystem::path native = toPath(path);
        const auto [byPath, added] = byPath_.emplace(pathKey(native), path);
        if (!added) return &byPath->second;
        const WideString* known = &byPath->second;
        const auto [byTarget, newTarget] = byTarget_.emplace(targetKey(native), known);
        if (!newTarget) return byTarget->second;
        FileIdentity identity;
        if (!fileIdentity(path, identity)) return nullptr;
        const auto [byIdentity, newFile] = byIdentity_.emplace(identityKey(identity), known);
        return newFile ? nullptr : byIdentity->second;
    }
    // The output the input is, or null.
    const WideString* find(const WideString& input) const {
        auto same = byPath_.find(pathKey(input));
        if (same != byPath_.end()) return &same->second;
        FileIdentity identity;
        if (byIdentity_.empty() || !fileIdentity(input, identity)) return nullptr;
        auto known = byIdentity_.find(identityKey(identity));
        return known != byIdentity_.end() ? known->second : nullptr;
    }

private:
    static std::pair<std::uint64_t, std::uint64_t> identityKey(const FileIdentity& identity) {
        return {identity.device, identity.file};
    }
    // Where writing the path finally lands: its links followed (one that leads nowhere yet too),
    // then the folder's. Outputs share a folder, so it is resolved once.
    PathKey targetKey(const std::filesystem::path& path) {
        std::filesystem::path target;
        int error = 0;
        if (!finalTarget(path, target, error)) target = path;
        std::error_code ignored;
        if (target.is_relative()) target = std::filesystem::absolute(target, ignored);
        const std::filesystem::path folder = target.parent_path();
        if (folder != folder_ || canonicalFolder_.empty()) {
            folder_ = folder;
            canonicalFolder_ = std::filesystem::weakly_canonical(folder, ignored);
            if (canonicalFolder_.empty()) canonicalFolder_ = folder;
        }
        return (canonicalFolder_ / target.filename()).native();
    }

    std::map<PathKey, WideString> byPath_;
    // The other two point into byPath_, whose entries stay where they are.
    std::map<PathKey, const WideString*> byTarget_;
    // Only outputs that already exist: on a second run into a folder, as many as the inputs.
    std::map<std::pair<std::uint64_t, std::uint64_t>, const WideString*> byIdentity_;
    std::filesystem::path folder_, canonicalFolder_;
};

ZnInputFailure problem(const WideString& path, ZnFailureKind kind) {
    ZnInputFailure failure;
    failure.path = path;
    failure.kind = kind;
    return failure;
}

// The owner of the lookup table's own names among the variable names.
constexpr std::size_t lookupTable = static_cast<std::size_t>(-1);

// Records the name (compared by its key) for the input; when an earlier input (or the lookup
// table) holds it, adds the clash instead and returns false.
bool claim(std::map<std::u16string, std::size_t>& owners, const WideString& name,
           const std::u16string& key, std::size_t input, ZnFailureKind kind,
           const WideString& outputPath, RunPlan& plan) {
    auto [owner, added] = owners.emplace(key, input);
    if (added || owner->second == input) return true;
    ZnInputFailure failure = problem(plan.inputs[input].path, kind);
    failure.outputPath = outputPath;
    if (owner->second != lookupTable) failure.otherPath = plan.inputs[owner->second].path;
    failure.name = name;
    plan.problems.push_back(failure);
    return false;
}

// The lookup table's part of the plan: its own source and header in separate-files mode, which
// no input's may be, and one path per input to find it by.
template <class AddSource>
void checkIndex(const std::vector<WideString>& keys, const ZnRunRequest& request,
                AddSource addSource, RunPlan& plan) {
    const WideString& outputFileName = request.outputFileName;
    const WideString tablePath = request.outputFolder + outputFileName;
    if (request.separateFiles) {
        const auto header = [&](const WideString& name) {
            return outputKey(headerFileName(name), request);
        };
        for (const PlannedInput& input : plan.inputs)
            if (outputKey(input.outputName, request) == outputKey(outputFileName, request) ||
                (request.writeHeader && header(input.outputName) == header(outputFileName))) {
                ZnInputFailure failure = problem(input.path, ZnFailureKind::IndexOutputClash);
                failure.outputPath = tablePath;
                plan.problems.push_back(failure);
            }
        addSource(outputFileName);
    }
    std::map<std::u16string, std::size_t> owners;
    for (std::size_t i = 0; i < keys.size(); ++i)
        claim(owners, keys[i], textKey(keys[i]), i, ZnFailureKind::IndexKeyClash, tablePath, plan);
}

// True when the arrays of different outputs can meet, so that their names must differ too: any
// of them with external linkage (objects always have it), or a lookup table naming them all.
bool namesMeet(const ZnRunRequest& request, const ZnConversionOptions& options) {
    return !request.separateFiles || !request.indexName.empty() ||
           request.object.format != ObjectFormat::None ||
           !(options.arrayQualifiers & qualifierStatic) ||
           (options.writeSizeVariable && !(options.sizeQualifiers & qualifierStatic));
}

// The names the lookup table defines beside the arrays.
std::vector<WideString> lookupTableNames(const std::string& indexName) {
    const WideString name = fromUtf8(indexName);
    return {name + u"_count", name + u"_find", name + u"_entries", name + u"_entry"};
}

ZnInputFailure aliasProblem(const WideString& path, const WideString& earlier) {
    ZnInputFailure failure = problem(path, ZnFailureKind::OutputAlias);
    failure.outputPath = path;
    failure.otherPath = earlier;
    return failure;
}

// The walked folder that holds the path at any depth, links resolved; null when none does.
const WideString* folderHolding(const WideString& path, const std::vector<WideString>& folders) {
    std::error_code ignored;
    const std::filesystem::path file = std::filesystem::weakly_canonical(toPath(path), ignored);
    for (const WideString& folder : folders) {
        const std::filesystem::path root =
            std::filesystem::weakly_canonical(toPath(absolutePath(folder)), ignored);
        const std::filesystem::path relative = file.lexically_relative(root);
        if (!relative.empty() && *relative.begin() != "..") return &folder;
    }
    return nullptr;
}

#ifdef _WIN32
constexpr int missingFolderError = 3; // ERROR_PATH_NOT_FOUND
constexpr int notFolderError = 267;   // ERROR_DIRECTORY
#else
constexpr int missingFolderError = ENOENT;
constexpr int notFolderError = ENOTDIR;
#endif

// Why a file could not be made at the path: its folder is missing or no folder (the output
// folder and those above it do not count: the run makes them), or the path names something that
// is not a regular file. 0 when it can.
int placeError(const WideString& path, const WideString& outputFolder) {
    std::error_code ignored;
    const std::filesystem::file_status status = std::filesystem::status(toPath(path), ignored);
    if (std::filesystem::is_directory(status)) return notRegularFileError;
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return notRegularFileError;
    const std::filesystem::path folder = toPath(path).parent_path().lexically_normal();
    const std::filesystem::path made =
        toPath(outputFolder).lexically_normal().lexically_relative(folder);
    if (!made.empty() && *made.begin() != "..") return 0;
    const std::filesystem::file_status folderStatus = std::filesystem::status(folder, ignored);
    if (std::filesystem::is_directory(folderStatus)) return 0;
    return std::filesystem::exists(folderStatus) ? notFolderError : missingFolderError;
}

std::string dependencyPath(const WideString& path) {
    return toPath(path).string();
}

// The dependency file's text: the outputs (in the output folder as the build names it) need
// every input and every folder walked. A path make or ninja could not read back is a problem.
void planDependencyText(const ZnRunRequest& request, const WideString& path, RunPlan& plan) {
    const ZnDependencyRequest& dependencies = request.dependencies;
    std::vector<std::string> targets, prerequisites;
    auto add = [&](std::vector<std::string>& list, const WideString& name) {
        list.push_back(dependencyPath(name));
        if (!dependencyNameProblem(list.back())) return;
        ZnInputFailure failure = problem(path, ZnFailureKind::DependencyName);
        failure.outputPath = path;
        failure.name = name;
        plan.problems.push_back(failure);
    };
    for (const WideString& name : plan.outputNames)
        add(targets, dependencies.targetFolder + name);
    for (const PlannedInput& input : plan.inputs)
        add(prerequisites, absolutePath(input.path));
    for (const WideString& folder : dependencies.folders)
        add(prerequisites, absolutePath(folder));
    std::string error;
    if (!dependencyFileText(targets, prerequisites, plan.dependencyText, error))
        plan.dependencyText.clear();
}

// The dependency file is an output like the others: no input, no other output, outside every
// folder walked (the next walk would take it for an input), with a folder to go into.
void planDependencyFile(const ZnRunRequest& request, OutputIndex& outputs, RunPlan& plan) {
    const WideString path = absolutePath(request.dependencies.path);
    plan.dependencyFile = path;
    if (const WideString* known = outputs.add(path))
        return plan.problems.push_back(aliasProblem(path, *known));
    if (const WideString* folder = folderHolding(path, request.dependencies.folders)) {
        ZnInputFailure failure = problem(path, ZnFailureKind::OutputInInputFolder);
        failure.outputPath = path;
        failure.otherPath = *folder;
        return plan.problems.push_back(failure);
    }
    if (const int error = placeError(path, request.outputFolder)) {
        ZnInputFailure failure = problem(path, ZnFailureKind::OutputUnopenable);
        failure.outputPath = path;
        failure.systemError = error;
        return plan.problems.push_back(failure);
    }
    planDependencyText(request, path, plan);
}

} // namespace

RunPlan planRun(const ZnRunRequest& request, const ZnConversionOptions& options) {
    const WideString& outputFolder = request.outputFolder;
    assert(outputFolder.isEmpty() || outputFolder.view().ends_with(nativeSeparator) ||
           outputFolder.view().ends_with(u'/'));
    RunPlan plan;
    OutputIndex outputs;
    auto addOutput = [&](const WideString& name) {
        const WideString path = outputFolder + name;
        const WideString* known = outputs.add(path);
        if (!known) return plan.outputNames.push_back(name);
        // One name twice is one output (two inputs' clash is told below); two names are not.
        if (outputKey(*known, request) != outputKey(path, request))
            plan.problems.push_back(aliasProblem(path, *known));
    };
    // A source with the files that go with it.
    auto addSource = [&](const WideString& name) {
        addOutput(name);
        if (request.writeHeader) addOutput(headerFileName(name));
        const WideString fallback = incbinFallbackName(name);
        if (writesIncbinSources(request) && !fallback.isEmpty()) addOutput(fallback);
    };
    // The files of an output's arrays: its source, or with an object format the object in its
    // place, beside the header.
    const ObjectFormat objectFormat = request.object.format;
    auto addArrays = [&](const WideString& name) {
        if (objectFormat == ObjectFormat::None) return addSource(name);
        addOutput(objectFileName(name, objectFormat));
        if (request.writeHeader) addOutput(headerFileName(name));
    };
    std::vector<WideString> keys;
    for (const ZnRunInput& input : request.inputs) {
        WideString name = request.outputFileName;
        if (request.separateFiles) {
            name = inputOutputName(input.path, input.folderName);
            if (!request.separateExtension.isEmpty())
                name = replaceExtension(name, request.separateExtension.c_str());
        }
        plan.inputs.push_back({input,
                               input.givenName.isEmpty()
                                   ? inputVariableName(input.path, input.folderName, options)
                                   : input.givenName,
                               name});
        keys.push_back(indexKeyText(input.path, input.folderName));
        if (request.separateFiles || plan.inputs.size() == 1) addArrays(name);
    }
    if (!request.indexName.empty() && !request.separateFiles && objectFormat != ObjectFormat::None)
        addOutput(request.outputFileName);
    if (!request.indexName.empty()) checkIndex(keys, request, addSource, plan);
    if (!request.dependencies.path.isEmpty()) planDependencyFile(request, outputs, plan);

    std::map<std::u16string, std::size_t> variables, outputNames;
    if (!request.indexName.empty())
        for (const WideString& name : lookupTableNames(request.indexName))
            variables.emplace(textKey(name), lookupTable);
    const bool meet = namesMeet(request, options);
    for (std::size_t i = 0; i < plan.inputs.size(); ++i) {
        const PlannedInput& input = plan.inputs[i];
        const WideString sourcePath = outputFolder + input.outputName;
        if (const WideString* output = outputs.find(input.path)) {
            ZnInputFailure failure = problem(input.path, ZnFailureKind::InputIsOutput);
            failure.outputPath = *output;
            plan.problems.push_back(failure);
        }
        if (!startsAsIdentifier(input.variable)) {
            ZnInputFailure failure = problem(input.path, ZnFailureKind::InvalidName);
            failure.name = input.variable;
            plan.problems.push_back(failure);
        }
        if (request.separateFiles &&
            !claim(outputNames, input.outputName, outputKey(input.outputName, request), i,
                   ZnFailureKind::OutputClash, sourcePath, plan))
            continue;
        if (!meet) continue;
        // One clash per input is enough to tell: the size name is only looked at after the array's.
        const WideString size = input.variable + options.choices.sizeSuffix;
        if (claim(variables, input.variable, textKey(input.variable), i, ZnFailureKind::NameClash,
                  sourcePath, plan) &&
            options.writeSizeVariable)
            claim(variables, size, textKey(size), i, ZnFailureKind::NameClash, sourcePath, plan);
    }
    return plan;
}

} // namespace Zenlo
