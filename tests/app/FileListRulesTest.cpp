// File list rules: the drop filter.
#include "app/FileListRules.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TestSupport.h"
#include "toolkit/TextEncoding.h"

using Zenlo::WideString;

TEST(FileListRules, DropFilterSkipsFoldersAndMissingPaths) {
    namespace fs = std::filesystem;
    testfiles::TestFolder folder;
    const fs::path root = folder.path();
    fs::create_directories(root / "folder");
    testfiles::writeFile(root / "file.bin", "x");
    testfiles::writeFile(root / "empty.bin", "");
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
}
