// Sources in the string, #embed and incbin styles, aligned and terminated, compile with gcc and
// clang 19 as C and C++ (and with MinGW-w64, run under Wine) in every branch, and each array holds
// exactly its input's bytes.
#include "converter/FileConverter.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CompileSupport.h"
#include "converter/VariableName.h"
#include "support/TestSupport.h"
#include "toolkit/TextEncoding.h"

using Zenlo::ZnFileConverter;
using Zenlo::ZnInputFailure;

using testfiles::Input;
using testfiles::TestFolder;
using Zenlo::ByteStyle;

namespace {

// Every byte value at every position of a literal line, every value before the characters that
// could extend an escape or form a trigraph, runs of '?', and the characters that end literals.
std::vector<Input> escapeInputs() {
    std::string positions;
    for (int line = 0; line < 256; ++line)
        for (int position = 0; position < 32; ++position)
            positions += static_cast<char>((line + 9 * position) & 255);
    std::string pairs;
    const std::string followers = std::string("0123456789abcdefABCDEFxuU?\\\"'\n", 31) + '\0';
    for (int value = 0; value < 256; ++value)
        for (char next : followers)
            pairs += std::string{static_cast<char>(value), next};
    std::string questions;
    for (int run = 1; run < 40; ++run)
        questions += std::string(static_cast<std::size_t>(run), '?') + "=(/)'<!>-"[run % 9];
    std::vector<Input> inputs = testfiles::hostileInputs();
    inputs.push_back({"positions.bin", positions});
    inputs.push_back({"pairs.bin", pairs});
    inputs.push_back({"questions.txt", questions});
    inputs.push_back({"ends.bin", std::string("\"\\\0\"", 4) + "\\"});
    // Clang 19 reads a first #embed byte above 127 in C++ as a negative number.
    inputs.push_back({"high.bin", "\xff\x80\x41"});
    // Comment and statement characters of assemblers, in a path .incbin takes.
    inputs.push_back({"hash#semi;colon@.bin", "#;"});
    return inputs;
}

// A checker that includes the generated source and compares every array and size variable with
// the input file's bytes, read at run time from a copy that any system can open (expected/<n>),
// with the alignment and the terminator.
std::string checkerSource(const std::vector<Input>& inputs, const TestFolder& temp,
                          const Zenlo::ZnConversionOptions& options,
                          const Zenlo::ByteStyleOptions& style, const std::string& include) {
    std::string text =
        "#include <stdint.h>\n#include <stdio.h>\n#include <string.h>\n#include \"" + include +
        "\"\n"
        "static int check(const unsigned char* a, size_t length, unsigned long long size,\n"
        "                 const char* path, unsigned align, int terminated) {\n"
        "    static unsigned char buffer[65536];\n"
        "    FILE* f = fopen(path, \"rb\");\n"
        "    size_t got = f ? fread(buffer, 1, sizeof buffer, f) : 0;\n"
        "    int bad = 0;\n"
        "    if (f) fclose(f);\n"
        "    if (got != size) bad |= 1;\n"
        "    if (memcmp(a, buffer, got) != 0) bad |= 2;\n"
        "    /* At most one zero more: the terminator, the literal's own, a placeholder. */\n"
        "    if (length < size + (terminated || size == 0) || length > size + 1) bad |= 4;\n"
        "    if (terminated && a[size] != 0) bad |= 8;\n"
        "    if (align && (uintptr_t)a % align != 0) bad |= 16;\n"
        "    if (bad) printf(\"mismatch %d: %s\\n\", bad, path);\n"
        "    return bad != 0;\n"
        "}\n"
        "int main(void) {\n    int bad = 0;\n";
    const std::string align = std::to_string(style.align);
    const std::string terminated = style.nullTerminate ? "1" : "0";
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const std::string name = Zenlo::utf16ToUtf8(
            Zenlo::variableName(Zenlo::fromUtf8(inputs[i].name), options).view());
        text += "    bad += check(" + name + ", sizeof " + name + ", " + name + "_size, " +
                testfiles::cLiteral((temp / "expected" / std::to_string(i)).string()) + ", " +
                align + ", " + terminated + ");\n";
    }
    return text + "    return bad;\n}\n";
}

struct StyleCase {
    const char* what;
    ByteStyle style;
    std::uint32_t align;
    bool terminate;
    // A generated source whose name no #include can take (so incbin keeps its fallback inline).
    bool hostileName = true;
};

struct Compiler {
    const char* command;
    bool cpp;
    // Reads #embed (and lists the embedded files in its dependency output).
    bool embeds;
    bool incbinOnly = false;
    // What runs the program it builds.
    std::string runner = "";
};

struct Branch {
    const char* defines;
    // The styles from this one on have the branch (array files have only one).
    ByteStyle firstStyle;
    // The style whose files read the input with #embed here, where the compiler has it.
    std::optional<ByteStyle> embedding;
};

} // namespace

