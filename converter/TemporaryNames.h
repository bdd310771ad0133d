// Temporary files beside their targets: names that tell which process made them, and the removal
// of what a process killed outright left behind.
#pragma once

#include <filesystem>

namespace Zenlo {

// What a temporary holds: the new text of its target, or (while the outputs of a run are put in
// place together) the target's previous file, kept until all of them are in place.
enum class TemporaryKind { NewText, PreviousFile };

// A new name beside the target for a temporary of the kind, unique within this process. The name
// starts with the target's (cut to stay within name limits) and ends with the process's number,
// its start time and the number of its process namespace, so that a later run can tell whether
// the process that made it is gone. Cannot fail.
std::filesystem::path temporaryName(const std::filesystem::path& target, TemporaryKind kind);

// Removes from the folder the temporaries of this user whose process is gone (killed outright,
// say); a previous file whose target is missing goes back in its place instead. Temporaries of a
// live process, or of one this process cannot see (another process namespace, no /proc), stay,
// as do all other names. A folder is looked at once a minute at most; failures are ignored.
void removeLeftoverTemporaries(const std::filesystem::path& folder);

} // namespace Zenlo
