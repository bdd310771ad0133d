// Folders, sizes, the start folder, file identity and read-only mappings on the real file system.
#include "toolkit/FileSystem.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include "TestFolder.h"
#include "converter/MappedFile.h"

using testfiles::TestFolder;
using Zenlo::WideString;

TEST(FileSystem, CreateFolders) {
    TestFolder temp;
    const WideString base = temp.folder();
    // The text behind the last separator plays no part.
    EXPECT_TRUE(Zenlo::createFolders(base + u"a/b/c/ignored.cpp"));
    EXPECT_TRUE(Zenlo::isFolder(base + u"a/b/c"));
    EXPECT_FALSE(Zenlo::isFolder(base + u"a/b/c/ignored.cpp"));
    // Existing levels, doubled separators: still true, nothing changes.
    EXPECT_TRUE(Zenlo::createFolders(base + u"a/b/c/"));
    EXPECT_TRUE(Zenlo::createFolders(base + u"a//b/d/"));
    EXPECT_TRUE(Zenlo::isFolder(base + u"a/b/d"));
    // A file stands where a folder should be.
    testfiles::writeFile(temp / "a.txt", "x");
    EXPECT_FALSE(Zenlo::createFolders(base + u"a.txt/b/"));
    EXPECT_FALSE(Zenlo::createFolders(base + u"a.txt/"));
    // No separator at all: no folder named.
    EXPECT_FALSE(Zenlo::createFolders(u"plain"));
    EXPECT_TRUE(Zenlo::createFolders(u"/"));
}

TEST(FileSystem, FileSizeAndIdentity) {
    TestFolder temp;
    testfiles::writeFile(temp / "five", "12345");
    testfiles::writeFile(temp / "empty", "");
    const WideString base = temp.folder();
    EXPECT_EQ(Zenlo::fileSize(base + u"five"), 5u);
    EXPECT_EQ(Zenlo::fileSize(base + u"empty"), 0u);
    EXPECT_EQ(Zenlo::fileSize(base + u"missing"), Zenlo::noSize);
    EXPECT_EQ(Zenlo::fileSize(base), Zenlo::noSize); // trailing separator: no query at all
    EXPECT_EQ(Zenlo::fileSize(u""), Zenlo::noSize);

    std::filesystem::create_hard_link(temp / "five", temp / "link");
    EXPECT_TRUE(Zenlo::isSameFile(base + u"five", base + u"link"));
    EXPECT_TRUE(Zenlo::isSameFile(base + u"five", base + u"./five"));
    EXPECT_FALSE(Zenlo::isSameFile(base + u"five", base + u"empty"));
    EXPECT_FALSE(Zenlo::isSameFile(base + u"five", base + u"missing"));
}

TEST(FileSystem, CurrentFolder) {
    TestFolder temp;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(temp.path());
    WideString here = Zenlo::currentFolder();
    std::filesystem::current_path("/");
    WideString root = Zenlo::currentFolder();
    std::filesystem::current_path(before);
    EXPECT_TRUE(Zenlo::isSameFile(here, temp.folder()));
    EXPECT_EQ(here[here.length() - 1], u'/');
    EXPECT_EQ(root, WideString(u"/")); // a root keeps one separator, not two
}

TEST(MappedFile, MapsWholeFilesAndRefusesTheRest) {
    TestFolder temp;
    const std::string bytes = testfiles::patternBytes(70000);
    testfiles::writeFile(temp / "data", bytes);
    testfiles::writeFile(temp / "empty", "");
    const WideString base = temp.folder();

    Zenlo::MappedFile file(base + u"data");
    ASSERT_TRUE(file.isOpen());
    EXPECT_EQ(file.size(), bytes.size());
    EXPECT_EQ(file.end() - file.begin(), 70000);
    EXPECT_EQ(std::string(file.begin(), file.end()), bytes);
    file.doneBefore(65536); // the view stays readable
    EXPECT_EQ(std::string(file.begin(), file.end()), bytes);
    file.close();
    EXPECT_EQ(file.begin(), nullptr);

    Zenlo::MappedFile empty(base + u"empty");
    EXPECT_FALSE(empty.isOpen());
    EXPECT_TRUE(empty.wasEmpty());
    Zenlo::MappedFile missing(base + u"missing");
    EXPECT_FALSE(missing.isOpen());
    EXPECT_FALSE(missing.wasEmpty());
    EXPECT_NE(missing.error(), 0);
    Zenlo::MappedFile folder(base);
    EXPECT_FALSE(folder.isOpen());
    EXPECT_NE(folder.error(), 0);
}

TEST(MappedFile, SparseFileBeyondFourGiB) {
    // Sizes past 32 bits: a sparse file costs no disk space.
    TestFolder temp;
    const std::uint64_t size = (std::uint64_t{1} << 32) + 3;
    {
        std::FILE* file = std::fopen((temp / "big").c_str(), "wb");
        ASSERT_NE(file, nullptr);
        ASSERT_EQ(ftruncate(fileno(file), static_cast<off_t>(size - 1)), 0);
        std::fseek(file, 0, SEEK_END);
        std::fputc('Z', file);
        std::fclose(file);
    }
    EXPECT_EQ(Zenlo::fileSize(temp.folder() + u"big"), size);
    Zenlo::MappedFile file(temp.folder() + u"big");
    ASSERT_TRUE(file.isOpen());
    EXPECT_EQ(file.size(), size);
    EXPECT_EQ(file.end()[-1], 'Z');
    EXPECT_EQ(file.begin()[size / 2], 0);
}
