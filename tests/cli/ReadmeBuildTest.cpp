// The README's plain-Make and Meson recipes, run as written, with its C program as main.c.
// make, meson and the compiler run through a POSIX shell.
#ifndef _WIN32
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "support/TestSupport.h"

using testfiles::quotedArgument;
using testfiles::readFile;
using Result = testfiles::RunResult;
using testfiles::runIn;
using testfiles::TestFolder;
using testfiles::writeFile;
namespace fs = std::filesystem;

namespace {

// The first fenced block of the language in the README (empty when there is none).
std::string readmeBlock(const std::string& language) {
    const std::string text = readFile(fs::path(HEXMOOR_SOURCE_DIR) / "README.md");
    const std::string fence = "```" + language + "\n";
    const std::size_t start = text.find(fence);
    if (start == std::string::npos) return {};
    const std::size_t end = text.find("```\n", start + fence.size());
    return text.substr(start + fence.size(), end - start - fence.size());
}

} // namespace

TEST(Readme, MakeAndMesonRecipesBuildAndFollowTheFolder) {
    const std::string path =
        "PATH=" + quotedArgument(fs::path(HEXMOOR_CLI_PATH).parent_path().string()) + ":\"$PATH\" ";
    const struct {
        const char* tool;
        const char* buildFile;
        const char* language;
        const char* firstBuild;
        const char* build;
        const char* program;
    } recipes[] = {
        {"make", "Makefile", "make", "make", "make", "./game"},
        {"meson", "meson.build", "meson", "meson setup b && ninja -C b", "ninja -C b", "b/game"},
    };
    const std::string program = readmeBlock("c");
    ASSERT_NE(program.find("assets_find"), std::string::npos);
    for (const auto& recipe : recipes) {
        SCOPED_TRACE(recipe.tool);
        if (runIn(fs::temp_directory_path(), std::string("command -v ") + recipe.tool).status) {
            ADD_FAILURE() << recipe.tool << " is not installed (make deps installs it)";
            continue;
        }
        TestFolder temp;
        fs::create_directories(temp / "assets" / "sub");
        writeFile(temp / "assets" / "a.txt", "text");
        writeFile(temp / "assets" / "sub" / "b.bin", std::string("\0\1", 2));
        writeFile(temp / "main.c", program);
        const std::string recipeText = readmeBlock(recipe.language);
        ASSERT_FALSE(recipeText.empty());
        writeFile(temp / recipe.buildFile, recipeText);
        const auto build = [&](const char* command) {
            const Result result = runIn(temp.path(), path + command);
            EXPECT_EQ(result.status, 0) << result.out << result.err;
        };
        const auto finds = [&](const std::string& names) {
            return runIn(temp.path(), std::string(recipe.program) + " " + names).status == 0;
        };
        build(recipe.firstBuild);
        EXPECT_TRUE(finds("a.txt sub/b.bin"));
        EXPECT_FALSE(finds("missing.txt"));
        writeFile(temp / "assets" / "sub" / "new.txt", "added");
        build(recipe.build);
        EXPECT_TRUE(finds("sub/new.txt a.txt"));
        fs::remove(temp / "assets" / "a.txt");
        build(recipe.build);
        EXPECT_FALSE(finds("a.txt"));
        EXPECT_TRUE(finds("sub/new.txt sub/b.bin"));
    }
}

#endif // _WIN32
