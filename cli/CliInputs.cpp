// Folder inputs on the command line: the walk, the warnings about what it left out, the keys.
#include "cli/CliInputs.h"

#include "cli/ConsoleText.h"
#include "converter/FolderInputs.h"
#include "toolkit/FileSystem.h"
#include "toolkit/TextEncoding.h"

namespace Zenlo {

bool expandCliInputs(const StringList& given, const std::vector<WideString>& names,
                     const ZnCliOptions& options, ZnCliInputs& inputs, std::FILE* err,
                     std::string& error) {
    inputs.files.clear();
    inputs.folders.clear();
    for (std::size_t i = 0; i < given.count(); ++i) {
        const WideString& input = given[i];
        const WideString name = i < names.size() ? names[i] : WideString();
        if (input == fromUtf8(stdinArgument)) {
            if (inputs.stdinCopy.path().empty() && !inputs.stdinCopy.copyFrom(stdin, error))
                return false;
            inputs.files.push_back({fromPath(inputs.stdinCopy.path()), stdinName, name});
            continue;
        }
        if (!options.recursive || !isFolder(input)) {
            inputs.files.push_back({input, {}, name});
            continue;
        }
        if (!name.isEmpty())
            return error = "--name names one file, not the folder " + shownPath(input), false;
        FolderListing listing;
        if (!listFolder(toPath(input), options.hidden, listing, error)) return false;
        for (const SkippedEntry& entry : listing.skipped)
            if (!options.quiet)
                writeMessage(err, shownPath(fromPath(entry.path)) + ": left out, " + entry.reason);
        for (const FolderFile& file : listing.files)
            inputs.files.push_back({fromPath(file.path), relativeNameText(file)});
        for (const std::filesystem::path& folder : listing.folders)
            inputs.folders.push_back(fromPath(folder));
    }
    return true;
}

} // namespace Zenlo
