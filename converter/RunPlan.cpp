// Planning a run: the outputs and names are all known before the first file is opened, so a run
// that would overwrite one of its inputs or write two things under one name never starts.
#include "converter/RunPlan.h"

#include <cassert>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>

#include "converter/InputNames.h"
#include "converter/OutputNames.h"
#include "converter/VariableName.h"
#include "toolkit/FileSystem.h"

namespace Zenlo {

namespace {

// A path in a form where two spellings of one place compare equal: absolute, "." and ".."
// resolved as text (links are left to the identity check).
std::filesystem::path::string_type pathKey(const WideString& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(toPath(path), error);
    if (error) absolute = toPath(path);
    return absolute.lexically_normal().native();
}

std::u16string textKey(const WideString& text) {
    return std::u16string(text.view());
}

// An output's name as the output folder compares it.
std::u16string outputKey(const WideString& name, const ZnRunRequest& request) {
    return request.outputNamesIgnoreCase ? caseFoldedName(name.view()) : textKey(name);
}

// The run's outputs by path and by file identity, to look inputs up in.
class OutputIndex {
public:
    // Returns false when the path is already known.
    bool add(const WideString& path) {
        if (!byPath_.emplace(pathKey(path), path).second) return false;
        FileIdentity identity;
        if (fileIdentity(path, identity)) byIdentity_.emplace(identityKey(identity), path);
        return true;
    }
    // The output the input is, or null.
    const WideString* find(const WideString& input) const {
        auto same = byPath_.find(pathKey(input));
        if (same != byPath_.end()) return &same->second;
        FileIdentity identity;
        if (byIdentity_.empty() || !fileIdentity(input, identity)) return nullptr;
        auto known = byIdentity_.find(identityKey(identity));
        return known != byIdentity_.end() ? &known->second : nullptr;
    }

private:
    std::map<std::filesystem::path::string_type, WideString> byPath_;
    static std::pair<std::uint64_t, std::uint64_t> identityKey(const FileIdentity& identity) {
        return {identity.device, identity.file};
    }
    // Only outputs that already exist: on a second run into a folder, as many as the inputs.
    std::map<std::pair<std::uint64_t, std::uint64_t>, WideString> byIdentity_;
};

ZnInputFailure problem(const WideString& path, ZnFailureKind kind) {
    ZnInputFailure failure;
    failure.path = path;
    failure.kind = kind;
    return failure;
}

// Records the name for the input; when an earlier input holds it, adds the clash instead and
// returns false.
bool claim(std::map<std::u16string, std::size_t>& owners, const WideString& name,
           const std::u16string& key, std::size_t input, ZnFailureKind kind,
           const WideString& outputPath, RunPlan& plan) {
    auto [owner, added] = owners.emplace(key, input);
    if (added || owner->second == input) return true;
    ZnInputFailure failure = problem(plan.inputs[input].path, kind);
    failure.outputPath = outputPath;
    failure.otherPath = plan.inputs[owner->second].path;
    failure.name = name;
    plan.problems.push_back(failure);
    return false;
}

// The lookup table's part of the plan: its own source and header in separate-files mode, which
// no input's may be, and one path per input to find it by.
template <class AddOutput>
void checkIndex(const std::vector<WideString>& keys, const ZnRunRequest& request,
                AddOutput addOutput, RunPlan& plan) {
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
        addOutput(outputFileName);
        if (request.writeHeader) addOutput(headerFileName(outputFileName));
    }
    std::map<std::u16string, std::size_t> owners;
    for (std::size_t i = 0; i < keys.size(); ++i)
        claim(owners, keys[i], textKey(keys[i]), i, ZnFailureKind::IndexKeyClash, tablePath, plan);
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
        if (outputs.add(path)) plan.outputNames.push_back(name);
    };
    std::vector<WideString> keys;
    const ObjectFormat objectFormat = request.object.format;
    for (const ZnRunInput& input : request.inputs) {
        const WideString name = request.separateFiles
                                    ? inputOutputName(input.path, input.folderName)
                                    : request.outputFileName;
        plan.inputs.push_back(
            {input, inputVariableName(input.path, input.folderName, options), name});
        keys.push_back(indexKeyText(input.path, input.folderName));
        if (request.separateFiles || plan.inputs.size() == 1) {
            addOutput(objectFormat == ObjectFormat::None ? name
                                                         : objectFileName(name, objectFormat));
            if (request.writeHeader) addOutput(headerFileName(name));
        }
    }
    if (!request.indexName.empty() && !request.separateFiles && objectFormat != ObjectFormat::None)
        addOutput(request.outputFileName);
    if (!request.indexName.empty()) checkIndex(keys, request, addOutput, plan);

    std::map<std::u16string, std::size_t> variables, outputNames;
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
        if (request.separateFiles) {
            claim(outputNames, input.outputName, outputKey(input.outputName, request), i,
                  ZnFailureKind::OutputClash, sourcePath, plan);
            continue;
        }
        // One clash per input is enough to tell: the size name is only looked at after the array's.
        const WideString size = input.variable + u"_size";
        if (claim(variables, input.variable, textKey(input.variable), i, ZnFailureKind::NameClash,
                  sourcePath, plan) &&
            options.writeSizeVariable)
            claim(variables, size, textKey(size), i, ZnFailureKind::NameClash, sourcePath, plan);
    }
    return plan;
}

} // namespace Zenlo
