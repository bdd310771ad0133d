// hexmoor-cli: parses the command line and hands it to the run.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/CliRun.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    ZnCliCommand command;
    std::string error;
    if (!parseCommandLine(arguments, std::getenv("SOURCE_DATE_EPOCH"), command, error))
        return reportUsageError(error, stderr);
    return runCommand(command, stdout, stderr);
}
