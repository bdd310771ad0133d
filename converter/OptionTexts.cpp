// One check of the option texts that reach the generated code, for every way they come in: a
// text that ends a line, a declaration or a name early changes what the compiler reads.
#include "converter/OptionTexts.h"

#include <cstring>

#include "converter/VariableName.h"

namespace Zenlo {

namespace {

bool isControl(char16_t c) {
    return c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x2028 || c == 0x2029;
}

// The options whose text is written into the generated code as it is.
struct TextRule {
    const char* name;
    WideString ZnConversionOptions::*field;
    std::string (*problem)(const WideString&);
};

constexpr TextRule rules[] = {
    {"prefix", &ZnConversionOptions::namePrefix, nameTextProblem},
    {"suffix", &ZnConversionOptions::nameSuffix, nameTextProblem},
    {"element-type", &ZnConversionOptions::elementType, typeTextProblem},
    {"size-type", &ZnConversionOptions::sizeType, typeTextProblem},
    {"includes", &ZnConversionOptions::includeList, includeListProblem},
};

} // namespace

std::string nameTextProblem(const WideString& text) {
    if (replaceNameCharacters(text) != text)
        return "a name part holds only characters of C identifiers";
    return {};
}

std::string typeTextProblem(const WideString& text) {
    bool blank = true;
    for (char16_t c : text.view()) {
        const bool allowed = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                             (c >= u'0' && c <= u'9') ||
                             (c < 0x80 && c != 0 && std::strchr("_ :*<>,", static_cast<char>(c)));
        if (!allowed) return "a type is letters, digits, '_', spaces and : * < > , only";
        blank = blank && c == u' ';
    }
    return blank ? "the type is empty" : std::string();
}

std::string includeListProblem(const WideString& text) {
    for (char16_t c : text.view()) {
        if (isControl(c)) return "line breaks and control characters are not allowed";
        if (c == u'>') return "a header name holds no '>'";
    }
    return {};
}

std::optional<OptionTextProblem> optionTextsProblem(const ZnConversionOptions& options) {
    for (const TextRule& rule : rules) {
        std::string problem = rule.problem(options.*rule.field);
        if (!problem.empty())
            return OptionTextProblem{rule.name, options.*rule.field, std::move(problem)};
    }
    return std::nullopt;
}

void defaultUnusableTexts(ZnConversionOptions& options) {
    const ZnConversionOptions defaults;
    for (const TextRule& rule : rules)
        if (!rule.problem(options.*rule.field).empty()) options.*rule.field = defaults.*rule.field;
}

} // namespace Zenlo
