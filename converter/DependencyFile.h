// Dependency files in the Make syntax that make and ninja read: the outputs and what they need.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace Zenlo {

// The first character of the path that make or ninja cannot read back from a dependency file
// whatever the escape (control characters, " & ' * ; < = > ? ^ ` |); 0 when there is none.
char unwritableDependencyCharacter(std::string_view path);

// The path written so that make and ninja read it back as one name: a space is written "\ "
// (with the backslashes before it doubled), "#" as "\#", ":" as "\:" and "$" as "$$"; other
// backslashes stay as they are. Precondition: the path has no unwritable character.
std::string escapeDependencyPath(std::string_view path);

// The text of a dependency file: one rule "targets: prerequisites", then an empty rule for each
// prerequisite, so a prerequisite that is deleted later does not stop the build. Paths are given
// in the file system's bytes. Returns false, naming the path and the character in error, when a
// path holds an unwritable character (the build could not see that file change).
bool dependencyFileText(const std::vector<std::string>& targets,
                        const std::vector<std::string>& prerequisites, std::string& text,
                        std::string& error);

} // namespace Zenlo
