// Objects of every format, linked by that platform's compilers and linkers into programs that
// check every byte, the size, the alignment and the terminator of each array as they run.
#ifndef _WIN32
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../converter/CompileSupport.h"
#include "support/TestSupport.h"

using testfiles::TestFolder;
namespace fs = std::filesystem;

namespace {

struct Embedded {
    const char* file;
    const char* stem; // the variable is g_<stem>_array, the separate header <stem>.h
    std::string bytes;
};

struct Row {
    const char* format;
    const char* consumer;
    // Programs the row needs; a missing one skips it.
    const char* tools;
    std::vector<std::string> options;
    // Builds "check" from the checker, {sources} and {objects}, the generated sources (the
    // lookup table's) and objects.
    const char* checker;
    std::string build;
    // Runs it; empty where this machine cannot, and the objects' symbols are read back instead.
    std::string run;
};

std::string option(const Row& row, const std::string& name, const std::string& otherwise) {
    for (std::size_t i = 0; i + 1 < row.options.size(); ++i)
        if (row.options[i] == name) return row.options[i + 1];
    return otherwise;
}

bool has(const Row& row, const std::string& name) {
    for (const std::string& given : row.options)
        if (given == name) return true;
    return false;
}

// A C program (C++ too) that compares each array with the bytes it must hold; its exit status
// names what differs. MSVC-style rows link it without a C library, entering at entry().
std::string checkerSource(const std::vector<Embedded>& inputs, const Row& row) {
    const std::string index = option(row, "--index", "");
    std::string text;
    for (const Embedded& input : inputs)
        text += "#include \"" +
                (has(row, "--separate-files") ? input.stem + std::string(".h")
                                              : std::string("arrays.h")) +
                "\"\n";
    if (!index.empty() && has(row, "--separate-files")) text += "#include \"arrays.h\"\n";
    text +=
        "static int check(const unsigned char* a, unsigned long long size, const char* expect,\n"
        "                 unsigned long long n, unsigned align, int terminated) {\n"
        "    unsigned long long i;\n"
        "    int bad = size != n;\n"
        "    for (i = 0; i < n; ++i) bad |= (a[i] != (unsigned char)expect[i]) << 1;\n"
        "    if ((uintptr_t)a % align) bad |= 4;\n"
        "    if (terminated && a[n] != 0) bad |= 8;\n"
        "    return bad;\n}\n"
        "static int checks(void) {\n    int bad = 0;\n";
    const std::string align = option(row, "--align", "1");
    const std::string terminated = has(row, "--null-terminate") ? "1" : "0";
    for (const Embedded& input : inputs) {
        const std::string array = "g_" + std::string(input.stem) + "_array";
        text += "    bad |= check(" + array + ", " + array + "_size, " +
                testfiles::cLiteral(input.bytes) + ", " + std::to_string(input.bytes.size()) +
                ", " + align + ", " + terminated + ");\n";
        if (!index.empty())
            text += "    bad |= (" + index + "_find(\"" + input.file + "\")->data != " + array +
                    ") << 4;\n";
    }
    return text + "    return bad;\n}\n#ifdef ENTRY\nint entry(void) { return checks(); }\n"
                  "#else\nint main(void) { return checks(); }\n#endif\n";
}

// The generated objects (or sources), as a command line lists them.
std::string generated(const fs::path& folder, bool objects) {
    std::string files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string extension = entry.path().extension().string();
        if ((extension == ".o" || extension == ".obj") == objects && extension != ".h")
            files += " out/" + entry.path().filename().string();
    }
    return files;
}

std::string buildCommand(std::string text, const fs::path& folder) {
    for (const bool objects : {false, true}) {
        const std::string name = objects ? "{objects}" : "{sources}";
        const std::string::size_type at = text.find(name);
        if (at != std::string::npos) text.replace(at, name.size(), generated(folder, objects));
    }
    return text;
}

// The first of the row's programs this machine lacks; empty when it has them all.
std::string missingTool(const Row& row, const fs::path& folder) {
    const std::string out = testfiles::runIn(folder, std::string("for t in ") + row.tools +
                                                         "; do command -v $t >/dev/null || "
                                                         "{ echo $t; break; }; done")
                                .out;
    return out.substr(0, out.find('\n'));
}

} // namespace

