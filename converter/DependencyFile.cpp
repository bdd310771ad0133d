// Writing dependency rules: the escapes that GNU make and ninja both read back, and the names
// for which there is none.
#include "converter/DependencyFile.h"

#include <cassert>

namespace Zenlo {

namespace {

// ninja ends a name at these; make takes ";" as a recipe, "=" as an assignment, "*" and "?" as
// wildcards.
constexpr std::string_view unreadable = "\"&'*;<=>?^`|";
// After a "\" make and ninja disagree about these: one takes it as an escape, the other not.
constexpr std::string_view unescapable = "#:$[";

std::string quoted(char c) {
    if ((c >= 0 && c < 32) || c == 127) return "a control character";
    return std::string{'\'', c, '\''};
}

// True when the "[" at the position opens a bracket expression of make's wildcards, which
// would match another file: at least one character (a first "]" counts) and a closing "]".
bool opensWildcard(std::string_view path, std::size_t open) {
    std::size_t first = open + 1;
    if (first < path.size() && (path[first] == '!' || path[first] == '^')) ++first;
    return first + 1 < path.size() && path.find(']', first + 1) != std::string_view::npos;
}

// The reason without the path, or empty.
std::string problemIn(std::string_view path) {
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        if ((c >= 0 && c < 32) || c == 127 || unreadable.find(c) != std::string_view::npos)
            return "make and ninja cannot read " + quoted(c) + " there";
        if (c == '%') return "make would take '%' for a pattern";
        if (c == '[' && opensWildcard(path, i))
            return "make would take '[' for a wildcard that matches other files";
        if (c == '\\' && i + 1 == path.size())
            return "make and ninja cannot read a '\\' at the end";
        if (c == '\\' && unescapable.find(path[i + 1]) != std::string_view::npos)
            return "make and ninja read '\\' before " + quoted(path[i + 1]) + " differently";
    }
    if (path.ends_with(':')) return "ninja cannot read a ':' at the end";
    // make reads "lib(member)" as a member of the library lib, and even "lib(a" up to a later
    // name "b)" of the same rule.
    if (path.ends_with(')')) return "make would take a name ending in ')' for a library member";
    if (path.starts_with('~')) return "make would take a '~' at the start for a home folder";
    return {};
}

} // namespace

std::optional<std::string> dependencyNameProblem(std::string_view path) {
    const std::string problem = problemIn(path);
    if (problem.empty()) return std::nullopt;
    return "cannot name " + std::string(path) + " in a dependency file: " + problem;
}

std::string escapeDependencyPath(std::string_view path) {
    assert(!dependencyNameProblem(path));
    std::string escaped;
    std::size_t backslashes = 0;
    for (char c : path) {
        if (c == ' ') {
            // A run of backslashes before an escaped space is read back halved.
            escaped.append(backslashes, '\\');
            escaped += '\\';
        } else if (c == '#' || c == ':') {
            escaped += '\\';
        } else if (c == '$') {
            escaped += '$';
        }
        escaped += c;
        backslashes = c == '\\' ? backslashes + 1 : 0;
    }
    return escaped;
}

bool dependencyFileText(const std::vector<std::string>& targets,
                        const std::vector<std::string>& prerequisites, std::string& text,
                        std::string& error) {
    text.clear();
    for (const std::vector<std::string>* paths : {&targets, &prerequisites})
        for (const std::string& path : *paths)
            if (const std::optional<std::string> problem = dependencyNameProblem(path))
                return error = *problem, false;
    for (const std::string& path : targets)
        text.append(text.empty() ? "" : " ").append(escapeDependencyPath(path));
    text += ":";
    for (const std::string& path : prerequisites)
        text.append(" \\\n  ").append(escapeDependencyPath(path));
    text += "\n";
    for (const std::string& path : prerequisites)
        text.append("\n").append(escapeDependencyPath(path)).append(":\n");
    return true;
}

} // namespace Zenlo