TEST(StyleCompileTest, EveryStyleCompilesInEveryBranchAndHoldsTheInputBytes) {
    SKIP_WITHOUT_HOST_COMPILERS();
    TestFolder temp;
    std::filesystem::create_directories(temp / "in");
    std::filesystem::create_directories(temp / "out");
    std::filesystem::create_directories(temp / "expected");
    const std::vector<Input> inputs = escapeInputs();
    Zenlo::StringList paths;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        testfiles::writeFile(temp / "in" / inputs[i].name, inputs[i].bytes);
        testfiles::writeFile(temp / "expected" / std::to_string(i), inputs[i].bytes);
        paths.add(Zenlo::fromPath(temp / "in" / inputs[i].name));
    }
    const StyleCase cases[] = {
        {"array, aligned and terminated", ByteStyle::Array, 64, true},
        {"string", ByteStyle::String, 0, false},
        {"string, page-aligned and terminated", ByteStyle::String, 4096, true},
        {"embed", ByteStyle::Embed, 0, false},
        {"embed, aligned and terminated", ByteStyle::Embed, 64, true},
        {"incbin", ByteStyle::Incbin, 0, false, false},
        {"incbin, aligned and terminated, fallback inline", ByteStyle::Incbin, 64, true},
    };
    const std::string wine = "WINEPREFIX=" HEXMOOR_TEST_WINEPREFIX " WINEDEBUG=-all wine ";
    const Compiler compilers[] = {
        {"gcc -x c -std=c11", false, false},
        {"clang-19 -x c -std=c11", false, true},
        // Trigraphs are still read before C++17.
        {"g++ -x c++ -std=c++14", true, false},
        {"clang++-19 -x c++ -std=c++14", true, true},
        {"clang++-19 -x c++ -std=c++20", true, true},
        {"gcc -x c -std=c11 -O2 -flto", false, false, true},
        {"clang++-19 -x c++ -std=c++20 -O2 -flto", true, true, true},
        {"x86_64-w64-mingw32-g++-posix -x c++ -std=c++17 -static", true, false, true, wine},
    };
    const Branch branches[] = {{"", ByteStyle::Array, ByteStyle::Embed},
                               {"-DHEXMOOR_FORCE_ARRAYS", ByteStyle::String, {}},
                               {"-DHEXMOOR_NO_EMBED", ByteStyle::Embed, {}},
                               {"-DHEXMOOR_NO_INCBIN", ByteStyle::Incbin, ByteStyle::Incbin}};
    const std::string out = (temp / "out").string();
    for (const StyleCase& styleCase : cases) {
        SCOPED_TRACE(styleCase.what);
        for (const bool cpp : {false, true}) {
            ZnFileConverter converter;
            converter.options.printableComment = 1;
            int failures = 0;
            converter.inputFailed.connect([&](const ZnInputFailure&) { ++failures; });
            // The alignment keyword follows the generated source's extension.
            const std::string gen = cpp ? "gen.cpp" : "gen.c";
            const std::string generated = !styleCase.hostileName ? gen
                                          : cpp                  ? "h*st\\ile ?\?.cpp"
                                                                 : "h*st\\ile ?\?.c";
            const Zenlo::ByteStyleOptions style{styleCase.style, styleCase.align,
                                                styleCase.terminate};
            converter.run({.inputs = Zenlo::inputsOf(paths),
                           .outputFolder = Zenlo::fromPath(temp / "out") + u"/",
                           .outputFileName = Zenlo::fromPath(generated),
                           .writeHeader = false,
                           .emptyInputsAsArrays = true,
                           .byteStyle = style});
            ASSERT_EQ(failures, 0);
            if (generated != gen)
                std::filesystem::copy_file(temp / "out" / generated, temp / "out" / gen,
                                           std::filesystem::copy_options::overwrite_existing);
            testfiles::writeFile(temp / "out" / "check.c",
                                 checkerSource(inputs, temp, converter.options, style, gen));
            for (const Compiler& compiler : compilers) {
                if (compiler.cpp != cpp ||
                    (compiler.incbinOnly && styleCase.style != ByteStyle::Incbin))
                    continue;
                SCOPED_TRACE(compiler.command);
                for (const Branch& branch : branches) {
                    if (styleCase.style < branch.firstStyle) continue;
                    SCOPED_TRACE(branch.defines);
                    const std::string exe = out + "/check.exe";
                    std::filesystem::remove(out + "/check.d");
                    ASSERT_EQ(testfiles::run(std::string(compiler.command) + " " + branch.defines +
                                             " -Wall -Wextra -Werror -pedantic" +
                                             " -Wno-dollar-in-identifier-extension -MD -MF " + out +
                                             "/check.d -o " + exe + " " + out + "/check.c"),
                              0);
                    EXPECT_EQ(testfiles::run(compiler.runner + exe), 0);
                    // The embed branch is taken exactly where #embed is read: the compiler then
                    // lists the input among the dependencies.
                    const bool embedded = compiler.embeds && branch.embedding == styleCase.style;
                    const std::string deps = testfiles::readFile(out + "/check.d");
                    EXPECT_EQ(deps.find("in/positions.bin") != std::string::npos, embedded);
                }
            }
        }
    }
}

// An input that shrank or grew since its incbin text was written stops the build instead of
// disagreeing with its size variable (LLVM's assembler alone would take what is there).
TEST(StyleCompileTest, IncbinInputOfAnotherSizeFailsToAssemble) {
    SKIP_WITHOUT_HOST_COMPILERS();
    TestFolder temp;
    testfiles::writeFile(temp / "a.bin", "abcd");
    ZnFileConverter converter;
    converter.run({.inputs = {{Zenlo::fromPath(temp / "a.bin")}},
                   .outputFolder = temp.folder(),
                   .outputFileName = u"gen.c",
                   .writeHeader = false,
                   .byteStyle = {.style = ByteStyle::Incbin}});
    for (const std::string bytes : {"abcd", "abc", "abcde"}) {
        testfiles::writeFile(temp / "a.bin", bytes);
        for (const std::string compiler : {"gcc", "clang-19"}) {
            SCOPED_TRACE(compiler + " " + bytes);
            EXPECT_EQ(testfiles::run(compiler + " -c -o " + (temp / "gen.o").string() + " " +
                                     (temp / "gen.c").string()) == 0,
                      bytes.size() == 4);
        }
    }
}
