// The run planned before anything is written: every output path, every variable name, checked.
#pragma once

#include <string>
#include <vector>

#include "converter/ConversionOptions.h"
#include "converter/InputFailure.h"
#include "converter/RunRequest.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// One input as the run will convert it.
struct PlannedInput : ZnRunInput {
    // The array's name (the input's own when it has one); the size variable adds the size
    // suffix.
    WideString variable;
    // The source file it goes into: the run's output name, or its own in separate-files mode.
    WideString outputName;
};

struct RunPlan {
    std::vector<PlannedInput> inputs;
    // Every file the run may write, sources (or objects), headers and (in the incbin style) the
    // sources' fallback files, by name in the output folder.
    std::vector<WideString> outputNames;
    // Why the run must not start; empty when it may. Nothing has been written either way.
    std::vector<ZnInputFailure> problems;
    // The dependency file's absolute path (empty for none) and the text it gets.
    WideString dependencyFile;
    std::string dependencyText;
};

// Plans the request's run with these options. Returns the plan; its problems hold, in input
// order: each input that is one of the run's outputs (same path or same file), each variable name
// that cannot be an identifier, each variable or size name that two inputs of one output share
// (of any two outputs where arrays can meet: one has external linkage, they are in objects, or
// a lookup table names them all; its own NAME_count, NAME_find, NAME_entries and NAME_entry
// count too), and each separate-files output that two inputs share (by name as the output
// folder compares names: outputNamesIgnoreCase). A clash names the later input in path and the
// earlier one in otherPath. A lookup table (indexName) adds its own output in
// separate-files mode (an input whose output it is clashes), and each path it finds an input by
// (two inputs found by one path clash). Two outputs that are one file (by a link, a hard link or
// another spelling) are an OutputAlias, the later one named. The dependency file is an output
// too: an input or another output it is, a walked folder it is in (OutputInInputFolder), a
// folder of its own that is missing (OutputUnopenable), and a path it cannot name
// (DependencyName) refuse the run. An object format puts each output's object in place of
// its source, and the lookup table in the main output's source. Reads no input; only asks the
// file system for the identity of the paths.
RunPlan planRun(const ZnRunRequest& request, const ZnConversionOptions& options);

} // namespace Zenlo
