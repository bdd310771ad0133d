// The option texts that become generated code, and what each may hold wherever it comes from
// (the command line, a settings file, the window).
#pragma once

#include <optional>
#include <string>

#include "converter/ConversionOptions.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// Why the text cannot stand where the option puts it; empty when it can. A name part (prefix,
// suffix) holds only characters of C identifiers; a type is ASCII letters, digits, "_", spaces
// and ": * < > ," and not blank; the include list holds no line break or other control
// character and no ">" (each name stands between angle brackets).
std::string nameTextProblem(const WideString& text);
std::string typeTextProblem(const WideString& text);
std::string includeListProblem(const WideString& text);

// A text option that cannot stand in the generated code.
struct OptionTextProblem {
    // The command-line option's name without its dashes ("prefix").
    const char* name;
    WideString text;
    std::string problem;
};

// The first text of the options that cannot stand in the generated code, or nothing.
std::optional<OptionTextProblem> optionTextsProblem(const ZnConversionOptions& options);
// Puts every text of the options that cannot stand in the generated code back to its default.
void defaultUnusableTexts(ZnConversionOptions& options);

} // namespace Zenlo
