// What one run is asked to do: which inputs, into which files, in which form.
#pragma once

#include <string>
#include <vector>

#include "converter/ByteStyles.h"
#include "converter/ObjectFormat.h"
#include "toolkit/PathText.h"
#include "toolkit/StringList.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// One input of a run.
struct ZnRunInput {
    WideString path;
    // Its name below the folder it was found in ("textures/stone.png"), which gives the variable,
    // the heading and the lookup key; empty for an input given by itself, which is named by its
    // file name and found by its path.
    WideString folderName{};
    // The array's name when one is given for this input; empty for the one formed from its name.
    WideString givenName{};
};

// The make-syntax dependency file a run writes with its outputs, for build systems: the outputs
// need every input and every folder walked.
struct ZnDependencyRequest {
    // Where it goes; empty for none.
    WideString path{};
    // The output folder as the build names it (ending with a separator): the targets' prefix.
    WideString targetFolder{};
    // Every folder walked for inputs; no place for the file, which the next walk would take for
    // an input.
    std::vector<WideString> folders{};
};

// The user's choices for one run, apart from the options of the generated text, which the
// converter holds, and from the run's state (notifications, stop requests, clock). Every member
// has an initializer, so a request may name only the members it sets.
struct ZnRunRequest {
    std::vector<ZnRunInput> inputs{};
    // Empty, or ending with a separator: each output's path is this text followed by its name.
    WideString outputFolder{};
    // The source of every input in one-output mode; of the lookup table alone in separate-files
    // mode.
    WideString outputFileName{};
    // One source (and header) per input, named after it, instead of one for all.
    bool separateFiles = false;
    // The extension of each input's own source in separate-files mode; empty for ".cpp".
    WideString separateExtension{};
    bool writeHeader = true;
    // When not empty, the run also writes the lookup table of this name (an identifier) over
    // every converted input: after the last array in one-output mode, alone in outputFileName
    // (and its header) in separate-files mode.
    std::string indexName{};
    // When set, an input of length 0 becomes a size of 0 and an array holding one placeholder
    // element (C has no empty arrays) instead of being skipped as empty.
    bool emptyInputsAsArrays = false;
    // How the bytes are written: array, string, #embed or assembler text, alignment and terminator.
    ByteStyleOptions byteStyle{};
    // When it names a format, each output's arrays go into an object file (the output name with
    // .obj or .o, see objectFileName) instead of its source, whatever the byte style; the header
    // stays, its declarations with C linkage, and the lookup table is the output's source. The
    // options must pass objectOptionsProblem.
    ObjectOptions object{};
    // The dependency file, planned and put in place with the other outputs.
    ZnDependencyRequest dependencies{};
    // Whether the output folder takes names that differ only by case for one file, so that such
    // outputs clash: the platform's rule unless a test chooses the other.
    bool outputNamesIgnoreCase = namesIgnoreCase;
};

// True when the run writes incbin arrays into its sources, each source with its fallback file
// (see incbinFallbackName): the incbin style without an object format, which holds the bytes
// itself whatever the style.
inline bool writesIncbinSources(const ZnRunRequest& request) {
    return request.byteStyle.style == ByteStyle::Incbin &&
           request.object.format == ObjectFormat::None;
}

// Returns the paths as inputs given by themselves, in order.
inline std::vector<ZnRunInput> inputsOf(const StringList& paths) {
    std::vector<ZnRunInput> inputs{};
    for (const WideString& path : paths)
        inputs.push_back({path, {}});
    return inputs;
}

} // namespace Zenlo
