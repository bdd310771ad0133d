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

#include "support/TestSupport.h"
#include "converter/DependencyFile.h"

using testfiles::readFile;
using testfiles::TestFolder;
using testfiles::writeFile;

namespace {

// Names that make and ninja would misread without their escapes.
const char* const awkwardNames[] = {
    "plain.bin",   "with space.bin", "two  spaces",      "hash#1.bin",   "dollar$x.bin",
    "colon:a.bin", "back\\slash",    "back\\ space",     "percent%.bin", "comma,b",
    "brace{}()[]", "tilde~at@!+-",   "\xc3\xa4pfel.txt",
};

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
        {"a\\#", "a\\\\#"},
        {"end\\", "end\\"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(Zenlo::unwritableDependencyCharacter(c.path), 0);
        EXPECT_EQ(Zenlo::escapeDependencyPath(c.path), c.escaped);
    }
}

// Characters that end a name for ninja or start a recipe or an assignment for make: refused,
// since a dependency file that names another file would hide changes from the build.
TEST(DependencyFile, NamesTheBuildCannotReadAreRefused) {
    const struct {
        const char* path;
        char character;
        const char* shown;
    } cases[] = {
        {"semi;colon", ';', "';'"},
        {"a=b", '=', "'='"},
        {"it's", '\'', "'''"},
        {"a&b", '&', "'&'"},
        {"a|b", '|', "'|'"},
        {"q\"", '"', "'\"'"},
        {"star*", '*', "'*'"},
        {"what?", '?', "'?'"},
        {"a^b", '^', "'^'"},
        {"back`tick", '`', "'`'"},
        {"<a>", '<', "'<'"},
        {"tab\tx", '\t', "a control"},
        {"line\nbreak", '\n', "a control"},
        {"cr\rx", '\r', "a control"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(Zenlo::unwritableDependencyCharacter(c.path), c.character);
        std::string text, error;
        EXPECT_FALSE(Zenlo::dependencyFileText({"out.cpp"}, {"ok", c.path}, text, error));
        EXPECT_NE(error.find(c.path), std::string::npos) << error;
        EXPECT_NE(error.find(c.shown), std::string::npos) << error;
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

// The file names reach make and ninja intact: nothing to do while the inputs are older, and a
// rebuild once any one of them (or the folder) is newer than the output.
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
    writeFile(temp / "Makefile", "out.txt:\n\ttouch out.txt\n-include deps.d\n");
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
}

#endif // _WIN32