TEST(ObjectLink, EveryFormatLinksAndItsProgramsFindTheBytes) {
    const std::vector<Embedded> inputs = {
        {"r.bin", "r_bin", testfiles::patternBytes(3000)},
        {"e.bin", "e_bin", ""},
        {"a.bin", "a_bin",
         std::string("\0\xff"
                     "AB",
                     4)},
    };
    const std::string wine =
        std::string("WINEDEBUG=-all WINEPREFIX=") + HEXMOOR_TEST_WINEPREFIX + " wine ./check.exe";
    const std::string strict = " -Wall -Wextra -Werror -Iout -o check check.c* {sources} {objects}";
    // Without a C library: the objects are all there is besides the checker.
    const std::string msvc = "clang-cl-19 /nologo /W4 /WX -DENTRY -Iout /c check.c {sources} && "
                             "lld-link-19 /nologo /nodefaultlib /entry:entry /subsystem:console "
                             "/out:check.exe *.obj {objects}";
    const std::string mingw =
        "-w64-mingw32-g++ -Wall -Werror -Iout -o check.exe check.cpp {sources} {objects}";
    const std::string withStddef = "stdint.h;stddef.h;";
    const Row rows[] = {
        {"coff-x86-64",
         "clang-cl, lld-link",
         "clang-cl-19 lld-link-19 wine",
         {"--size-type", "unsigned long", "--align", "64", "--null-terminate", "--index", "files",
          "-n", "arrays.c"},
         "check.c",
         msvc,
         wine},
        {"coff-x86-64",
         "MinGW-w64 g++",
         "x86_64-w64-mingw32-g++ wine",
         {"--separate-files", "--size-type", "uint32_t"},
         "check.cpp",
         "x86_64" + mingw,
         wine},
        {"coff-i386",
         "clang-cl, lld-link /machine:x86 (no 32-bit Wine: read back)",
         "clang-cl-19 lld-link-19 llvm-readobj-19",
         {"--size-type", "size_t", "--includes", withStddef, "--align", "16"},
         "check.c",
         "CL=--target=i686-pc-windows-msvc " + msvc + " /machine:x86 /safeseh",
         ""},
        {"coff-i386",
         "i686-w64-mingw32-g++ (no 32-bit Wine: read back)",
         "i686-w64-mingw32-g++ llvm-readobj-19",
         {"--separate-files", "--null-terminate", "--index", "files"},
         "check.cpp",
         "i686" + mingw,
         ""},
        {"coff-arm64",
         "clang-cl, lld-link /machine:arm64 (read back)",
         "clang-cl-19 lld-link-19 llvm-readobj-19",
         {"--align", "4096", "--null-terminate"},
         "check.c",
         "CL=--target=aarch64-pc-windows-msvc " + msvc + " /machine:arm64",
         ""},
        {"elf-x86-64",
         "gcc, C, -fPIE",
         "gcc",
         {"--align", "4096", "--null-terminate", "--size-type", "unsigned long long"},
         "check.c",
         "gcc -std=c11 -pedantic -fPIE -pie" + strict,
         "./check"},
        {"elf-x86-64",
         "g++, C++, -static",
         "g++",
         {"--separate-files", "--index", "files", "--size-type", "unsigned long"},
         "check.cpp",
         "g++ -static" + strict,
         "./check"},
        {"elf-x86-64",
         "clang, C, -static",
         "clang-19",
         {"--index", "files", "-n", "arrays.c", "--align", "8"},
         "check.c",
         "clang-19 -static" + strict,
         "./check"},
        {"elf-x86-64",
         "clang++, C++, -fPIE",
         "clang++-19",
         {"--size-type", "std::uint16_t", "--includes", "cstdint;", "--null-terminate"},
         "check.cpp",
         "clang++-19 -fPIE -pie" + strict,
         "./check"},
        {"elf-aarch64",
         "aarch64-linux-gnu-gcc, -static",
         "aarch64-linux-gnu-gcc qemu-aarch64",
         {"--size-type", "size_t", "--includes", withStddef, "--align", "4096", "--index", "files",
          "-n", "arrays.c"},
         "check.c",
         "aarch64-linux-gnu-gcc -static" + strict,
         "qemu-aarch64 ./check"},
        {"elf-i386",
         "gcc -m32",
         "gcc",
         {"--size-type", "size_t", "--includes", withStddef, "--separate-files", "--null-terminate",
          "--align", "32"},
         "check.c",
         "gcc -m32" + strict,
         "./check"},
    };
    std::vector<std::string> skipped;
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.format) + " with " + row.consumer);
        TestFolder temp;
        if (const std::string tool = missingTool(row, temp.path()); !tool.empty()) {
            skipped.push_back(std::string(row.format) + " with " + row.consumer + " (no " + tool +
                              ")");
            continue;
        }
        std::vector<std::string> arguments = {"-q",       "-o",      "out", "--empty-arrays",
                                              "--object", row.format};
        arguments.insert(arguments.end(), row.options.begin(), row.options.end());
        for (const Embedded& input : inputs) {
            testfiles::writeFile(temp / input.file, input.bytes);
            arguments.push_back(input.file);
        }
        const testfiles::RunResult made = testfiles::runCli(temp, arguments);
        ASSERT_EQ(made.status, 0) << made.err;
        testfiles::writeFile(temp / row.checker, checkerSource(inputs, row));
        const testfiles::RunResult built =
            testfiles::runIn(temp.path(), buildCommand(row.build, temp / "out"));
        ASSERT_EQ(built.status, 0) << built.out << built.err;
        if (!row.run.empty()) {
            const testfiles::RunResult ran = testfiles::runIn(temp.path(), row.run);
            EXPECT_EQ(ran.status, 0) << "the program found a difference (1 size, 2 bytes, "
                                        "4 alignment, 8 terminator, 16 table)"
                                     << ran.err;
            continue;
        }
        const testfiles::RunResult read =
            testfiles::runIn(temp.path(), "llvm-readobj-19 --file-headers --sections --symbols" +
                                              generated(temp / "out", true));
        const std::string decoration = std::string(row.format) == "coff-i386" ? "_" : "";
        for (const Embedded& input : inputs)
            EXPECT_NE(read.out.find("Name: " + decoration + "g_" + input.stem + "_array\n"),
                      std::string::npos);
        // The stamp is SOURCE_DATE_EPOCH's (runCli sets it), so the bytes are reproducible.
        EXPECT_NE(read.out.find("TimeDateStamp: 2026-12-07 09:05:03"), std::string::npos);
        const std::string align = option(row, "--align", "");
        if (!align.empty()) {
            EXPECT_NE(read.out.find("IMAGE_SCN_ALIGN_" + align + "BYTES"), std::string::npos);
        }
    }
    if (!skipped.empty())
        GTEST_SKIP() << "tools missing for rows: " << ::testing::PrintToString(skipped);
}

#endif // _WIN32
