// File list rules: the drop filter.
#include "app/FileListRules.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "toolkit/TextEncoding.h"

using Zenlo::WideString;

TEST(FileListRules, DropFilterSkipsFoldersAndMissingPaths) {
    namespace fs = std::filesystem;
    fs::path root = fs::temp_directory_path() / ("hexmoor-drop-" + std::to_string(::getpid()));
    fs::create_directories(root / "folder");
    std::ofstream(root / "file.bin") << "x";
    std::ofstream(root / "empty.bin");
    // A link to nothing (Wine and unprivileged Windows accounts cannot make links).
    std::error_code linkError;
    fs::create_symlink(root / "nowhere", root / "dangling", linkError);
    EXPECT_TRUE(Zenlo::isDroppableFile(Zenlo::fromPath(root / "file.bin")));
    EXPECT_TRUE(Zenlo::isDroppableFile(Zenlo::fromPath(root / "empty.bin")));
    EXPECT_FALSE(Zenlo::isDroppableFile(Zenlo::fromPath(root / "folder")));
    EXPECT_FALSE(Zenlo::isDroppableFile(Zenlo::fromPath(root / "missing.bin")));
    if (!linkError) {
        EXPECT_FALSE(Zenlo::isDroppableFile(Zenlo::fromPath(root / "dangling")));
    }
    EXPECT_FALSE(Zenlo::isDroppableFile(u""));
    fs::remove_all(root);
}
