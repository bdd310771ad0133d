// The README's plain-Make and Meson recipes, run as written, with its C program as main.c, and
// its migration recipes compiled, linked and run. make, meson and the compilers run through a
// POSIX shell.
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
        // A touched input that did not change gives the same outputs: make compiles nothing.
        if (recipe.buildFile == std::string("Makefile")) {
            const Result touched = runIn(temp.path(), path + "touch assets/a.txt && make");
            EXPECT_NE(touched.out.find("hexmoor-cli"), std::string::npos) << touched.out;
            EXPECT_EQ(touched.out.find(" -c "), std::string::npos) << touched.out;
        }
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

namespace {

// Compares the array and its size with input.bin, and the terminator; a second unit includes the
// same header.
const char* const recipeChecker = R"(#include <stdio.h>
#include <string.h>
#include HEADER
const void* other(void);
int main(void) {
    static unsigned char bytes[1 << 16];
    FILE* file = fopen("input.bin", "rb");
    size_t size = file ? fread(bytes, 1, sizeof bytes, file) : 0;
    if (file) fclose(file);
    if ((size_t)SIZE != size || memcmp(ARRAY, bytes, size) != 0) return 1;
#ifdef TERMINATED
    if (ARRAY[size] != 0) return 2;
#endif
    return other() == 0;
}
)";
const char* const recipeOther =
    "#include HEADER\nconst void* other(void);\nconst void* other(void) { return ARRAY; }\n";

} // namespace

TEST(Readme, MigrationRecipesCompileWithoutWarningsAndHoldEveryByte) {
    const std::string path =
        "PATH=" + quotedArgument(fs::path(HEXMOOR_CLI_PATH).parent_path().string()) +
        ":\"$PATH\"; export PATH; ";
    const std::string readme = readFile(fs::path(HEXMOOR_SOURCE_DIR) / "README.md");
    const struct {
        const char* command; // as the README writes it, when inReadme
        bool inReadme, c;    // c: compiled as C too, not only as C++
        const char *header, *array, *size, *sources, *defines, *section; // readelf -S lists it
    } recipes[] = {
        {"hexmoor-cli logo.png", false, false, "arrays.h", "g_logo_png_array",
         "g_logo_png_array_size", "arrays.cpp", "", ""},
        {"hexmoor-cli -n arrays.c logo.png", false, true, "arrays.h", "g_logo_png_array",
         "g_logo_png_array_size", "arrays.c", "", ""},
        {"hexmoor-cli -n logo.h --name logo_png --element-type \"unsigned char\" --size-type "
         "\"unsigned int\" --size-suffix _len --includes \"\" logo.png",
         true, true, "logo.h", "logo_png", "logo_png_len", "", "", ""},
        {"hexmoor-cli -n shader.h --style string --element-type char --null-terminate "
         "--name shader_text shader.glsl",
         true, true, "shader.h", "shader_text", "shader_text_size", "", "-DTERMINATED", ""},
        {"cat logo.png | hexmoor-cli --name logo --stdout - > logo.inc", true, true, "logo.inc",
         "logo", "logo_size", "", "", ""},
        // The element lines of the fallback take char and signed char through casts.
        {"hexmoor-cli -n s8.h --style embed --element-type \"signed char\" --name s8 logo.png",
         false, true, "s8.h", "s8", "s8_size", "", "-DHEXMOOR_FORCE_ARRAYS", ""},
        {"hexmoor-cli -n c.h --style string --element-type char --name text logo.png", false, true,
         "c.h", "text", "text_size", "", "-DHEXMOOR_FORCE_ARRAYS", ""},
        {"hexmoor-cli --style embed --index assets -n idx.c logo.png", false, true, "idx.h",
         "g_logo_png_array", "g_logo_png_array_size", "idx.c", "", ""},
        {"hexmoor-cli --separate-files --index assets -n tab.c logo.png", false, true, "logo_png.h",
         "g_logo_png_array", "g_logo_png_array_size", "logo_png.c tab.c", "", ""},
        {"hexmoor-cli @list.txt", false, true, "list.h", "spaced", "spaced_size", "", "", ""},
        {"hexmoor-cli -n sec.c --section .hexmoor_assets logo.png", false, true, "sec.h",
         "g_logo_png_array", "g_logo_png_array_size", "sec.c", "", ".hexmoor_assets"},
        {"hexmoor-cli -n avr.h --attribute PROGMEM --name logo logo.png", false, true, "avr.h",
         "logo", "logo_size", "", "'-DPROGMEM=__attribute__((aligned(4)))'", ""},
        {"hexmoor-cli -n incbin.h --name gLogoData --size-suffix Size --align 16 logo.png", true,
         true, "incbin.h", "gLogoData", "gLogoDataSize", "", "", ""},
    };
    const std::string warnings = " -Wall -Wextra -Wpedantic -Werror -Wunused-const-variable "
                                 "-Wmissing-declarations -Wredundant-decls -Wcast-qual ";
    const std::string clang = " -Wmissing-variable-declarations";
    const std::string compilers[] = {"gcc -x c -std=c11", "clang-19 -x c -std=c11" + clang,
                                     "g++ -x c++ -std=c++17",
                                     "clang++-19 -x c++ -std=c++17" + clang};
    for (const auto& recipe : recipes) {
        SCOPED_TRACE(recipe.command);
        EXPECT_TRUE(!recipe.inReadme || readme.find(recipe.command) != std::string::npos);
        TestFolder temp;
        for (const char* name : {"logo.png", "shader.glsl", "it's my logo.png", "input.bin"})
            writeFile(temp / name, testfiles::patternBytes(3000));
        writeFile(temp / "list.txt", "-n list.h\n--name spaced \"it's my logo.png\"\n");
        writeFile(temp / "check.c", recipeChecker);
        writeFile(temp / "other.c", recipeOther);
        const Result made = runIn(temp.path(), path + "(" + recipe.command + ")");
        ASSERT_EQ(made.status, 0) << made.err;
        EXPECT_EQ(made.err, "");
        for (const std::string& compiler : compilers) {
            if (compiler.find("-x c ") != std::string::npos && !recipe.c) continue;
            SCOPED_TRACE(compiler);
            const Result built =
                runIn(temp.path(), compiler + warnings + recipe.defines + " -DHEADER='\"" +
                                       recipe.header + "\"' -DARRAY=" + recipe.array + " -DSIZE=" +
                                       recipe.size + " -o check check.c other.c " + recipe.sources);
            ASSERT_EQ(built.status, 0) << built.err << readFile(temp / recipe.header);
            EXPECT_EQ(runIn(temp.path(), "./check").status, 0);
            const std::string sections = "readelf -S check | grep -F -e ";
            EXPECT_TRUE(!*recipe.section ||
                        runIn(temp.path(), sections + recipe.section).status == 0);
        }
    }
}

