// Generated sources compile with gcc and clang as C99 and C++, and every array equals its input.
#include "converter/FileConverter.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "CompileSupport.h"
#include "converter/VariableName.h"
#include "support/TestSupport.h"
#include "toolkit/TextEncoding.h"

using Zenlo::ZnConversionOptions;
using Zenlo::ZnFileConverter;
using Zenlo::ZnInputFailure;

using testfiles::cLiteral;
using testfiles::hostileInputs;
using testfiles::Input;
using testfiles::run;
using testfiles::TestFolder;
using Zenlo::WideString;

namespace {

// A checker that includes the generated source (or only its header) and compares every array and
// size variable with the input file's bytes, read at run time.
std::string checkerSource(const std::vector<Input>& inputs, const TestFolder& temp,
                          const ZnConversionOptions& options, const std::string& include) {
    // Through the header only the size variable tells the array's length.
    const bool headerOnly = include.ends_with(".h");
    std::string text = "#include <stdio.h>\n#include <string.h>\n#include \"" + include +
                       "\"\n"
                       "static int check(const unsigned char* a, unsigned long long n,\n"
                       "                 unsigned long long declared, const char* path) {\n"
                       "    static unsigned char buffer[8192];\n"
                       "    FILE* f = fopen(path, \"rb\");\n"
                       "    size_t got = f ? fread(buffer, 1, sizeof buffer, f) : 0;\n"
                       "    if (f) fclose(f);\n"
                       "    /* An empty input's array holds one placeholder element. */\n"
                       "    int length_ok = n == declared || (declared == 0 && n == 1);\n"
                       "    if (got != declared || !length_ok || memcmp(a, buffer, got) != 0) {\n"
                       "        printf(\"mismatch: %s\\n\", path);\n"
                       "        return 1;\n"
                       "    }\n"
                       "    return 0;\n"
                       "}\n"
                       "int main(void) {\n    int bad = 0;\n";
    for (const Input& input : inputs) {
        const std::string name =
            Zenlo::utf16ToUtf8(Zenlo::variableName(Zenlo::fromUtf8(input.name), options).view());
        const std::string path = (temp / "in" / input.name).string();
        text += "    bad += check((const unsigned char*)" + name + ", " +
                (headerOnly ? name + "_size" : "sizeof " + name) + ", " + name + "_size, " +
                cLiteral(path) + ");\n";
    }
    return text + "    return bad;\n}\n";
}

struct Variant {
    const char* what;
    int bytesPerLine, upper, comment, arrayQualifiers, sizeQualifiers;
    const char16_t* includes;
};

} // namespace

TEST(CompileTest, GeneratedSourcesCompileAndHoldTheInputBytes) {
    SKIP_WITHOUT_HOST_COMPILERS();
    TestFolder temp;
    std::filesystem::create_directories(temp / "in");
    std::filesystem::create_directories(temp / "out");
    const std::vector<Input> inputs = hostileInputs();
    Zenlo::StringList paths;
    for (const Input& input : inputs) {
        testfiles::writeFile(temp / "in" / input.name, input.bytes);
        paths.add(Zenlo::fromPath(temp / "in" / input.name));
    }
    const Variant variants[] = {
        {"defaults with comment", 16, 0, 1, 3, 3, u"stdint.h;"},
        {"one per line", 1, 1, 1, 3, 3, u"stdint.h;"},
        {"three per line, no qualifiers", 3, 0, 1, 0, 0, u"stddef.h;stdint.h;"},
        {"seven, const only", 7, 1, 1, 2, 2, u";stdint.h;;"},
    };
    const char* compilers[][2] = {{"gcc", "-x c -std=c99"},
                                  {"clang", "-x c -std=c99"},
                                  {"g++", "-x c++"},
                                  {"clang++", "-x c++ -std=c++17"}};
    for (const Variant& variant : variants) {
        SCOPED_TRACE(variant.what);
        ZnFileConverter converter;
        converter.options.bytesPerLine = variant.bytesPerLine;
        converter.options.upperCaseHex = variant.upper;
        converter.options.printableComment = variant.comment;
        converter.options.arrayQualifiers = static_cast<std::uint8_t>(variant.arrayQualifiers);
        converter.options.sizeQualifiers = static_cast<std::uint8_t>(variant.sizeQualifiers);
        converter.options.includeList = variant.includes;
        int failures = 0;
        converter.inputFailed.connect([&](const ZnInputFailure&) { ++failures; });
        converter.run({.inputs = Zenlo::inputsOf(paths),
                       .outputFolder = Zenlo::fromPath(temp / "out") + u"/",
                       .outputFileName = u"h*st\\ile ?\?.c",
                       .emptyInputsAsArrays = true});
        ASSERT_EQ(failures, 0);
        // The checker includes the generated file under a plain name.
        std::filesystem::copy_file(temp / "out" / "h*st\\ile ?\?.c", temp / "out" / "gen.c",
                                   std::filesystem::copy_options::overwrite_existing);
        testfiles::writeFile(temp / "out" / "check.c",
                             checkerSource(inputs, temp, converter.options, "gen.c"));
        for (const auto& compiler : compilers) {
            SCOPED_TRACE(compiler[0]);
            const std::string exe = (temp / "out" / "check").string();
            ASSERT_EQ(run(std::string(compiler[0]) + " " + compiler[1] +
                          " -Wall -Wextra -Werror -Wno-unused-const-variable -o " + exe + " " +
                          (temp / "out" / "check.c").string()),
                      0);
            EXPECT_EQ(run(exe), 0);
        }
    }
}

