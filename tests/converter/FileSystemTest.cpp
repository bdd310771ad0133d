// Folders, sizes, the start folder, file identity and positioned reads on the real file system.
#include "toolkit/FileSystem.h"

#ifndef _WIN32
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

#include <gtest/gtest.h>

#include "converter/InputFile.h"
#include "support/TestSupport.h"
#include "toolkit/TextEncoding.h"

using testfiles::nativePath;
using testfiles::TestFolder;
using Zenlo::WideString;

TEST(FileSystem, CreateFolders) {
    TestFolder temp;
    const WideString base = temp.folder();
    // The text behind the last separator plays no part.
    EXPECT_TRUE(Zenlo::createFolders(base + nativePath(u"a/b/c/ignored.cpp")));
    EXPECT_TRUE(Zenlo::isFolder(base + nativePath(u"a/b/c")));
    EXPECT_FALSE(Zenlo::isFolder(base + nativePath(u"a/b/c/ignored.cpp")));
    // Existing levels, doubled separators: still true, nothing changes.
    EXPECT_TRUE(Zenlo::createFolders(base + nativePath(u"a/b/c/")));
    EXPECT_TRUE(Zenlo::createFolders(base + nativePath(u"a//b/d/")));
    EXPECT_TRUE(Zenlo::isFolder(base + nativePath(u"a/b/d")));
    // A file stands where a folder should be.
    testfiles::writeFile(temp / "a.txt", "x");
    EXPECT_FALSE(Zenlo::createFolders(base + nativePath(u"a.txt/b/")));
    EXPECT_FALSE(Zenlo::createFolders(base + nativePath(u"a.txt/")));
    // No separator at all: no folder named.
    EXPECT_FALSE(Zenlo::createFolders(u"plain"));
    EXPECT_TRUE(Zenlo::createFolders(nativePath(u"/")));
}

TEST(FileSystem, SystemPathsAreAbsoluteBeforeTheLongPathPrefix) {
    TestFolder temp;
    testfiles::CurrentFolderChange here(temp.path());
    const std::string current = Zenlo::utf16ToUtf8(Zenlo::currentFolder().view());
    struct Case {
        const char16_t* given;
        std::string want;
    };
#ifdef _WIN32
    const std::string drive = current.substr(0, 2);
    const Case cases[] = {
        {u"a.bin", "\\\\?\\" + current + "a.bin"},
        {u"sub/x.bin", "\\\\?\\" + current + "sub\\x.bin"},
        {u".\\sub\\..\\y.bin", "\\\\?\\" + current + "y.bin"},
        {u"\\top\\z", "\\\\?\\" + drive + "\\top\\z"},
        {u"C:\\a\\b\\", "\\\\?\\C:\\a\\b\\"},
        {u"\\\\server\\share\\f", "\\\\?\\UNC\\server\\share\\f"},
        {u"\\\\?\\C:\\kept", "\\\\?\\C:\\kept"},
        {u"\\\\.\\NUL", "\\\\.\\NUL"},
        {u"NUL", "\\\\.\\NUL"},
        // Below \\.\ a drive's path names a file; anything else a device.
        {u"\\\\.\\C:\\data\\..\\a.bin", "\\\\?\\C:\\a.bin"},
        {u"\\\\.\\C:", "\\\\.\\C:"},
        {u"\\\\.\\pipe\\x", "\\\\.\\pipe\\x"},
        {u"", ""},
    };
#else
    const Case cases[] = {
        {u"a.bin", "a.bin"},
        {u"/x/../y", "/x/../y"},
        {u"", ""},
    };
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(Zenlo::utf16ToUtf8(WideString(c.given).view()));
        EXPECT_EQ(Zenlo::utf16ToUtf8(Zenlo::systemPath(c.given).view()), c.want);
        // The form the outputs' own names take, to the final rename.
        EXPECT_EQ(Zenlo::systemFilePath(Zenlo::toPath(c.given)),
                  Zenlo::toPath(Zenlo::fromUtf8(c.want)));
    }
    // Relative paths are found from the current folder, and so are their sizes.
    testfiles::writeFile(temp / "five", "12345");
    EXPECT_EQ(Zenlo::fileSize(u"five"), 5u);
    EXPECT_EQ(Zenlo::fileSize(testfiles::nativePath(u"./five")), 5u);
    EXPECT_TRUE(testfiles::sameFile(u"five", temp.folder() + u"five"));
    EXPECT_TRUE(Zenlo::createFolders(testfiles::nativePath(u"new/level/")));
    EXPECT_TRUE(Zenlo::isFolder(u"new"));
    EXPECT_EQ(Zenlo::absolutePath(u"five"), temp.folder() + u"five");
}

TEST(PathText, FolderLevelsStart) {
    struct Case {
        const char16_t* path;
        bool withPrefix;
        WideString::Size want;
    };
    const Case cases[] = {
        {u"/a/b/", false, 0},
        {u"\\\\?\\C:\\a\\", true, 4},
        {u"C:\\a\\", true, 0},
        {u"\\\\?\\UNC\\server\\share\\a\\", true, 20},
        {u"\\\\?\\UNC\\server\\share", true, 20},
        {u"\\\\?\\UNC\\server", true, 14},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Zenlo::utf16ToUtf8(WideString(c.path).view()));
        EXPECT_EQ(Zenlo::folderLevelsStart(c.path, c.withPrefix), c.want);
    }
}

