// Standard input as an input ("-") and standard output as the output (--stdout): the engine
// reads and writes files, so each goes through a scratch file that is removed afterwards.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace Zenlo {

// The argument that stands for standard input.
constexpr const char* stdinArgument = "-";
// The name standard input is shown and named by when --name gives none.
constexpr const char16_t* stdinName = u"stdin";

// A file or folder of its own in the system's temporary folder, removed with this object.
class ScratchPath {
public:
    ScratchPath() = default;
    ScratchPath(const ScratchPath&) = delete;
    ScratchPath& operator=(const ScratchPath&) = delete;
    ~ScratchPath();

    // Copies the whole stream, as bytes, into a new scratch file. Returns false with a message
    // when the file cannot be made or written or the stream cannot be read.
    bool copyFrom(std::FILE* stream, std::string& error);
    // Makes a new, empty scratch folder. Returns false with a message when it cannot be made.
    bool makeFolder(std::string& error);
    const std::filesystem::path& path() const { return path_; }

private:
    bool choose(std::string& error);
    std::filesystem::path path_;
};

// Writes the file's bytes, unchanged, to the stream. Returns false when it cannot be read or
// written.
bool copyFileTo(const std::filesystem::path& file, std::FILE* stream);

} // namespace Zenlo
