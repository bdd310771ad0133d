// Dependency files: escapes, refused names, the rule layout, and real make and ninja reading them.
// make and ninja run through a POSIX shell.
#ifndef _WIN32
#include <sys/stat.h>
#include <utime.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "converter/DependencyFile.h"
#include "support/TestSupport.h"

using testfiles::readFile;
using testfiles::TestFolder;
using testfiles::writeFile;

namespace {

// Names that make and ninja would misread without their escapes, and some that come close to
// what they cannot read.
const char* const awkwardNames[] = {
    "plain.bin",   "with space.bin", "two  spaces",     "hash#1.bin", "dollar$x.bin",
    "colon:a.bin", "back\\slash",    "back\\ space",    "comma,b",    "b[1",
    "b[!]",        "brace{}()[]",    "x(y)z",           "x)y",        "a\\]b",
    "C:x",         "tilde~at@!+-",   "\xc3\xa4pfel.txt"};

// Sets the file's modification time to now plus the seconds given.
void setTime(const std::filesystem::path& path, int seconds) {
    const time_t when = time(nullptr) + seconds;
    const struct utimbuf times { when, when };
    ASSERT_EQ(utime(path.c_str(), &times), 0) << path;
}

int run(const std::filesystem::path& folder, const std::string& command) {
    const std::string line = "cd '" + folder.string() + "' && " + command + " >.out 2>&1";
    return std::system(line.c_str());
}

} // namespace

TEST(DependencyFile, EscapesOfEachSpecialCharacter) {
    const struct {
        const char* path;
        const char* escaped;
    } cases[] = {
        {"a.bin", "a.bin"},
        {"my file.bin", "my\\ file.bin"},
        {"a#b", "a\\#b"},
        {"a$b$$", "a$$b$$$$"},
        {"C:/x", "C\\:/x"},
        {"a\\b", "a\\b"},
        {"a\\ b", "a\\\\\\ b"},
        {"a\\\\ b", "a\\\\\\\\\\ b"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(Zenlo::dependencyNameProblem(c.path), std::nullopt);
        EXPECT_EQ(Zenlo::escapeDependencyPath(c.path), c.escaped);
    }
}

// Characters that end a name for ninja, start a recipe, an assignment, a pattern or a wildcard
// for make, or that no escape gets through both: refused, since a dependency file that names
// another file would hide changes from the build.
TEST(DependencyFile, NamesTheBuildCannotReadAreRefused) {
    const struct {
        const char* path;
        const char* shown;
    } cases[] = {
        {"semi;colon", "';'"},
        {"a=b", "'='"},
        {"it's", "'''"},
        {"a&b", "'&'"},
        {"a|b", "'|'"},
        {"q\"", "'\"'"},
        {"star*", "'*'"},
        {"what?", "'?'"},
        {"a^b", "'^'"},
        {"back`tick", "'`'"},
        {"<a>", "'<'"},
        {"tab\tx", "a control"},
        {"line\nbreak", "a control"},
        {"cr\rx", "a control"},
        {"pct%x.bin", "'%' for a pattern"},
        {"b[1].bin", "'[' for a wildcard"},
        {"b[]]", "'[' for a wildcard"},
        {"end\\", "'\\' at the end"},
        {"a\\#b", "'\\' before '#'"},
        {"a\\:b", "'\\' before ':'"},
        {"a\\$b", "'\\' before '$'"},
        {"a\\[x", "'\\' before '['"},
        {"colon:", "':' at the end"},
        {"lib(member)", "')' for a library member"},
        {"x)", "')' for a library member"},
        {"~user/x", "'~' at the start"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const std::string problem = Zenlo::dependencyNameProblem(c.path).value_or("");
        EXPECT_NE(problem.find(std::string(c.path) + " in a dependency file"), std::string::npos)
            << problem;
        EXPECT_NE(problem.find(c.shown), std::string::npos) << problem;
        std::string text, error;
        EXPECT_FALSE(Zenlo::dependencyFileText({"out.cpp"}, {"ok", c.path}, text, error));
        EXPECT_EQ(error, problem);
        EXPECT_FALSE(Zenlo::dependencyFileText({c.path}, {"ok"}, text, error));
    }
}

TEST(DependencyFile, OneRuleForTheOutputsAndAnEmptyRuleForEachInput) {
    std::string text, error;
    ASSERT_TRUE(
        Zenlo::dependencyFileText({"out/a b.cpp", "out/a b.h"}, {"in/x.bin", "in"}, text, error));
    EXPECT_EQ(text, "out/a\\ b.cpp out/a\\ b.h: \\\n  in/x.bin \\\n  in\n"
                    "\nin/x.bin:\n\nin:\n");
}

// The file names reach make and ninja intact: each reads back exactly the names given, has
// nothing to do while the inputs are older, rebuilds once any one of them (or the folder) is
// newer than the output, and goes on when they are deleted.
TEST(DependencyFile, MakeAndNinjaReadTheNamesBack) {
    TestFolder temp;
    std::filesystem::create_directory(temp / "in");
    std::vector<std::string> inputs;
    for (const char* name : awkwardNames) {
        writeFile(temp / "in" / name, "x");
        setTime(temp / "in" / name, -1000);
        inputs.push_back(std::string("in/") + name);
    }
    inputs.push_back("in");
    setTime(temp / "in", -1000);
    std::string text, error;
    ASSERT_TRUE(Zenlo::dependencyFileText({"out.txt"}, inputs, text, error)) << error;
    writeFile(temp / "deps.d", text);
    writeFile(temp / "Makefile", "out.txt:\n\t$(file >names,$^)touch out.txt\n-include deps.d\n");
    writeFile(temp / "build.ninja", "rule gen\n  command = touch out.txt && cp deps.d out.d\n"
                                    "  depfile = out.d\n  deps = gcc\n"
                                    "build out.txt: gen\n");
    const struct {
        const char* tool;
        const char* build;
        const char* upToDate;
    } tools[] = {
        {"make", "make -s", "make -q"},
        {"ninja", "ninja", "ninja -n | grep -q 'no work to do'"},
    };
    for (const auto& tool : tools) {
        for (const std::string& name : inputs) {
            SCOPED_TRACE(std::string(tool.tool) + ": " + name);
            ASSERT_EQ(run(temp.path(), tool.build), 0) << readFile(temp / ".out");
            ASSERT_EQ(run(temp.path(), tool.upToDate), 0) << readFile(temp / ".out");
            setTime(temp / name, 1000);
            EXPECT_NE(run(temp.path(), tool.upToDate), 0) << readFile(temp / ".out");
            setTime(temp / name, -1000);
        }
    }
    std::string made, ninja;
    for (const std::string& name : inputs)
        made += (made.empty() ? "" : " ") + name, ninja += "    " + name + "\n";
    EXPECT_EQ(readFile(temp / "names"), made + "\n");
    ASSERT_EQ(run(temp.path(), "ninja -t deps out.txt"), 0);
    EXPECT_EQ(readFile(temp / ".out").substr(readFile(temp / ".out").find('\n') + 1), ninja + "\n");
    std::filesystem::remove_all(temp / "in");
    EXPECT_EQ(run(temp.path(), "make -s && ninja"), 0) << readFile(temp / ".out");
}

#endif // _WIN32