TEST(FileSystem, CreateFoldersTellsTheSystemsReason) {
    SKIP_WITHOUT_POSIX_FILE_KINDS();
    TestFolder temp;
    const WideString base = temp.folder();
    testfiles::writeFile(temp / "file", "x");
    std::filesystem::create_symlink(temp / "loop1", temp / "loop2");
    std::filesystem::create_symlink(temp / "loop2", temp / "loop1");
    std::filesystem::create_symlink(temp / "nowhere", temp / "dangling");
    struct Case {
        const char* what;
        WideString path;
        int error;
    };
    const Case cases[] = {
        {"a file in the way", base + u"file/sub/", ENOTDIR},
        {"the folder itself is a file", base + u"file/", ENOTDIR},
        {"a loop of links", base + u"loop1/sub/", ELOOP},
        {"the folder itself a loop of links", base + u"loop1/", ELOOP},
        {"a link to nothing", base + u"dangling/", Zenlo::danglingLinkError},
        {"a link to nothing on the way", base + u"dangling/sub/", Zenlo::danglingLinkError},
        {"a name too long", base + WideString(std::u16string(300, u'n').c_str()) + u"/",
         ENAMETOOLONG},
        {"no folder named", u"plain", ENOENT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int error = 0;
        EXPECT_FALSE(Zenlo::createFolders(c.path, &error));
        EXPECT_EQ(error, c.error) << std::system_category().message(error);
    }
}

// The system's texts are UTF-8 in every language; under Wine this runs with a Russian locale too.
TEST(FileSystem, SystemErrorTextIsUtf8) {
    const std::string text = Zenlo::systemErrorText(testfiles::missingFileError);
    EXPECT_EQ(Zenlo::utf16ToUtf8(Zenlo::utf8ToUtf16(text)), text) << "valid UTF-8";
    const char* language = std::getenv("LC_ALL");
    if (language && std::string_view(language).starts_with("ru")) {
        EXPECT_NE(text.find("\xd0"), std::string::npos) << "in Russian: " << text;
    }
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
    EXPECT_TRUE(testfiles::sameFile(base + u"five", base + u"link"));
    EXPECT_TRUE(testfiles::sameFile(base + u"five", base + u"./five"));
    EXPECT_FALSE(testfiles::sameFile(base + u"five", base + u"empty"));
    EXPECT_FALSE(testfiles::sameFile(base + u"five", base + u"missing"));
}

TEST(FileSystem, CurrentFolder) {
    TestFolder temp;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(temp.path());
    WideString here = Zenlo::currentFolder();
    std::filesystem::current_path(std::filesystem::path("/").root_path() /
                                  std::filesystem::path("/").root_directory());
    WideString root = Zenlo::currentFolder();
    std::filesystem::current_path(before);
    EXPECT_TRUE(testfiles::sameFile(here, temp.folder()));
    EXPECT_EQ(here[here.length() - 1], Zenlo::nativeSeparator);
    // A root keeps one separator, not two.
#ifdef _WIN32
    EXPECT_EQ(Zenlo::utf16ToUtf8(root.view()).substr(1), ":\\");
#else
    EXPECT_EQ(root, WideString(u"/"));
#endif
}

namespace {

// The whole file through positioned reads of the given piece size.
std::string readAll(Zenlo::InputFile& file, std::size_t piece) {
    std::string bytes(static_cast<std::size_t>(file.size()), '\0');
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        const std::size_t n = std::min(piece, bytes.size() - at);
        if (!file.read(at, reinterpret_cast<std::uint8_t*>(bytes.data() + at), n)) return "";
    }
    return bytes;
}

} // namespace

TEST(InputFile, ReadsWholeFilesAndRefusesTheRest) {
    TestFolder temp;
    const std::string bytes = testfiles::patternBytes(70000);
    testfiles::writeFile(temp / "data", bytes);
    testfiles::writeFile(temp / "empty", "");
    const WideString base = temp.folder();

    Zenlo::InputFile file;
    ASSERT_TRUE(file.open(base + u"data"));
    EXPECT_EQ(file.size(), bytes.size());
    EXPECT_EQ(readAll(file, 4096), bytes);
    EXPECT_EQ(readAll(file, 70000), bytes); // read again, in one piece
    EXPECT_TRUE(file.unchanged());
    file.close();
    EXPECT_FALSE(file.isOpen());

    Zenlo::InputFile empty;
    EXPECT_TRUE(empty.open(base + u"empty"));
    EXPECT_EQ(empty.size(), 0u);
    Zenlo::InputFile missing;
    EXPECT_FALSE(missing.open(base + u"missing"));
    EXPECT_EQ(missing.error(), ENOENT);
    Zenlo::InputFile folder;
    EXPECT_FALSE(folder.open(base));
    EXPECT_EQ(folder.error(), testfiles::isFolderError);
}

TEST(InputFile, SparseFileBeyondFourGiB) {
    // Sizes past 32 bits: a sparse file costs no disk space.
    TestFolder temp;
    const std::uint64_t size = (std::uint64_t{1} << 32) + 3;
    testfiles::writeFile(temp / "big", "");
    std::filesystem::resize_file(temp / "big", size - 1);
    {
        std::ofstream out(temp / "big", std::ios::binary | std::ios::app);
        out.put('Z');
        ASSERT_TRUE(out.flush());
    }
    EXPECT_EQ(Zenlo::fileSize(temp.folder() + u"big"), size);
    Zenlo::InputFile file;
    ASSERT_TRUE(file.open(temp.folder() + u"big"));
    EXPECT_EQ(file.size(), size);
    std::uint8_t last[2] = {1, 1};
    ASSERT_TRUE(file.read(size - 2, last, 2));
    EXPECT_EQ(last[0], 0);
    EXPECT_EQ(last[1], 'Z');
    // Nothing beyond the end: a read there is a file that changed.
    EXPECT_FALSE(file.read(size - 1, last, 2));
    EXPECT_EQ(file.error(), Zenlo::changedWhileReadError);
}
