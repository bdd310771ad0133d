// The folder walk: order, hidden entries, links that stay inside, leave the folder or loop.
// Links, FIFOs and permissions as POSIX systems have them.
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "converter/FolderInputs.h"
#include "support/TestSupport.h"

using testfiles::TestFolder;
using testfiles::writeFile;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> names(const Zenlo::FolderListing& listing) {
    std::vector<std::string> result;
    for (const Zenlo::FolderFile& file : listing.files)
        result.push_back(file.relativeName);
    return result;
}

// A tree with nested and hidden folders, names whose byte order differs from a per-folder walk
// ("a-b" sorts before "a/"), non-ASCII names, and links: inside, outside, into a loop, broken.
struct Tree {
    TestFolder temp;
    fs::path root = temp / "assets";
    Tree() {
        fs::create_directories(root / "a" / "deep");
        fs::create_directories(root / ".git");
        fs::create_directories(root / "b");
        writeFile(root / "a" / "x.bin", "x");
        writeFile(root / "a" / "deep" / "y.bin", "y");
        writeFile(root / "a-b", "ab");
        writeFile(root / "Z.txt", "Z");
        writeFile(root / "\xc3\xa4pfel.txt", "apple");
        writeFile(root / ".hidden", "h");
        writeFile(root / ".git" / "config", "c");
        writeFile(temp / "outside.txt", "secret");
        fs::create_directories(temp / "outside-dir");
        writeFile(temp / "outside-dir" / "o.bin", "o");
        fs::create_symlink("../a/x.bin", root / "b" / "link-inside");
        fs::create_symlink("../../outside.txt", root / "b" / "link-out");
        fs::create_symlink(temp.path() / "outside-dir", root / "b" / "dir-out");
        fs::create_symlink("..", root / "a" / "deep" / "up");
        fs::create_symlink("loop-b", root / "b" / "loop-a");
        fs::create_symlink("loop-a", root / "b" / "loop-b");
        fs::create_symlink("missing", root / "b" / "broken");
        fs::create_symlink("../a/deep", root / "b" / "deep-again");
        mkfifo((root / "b" / "pipe").c_str(), 0600);
    }
};

} // namespace

TEST(FolderInputs, SortedRelativeNamesHiddenOnRequest) {
    Tree tree;
    const struct {
        bool hidden;
        std::vector<std::string> expected;
    } cases[] = {
        {false,
         {"Z.txt", "a-b", "a/deep/y.bin", "a/x.bin", "b/deep-again/y.bin", "b/link-inside",
          "\xc3\xa4pfel.txt"}},
        {true,
         {".git/config", ".hidden", "Z.txt", "a-b", "a/deep/y.bin", "a/x.bin", "b/deep-again/y.bin",
          "b/link-inside", "\xc3\xa4pfel.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hidden ? "with hidden" : "without hidden");
        Zenlo::FolderListing listing;
        std::string error;
        ASSERT_TRUE(Zenlo::listFolder(tree.root, c.hidden, listing, error)) << error;
        EXPECT_EQ(names(listing), c.expected);
        for (const Zenlo::FolderFile& file : listing.files)
            EXPECT_EQ(file.path, tree.root / file.relativeName);
    }
}

TEST(FolderInputs, LinksOutOrIntoLoopsAreSkippedWithTheirReason) {
    Tree tree;
    Zenlo::FolderListing listing;
    std::string error;
    ASSERT_TRUE(Zenlo::listFolder(tree.root, false, listing, error)) << error;
    std::vector<std::string> skipped;
    for (const Zenlo::SkippedEntry& entry : listing.skipped)
        skipped.push_back(entry.path.lexically_relative(tree.root).string() + ": " + entry.reason);
    std::sort(skipped.begin(), skipped.end());
    const std::vector<std::string> expected = {
        "a/deep/up: a link leading into a loop",
        "b/broken: a broken link or one leading into a loop",
        "b/deep-again/up: a link leading into a loop",
        "b/dir-out: a link leading outside the folder",
        "b/link-out: a link leading outside the folder",
        "b/loop-a: a broken link or one leading into a loop",
        "b/loop-b: a broken link or one leading into a loop",
        "b/pipe: not a regular file",
    };
    EXPECT_EQ(skipped, expected);
    // Nothing of the outside files came in by any way.
    for (const Zenlo::FolderFile& file : listing.files)
        EXPECT_EQ(file.relativeName.find("o.bin"), std::string::npos) << file.relativeName;
}

TEST(FolderInputs, FoldersWalkedAreListedForBuildSystems) {
    Tree tree;
    Zenlo::FolderListing listing;
    std::string error;
    ASSERT_TRUE(Zenlo::listFolder(tree.root, false, listing, error)) << error;
    std::vector<std::string> folders;
    for (const fs::path& folder : listing.folders)
        folders.push_back(folder.lexically_relative(tree.temp.path()).string());
    std::sort(folders.begin(), folders.end());
    const std::vector<std::string> expected = {"assets", "assets/a", "assets/a/deep", "assets/b",
                                               "assets/b/deep-again"};
    EXPECT_EQ(folders, expected);
}

TEST(FolderInputs, NotAFolderOrUnreadableFails) {
    TestFolder temp;
    writeFile(temp / "file", "x");
    fs::create_directories(temp / "locked" / "inner");
    fs::permissions(temp / "locked" / "inner", fs::perms::none);
    const struct {
        fs::path folder;
        std::string message;
    } cases[] = {
        {temp / "missing", "No such file or directory"},
        {temp / "file", "is not a folder"},
        {temp / "locked", "Permission denied"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder.string());
        if (c.message == "Permission denied" && geteuid() == 0) continue; // root reads anything
        Zenlo::FolderListing listing;
        std::string error;
        EXPECT_FALSE(Zenlo::listFolder(c.folder, false, listing, error));
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
    fs::permissions(temp / "locked" / "inner", fs::perms::owner_all);
}

#endif // _WIN32
