// Dependency files in the Make syntax that make and ninja read: the outputs and what they need.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Zenlo {

// Why make or ninja would not read the path back exactly from a dependency file, whatever the
// escape: the message names the path and the character ("cannot name PATH in a dependency file:
// make and ninja cannot read ';' there"); nothing when the path can be written. Refused are
// control characters and " & ' * ; < = > ? ^ ` | (ninja ends a name there; make takes some as a
// recipe, an assignment or a wildcard), "%" (make's pattern), "[" that opens a bracket of make's
// wildcards, a "\" at the end or before "#", ":", "$" or "[" (make and ninja read it
// differently), a ":" at the end, a ")" at the end (make's library member) and a "~" at the start
// (make's home folder).
std::optional<std::string> dependencyNameProblem(std::string_view path);

// The path written so that make and ninja read it back as one name: a space is written "\ "
// (with the backslashes before it doubled), "#" as "\#", ":" as "\:" and "$" as "$$"; other
// backslashes stay as they are. Precondition: dependencyNameProblem finds none.
std::string escapeDependencyPath(std::string_view path);

// The text of a dependency file: one rule "targets: prerequisites", then an empty rule for each
// prerequisite, so a prerequisite that is deleted later does not stop the build. Paths are given
// in the file system's bytes. Returns false with dependencyNameProblem's message in error when a
// path cannot be written (the build could not see that file change).
bool dependencyFileText(const std::vector<std::string>& targets,
                        const std::vector<std::string>& prerequisites, std::string& text,
                        std::string& error);

} // namespace Zenlo
