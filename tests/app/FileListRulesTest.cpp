// File list rules: selection after remove and move, the drop filter.
#include "app/FileListRules.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "toolkit/TextEncoding.h"

using Zenlo::WideString;

TEST(FileListRules, SelectionAfterRemove) {
    struct Case { int removed, countAfter, want; };
    const Case cases[] = {
        {0, 2, 0},   // first of three: the next entry moves up into the place
        {1, 2, 1},   // middle of three
        {2, 2, 1},   // last of three: the new last entry
        {0, 0, -1},  // the only entry: nothing left to select
        {-1, 3, -1}, // nothing was selected
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.removed << " with " << c.countAfter << " left");
        EXPECT_EQ(Zenlo::selectionAfterRemove(c.removed, c.countAfter), c.want);
    }
}

TEST(FileListRules, MoveBoundsAndTargets) {
    EXPECT_FALSE(Zenlo::canMoveUp(-1));
    EXPECT_FALSE(Zenlo::canMoveUp(0));
    EXPECT_TRUE(Zenlo::canMoveUp(1));
    EXPECT_FALSE(Zenlo::canMoveDown(-1, 3));
    EXPECT_TRUE(Zenlo::canMoveDown(1, 3));
    EXPECT_FALSE(Zenlo::canMoveDown(2, 3));
    EXPECT_FALSE(Zenlo::canMoveDown(0, 1));
    // Down then up lands where it started.
    EXPECT_EQ(Zenlo::indexAfterMove(Zenlo::indexAfterMove(0, false), true), 0);
    EXPECT_EQ(Zenlo::indexAfterMove(2, true), 1);
}

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
