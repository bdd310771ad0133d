// Output target rules: extension correction, plain names, and both folder rules.
#include "converter/OutputTarget.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "converter/OutputNames.h"
#include "support/TestSupport.h"
#include "toolkit/FileSystem.h"
#include "toolkit/TextEncoding.h"
#include "toolkit/WindowsNames.h"

using testfiles::narrow;
using Zenlo::WideString;

TEST(OutputTarget, ExtensionCorrection) {
    struct Case {
        const char16_t* name;
        const char* want;
    };
    const Case cases[] = {
        {u"arrays", "arrays.cpp"},
        {u"arrays.cpp", "arrays.cpp"},
        {u"arrays.c", "arrays.c"},
        {u"arrays.cc", "arrays.cc"},
        {u"arrays.c++", "arrays.c++"},
        {u"arrays.CPP", "arrays.cpp"},
        {u"arrays.Cpp", "arrays.cpp"},
        {u"arrays.txt", "arrays.cpp"},
        {u"my.data", "my.cpp"},
        // Pieces of ".cpp.c.cc.c++" count as allowed extensions, the last position included.
        {u"arrays.cp", "arrays.cp"},
        {u"arrays.", "arrays."},
        {u"arrays.c+", "arrays.c+"},
        {u"arrays.pp", "arrays.cpp"},
        {u"arrays.cpp.c", "arrays.cpp.c"},
        {u"arrays.c.cc", "arrays.c.cc"},
        {u"arrays.cxx", "arrays.cpp"},
        {u"arrays.hpp", "arrays.cpp"},
        // A leading "." counts; an empty name (separate files) gets the extension alone.
        {u".cpp", ".cpp"},
        {u".hidden", ".cpp"},
        {u"", ".cpp"},
        // A separator does not end the search for the last ".".
        {u"dir.v2\\name", "dir.cpp"},
        {u"dir.v2/name", "dir.cpp"},
        {u"a.b\\c", "a.cpp"},
        {u"\u00e4rger.bin", "\xc3\xa4rger.cpp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(WideString(c.name)));
        EXPECT_EQ(narrow(Zenlo::correctSourceExtension(c.name)), c.want);
    }
    // Windows drops a name's trailing dots and spaces: the name is the one it will have on disk.
    EXPECT_EQ(narrow(Zenlo::correctedOutputName(u"out.cpp. ", u'\\')), "out.cpp");
    EXPECT_EQ(narrow(Zenlo::correctedOutputName(u"out.c.", u'/')), "out.c.");
}

TEST(OutputTarget, FolderNormalisationWindowsRules) {
    const WideString start(u"C:\\start\\");
    struct Case {
        const char16_t* folder;
        const char* want;
    };
    const Case cases[] = {
        {u"out\\", "C:\\start\\out\\"},
        {u"C:/work/gen/", "C:\\work\\gen\\"},
        // The typed text is a folder, with or without its closing separator.
        {u"C:\\work\\gen", "C:\\work\\gen\\"},
        {u"gen", "C:\\start\\gen\\"},
        {u"C:/work/gen", "C:\\work\\gen\\"},
        {u"\\\\?\\C:\\long\\", "C:\\long\\"},
        {u"\\\\server\\share\\", "C:\\start\\server\\share\\"},
        {u"a/b/c", "C:\\start\\a\\b\\c\\"},
        {u"", "C:\\start\\"},
        {u"name", "C:\\start\\name\\"},
        {u"D:", "D:\\"},
        {u"D:\\", "D:\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(WideString(c.folder)));
        EXPECT_EQ(narrow(Zenlo::normaliseOutputFolder(c.folder, start, u'\\')), c.want);
    }
}

TEST(OutputTarget, FolderNormalisationPosixRules) {
    const WideString start(u"/home/u/");
    struct Case {
        const char16_t* folder;
        const char* want;
    };
    const Case cases[] = {
        {u"out/", "/home/u/out/"},
        {u"/work/gen/", "/work/gen/"},
        {u"/work/gen", "/work/gen/"},
        {u"/abs/project/src", "/abs/project/src/"},
        {u"gen", "/home/u/gen/"},
        // A backslash is part of a name, as it is to the command line.
        {u"out\\sub", "/home/u/out\\sub/"},
        {u"out\\sub\\", "/home/u/out\\sub\\/"},
        {u"\\abs\\x\\", "/home/u/\\abs\\x\\/"},
        // No long-path prefix here: "?" and a leading backslash are ordinary text.
        {u"?\?/x/", "/home/u/?\?/x/"},
        {u"C:/x/", "/home/u/C:/x/"},
        {u"", "/home/u/"},
        {u"name", "/home/u/name/"},
        {u"/", "/"},
        {u"a//b/", "/home/u/a//b/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(WideString(c.folder)));
        EXPECT_EQ(narrow(Zenlo::normaliseOutputFolder(c.folder, start, u'/')), c.want);
    }
}

TEST(OutputTarget, DefaultsAndBrowseResults) {
    EXPECT_EQ(narrow(Zenlo::defaultOutputFolder(u'\\')), "out\\");
    EXPECT_EQ(narrow(Zenlo::defaultOutputFolder(u'/')), "out/");
    Zenlo::ZnOutputChoice choice = Zenlo::splitOutputChoice(u"/tmp/gen/data.c", u'/');
    EXPECT_EQ(narrow(choice.fileName), "data.c");
    EXPECT_EQ(narrow(choice.folder), "/tmp/gen/");
    choice = Zenlo::splitOutputChoice(u"C:\\gen\\data.c", u'\\');
    EXPECT_EQ(narrow(choice.fileName), "data.c");
    EXPECT_EQ(narrow(choice.folder), "C:\\gen\\");
}

TEST(OutputTarget, FolderWithSeparator) {
    EXPECT_EQ(narrow(Zenlo::folderWithSeparator(u"/tmp", u'/')), "/tmp/");
    EXPECT_EQ(narrow(Zenlo::folderWithSeparator(u"/", u'/')), "/");
    EXPECT_EQ(narrow(Zenlo::folderWithSeparator(u"C:\\", u'\\')), "C:\\");
    // No folder named: a separator alone would name the root.
    EXPECT_EQ(narrow(Zenlo::folderWithSeparator(u"", u'/')), "");
}

TEST(OutputTarget, CommandLineFolderRule) {
    const Zenlo::WideString here = Zenlo::currentFolder();
    // The current drive: "C:" of "C:\\...".
    [[maybe_unused]] const Zenlo::WideString drive = here.left(2);
    struct Case {
        const char16_t* given;
        Zenlo::WideString want;
    };
    const Case cases[] = {
        {u"", here},
        {u"gen", here + u"gen" + Zenlo::nativeSeparator},
        {u"gen/", here + u"gen" + Zenlo::nativeSeparator},
#ifdef _WIN32
        // Either separator; the folder a Windows user means by each form.
        {u"gen/sub", here + u"gen\\sub\\"},
        {u"gen\\..\\x", here + u"x\\"},
        {u"\\abs\\x", drive + u"\\abs\\x\\"},
        {u"/abs/x", drive + u"\\abs\\x\\"},
        {u"D:\\abs", u"D:\\abs\\"},
        {u"\\\\server\\share\\x", u"\\\\server\\share\\x\\"},
#else
        {u"/abs/x", u"/abs/x/"},
        {u"gen\\x", here + u"gen\\x/"},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Zenlo::utf16ToUtf8(Zenlo::WideString(c.given).view()));
        EXPECT_EQ(Zenlo::utf16ToUtf8(Zenlo::resolveOutputFolder(c.given).view()),
                  Zenlo::utf16ToUtf8(c.want.view()));
    }
}

TEST(OutputTarget, PrepareCreatesRelativeFoldersBelowTheStartFolder) {
    namespace fs = std::filesystem;
    const testfiles::TestFolder temp;
    const fs::path root = temp.path();
    WideString start = Zenlo::fromPath(root) + Zenlo::nativeSeparator;
    Zenlo::ZnPreparedOutput prepared = Zenlo::prepareOutput(u"data", u"gen/deep/", start);
    EXPECT_TRUE(prepared.folderReady);
    EXPECT_EQ(narrow(prepared.fileName), "data.cpp");
    EXPECT_EQ(Zenlo::toPath(prepared.folder), root / "gen" / "deep" / "");
    EXPECT_TRUE(fs::is_directory(root / "gen" / "deep"));
    // Existing folders are fine; a file in the way cannot become one.
    EXPECT_TRUE(Zenlo::prepareOutput(u"a.c", u"gen/", start).folderReady);
    std::ofstream(root / "blocker") << "x";
    prepared = Zenlo::prepareOutput(u"a.c", u"blocker/sub/", start);
    EXPECT_FALSE(prepared.folderReady);
    EXPECT_FALSE(fs::exists(root / "blocker" / "sub"));
}

TEST(OutputTarget, FileNamesWithASeparatorAreRefused) {
    struct Case {
        const char16_t* name;
        bool posix;
        bool windows;
    };
    const Case cases[] = {
        {u"arrays.cpp", true, true},      {u"", true, true},          {u"my data.c", true, true},
        {u"../escape.cpp", false, false}, {u"sub/a.c", false, false}, {u"/abs.c", false, false},
        {u"..\\escape.cpp", true, false}, {u"C:\\x.c", true, false},  {u"C:x.c", true, false},
        {u"out:x.cpp", true, false}, // on NTFS a stream of the file "out"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(WideString(c.name)));
        EXPECT_EQ(Zenlo::isPlainFileName(c.name, u'/'), c.posix);
        EXPECT_EQ(Zenlo::isPlainFileName(c.name, u'\\'), c.windows);
    }
}

TEST(OutputTarget, PrepareKeepsTheLastPartAndRefusesPathsAsNames) {
    namespace fs = std::filesystem;
    const testfiles::TestFolder temp;
    const fs::path root = temp.path();
    fs::create_directories(root / "start");
    WideString start = Zenlo::fromPath(root / "start") + Zenlo::nativeSeparator;
    // Typed without the closing separator, relative and absolute: the folder itself.
    Zenlo::ZnPreparedOutput prepared = Zenlo::prepareOutput(u"a.c", u"gen", start);
    EXPECT_TRUE(prepared.folderReady);
    EXPECT_EQ(Zenlo::toPath(prepared.folder), root / "start" / "gen" / "");
    EXPECT_TRUE(fs::is_directory(root / "start" / "gen"));
    const WideString absolute = Zenlo::fromPath(root / "abs" / "src");
    prepared = Zenlo::prepareOutput(u"a.c", absolute, start);
    EXPECT_TRUE(prepared.folderReady);
    EXPECT_EQ(Zenlo::toPath(prepared.folder), root / "abs" / "src" / "");
    // A name holding a separator is refused before any folder is made.
    prepared = Zenlo::prepareOutput(u"../escape.cpp", u"other/", start);
    EXPECT_FALSE(prepared.nameAccepted);
    EXPECT_FALSE(prepared.folderReady);
    EXPECT_FALSE(fs::exists(root / "start" / "other"));
    // A folder that cannot be made says why.
    std::ofstream(root / "start" / "blocker") << "x";
    prepared = Zenlo::prepareOutput(u"a.c", u"blocker/sub", start);
    EXPECT_TRUE(prepared.nameAccepted);
    EXPECT_FALSE(prepared.folderReady);
    EXPECT_FALSE(prepared.folderError.empty());
    EXPECT_TRUE(Zenlo::prepareOutput(u"a.c", u"gen/", start).folderError.empty());
    // A device's name in the name or the folder refuses it on Windows before anything is made.
    const bool windows = Zenlo::nativeSeparator == u'\\';
    prepared = Zenlo::prepareOutput(u"a.c", u"dev/aux/", start);
    EXPECT_EQ(narrow(prepared.device), windows ? "aux" : "");
    EXPECT_EQ(fs::exists(root / "start" / "dev"), !windows);
    prepared = Zenlo::prepareOutput(u"Con.cpp", u"name/", start);
    EXPECT_EQ(prepared.nameAccepted, !windows);
    EXPECT_EQ(fs::exists(root / "start" / "name"), !windows);
}

TEST(OutputTarget, NamesWindowsTakesForDevices) {
    // A path and the part of it Windows takes for a device; other systems have no such names.
    const std::pair<const char16_t*, const char*> cases[] = {
        {u"C:\\nul\\x", "nul"},      {u"a/Com1 .c", "Com1 .c"}, {u"x\\conout$", "conout$"},
        {u"lpt\u00b9", "lpt\u00b9"}, {u"aux.", "aux."},         {u"nulls\\con.c", "con.c"},
        {u"COM10\\LPT\\CONIN", ""},  {u"prn:x", "prn:x"},
    };
    for (const auto& [path, device] : cases) {
        SCOPED_TRACE(narrow(path));
        EXPECT_EQ(narrow(Zenlo::devicePart(path, u'\\')), device);
        EXPECT_EQ(narrow(Zenlo::devicePart(path, u'/')), "");
    }
}
