// The names of one input: shown, as a variable, as a separate output, and as a lookup key.
#pragma once

#include <string>

#include "converter/ConversionOptions.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// Each function takes the input's path and its name below a folder ("textures/stone.png", with
// "/" separators) when it was found in one, or an empty name for an input given by itself.

// The name the generated text shows: the name below the folder, else the file name.
WideString inputName(const WideString& path, const WideString& folderName);
// The array's name: from the name below the folder with "/" as "_" (textures/stone.png gives
// g_textures_stone_png_array), else from the file name as always.
WideString inputVariableName(const WideString& path, const WideString& folderName,
                             const ZnConversionOptions& options);
// The input's source in separate-files mode: textures_stone_png.cpp for the name above.
WideString inputOutputName(const WideString& path, const WideString& folderName);
// The path the lookup table finds it by, with "/" separators: the name below the folder, else the
// path as it was given.
WideString indexKeyText(const WideString& path, const WideString& folderName);
// The key's bytes, the name's own (see pathBytes), so the real name finds the file.
std::string indexKey(const WideString& path, const WideString& folderName);

} // namespace Zenlo
