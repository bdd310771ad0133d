// The options a command-line run goes with: the settings file's as the base, the command line's
// over them, and the checks of the whole.
#pragma once

#include <string>

#include "cli/CliOptions.h"

namespace Zenlo {

// Fills base with the conversion options stored in the command's settings file (--settings),
// or leaves it alone when none was given. Returns false with a one-line message when the file
// cannot be read or does not hold a whole settings record; base is then unchanged.
bool cliBaseOptions(const ZnCliCommand& command, ZnCliOptions& base, std::string& error);

// Returns true when the options can work together; false with a one-line message when --style
// string or embed meets an element type that is not one byte, when --object meets options an
// object cannot hold (see objectOptionsProblem), or when --index with --separate-files could not
// reach the arrays in the other sources (static arrays, or const ones whose sources cannot include
// their header).
bool validateCliOptions(const ZnCliOptions& options, std::string& error);

// The name of the generated source as it will stand on disk (storedName): an include file's as
// given, any other's with its extension corrected (correctedOutputName).
WideString cliSourceName(const ZnCliOptions& options);

// True when a header is written with declarations that cannot reach their definitions: the
// array's or the size variable's qualifiers say static.
bool headerMissesStatics(const ZnCliOptions& options);

// The options of the run: the settings file's (or the defaults) with the command line's over
// them, checked together; the banners' dates only with --timestamp or SOURCE_DATE_EPOCH. Returns
// false with a one-line message when the settings file cannot be read or the options cannot work
// together.
bool cliRunOptions(const ZnCliCommand& command, ZnCliOptions& options, std::string& error);

} // namespace Zenlo
