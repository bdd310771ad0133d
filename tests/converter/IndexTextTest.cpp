// The lookup table's text: names, order, literals, and C and C++ programs finding every entry.
#include "converter/IndexText.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "converter/GeneratedText.h"
#include "support/TestSupport.h"

using Zenlo::ZnConversionOptions;

using testfiles::TestFolder;
using testfiles::writeFile;

namespace {

std::vector<std::string> keys(const std::vector<Zenlo::IndexEntry>& entries) {
    std::vector<std::string> result;
    for (const Zenlo::IndexEntry& entry : entries)
        result.push_back(entry.key);
    return result;
}

} // namespace

TEST(IndexText, IndexNamesAreIdentifiers) {
    const struct {
        const char* name;
        bool valid;
    } cases[] = {
        {"assets", true}, {"_x9", true},  {"A_b_C", true}, {"", false},         {"9lives", false},
        {"a-b", false},   {"a b", false}, {"a.b", false},  {"\xc3\xa4", false}, {"a$", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Zenlo::isIndexName(c.name), c.valid);
    }
}

// Byte order, as the generated search compares: capitals before small letters, "-" before "/",
// UTF-8 after ASCII; a shared key is named.
TEST(IndexText, SortedInByteOrderAndSharedKeysRefused) {
    std::vector<Zenlo::IndexEntry> entries = {
        {"b.txt", u"g_b", 1}, {"a/x.bin", u"g_ax", 2}, {"\xc3\xa4.txt", u"g_ae", 3},
        {"a-b", u"g_a_b", 4}, {"Z", u"g_z", 5},        {"a", u"g_a", 6},
    };
    std::string shared;
    ASSERT_TRUE(Zenlo::sortIndexEntries(entries, shared));
    EXPECT_EQ(keys(entries),
              (std::vector<std::string>{"Z", "a", "a-b", "a/x.bin", "b.txt", "\xc3\xa4.txt"}));
    entries.push_back({"a-b", u"g_other", 7});
    EXPECT_FALSE(Zenlo::sortIndexEntries(entries, shared));
    EXPECT_EQ(shared, "a-b");
}

