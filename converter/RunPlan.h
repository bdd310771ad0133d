// The run planned before anything is written: every output path, every variable name, checked.
#pragma once

#include <vector>

#include "converter/ConversionOptions.h"
#include "converter/FileConverter.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// One input as the run will convert it.
struct PlannedInput {
    WideString path;
    // The array's name; the size variable adds "_size".
    WideString variable;
    // The source file it goes into: the run's output name, or its own in separate-files mode.
    WideString outputName;
};

struct RunPlan {
    std::vector<PlannedInput> inputs;
    // Every file the run may write, sources and headers, as folder + name.
    std::vector<WideString> outputs;
    // Why the run must not start; empty when it may. Nothing has been written either way.
    std::vector<ZnInputFailure> problems;
};

// Plans a run over the inputs into outputFolder (empty, or ending with a separator). Returns the
// plan; its problems hold, in input order: each input that is one of the run's outputs (same path
// or same file), each variable name that cannot be an identifier, each variable or size name that
// two inputs of one output share, and each separate-files output that two inputs share. A clash
// names the later input in path and the earlier one in otherPath. Reads no input; only asks the
// file system for the identity of the paths.
// folderNames holds, by position, the names of inputs found below a folder (see InputNames.h;
// empty for the others). withIndex adds the lookup table: its own output in separate-files mode
// (an input whose output it is clashes), and each path it finds an input by (two inputs found by
// one path clash). An object format puts each output's object in place of its source, and the
// lookup table in the main output's source.
RunPlan planRun(const StringList& inputs, const WideString& outputFolder,
                const WideString& outputFileName, bool separateFiles, bool writeHeader,
                const ZnConversionOptions& options, const StringList& folderNames = StringList(),
                bool withIndex = false, ObjectFormat objectFormat = ObjectFormat::None);

} // namespace Zenlo