TEST(CompileTest, HeaderDeclarationsLinkWithTheSourceForEveryQualifierTheHeaderServes) {
    SKIP_WITHOUT_HOST_COMPILERS();
    TestFolder temp;
    std::filesystem::create_directories(temp / "in");
    const std::vector<Input> inputs = hostileInputs();
    Zenlo::StringList paths;
    for (const Input& input : inputs) {
        testfiles::writeFile(temp / "in" / input.name, input.bytes);
        paths.add(Zenlo::fromPath(temp / "in" / input.name));
    }
    // A program includes the header only and links the source: in C a const definition links
    // anyway, in C++ only after the header's extern declaration.
    struct Language {
        const char16_t* source;
        std::string compiler, linker;
    };
    const Language languages[] = {{u"arrays.c", "gcc -x c -std=c99", "gcc"},
                                  {u"arrays.c", "clang -x c -std=c11", "clang"},
                                  {u"arrays.cpp", "g++ -x c++", "g++"},
                                  {u"arrays.cpp", "clang++ -x c++ -std=c++17", "clang++"}};
    // Static variables are not for other units: the header serves none and const.
    const int qualifierSets[] = {0, 2};
    for (const Language& language : languages)
        for (int arrays : qualifierSets)
            for (int sizes : qualifierSets) {
                SCOPED_TRACE(testing::Message()
                             << language.compiler << " array " << arrays << " size " << sizes);
                const std::filesystem::path folder =
                    temp / ("out" + std::to_string(arrays) + std::to_string(sizes));
                std::filesystem::create_directories(folder);
                ZnFileConverter converter;
                converter.options.arrayQualifiers = static_cast<std::uint8_t>(arrays);
                converter.options.sizeQualifiers = static_cast<std::uint8_t>(sizes);
                converter.run({.inputs = Zenlo::inputsOf(paths),
                               .outputFolder = Zenlo::fromPath(folder) + u"/",
                               .outputFileName = language.source,
                               .emptyInputsAsArrays = true});
                testfiles::writeFile(folder / "check.c",
                                     checkerSource(inputs, temp, converter.options, "arrays.h"));
                const std::string out = folder.string();
                const std::string source =
                    out + "/" + Zenlo::utf16ToUtf8(std::u16string_view(language.source));
                // Each file its own unit, compiled apart, then linked.
                const std::string compile = language.compiler + " -Wall -Werror -c -o " + out;
                ASSERT_EQ(run(compile + "/check.o " + out + "/check.c && " + compile +
                              "/arrays.o " + source + " && " + language.linker + " -o " + out +
                              "/check " + out + "/check.o " + out + "/arrays.o"),
                          0);
                EXPECT_EQ(run(out + "/check"), 0);
            }
}
