// What build systems get from a command-line run: its outputs in advance and a dependency file.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/CliInputs.h"
#include "cli/CliOptions.h"
#include "settings/ConversionOptions.h"
#include "toolkit/WideString.h"

// The names (without folder) of the sources and headers the run writes, in the order written:
// one source (and header), or one per input and, with a lookup table, the main output.
std::vector<Zenlo::WideString> plannedOutputNames(const ZnCliInputs& inputs,
                                                  const ZnCliOptions& options,
                                                  const Zenlo::WideString& outputName);

// The path as the file system resolves it from the current folder.
Zenlo::WideString absolutePath(const Zenlo::WideString& path);

// Prints "output: PATH" for every file the run writes (the dependency file last) and then
// "variable: NAME PATH" for every input, to out.
void printDryRun(const ZnCliInputs& inputs, const ZnCliOptions& options,
                 const ZnConversionOptions& conversion, const Zenlo::WideString& folder,
                 const Zenlo::WideString& outputName, std::FILE* out);

// Writes the dependency file of options.depFile: the outputs (as the output folder was given)
// need every input and every folder walked (as absolute paths). The file is replaced whole, and
// only when its text changes. Returns false with the reason in error.
bool writeDependencyFile(const ZnCliInputs& inputs, const ZnCliOptions& options,
                         const Zenlo::WideString& outputName, std::string& error);
