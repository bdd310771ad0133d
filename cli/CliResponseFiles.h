// Response files on the command line: "@FILE" stands for the arguments written in FILE.
#pragma once

#include <string>
#include <vector>

namespace Zenlo {

// Splits a response file's text into arguments as GCC reads them: whitespace separates them,
// single and double quotes keep whitespace inside one, a backslash takes the next character as
// it is (inside quotes too).
std::vector<std::string> splitResponseText(const std::string& text);

// Replaces every argument "@FILE" by the arguments FILE holds, which may name further response
// files. Returns false with a one-line message when a file cannot be read or the files name
// each other without end. A lone "@" stays an argument; a file named "@x" is given as "./@x".
bool expandResponseFiles(std::vector<std::string>& arguments, std::string& error);

} // namespace Zenlo
