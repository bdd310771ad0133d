// hexmoor-cli: parses the command line and hands it to the run.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/CliResponseFiles.h"
#include "cli/CliRun.h"

#ifdef _WIN32
#include "toolkit/TextEncoding.h"
#endif

namespace {

int runWith(std::vector<std::string> arguments) {
    Zenlo::ZnCliCommand command;
    std::string error;
    if (!Zenlo::expandResponseFiles(arguments, error) ||
        !Zenlo::parseCommandLine(arguments, std::getenv("SOURCE_DATE_EPOCH"), command, error))
        return Zenlo::reportUsageError(error, stderr);
    return Zenlo::runCommand(command, stdout, stderr);
}

} // namespace

#ifdef _WIN32
// The wide entry point: the narrow arguments would lose every character outside the code page.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        const std::wstring_view argument(argv[i]);
        arguments.push_back(Zenlo::utf16ToUtf8(std::u16string_view(
            reinterpret_cast<const char16_t*>(argument.data()), argument.size())));
    }
    return runWith(arguments);
}
#else
int main(int argc, char** argv) {
    return runWith(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
