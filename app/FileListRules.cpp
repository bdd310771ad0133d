// File list rules: plain index arithmetic and the drop filter.
#include "app/FileListRules.h"

#include <filesystem>
#include <system_error>

namespace Zenlo {

int selectionAfterRemove(int removed, int countAfter) {
    if (removed < 0 || countAfter <= 0) return -1;
    return removed < countAfter ? removed : countAfter - 1;
}

int indexAfterMove(int index, bool up) { return up ? index - 1 : index + 1; }

bool canMoveUp(int selected) { return selected >= 1; }

bool canMoveDown(int selected, int count) { return selected >= 0 && selected < count - 1; }

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
