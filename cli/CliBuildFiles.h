// What build systems get from a command-line run: its outputs in advance, and the folder the
// dependency file names them in.
#pragma once

#include <cstdio>

#include "converter/RunPlan.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// Prints "output: PATH" for every file the plan writes into folder (the dependency file last)
// and then "variable: NAME PATH" for every input, to out.
void printDryRun(const RunPlan& plan, const WideString& folder, std::FILE* out);

// The output folder as given (outputDir), ready to have a name appended: the dependency file
// names the outputs as the build does.
WideString givenFolder(const WideString& outputDir);

} // namespace Zenlo
