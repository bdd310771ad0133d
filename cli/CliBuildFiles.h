// What build systems get from a command-line run: its outputs in advance and a dependency file.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "converter/RunPlan.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// Prints "output: PATH" for every file the plan writes into folder (the dependency file of the
// options last) and then "variable: NAME PATH" for every input, to out.
void printDryRun(const RunPlan& plan, const WideString& folder, const ZnCliOptions& options,
                 std::FILE* out);

// Writes the dependency file of options.depFile: the plan's outputs (in the output folder as it
// was given) need every input and every folder walked (as absolute paths). The file is replaced
// whole, and only when its text changes. Returns false with the reason in error.
bool writeDependencyFile(const RunPlan& plan, const std::vector<WideString>& folders,
                         const ZnCliOptions& options, std::string& error);

} // namespace Zenlo
