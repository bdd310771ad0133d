// Carrying out a parsed hexmoor-cli command line: help, version, or a conversion run.
#pragma once

#include <cstdio>
#include <string>

#include "cli/CliOptions.h"

namespace Zenlo {

// The exit statuses of a run besides a signal's: every input converted; any failed, or the run
// refused; bad usage or options that cannot work together.
constexpr int exitConverted = 0, exitFailed = 1, exitUsage = 2;

// Runs the command: prints help or the version to out, or converts the inputs (messages about
// failed inputs, each with its path and reason, go to err). Returns the exit status: 0 when
// every input was converted, 1 when any failed or the output folder cannot be made, 2 when
// the settings file given cannot be read or the options cannot work together (checked before
// the inputs are looked at; one line and the hint, as reportUsageError), with --stdout the
// source on out, 128 + the signal's number when an interrupt, terminate
// or hang-up signal abandoned the run (every output then keeps what it held).
int runCommand(const ZnCliCommand& command, std::FILE* out, std::FILE* err);

// Prints the one-line message and the hint "Try 'hexmoor-cli --help'." to err (the usage itself
// only for --help); returns the exit status of bad usage, 2.
int reportUsageError(const std::string& message, std::FILE* err);

} // namespace Zenlo
