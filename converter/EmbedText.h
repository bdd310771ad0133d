// The #embed line of one input: the path as the directive can name it, with its parameters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/WideString.h"

namespace Zenlo {

// True when the text can stand between the quotes of an #embed or #include line: such names
// take no escapes, so quotes, backslashes, apostrophes, control characters, "//" and "/*" (left
// undefined by the languages), "??" (a trigraph in older modes) and text that is not UTF-8 are
// refused, as is an empty text.
bool isEmbeddablePath(std::string_view text);

// The input's path as an #embed line of a source in sourceFolder names it, "/" separated:
// relative to that folder (links resolved first) when there is such a path, so generated files
// build the same wherever the tree lies; absolute otherwise. Returns false when the path cannot
// be written in the line (see isEmbeddablePath).
bool embedPathText(const WideString& inputPath, const WideString& sourceFolder, std::string& text);

// The directive: at most size bytes (the file may have grown since), a zero after them when
// nullTerminate, and a single zero for an empty file (C has no empty arrays).
std::string embedDirective(const std::string& pathText, std::uint64_t size, bool nullTerminate);

} // namespace Zenlo
