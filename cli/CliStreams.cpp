// Scratch files for the standard streams, in binary mode on every platform.
#include "cli/CliStreams.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace Zenlo {

namespace {

// Text mode on Windows would make every LF two bytes and end the input at a Ctrl-Z.
void binaryMode(std::FILE* stream) {
#ifdef _WIN32
    _setmode(_fileno(stream), _O_BINARY);
#else
    (void)stream;
#endif
}

std::FILE* openFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
    const std::wstring wideMode(mode, mode + std::strlen(mode));
    return _wfopen(path.c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

std::string reason(const std::error_code& error) {
    return error ? error.message() : std::string(std::strerror(errno));
}

} // namespace

ScratchPath::~ScratchPath() {
    if (path_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

bool ScratchPath::choose(std::string& error) {
    std::error_code problem;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(problem);
    if (problem) return error = "no temporary folder: " + problem.message(), false;
    std::random_device random;
    path_ = folder / ("hexmoor-" + std::to_string(random()) + "-" + std::to_string(random()));
    return true;
}

bool ScratchPath::copyFrom(std::FILE* stream, std::string& error) {
    if (!choose(error)) return false;
    binaryMode(stream);
    std::FILE* file = openFile(path_, "wb");
    if (!file) return error = "cannot copy standard input: " + reason({}), false;
    char buffer[65536];
    std::size_t count = 0;
    bool written = true;
    while (written && (count = std::fread(buffer, 1, sizeof buffer, stream)) > 0)
        written = std::fwrite(buffer, 1, count, file) == count;
    const bool failed = std::ferror(stream) || !written;
    if (std::fclose(file) != 0 || failed)
        return error = "cannot copy standard input: " + reason({}), false;
    return true;
}

bool ScratchPath::makeFolder(std::string& error) {
    if (!choose(error)) return false;
    std::error_code problem;
    if (!std::filesystem::create_directory(path_, problem))
        return error = "cannot make a temporary folder: " + reason(problem), false;
    return true;
}

bool copyFileTo(const std::filesystem::path& file, std::FILE* stream) {
    std::FILE* in = openFile(file, "rb");
    if (!in) return false;
    binaryMode(stream);
    char buffer[65536];
    std::size_t count = 0;
    bool written = true;
    while (written && (count = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        written = std::fwrite(buffer, 1, count, stream) == count;
    const bool failed = std::ferror(in) != 0;
    std::fclose(in);
    return written && !failed && std::fflush(stream) == 0;
}

} // namespace Zenlo
