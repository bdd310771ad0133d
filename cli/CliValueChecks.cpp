// The checks of option values that become generated text: each place takes only what cannot end
// or bend the code around it.
#include "cli/CliValueChecks.h"

#include <algorithm>
#include <cstring>

#include "converter/VariableName.h"
#include "toolkit/TextEncoding.h"

namespace Zenlo {

// The include list, written into the generated lines: a line break or another control character
// would end a line early and change what the compiler reads.
bool setIncludeList(WideString& field, const std::string& value, std::string& error) {
    const WideString candidate = fromUtf8(value);
    for (char16_t c : candidate.view()) {
        const bool control = c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x2028 || c == 0x2029;
        if (control) return error = "line breaks and control characters are not allowed", false;
        // An include name stands between angle brackets.
        if (c == u'>') return error = "a header name holds no '>'", false;
    }
    field = candidate;
    return true;
}

// A text that stands in declarations as a type: letters, digits, "_", spaces, "::", "*" and
// template brackets. Anything else could end the declaration, open a comment or a directive.
bool setTypeText(WideString& field, const std::string& value, std::string& error) {
    for (char c : value) {
        const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                             (c >= '0' && c <= '9') || std::strchr("_ :*<>,", c) != nullptr;
        if (!allowed || c == 0)
            return error = "a type is letters, digits, '_', spaces and : * < > , only", false;
    }
    if (value.find_first_not_of(' ') == std::string::npos)
        return error = "the type is empty", false;
    field = fromUtf8(value);
    return true;
}

// A part of a variable name: characters an identifier may hold.
bool setNameText(WideString& field, const std::string& value, std::string& error) {
    const WideString candidate = fromUtf8(value);
    if (replaceNameCharacters(candidate) != candidate)
        return error = "a name part holds only characters of C identifiers", false;
    field = candidate;
    return true;
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
