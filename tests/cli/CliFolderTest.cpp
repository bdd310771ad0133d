// hexmoor-cli with folder inputs, the lookup table, dependency files and dry runs, as users and
// their build systems run it: real compilers, make and ninja.
// The tool run through a POSIX shell, with links below the folders.
#ifndef _WIN32
#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/TestSupport.h"

using testfiles::readFile;
using Result = testfiles::RunResult;
using testfiles::runCli;
using testfiles::runIn;
using testfiles::TestFolder;
using testfiles::writeFile;
namespace fs = std::filesystem;

namespace {

// A folder of assets: nested folders, a hidden file and folder, a non-ASCII name, a name with a
// space, an empty file, a link leading outside and one leading back up (a loop).
struct Assets {
    TestFolder temp;
    Assets() {
        fs::create_directories(temp / "in" / "textures" / "deep");
        fs::create_directories(temp / "in" / ".git");
        writeFile(temp / "in" / "textures" / "stone.png", testfiles::patternBytes(5000));
        writeFile(temp / "in" / "textures" / "deep" / "a b.txt", "spaced");
        writeFile(temp / "in" / "\xc3\xa4pfel.txt", "apple");
        writeFile(temp / "in" / "empty.bin", "");
        writeFile(temp / "in" / "top.bin", std::string("\0\1\2", 3));
        writeFile(temp / "in" / ".hidden", "h");
        writeFile(temp / "in" / ".git" / "config", "c");
        writeFile(temp / "secret.txt", "outside");
        fs::create_symlink("../../secret.txt", temp / "in" / "textures" / "leak");
        fs::create_symlink("..", temp / "in" / "textures" / "up");
    }
    // The relative names a walk finds, in their order.
    static std::vector<std::string> visible() {
        return {"empty.bin", "textures/deep/a b.txt", "textures/stone.png", "top.bin",
                "\xc3\xa4pfel.txt"};
    }
};

// Every file below the folder (relative names), but the run's own .stdout and .stderr.
std::set<std::string> filesBelow(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (!entry.is_directory() && entry.path().filename().string()[0] != '.')
            names.insert(entry.path().lexically_relative(folder).string());
    return names;
}

std::vector<std::string> linesStartingWith(const std::string& text, const std::string& label) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        if (text.compare(at, label.size(), label) == 0)
            lines.push_back(text.substr(at + label.size(), end - at - label.size()));
        at = end + 1;
    }
    return lines;
}

} // namespace

