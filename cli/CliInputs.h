// The inputs of a command-line run: files as given, and folders (with -r) as the files below them.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/CliStreams.h"
#include "converter/RunRequest.h"
#include "toolkit/StringList.h"
#include "toolkit/WideString.h"

namespace Zenlo {

struct ZnCliInputs {
    // Every input, in order: a file as given, or the folder as given joined with the name below
    // (which is its folder name, "textures/stone.png").
    std::vector<ZnRunInput> files;
    // Every folder walked, as given or joined below one given: build systems watch them for
    // files added or removed.
    std::vector<WideString> folders;
    // The copy of standard input, when "-" is among the inputs.
    ScratchPath stdinCopy;
};

// Expands the inputs given; with options.recursive, each one that is a folder becomes the
// regular files below it (options.hidden: names starting with "." too). Entries left out below a
// folder (links leading outside it or into a loop, devices) are reported on err unless quiet.
// "-" stands for standard input, read whole into a scratch file and named "stdin". Each input
// takes its name of names (the same count, empty for none) as its variable. Returns false with
// the reason in error when a folder or standard input cannot be read, or a folder is given a
// name.
bool expandCliInputs(const StringList& given, const std::vector<WideString>& names,
                     const ZnCliOptions& options, ZnCliInputs& inputs, std::FILE* err,
                     std::string& error);

} // namespace Zenlo
