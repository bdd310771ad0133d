// The checks of option values that become generated text: each place takes only what cannot end
// or bend the code around it.
#include "cli/CliValueChecks.h"

#include <algorithm>
#include <cstring>

#include "converter/OptionTexts.h"
#include "toolkit/TextEncoding.h"

namespace Zenlo {

// The include list, a type and a name part are checked by the engine's rules, which settings
// files meet too.
namespace {

bool setChecked(WideString& field, const std::string& value, std::string& error,
                std::string (*problem)(const WideString&)) {
    const WideString candidate = fromUtf8(value);
    error = problem(candidate);
    if (!error.empty()) return false;
    field = candidate;
    return true;
}

} // namespace

bool setIncludeList(WideString& field, const std::string& value, std::string& error) {
    return setChecked(field, value, error, includeListProblem);
}

bool setTypeText(WideString& field, const std::string& value, std::string& error) {
    return setChecked(field, value, error, typeTextProblem);
}

bool setNameText(WideString& field, const std::string& value, std::string& error) {
    return setChecked(field, value, error, nameTextProblem);
}

// Text written after an array's name as its attribute: whole parentheses and quotes, and nothing
// that ends the declaration or opens a comment or a directive.
bool setAttributeText(WideString& field, const std::string& value, std::string& error) {
    int depth = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        const char next = i + 1 < value.size() ? value[i + 1] : '\0';
        if ((c >= 0 && c < 32) || c == 127 || std::strchr(";{}#\\", c) ||
            (c == '/' && (next == '/' || next == '*')))
            return error = "no ; { } # \\, comments or control characters", false;
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        if (depth < 0) return error = "the parentheses do not match", false;
    }
    if (depth != 0 || quoted) return error = "the parentheses or quotes do not match", false;
    field = fromUtf8(value);
    return true;
}

// A section's name: letters, digits and "_ . $ ," (Mach-O names are "segment,section").
bool setSectionName(WideString& field, const std::string& value, std::string& error) {
    const bool valid = !value.empty() && std::all_of(value.begin(), value.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               (c != 0 && std::strchr("_.$,", c));
    });
    if (!valid) return error = "a section name is letters, digits and _ . $ , only", false;
    field = fromUtf8(value);
    return true;
}

} // namespace Zenlo
