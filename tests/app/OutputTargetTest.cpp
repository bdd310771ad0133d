// Output target rules: extension correction and folder normalisation in both separator styles.
#include "app/OutputTarget.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "toolkit/TextEncoding.h"

using Zenlo::WideString;

namespace {

std::string narrow(const WideString& text) { return Zenlo::utf16ToUtf8(text.view()); }

} // namespace

TEST(OutputTarget, ExtensionCorrection) {
    struct Case { const char16_t* name; const char* want; };
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
        {u"\u00e4rger.bin", "\xc3\xa4rger.cpp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(WideString(c.name)));
        EXPECT_EQ(narrow(Zenlo::correctOutputExtension(c.name)), c.want);
    }
}

TEST(OutputTarget, FolderNormalisationWindowsRules) {
    const WideString start(u"C:\\start\\");
    struct Case { const char16_t* folder; const char* want; };
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
    struct Case { const char16_t* folder; const char* want; };
    const Case cases[] = {
        {u"out/", "/home/u/out/"},
        {u"/work/gen/", "/work/gen/"},
        {u"/work/gen", "/work/gen/"},
        {u"/abs/project/src", "/abs/project/src/"},
        {u"gen", "/home/u/gen/"},
        {u"out\\sub", "/home/u/out/sub/"},
        {u"out\\sub\\", "/home/u/out/sub/"},
        {u"\\abs\\x\\", "/abs/x/"},
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
    EXPECT_EQ(narrow(Zenlo::folderWithSeparator(u"/tmp", u'/')), "/tmp/");
    EXPECT_EQ(narrow(Zenlo::folderWithSeparator(u"/", u'/')), "/");
    EXPECT_EQ(narrow(Zenlo::folderWithSeparator(u"C:\\", u'\\')), "C:\\");
}

TEST(OutputTarget, PrepareCreatesRelativeFoldersBelowTheStartFolder) {
    namespace fs = std::filesystem;
    fs::path root = fs::temp_directory_path() / ("hexmoor-prepare-" + std::to_string(::getpid()));
    fs::create_directories(root);
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
    fs::remove_all(root);
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
        {u"..\\escape.cpp", true, false}, {u"C:\\x.c", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(WideString(c.name)));
        EXPECT_EQ(Zenlo::isPlainFileName(c.name, u'/'), c.posix);
        EXPECT_EQ(Zenlo::isPlainFileName(c.name, u'\\'), c.windows);
    }
}

TEST(OutputTarget, PrepareKeepsTheLastPartAndRefusesPathsAsNames) {
    namespace fs = std::filesystem;
    fs::path root = fs::temp_directory_path() / ("hexmoor-last-" + std::to_string(::getpid()));
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
    fs::remove_all(root);
}
