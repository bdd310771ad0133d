// Folder inputs on the command line: the walk, the warnings about what it left out, the keys.
#include "cli/CliInputs.h"

#include "cli/ConsoleText.h"
#include "converter/FolderInputs.h"
#include "toolkit/FileSystem.h"

namespace Zenlo {

bool expandCliInputs(const StringList& given, const ZnCliOptions& options, ZnCliInputs& inputs,
                     std::FILE* err, std::string& error) {
    inputs = ZnCliInputs();
    for (const WideString& input : given) {
        if (!options.recursive || !isFolder(input)) {
            inputs.files.push_back({input, {}});
            continue;
        }
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
