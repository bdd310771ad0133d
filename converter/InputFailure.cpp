// The engine's English reasons for failed inputs, as the command line prints them.
#include "converter/InputFailure.h"

#include "converter/DependencyFile.h"
#include "toolkit/FileSystem.h"
#include "toolkit/TextEncoding.h"

namespace Zenlo {

std::string ZnInputFailure::reason() const {
    std::string detail;
    if (systemError) detail = ": " + systemErrorText(systemError);
    const std::string output = shownText(outputPath.view());
    const std::string other = shownText(otherPath.view());
    const std::string named = shownText(name.view());
    switch (kind) {
    case ZnFailureKind::InputUnreadable:
        return "cannot read the input" + detail;
    case ZnFailureKind::InputEmpty:
        return "the input is empty, no array written";
    case ZnFailureKind::InputIsOutput:
        return "the input is an output file of this conversion (" + output + "), nothing written";
    case ZnFailureKind::OutputUnopenable:
        return "cannot open " + output + detail;
    case ZnFailureKind::HeaderUnopenable:
        return "cannot open the header " + output + detail;
    case ZnFailureKind::WriteFailed:
        return "cannot write " + output + detail;
    case ZnFailureKind::InputNotRegular:
        return "not a regular file";
    case ZnFailureKind::InputChanged:
        return "changed while it was read";
    case ZnFailureKind::NameClash:
        return "gives the variable name " + named + " in " + output + ", as does " +
               (other.empty() ? "the lookup table" : other) + "; nothing written";
    case ZnFailureKind::OutputClash:
        return "gives the output file " + output + ", as does " + other + "; nothing written";
    case ZnFailureKind::IndexKeyClash:
        return "is found by the path " + named + " in the lookup table, as is " + other +
               "; nothing written";
    case ZnFailureKind::IndexOutputClash:
        return "gives the output file " + output +
               ", which holds the lookup table; nothing written";
    case ZnFailureKind::SizeTooWide:
        return "its size does not fit the size variable's type in " + output +
               " (see --size-type); nothing written";
    case ZnFailureKind::ObjectTooLarge:
        return "would make " + output + " larger than its format allows (4 GiB); nothing written";
    case ZnFailureKind::OutputAlias:
        if (output == other) return output + " is written twice by this run; nothing written";
        return output + " is the same file as " + other + ", also an output; nothing written";
    case ZnFailureKind::DependencyName:
        return dependencyNameProblem(pathBytes(name.view())).value_or("") + "; nothing written";
    case ZnFailureKind::OutputInInputFolder:
        return output + " is inside " + other +
               ", whose files are inputs: the next run would read it; nothing written";
    case ZnFailureKind::InvalidName:
        if (named.empty()) return "gives an empty variable name; nothing written";
        return "gives the variable name " + named +
               (named[0] >= '0' && named[0] <= '9' ? ", which starts with a digit"
                                                   : ", which cannot start an identifier") +
               " (set a name prefix); nothing written";
    }
    return "conversion failed";
}

} // namespace Zenlo
