// Response files: long input lists (and Windows' 32 767-character command line) fit in a file.
#include "cli/CliResponseFiles.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "toolkit/WideString.h"

namespace Zenlo {

namespace {

// Files that name each other deeper than this are taken to go round in a loop.
constexpr int maxDepth = 64;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The argument's name as a path: the bytes as they are, or UTF-8 on Windows.
std::filesystem::path argumentPath(const std::string& name) {
#ifdef _WIN32
    return toPath(fromUtf8(name));
#else
    return std::filesystem::path(name);
#endif
}

bool readWhole(const std::string& name, std::string& text, std::string& error) {
    std::error_code reason;
    if (std::filesystem::is_directory(argumentPath(name), reason))
        return error = "cannot read the response file " + name + ": " + std::strerror(EISDIR),
               false;
    std::ifstream file(argumentPath(name), std::ios::binary);
    if (!file)
        return error = "cannot read the response file " + name + ": " + std::strerror(errno), false;
    text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

bool expandInto(const std::vector<std::string>& arguments, int depth,
                std::vector<std::string>& result, std::string& error) {
    for (const std::string& argument : arguments) {
        if (argument.size() < 2 || argument[0] != '@') {
            result.push_back(argument);
            continue;
        }
        if (depth >= maxDepth)
            return error = "response files name each other without end (" + argument + ")", false;
        std::string text;
        if (!readWhole(argument.substr(1), text, error)) return false;
        if (!expandInto(splitResponseText(text), depth + 1, result, error)) return false;
    }
    return true;
}

} // namespace

std::vector<std::string> splitResponseText(const std::string& text) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    char quote = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (!quote && isSpace(c)) {
            if (inArgument) arguments.push_back(current);
            current.clear();
            inArgument = false;
            continue;
        }
        inArgument = true;
        if (c == '\\' && i + 1 < text.size()) {
            current += text[++i];
        } else if (quote ? c == quote : (c == '\'' || c == '"')) {
            quote = quote ? 0 : c;
        } else {
            current += c;
        }
    }
    if (inArgument) arguments.push_back(current);
    return arguments;
}

bool expandResponseFiles(std::vector<std::string>& arguments, std::string& error) {
    std::vector<std::string> result;
    if (!expandInto(arguments, 0, result, error)) return false;
    arguments = std::move(result);
    return true;
}

} // namespace Zenlo
