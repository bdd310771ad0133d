// The options a hexmoor-cli run starts from: the defaults, or those of a stored settings file.
#pragma once

#include <string>

#include "cli/CliOptions.h"

// Fills base with the conversion options stored in the command's settings file (--settings),
// or leaves it alone when none was given. Returns false with a one-line message when the file
// cannot be read or does not hold a whole settings record; base is then unchanged.
bool cliBaseOptions(const ZnCliCommand& command, ZnCliOptions& base, std::string& error);
