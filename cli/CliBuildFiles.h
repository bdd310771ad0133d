// What build systems get from a command-line run: its outputs in advance and a dependency file.
#pragma once

#include <cstdio>
#include <string>

#include "cli/CliInputs.h"
#include "cli/CliOptions.h"
#include "converter/RunPlan.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// Prints "output: PATH" for every file the plan writes (the dependency file of the options
// last) and then "variable: NAME PATH" for every input, to out.
void printDryRun(const RunPlan& plan, const ZnCliOptions& options, std::FILE* out);

// Writes the dependency file of options.depFile: the outputs (as the output folder was given)
// need every input and every folder walked (as absolute paths). The file is replaced whole, and
// only when its text changes. Returns false with the reason in error.
bool writeDependencyFile(const ZnRunRequest& request, const ZnCliInputs& inputs,
                         const ZnCliOptions& options, std::string& error);

} // namespace Zenlo
