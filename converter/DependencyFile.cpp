// Writing dependency rules: the escapes that GNU make and ninja both read back.
#include "converter/DependencyFile.h"

#include <cassert>

namespace Zenlo {

namespace {

// ninja ends a name at these; make takes ";" as a recipe and "=" as an assignment.
constexpr std::string_view unreadable = "\"&'*;<=>?^`|";

bool checkedEscape(const std::string& path, std::string& escaped, std::string& error) {
    if (const char c = unwritableDependencyCharacter(path)) {
        const std::string shown =
            c >= 32 && c != 127 ? "'" + std::string(1, c) + "'" : "a control character";
        error = "cannot name " + path + " in a dependency file: make and ninja cannot read " +
                shown + " there";
        return false;
    }
    escaped = escapeDependencyPath(path);
    return true;
}

} // namespace

char unwritableDependencyCharacter(std::string_view path) {
    for (char c : path)
        if ((c >= 0 && c < 32) || c == 127 || unreadable.find(c) != std::string_view::npos)
            return c;
    return 0;
}

std::string escapeDependencyPath(std::string_view path) {
    assert(unwritableDependencyCharacter(path) == 0);
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
    std::string escaped;
    std::vector<std::string> written;
    for (const std::string& path : prerequisites) {
        if (!checkedEscape(path, escaped, error)) return false;
        written.push_back(escaped);
    }
    for (const std::string& path : targets) {
        if (!checkedEscape(path, escaped, error)) return false;
        text += (text.empty() ? "" : " ") + escaped;
    }
    text += ":";
    for (const std::string& path : written)
        text += " \\\n  " + path;
    text += "\n";
    for (const std::string& path : written)
        text += "\n" + path + ":\n";
    return true;
}

} // namespace Zenlo