// The README's CMake example as a C++ and as a C project (project(game C) gets .c sources),
// the tool given to it as an imported target.
TEST(Readme, CMakeExampleBuildsAsCppAndAsC) {
    const std::string readme = readFile(fs::path(HEXMOOR_SOURCE_DIR) / "README.md");
    const std::string first = "    find_package(Hexmoor REQUIRED)\n";
    const std::size_t start = readme.find(first);
    ASSERT_NE(start, std::string::npos);
    const std::string example = readme.substr(start, readme.find("\n\n", start) - start + 1);
    const std::string main = "#include <string.h>\n#include \"assets.h\"\nint main(void) {\n"
                             "    return g_logo_png_array_size != 4 || g_level1_dat_array_size != 1"
                             " || memcmp(g_logo_png_array, \"logo\", 4) != 0;\n}\n";
    for (const std::string language : {"CXX", "C"}) {
        SCOPED_TRACE(language);
        TestFolder temp;
        fs::create_directories(temp / "assets");
        writeFile(temp / "assets" / "logo.png", "logo");
        writeFile(temp / "assets" / "level1.dat", "1");
        const std::string source = language == "C" ? "main.c" : "main.cpp";
        writeFile(temp / source, main);
        std::string project = example;
        project.replace(
            0, first.size(),
            "cmake_minimum_required(VERSION 3.20)\nproject(game " + language +
                ")\nadd_executable(Hexmoor::hexmoor-cli IMPORTED)\n"
                "set_target_properties(Hexmoor::hexmoor-cli PROPERTIES IMPORTED_LOCATION \"" +
                std::string(HEXMOOR_CLI_PATH) +
                "\")\ninclude(\"" HEXMOOR_SOURCE_DIR "/cmake/HexmoorEmbed.cmake\")\n");
        if (language == "C") project.replace(project.find("main.cpp"), 8, "main.c");
        writeFile(temp / "CMakeLists.txt", project);
        const Result built = runIn(temp.path(), "cmake -S . -B b -G Ninja >/dev/null && "
                                                "cmake --build b && ./b/game");
        EXPECT_EQ(built.status, 0) << built.out << built.err;
        EXPECT_EQ(fs::exists(temp / "b" / "hexmoor_embed" / "game" / "assets.c"), language == "C");
    }
}

#endif // _WIN32
