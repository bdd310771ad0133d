// The run planned before anything is written: every output path, every variable name, checked.
#pragma once

#include <vector>

#include "converter/ConversionOptions.h"
#include "converter/InputFailure.h"
#include "converter/RunRequest.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// One input as the run will convert it.
struct PlannedInput : ZnRunInput {
    // The array's name; the size variable adds "_size".
    WideString variable;
    // The source file it goes into: the run's output name, or its own in separate-files mode.
    WideString outputName;
};

struct RunPlan {
    std::vector<PlannedInput> inputs;
    // Every file the run may write, sources (or objects) and headers, by name in the output folder.
    std::vector<WideString> outputNames;
    // Why the run must not start; empty when it may. Nothing has been written either way.
    std::vector<ZnInputFailure> problems;
};

// Plans the request's run with these options. Returns the plan; its problems hold, in input
// order: each input that is one of the run's outputs (same path or same file), each variable name
// that cannot be an identifier, each variable or size name that two inputs of one output share,
// and each separate-files output that two inputs share (by name as the output folder compares
// names: outputNamesIgnoreCase). A clash names the later input in path
// and the earlier one in otherPath. A lookup table (indexName) adds its own output in
// separate-files mode (an input whose output it is clashes), and each path it finds an input by
// (two inputs found by one path clash). An object format puts each output's object in place of
// its source, and the lookup table in the main output's source. Reads no input; only asks the
// file system for the identity of the paths.
RunPlan planRun(const ZnRunRequest& request, const ZnConversionOptions& options);

} // namespace Zenlo
