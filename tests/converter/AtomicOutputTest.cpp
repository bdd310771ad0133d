// Putting a finished file in place: what each kind of target becomes, and no temporary stays.
#include "converter/AtomicOutput.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "toolkit/FileSystem.h"

using testfiles::readFile;
using testfiles::TestFolder;
using testfiles::writeFile;
namespace fs = std::filesystem;

namespace {

Zenlo::CommitResult writeWhole(const fs::path& target, const std::string& text) {
    Zenlo::AtomicOutput out;
    if (!out.begin(Zenlo::fromPath(target))) return Zenlo::CommitResult::Failed;
    out.file().write(text);
    return out.commit();
}

unsigned permissions(const fs::path& path) {
    std::error_code error;
    return static_cast<unsigned>(fs::status(path, error).permissions()) & 07777;
}

// Someone else: the user nobody.
constexpr unsigned otherUser = 65534;

// A link "t" to the file "real" in the folder, which gets the mode and the owner (0: this process's
// user); the link belongs to linkOwner. Returns the file behind the link.
fs::path linkIn(const fs::path& folder, unsigned mode, [[maybe_unused]] unsigned folderOwner,
                [[maybe_unused]] unsigned linkOwner) {
    writeFile(folder / "real", "old");
    fs::create_symlink("real", folder / "t");
    fs::permissions(folder, fs::perms(mode));
#ifndef _WIN32
    if ((folderOwner && chown(folder.c_str(), folderOwner, -1) != 0) ||
        (linkOwner && lchown((folder / "t").c_str(), linkOwner, -1) != 0))
        ADD_FAILURE() << "cannot give files away";
#endif
    return folder / "real";
}

bool mayGiveFilesAway() {
#ifdef _WIN32
    return false;
#else
    return geteuid() == 0;
#endif
}

} // namespace