TEST(IndexText, StringLiteralsKeepEveryByte) {
    const struct {
        std::string bytes;
        const char* literal;
    } cases[] = {
        {"a/b.png", "\"a/b.png\""},
        {"q\"uote\\", "\"q\\\"uote\\\\\""},
        {"tri?\?=", "\"tri\\?\\?=\""},
        {"\xc3\xa4"
         "1",
         "\"\\303\\2441\""},
        {std::string("nul\0x", 5), "\"nul\\000x\""},
        {"\t\n\x7f", "\"\\011\\012\\177\""},
        {"", "\"\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.literal);
        EXPECT_EQ(Zenlo::cStringLiteral(c.bytes), c.literal);
    }
}

#ifndef _WIN32
// Compilers run through a POSIX shell.
namespace {

int run(const std::string& command) {
    const int status = std::system((command + " 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

// A table over arrays of one source, and one over arrays of other sources, found by programs in
// C and C++ (also a C program over a table compiled as C++), with every warning an error.
TEST(IndexText, CompiledProgramsFindEveryFileAndNullForOthers) {
    TestFolder temp;
    ZnConversionOptions options;
    options.arrayQualifiers = options.sizeQualifiers = Zenlo::qualifierConst;
    std::vector<Zenlo::IndexEntry> entries = {
        {"textures/stone.png", u"g_stone", 3},
        {"a", u"g_a", 1},
        {"\xc3\xa4pfel \"q\"?\?=.txt", u"g_apple", 2},
        {"empty", u"g_empty", 0},
    };
    std::string shared;
    ASSERT_TRUE(Zenlo::sortIndexEntries(entries, shared));
    const std::string arrays = "const uint8_t g_stone[] = {1, 2, 3};\n"
                               "const uint8_t g_a[] = {4};\n"
                               "const uint8_t g_apple[] = {5, 6};\n"
                               "const uint8_t g_empty[] = {0};\n";
    const std::string head = "#include <stdint.h>\n";
    writeFile(temp / "index.h", head + Zenlo::indexDeclarations("assets", options));
    writeFile(temp / "none.h", head + Zenlo::indexDeclarations("none", options));
    // One output: the arrays and the table in one source that includes the header first.
    writeFile(temp / "one.c", head + "#include \"index.h\"\n" + arrays +
                                  Zenlo::indexDefinitions("assets", entries, options, false));
    // Separate outputs: the table declares the arrays, which another source defines.
    writeFile(temp / "table.c", head + Zenlo::indexDefinitions("assets", entries, options, true));
    // In C++ a const array has external linkage only after an extern declaration (a header).
    std::string externs;
    for (const Zenlo::IndexEntry& entry : entries)
        externs += Zenlo::externArrayDeclaration(entry.variable, options);
    writeFile(temp / "arrays.c", head + externs + arrays);
    writeFile(temp / "empty.c", head + Zenlo::indexDefinitions("none", {}, options, false));
    const std::string check =
        "#include <stdio.h>\n#include <string.h>\n#include \"index.h\"\n"
        "#include \"none.h\"\n"
        "static int expect(const char* path, int size, int first) {\n"
        "    const struct assets_entry* e = assets_find(path);\n"
        "    if (!e || e->size != (uintmax_t)size || strcmp(e->path, path) != 0 ||\n"
        "        (size && e->data[0] != first)) { printf(\"not found: %s\\n\", path); return 1; }\n"
        "    return 0;\n}\n"
        "int main(void) {\n"
        "    int failures = expect(\"textures/stone.png\", 3, 1) + expect(\"a\", 1, 4) +\n"
        "        expect(\"\\303\\244pfel \\\"q\\\"\\?\\?=.txt\", 2, 5) + expect(\"empty\", 0, 0);\n"
        "    const char* absent[] = {\"\", \"b\", \"textures\", \"textures/stone.pn\",\n"
        "        \"textures/stone.png2\", \"A\", \"zzz\", \"\\001\"};\n"
        "    for (unsigned i = 0; i < sizeof absent / sizeof *absent; ++i)\n"
        "        if (assets_find(absent[i])) { printf(\"found: %s\\n\", absent[i]); ++failures; }\n"
        "    if (assets_find(0) || none_find(\"a\") || none_count != 0 || assets_count != 4)\n"
        "        ++failures;\n"
        "    for (uintmax_t i = 1; i < assets_count; ++i)\n"
        "        if (strcmp(assets_entries[i - 1].path, assets_entries[i].path) >= 0) ++failures;\n"
        "    return failures;\n}\n";
    writeFile(temp / "check.c", check);
    const std::string dir = "cd '" + temp.path().string() + "' && ";
    const std::string strict = " -Wall -Wextra -Werror -pedantic ";
    const struct {
        const char* compile;
    } builds[] = {
        {"gcc -std=c99 %W check.c one.c empty.c -o p"},
        {"gcc -std=c99 %W check.c table.c arrays.c empty.c -o p"},
        {"g++ -std=c++11 %W -x c++ check.c -x c++ one.c -x c++ empty.c -o p"},
        {"g++ -std=c++11 %W -x c++ check.c -x c++ table.c -x c++ arrays.c -x c++ empty.c -o p"},
        {"g++ -std=c++11 %W -x c++ -c one.c -o one.o && g++ -std=c++11 %W -x c++ -c empty.c -o "
         "empty.o && gcc -std=c99 %W -c check.c && g++ check.o one.o empty.o -o p"},
        {"clang-19 -std=c99 %W check.c one.c empty.c -o p"},
        {"clang++-19 -std=c++11 %W -x c++ check.c -x c++ table.c -x c++ arrays.c -x c++ empty.c "
         "-o p"},
    };
    for (const auto& build : builds) {
        std::string command = build.compile;
        for (std::size_t at; (at = command.find("%W")) != std::string::npos;)
            command.replace(at, 2, strict);
        SCOPED_TRACE(command);
        if (command.find("clang") != std::string::npos && run("command -v clang-19 >/dev/null"))
            continue;
        ASSERT_EQ(run(dir + command), 0);
        EXPECT_EQ(run(dir + "./p"), 0);
    }
}

#endif // _WIN32
