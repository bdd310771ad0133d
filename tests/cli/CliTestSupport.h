// Test helpers for running hexmoor-cli and other programs (make, ninja, compilers) in a folder.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "../converter/TestFolder.h"

namespace testfiles {

struct Result {
    int status = -1;
    std::string out, err;
};

// The text quoted for the shell.
inline std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

// Runs the shell command line in the folder; stdout and stderr are kept apart.
inline Result runIn(const std::filesystem::path& folder, const std::string& commandLine) {
    const std::string command =
        "cd " + quoted(folder.string()) + " && " + commandLine + " >.stdout 2>.stderr";
    Result result;
    const int status = std::system(command.c_str());
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readFile(folder / ".stdout");
    result.err = readFile(folder / ".stderr");
    return result;
}

// Runs the tool in the folder with the arguments; environment assignments go in front.
inline Result runCli(const TestFolder& folder, const std::vector<std::string>& arguments,
                     const std::string& environment = "SOURCE_DATE_EPOCH=1796634303") {
    std::string command = environment + " " + quoted(HEXMOOR_CLI_PATH);
    for (const std::string& argument : arguments)
        command += " " + quoted(argument);
    return runIn(folder.path(), command);
}

} // namespace testfiles
