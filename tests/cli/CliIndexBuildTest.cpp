// The lookup table in compiled programs, and dependency files driving real make and ninja builds.
// Compilers, make and ninja run through a POSIX shell.
#ifndef _WIN32
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/TestSupport.h"

using testfiles::quotedArgument;
using testfiles::readFile;
using Result = testfiles::RunResult;
using testfiles::runCli;
using testfiles::runIn;
using testfiles::TestFolder;
using testfiles::writeFile;
namespace fs = std::filesystem;

namespace {

// Files below "in" whose bytes the programs compare at run time.
const std::vector<std::pair<std::string, std::string>>& assetFiles() {
    static const std::vector<std::pair<std::string, std::string>> files = {
        {"textures/stone.png", testfiles::patternBytes(5000)},
        {"textures/deep/a b.txt", "spaced"},
        {"\xc3\xa4pfel.txt", "apple"},
        {"empty.bin", ""},
        {"top.bin", std::string("\0\1\2?\?=\\\"", 8)},
        {"a-b", "dash sorts before slash"},
        {"a/c", "slash"},
        {"l\xff.bin", "a name that is not UTF-8"},
    };
    return files;
}

void writeAssets(const TestFolder& temp) {
    for (const auto& [name, bytes] : assetFiles()) {
        fs::create_directories((temp / "in" / name).parent_path());
        writeFile(temp / "in" / name, bytes);
    }
}

// A program (C, or C++ when compiled so) that finds each path given after the folder, compares
// the entry with the file's bytes, checks the count, and that other paths give null.
const char* const checkerSource = R"(#include <stdio.h>
#include <string.h>
#include HEADER
static int same(const char* folder, const struct assets_entry* entry) {
    char path[4096], bytes[8192];
    FILE* file;
    size_t size;
    snprintf(path, sizeof path, "%s/%s", folder, entry->path);
    file = fopen(path, "rb");
    if (!file) return 0;
    size = fread(bytes, 1, sizeof bytes, file);
    fclose(file);
    return size == (size_t)entry->size && memcmp(bytes, entry->data, size) == 0;
}
int main(int argc, char** argv) {
    const char* absent[] = {"", "missing", "textures", "textures/stone.pn", "textures/stone.png/",
                            "/top.bin", "TOP.BIN", "a", "a/", "in/top.bin"};
    int failures = 0, i;
    for (i = 2; i < argc; ++i) {
        const struct assets_entry* entry = assets_find(argv[i]);
        if (!entry || strcmp(entry->path, argv[i]) != 0 || !same(argv[1], entry)) {
            printf("not found or different: %s\n", argv[i]);
            ++failures;
        }
    }
    for (i = 0; i < (int)(sizeof absent / sizeof *absent); ++i)
        if (assets_find(absent[i])) printf("found: %s\n", absent[i]), ++failures;
    if (assets_find(0) || assets_count != (unsigned)(argc - 2)) ++failures;
    return failures;
}
)";

std::string keyArguments() {
    std::string text = quotedArgument("in");
    for (const auto& [name, bytes] : assetFiles())
        text += " " + quotedArgument(name);
    return text;
}

} // namespace