TEST(AtomicOutput, EachKindOfTarget) {
    struct Case {
        const char* name;
        // Makes the target "t" in the folder; returns the file that must end up with the text.
        fs::path (*make)(const fs::path& folder);
        bool linkStays;
    };
    const Case cases[] = {
        {"missing", [](const fs::path& f) { return f / "t"; }, false},
        {"regular",
         [](const fs::path& f) {
             writeFile(f / "t", "old text");
             return f / "t";
         },
         false},
        {"link to a regular file",
         [](const fs::path& f) {
             writeFile(f / "real", "old");
             fs::create_symlink("real", f / "t");
             return f / "real";
         },
         true},
        {"link to a link in another folder",
         [](const fs::path& f) {
             fs::create_directory(f / "sub");
             writeFile(f / "sub" / "real", "old");
             fs::create_symlink("real", f / "sub" / "middle");
             fs::create_symlink(f / "sub" / "middle", f / "t");
             return f / "sub" / "real";
         },
         true},
        {"link pointing nowhere yet",
         [](const fs::path& f) {
             fs::create_symlink("later", f / "t");
             return f / "later";
         },
         true},
        // In a folder shared like /tmp, links of this user and of the folder's owner are followed.
        {"link of this user in a shared folder",
         [](const fs::path& f) { return linkIn(f, 01777, 0, 0); }, true},
        {"link of another user who owns the shared folder",
         [](const fs::path& f) { return linkIn(f, 01777, otherUser, otherUser); }, true},
        {"link of another user in a folder that is not sticky",
         [](const fs::path& f) { return linkIn(f, 0777, 0, otherUser); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!testfiles::hasPosixFileKinds && std::string(c.name).find("link") == 0) continue;
        if (std::string(c.name).find("another user") != std::string::npos && !mayGiveFilesAway())
            continue;
        TestFolder temp;
        const fs::path written = c.make(temp.path());
        EXPECT_EQ(writeWhole(temp / "t", "new text"), Zenlo::CommitResult::Replaced);
        EXPECT_EQ(readFile(written), "new text");
        EXPECT_EQ(fs::is_symlink(temp / "t"), c.linkStays);
        EXPECT_EQ(testfiles::temporariesIn(temp.path()), std::vector<std::string>{});
    }
}

TEST(AtomicOutput, TargetsThatAreNotRegularFilesAreNeverReplaced) {
    struct Case {
        const char* name;
        void (*make)(const fs::path& folder); // makes the target "t" there
        int error;
    };
    const Case cases[] = {
        {"folder", [](const fs::path& f) { fs::create_directory(f / "t"); },
         testfiles::isFolderError},
        {"link to a device",
         [](const fs::path& f) {
             testfiles::makeSpecialFile(f / "device");
             fs::create_symlink(f / "device", f / "t");
         },
         Zenlo::notRegularFileError},
        // Planted by another user in a folder shared like /tmp: the kernel would not follow it.
        {"link of another user in a shared folder",
         [](const fs::path& f) { linkIn(f, 01777, 0, otherUser); }, Zenlo::sharedFolderLinkError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if ((!testfiles::hasPosixFileKinds && std::string(c.name).find("link") == 0) ||
            (c.error == Zenlo::sharedFolderLinkError && !mayGiveFilesAway()))
            continue;
        TestFolder temp;
        c.make(temp.path());
        Zenlo::AtomicOutput out;
        EXPECT_FALSE(out.begin(Zenlo::fromPath(temp / "t")));
        EXPECT_EQ(out.error(), c.error);
        if (fs::exists(temp / "real")) {
            EXPECT_EQ(readFile(temp / "real"), "old");
        }
        EXPECT_FALSE(fs::is_regular_file(temp / "device"));
        EXPECT_EQ(testfiles::temporariesIn(temp.path()), std::vector<std::string>{});
    }
    // A link loop is refused as well.
    SKIP_WITHOUT_POSIX_FILE_KINDS();
    TestFolder temp;
    fs::create_symlink("t2", temp / "t1");
    fs::create_symlink("t1", temp / "t2");
    Zenlo::AtomicOutput out;
    EXPECT_FALSE(out.begin(Zenlo::fromPath(temp / "t1")));
    EXPECT_EQ(out.error(), ELOOP);
}

TEST(AtomicOutput, PermissionsAndUnchangedFilesAreKept) {
    TestFolder temp;
    writeFile(temp / "t", "old");
    // Windows keeps only the read-only mark: files it lets a program write show as 0666.
    const unsigned mode = testfiles::hasPosixFileKinds ? 0640u : 0666u;
    fs::permissions(temp / "t", fs::perms(mode));
    EXPECT_EQ(writeWhole(temp / "t", "new"), Zenlo::CommitResult::Replaced);
    EXPECT_EQ(permissions(temp / "t"), mode);
    // The same bytes again: the file is not touched, its time stays.
    testfiles::makeOld(temp / "t");
    const auto before = fs::last_write_time(temp / "t");
    EXPECT_EQ(writeWhole(temp / "t", "new"), Zenlo::CommitResult::Unchanged);
    EXPECT_EQ(fs::last_write_time(temp / "t"), before);
    // Same length, other bytes: replaced.
    EXPECT_EQ(writeWhole(temp / "t", "neW"), Zenlo::CommitResult::Replaced);
    EXPECT_EQ(readFile(temp / "t"), "neW");
    // A read-only file is refused everywhere, as Windows refuses it, unless it would not change.
    fs::permissions(temp / "t", fs::perms(0444));
    EXPECT_EQ(writeWhole(temp / "t", "neW"), Zenlo::CommitResult::Unchanged);
    Zenlo::AtomicOutput out;
    ASSERT_TRUE(out.begin(Zenlo::fromPath(temp / "t")));
    out.file().write("other");
    EXPECT_EQ(out.commit(), Zenlo::CommitResult::Failed);
    EXPECT_EQ(out.error(), Zenlo::readOnlyFileError);
    EXPECT_EQ(readFile(temp / "t"), "neW");
    fs::permissions(temp / "t", fs::perms(0644));
    EXPECT_EQ(testfiles::temporariesIn(temp.path()), std::vector<std::string>{});
}

TEST(AtomicOutput, NothingChangesUntilTheCommit) {
    TestFolder temp;
    writeFile(temp / "t", "old");
    {
        Zenlo::AtomicOutput out;
        ASSERT_TRUE(out.begin(Zenlo::fromPath(temp / "t"), true)); // keeps "old" in front
        out.file().write(std::string(3 << 20, 'x'));
        // Where files can be made without a name, the temporary gets one only when finished.
        const bool unnamed = testfiles::unnamedFilesWork(temp.path());
        EXPECT_EQ(testfiles::temporariesIn(temp.path()).size(), unnamed ? 0u : 1u);
        Zenlo::StagedFile staged;
        ASSERT_TRUE(out.finish(staged));
        EXPECT_EQ(testfiles::temporariesIn(temp.path()).size(), 1u);
        EXPECT_EQ(readFile(temp / "t"), "old");
        EXPECT_EQ(readFile(temp / "t"), "old");
        Zenlo::StagedFiles all;
        all.add(std::move(staged));
        all.discardAll();
    }
    EXPECT_EQ(readFile(temp / "t"), "old");
    EXPECT_EQ(testfiles::temporariesIn(temp.path()), std::vector<std::string>{});
    {
        Zenlo::AtomicOutput out;
        ASSERT_TRUE(out.begin(Zenlo::fromPath(temp / "t"), true));
        out.file().write("+new");
        out.file().rewindTo(5);
        EXPECT_EQ(out.commit(), Zenlo::CommitResult::Replaced);
    }
    EXPECT_EQ(readFile(temp / "t"), "old+n");
    {
        Zenlo::AtomicOutput out; // dropped without a commit
        ASSERT_TRUE(out.begin(Zenlo::fromPath(temp / "t")));
        out.file().write("lost");
    }
    EXPECT_EQ(readFile(temp / "t"), "old+n");
    EXPECT_EQ(testfiles::temporariesIn(temp.path()), std::vector<std::string>{});
}
