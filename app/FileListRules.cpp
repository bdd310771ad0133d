// File list rules: the open dialog's filter and the drop filter.
#include "app/FileListRules.h"

#include <filesystem>
#include <system_error>

namespace Zenlo {

WideString inputFileFilter(const WideString& allFilesText) {
    // "*" rather than "*.*": outside Windows the latter skips names without a point.
#ifdef _WIN32
    return allFilesText + u" (*.*)|*.*";
#else
    return allFilesText + u" (*.*)|*";
#endif
}

bool isDroppableFile(const WideString& path) {
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::status(toPath(path), error);
    if (error || !std::filesystem::exists(status)) return false;
    return !std::filesystem::is_directory(status);
}

} // namespace Zenlo