// Every file is found by its path below the folder, in both output modes and every style, from C
// and from C++, also across the languages (a C program over a table compiled as C++ and the
// reverse).
TEST(CliIndex, CompiledProgramsFindEveryFile) {
    // Static size variables that nothing reads are the user's to silence, not this test's.
    const std::string strict =
        " -Wall -Wextra -Werror -Wno-unused-const-variable -Igen -DHEADER='\"arrays.h\"' ";
    const struct {
        std::vector<std::string> arguments;
        std::string build;
    } cases[] = {
        {{}, "g++" + strict + "-x c++ check.c gen/arrays.cpp -o p"},
        {{},
         "gcc" + strict + "-c check.c && g++" + strict +
             "-c gen/arrays.cpp && g++ check.o "
             "arrays.o -o p"},
        {{"-n", "arrays.c"}, "gcc -std=c99" + strict + "check.c gen/arrays.c -o p"},
        {{"-n", "arrays.c"},
         "gcc" + strict + "-c gen/arrays.c && g++" + strict +
             "-x c++ check.c -x none arrays.o -o p"},
        // Const arrays in C++ sources: each includes its header, so the table reaches them.
        {{"--separate-files", "--array-qualifiers", "2", "--size-qualifiers", "2"},
         "g++" + strict + "-x c++ check.c gen/*.cpp -o p"},
        {{"--separate-files", "--array-qualifiers", "0", "-n", "arrays.c", "--uppercase-hex"},
         "gcc" + strict + "check.c gen/*.c -o p"},
    };
    // Every style; string and embed over the one-output C++ and C cases and separate files (the
    // rest is the same text around other arrays), incbin (whose arrays are assembler symbols)
    // over every case; embed and incbin also through clang 19, which has #embed.
    // The sizes in the table stay the files' sizes with a terminator and an alignment.
    const bool hasClang19 = runIn(fs::temp_directory_path(), "command -v clang-19").status == 0;
    const auto withClang19 = [](std::string build) {
        for (const auto& [gnu, clang] : {std::pair<std::string, std::string>{"g++", "clang++-19"},
                                         std::pair<std::string, std::string>{"gcc", "clang-19"}})
            for (auto at = build.find(gnu); at != std::string::npos;
                 at = build.find(gnu, at + clang.size()))
                build.replace(at, gnu.size(), clang);
        return build;
    };
    const struct {
        std::vector<std::string> arguments;
        std::vector<std::size_t> cases;
        bool alsoClang19;
    } styles[] = {
        {{"--style", "array"}, {0, 1, 2, 3, 4, 5}, false},
        {{"--style", "string", "--align", "16", "--null-terminate"}, {0, 2, 4}, false},
        {{"--style", "embed"}, {0, 2, 4}, true},
        {{"--style", "incbin", "--align", "16", "--null-terminate"}, {0, 1, 2, 3, 4, 5}, true},
    };
    for (const auto& style : styles) {
        std::vector<std::pair<std::vector<std::string>, std::string>> runs;
        for (std::size_t i : style.cases) {
            runs.push_back({cases[i].arguments, cases[i].build});
            if (style.alsoClang19 && hasClang19)
                runs.push_back({cases[i].arguments, withClang19(cases[i].build)});
        }
        for (const auto& [styleArguments, build] : runs) {
            SCOPED_TRACE(style.arguments[1] + ": " + build);
            TestFolder temp;
            writeAssets(temp);
            writeFile(temp / "check.c", checkerSource);
            std::vector<std::string> arguments = {"-q", "-r", "--empty-arrays", "--index", "assets",
                                                  "-o", "gen"};
            arguments.insert(arguments.end(), style.arguments.begin(), style.arguments.end());
            arguments.insert(arguments.end(), styleArguments.begin(), styleArguments.end());
            arguments.push_back("in");
            const Result generated = runCli(temp, arguments);
            ASSERT_EQ(generated.status, 0) << generated.err;
            const Result built = runIn(temp.path(), build);
            ASSERT_EQ(built.status, 0) << built.out << built.err;
            const Result checked = runIn(temp.path(), "./p " + keyArguments());
            EXPECT_EQ(checked.status, 0) << checked.out << checked.err;
        }
    }
}