TEST(CliFolder, WalkNamesHiddenLinksAndRefusals) {
    Assets assets;
    fs::create_directories(assets.temp / "in2" / "textures");
    writeFile(assets.temp / "in2" / "textures" / "stone.png", "other");
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::vector<std::string> variables;
        const char* message;
    } cases[] = {
        {{"-r", "in"},
         0,
         {"g_empty_bin_array in/empty.bin",
          "g_textures_deep_a_b_txt_array in/textures/deep/a b.txt",
          "g_textures_stone_png_array in/textures/stone.png", "g_top_bin_array in/top.bin",
          "g_\xc3\xa4pfel_txt_array in/\xc3\xa4pfel.txt"},
         "in/textures/leak: left out, a link leading outside the folder"},
        {{"-r", "in/textures/deep", "in"},
         0,
         {"g_a_b_txt_array in/textures/deep/a b.txt", "g_empty_bin_array in/empty.bin",
          "g_textures_deep_a_b_txt_array in/textures/deep/a b.txt",
          "g_textures_stone_png_array in/textures/stone.png", "g_top_bin_array in/top.bin",
          "g_\xc3\xa4pfel_txt_array in/\xc3\xa4pfel.txt"},
         "in/textures/up: left out, a link leading into a loop"},
        {{"-r", "--hidden", "in/textures/deep", "top.bin"},
         0,
         {"g_a_b_txt_array in/textures/deep/a b.txt", "g_top_bin_array top.bin"},
         ""},
        {{"-r", "--hidden", "--keep-case", "in/.git"}, 0, {"g_config_array in/.git/config"}, ""},
        {{"-r", "in/textures"},
         0,
         {"g_deep_a_b_txt_array in/textures/deep/a b.txt",
          "g_stone_png_array in/textures/stone.png"},
         "in/textures/up: left out, a link leading outside the folder"},
        // Both folders hold textures/stone.png: the table could find only one of them.
        {{"-r", "--index", "assets", "in", "in2"},
         1,
         {},
         "in2/textures/stone.png: is found by the path textures/stone.png in the lookup table, as "
         "is in/textures/stone.png"},
        // "a.b" and "a_b" give one name; so does a file given by itself and found in a folder.
        {{"-r", "clash"}, 1, {}, "clash/a_b: gives the variable name g_a_b_array"},
        {{"-r", "in", "in/top.bin"}, 1, {}, "in/top.bin: gives the variable name g_top_bin_array"},
        // Names that are not UTF-8 stay apart in messages.
        {{"-r", "bytes"}, 1, {}, "bytes/l\\xFF.bin: gives the variable name g_l__bin_array"},
        // The table's own source is the source of an input named "arrays".
        {{"--separate-files", "--array-qualifiers", "2", "--size-qualifiers", "2", "--index", "x",
          "-r", "clash/arrays"},
         1,
         {},
         "gives the output file"},
        {{"--index", "9lives", "top.bin"}, 2, {}, "the index name is a C identifier"},
        {{"--index", "x", "--separate-files", "--array-qualifiers", "3", "top.bin"},
         2,
         {},
         "needs arrays without static"},
        {{"--index", "x", "--separate-files", "--array-qualifiers", "2", "--no-header", "top.bin"},
         2,
         {},
         "needs the headers and size variables without static"},
        {{"--index", "x", "--separate-files", "--size-qualifiers", "3", "top.bin"},
         2,
         {},
         "needs the headers and size variables without static"},
        {{"--depfile", "", "top.bin"}, 2, {}, "a file name is needed"},
        {{"--depfile", "x.d", "100%.bin"}, 1, {}, "100%.bin in a dependency file: make would"},
        // The dependency file is an output like the others; so is every name of one file.
        {{"--depfile", "top.bin", "top.bin"}, 1, {}, "top.bin: the input is an output file"},
        {{"-o", "gen", "--depfile", "gen/arrays.cpp", "top.bin"}, 1, {}, "is written twice"},
        {{"-r", "--depfile", "in/textures/x.d", "in"}, 1, {}, "whose files are inputs"},
        {{"--depfile", "none/x.d", "top.bin"}, 1, {}, "none/x.d: No such file"},
        {{"-o", "alias", "top.bin"}, 1, {}, "arrays.h is the same file as"},
    };
    fs::create_directories(assets.temp / "alias");
    fs::create_symlink("arrays.cpp", assets.temp / "alias" / "arrays.h");
    writeFile(assets.temp / "top.bin", "t");
    writeFile(assets.temp / "100%.bin", "p");
    fs::create_directories(assets.temp / "clash");
    writeFile(assets.temp / "clash" / "a.b", "1");
    writeFile(assets.temp / "clash" / "a_b", "2");
    writeFile(assets.temp / "clash" / "arrays", "3");
    fs::create_directories(assets.temp / "bytes");
    writeFile(assets.temp / "bytes" / "l\xfe.bin", "1");
    writeFile(assets.temp / "bytes" / "l\xff.bin", "2");
    for (const auto& c : cases) {
        std::vector<std::string> arguments = c.arguments;
        arguments.insert(arguments.begin(), "--dry-run");
        SCOPED_TRACE(arguments.back() + " " + c.message);
        const Result result = runCli(assets.temp, arguments);
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_EQ(linesStartingWith(result.out, "variable: "), c.variables);
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    // A real run that is refused writes nothing.
    EXPECT_EQ(runCli(assets.temp, {"-r", "--index", "a", "-o", "gen", "in", "in2"}).status, 1);
    EXPECT_EQ(runCli(assets.temp, {"--depfile", "x.d", "-o", "gen", "100%.bin"}).status, 1);
    EXPECT_EQ(runCli(assets.temp, {"--depfile", "top.bin", "-o", "gen", "top.bin"}).status, 1);
    EXPECT_FALSE(fs::exists(assets.temp / "gen"));
    EXPECT_EQ(readFile(assets.temp / "top.bin"), "t");
}

// What --dry-run lists is exactly what the run then writes, in every output mode.
TEST(CliFolder, DryRunListsExactlyWhatTheRunWrites) {
    const std::vector<std::string> modes[] = {
        {},
        {"--no-header"},
        {"--separate-files", "--array-qualifiers", "0"},
        {"--separate-files", "--array-qualifiers", "2", "--size-qualifiers", "2", "--index",
         "assets", "-n", "all.c"},
        {"--index", "assets", "--depfile", "deps/arrays.d"},
        {"--separate-files", "--no-header", "--depfile", "x.d"},
        {"--object", "elf-x86-64", "--index", "assets", "--depfile", "deps/arrays.d"},
        {"--object", "coff-i386", "--separate-files", "--index", "assets"},
    };
    for (const auto& mode : modes) {
        Assets assets;
        fs::create_directories(assets.temp / "deps");
        std::vector<std::string> arguments = mode;
        arguments.insert(arguments.end(), {"--empty-arrays", "-r", "-o", "gen", "in"});
        SCOPED_TRACE(::testing::PrintToString(arguments));
        const std::set<std::string> before = filesBelow(assets.temp.path());
        arguments.insert(arguments.begin(), "--dry-run");
        const Result dry = runCli(assets.temp, arguments);
        ASSERT_EQ(dry.status, 0) << dry.err;
        EXPECT_EQ(filesBelow(assets.temp.path()), before);
        EXPECT_FALSE(fs::exists(assets.temp / "gen"));
        std::set<std::string> listed;
        for (const std::string& path : linesStartingWith(dry.out, "output: "))
            listed.insert(fs::path(path).lexically_relative(assets.temp.path()).string());
        arguments.erase(arguments.begin());
        const Result real = runCli(assets.temp, arguments);
        ASSERT_EQ(real.status, 0) << real.err;
        std::set<std::string> written;
        for (const std::string& name : filesBelow(assets.temp.path()))
            if (!before.count(name)) written.insert(name);
        EXPECT_EQ(written, listed);
    }
}

#endif // _WIN32