// Real builds through the dependency file: the first builds; a second compiles nothing, nor does
// one after an input is rewritten with the same bytes (the outputs are left untouched); a changed
// input rebuilds; a file added to or removed from the folder is picked up. make reruns the tool
// while an untouched output is older than an input (it has no "restat"), yet compiles nothing.
TEST(CliIndex, MakeAndNinjaBuildsFollowTheDependencyFile) {
    const std::string tool =
        "SOURCE_DATE_EPOCH=1796634303 " + quotedArgument(HEXMOOR_CLI_PATH) +
        " -q -r --empty-arrays --index assets -o gen --depfile gen/arrays.d in";
    const std::string compile = "g++ -Igen -DHEADER='\"arrays.h\"' -x c++";
    const struct {
        const char* name;
        const char* buildFile;
        std::string text;
        const char* build;
        // Besides nothing compiled: the build system has nothing left to do.
        const char* settled;
    } systems[] = {
        {"make", "Makefile",
         "p: check.o gen/arrays.o\n\tg++ check.o gen/arrays.o -o p\n"
         "check.o: check.c gen/arrays.h\n\t" +
             compile +
             " -c check.c -o check.o\n"
             "gen/arrays.o: gen/arrays.cpp\n\t" +
             compile +
             " -c gen/arrays.cpp -o gen/arrays.o\n"
             "gen/arrays.cpp gen/arrays.h &:\n\t" +
             tool + "\n-include gen/arrays.d\n",
         "make", nullptr},
        {"ninja", "build.ninja",
         "rule hexmoor\n  command = " + tool +
             "\n  depfile = gen/arrays.d\n  deps = gcc\n  restat = 1\n"
             "rule cc\n  command = " +
             compile +
             " -c $in -o $out\n"
             "rule link\n  command = g++ $in -o $out\n"
             "build gen/arrays.cpp gen/arrays.h: hexmoor\n"
             "build gen/arrays.o: cc gen/arrays.cpp\n"
             "build check.o: cc check.c | gen/arrays.h\n"
             "build p: link check.o gen/arrays.o\n",
         "ninja", "ninja -n | grep -q 'no work to do'"},
    };
    for (const auto& system : systems) {
        SCOPED_TRACE(system.name);
        TestFolder temp;
        writeAssets(temp);
        writeFile(temp / "check.c", checkerSource);
        writeFile(temp / system.buildFile, system.text);
        // The times of what the build compiles and links, to see whether it did.
        const auto compiled = [&] {
            std::vector<fs::file_time_type> times;
            for (const char* file : {"check.o", "gen/arrays.o", "p"})
                times.push_back(fs::last_write_time(temp / file));
            return times;
        };
        const auto build = [&] {
            const Result result = runIn(temp.path(), system.build);
            EXPECT_EQ(result.status, 0) << result.out << result.err;
        };
        const auto buildsNothing = [&] {
            const auto before = compiled();
            build();
            EXPECT_EQ(compiled(), before);
            if (system.settled) {
                EXPECT_EQ(runIn(temp.path(), system.settled).status, 0);
            }
        };
        build();
        EXPECT_EQ(runIn(temp.path(), "./p " + keyArguments()).status, 0);
        buildsNothing();

        // The same bytes written again: the tool runs, its outputs stay as they were.
        writeFile(temp / "in" / "top.bin", readFile(temp / "in" / "top.bin"));
        buildsNothing();
        buildsNothing();

        // A changed input (written after the outputs, so newer): the program sees the new bytes.
        const auto before = compiled();
        writeFile(temp / "in" / "top.bin", "changed");
        build();
        EXPECT_NE(compiled(), before);
        EXPECT_EQ(runIn(temp.path(), "./p " + keyArguments()).status, 0);

        // A file added to a folder below, then one removed: both picked up without a rule
        // naming them.
        writeFile(temp / "in" / "textures" / "new.txt", "new");
        build();
        EXPECT_EQ(runIn(temp.path(), "./p " + keyArguments() + " textures/new.txt").status, 0);
        fs::remove(temp / "in" / "textures" / "new.txt");
        fs::remove(temp / "in" / "a-b");
        build();
        const Result after = runIn(temp.path(), "./p in textures/new.txt a-b");
        EXPECT_EQ(after.status, 3) << after.out; // two not found, and the count is wrong
        buildsNothing();
    }
}

#endif // _WIN32
