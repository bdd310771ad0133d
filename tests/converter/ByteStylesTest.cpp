// Escapes of the string style, #embed paths and lines, the style rules, and the order of pieces.
#include "converter/ByteStyles.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "converter/EmbedText.h"
#include "converter/FileConverter.h"
#include "converter/StringLiteral.h"
#include "support/TestSupport.h"
#include "toolkit/TextEncoding.h"

using Zenlo::ZnFileConverter;

using Zenlo::ByteStyle;

namespace {

// The inside of one string literal of the bytes.
std::string escaped(const std::string& bytes) {
    static const Zenlo::StringLineWriter writer;
    std::string text(4 * bytes.size() + 4, '\0');
    const char* end = writer.escape(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                    bytes.size(), text.data());
    text.resize(static_cast<std::size_t>(end - text.data()));
    return text;
}

} // namespace

TEST(StringLiteral, EscapesAreShortAndNothingFollowingExtendsThem) {
    struct Case {
        std::string bytes;
        const char* text;
    };
    const Case cases[] = {
        {"plain text", "plain text"},
        {std::string("\0", 1), "\\0"},
        {std::string("\0"
                     "1",
                     2),
         "\\0001"},
        {std::string("\0"
                     "8",
                     2),
         "\\08"},
        {std::string("\x1f"
                     "7",
                     2),
         "\\0377"},
        {"\x1f"
         "a",
         "\\37a"},
        {"\xff"
         "0",
         "\\3770"},
        {"\x7f", "\\177"},
        {"\x80"
         "f",
         "\\200f"},
        // Hexadecimal digits after an octal escape are plain characters.
        {"\x01"
         "abcdef",
         "\\1abcdef"},
        {"\a\b\t\n\v\f\r", "\\a\\b\\t\\n\\v\\f\\r"},
        {"\"\\'", "\\\"\\\\'"},
        {"\\0", "\\\\0"},
        {"?", "?"},
        {"?\?=", "?\\?="},
        {"?\?\?\?/", "?\\?\\?\\?/"},
        {"?a?", "?a?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(escaped(c.bytes), c.text);
    }
}

TEST(StringLiteral, LinesHoldThirtyTwoBytesAndEveryBlockEndsItsLine) {
    Zenlo::StringLineWriter writer;
    testfiles::TestFolder temp;
    const std::string bytes = std::string(70, 'x');
    Zenlo::OutputFile out;
    ASSERT_TRUE(out.open(Zenlo::fromPath(temp / "lines"), false));
    std::atomic<bool> stop{false};
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    EXPECT_TRUE(writer.writeBlock(data, 40, out, stop));
    EXPECT_TRUE(writer.writeBlock(data + 40, 30, out, stop));
    stop = 1;
    EXPECT_FALSE(writer.writeBlock(data, 40, out, stop));
    ASSERT_TRUE(out.close());
    const std::string line32 = "    \"" + std::string(32, 'x') + "\"\r\n";
    EXPECT_EQ(testfiles::readFile(temp / "lines"),
              line32 + "    \"xxxxxxxx\"\r\n" + "    \"" + std::string(30, 'x') + "\"\r\n");
}

TEST(EmbedText, OnlyNamesThatNeedNoEscapesAreWritten) {
    struct Case {
        const char* path;
        bool usable;
    };
    const Case cases[] = {
        {"../in/logo.png", true},
        {"/abs/Gr\xc3\xbc\xc3\x9f"
         "e (1) $x.txt",
         true},
        {"a/b*c", true},
        {"", false},
        {"quo\"te", false},
        {"back\\slash", false},
        {"it's", false},
        {"line\nbreak", false},
        {"tab\there", false},
        {"a//b", false},
        {"a/*b", false},
        {"tri?\?=", false},
        {"one?two?", true},
        {"bad\xff"
         "utf8",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(Zenlo::isEmbeddablePath(c.path), c.usable);
    }
}

TEST(EmbedText, PathsAreRelativeToTheSourceFolderThroughLinks) {
    SKIP_WITHOUT_POSIX_FILE_KINDS();
    testfiles::TestFolder temp;
    std::filesystem::create_directories(temp / "data" / "sub");
    std::filesystem::create_directories(temp / "real" / "gen");
    std::filesystem::create_directory_symlink(temp / "real" / "gen", temp / "linked");
    testfiles::writeFile(temp / "data" / "sub" / "a.bin", "a");
    std::string text;
    ASSERT_TRUE(Zenlo::embedPathText(Zenlo::fromPath(temp / "data" / "sub" / "a.bin"),
                                     Zenlo::fromPath(temp / "real" / "gen") + u"/", text));
    EXPECT_EQ(text, "../../data/sub/a.bin");
    // Through a linked output folder the path still leads to the file from where the source is.
    ASSERT_TRUE(Zenlo::embedPathText(Zenlo::fromPath(temp / "data" / "sub" / "a.bin"),
                                     Zenlo::fromPath(temp / "linked") + u"/", text));
    EXPECT_EQ(text, "../../data/sub/a.bin");
    EXPECT_FALSE(Zenlo::embedPathText(Zenlo::fromPath(temp / "data" / "it's"),
                                      Zenlo::fromPath(temp / "real") + u"/", text));
}

TEST(EmbedText, DirectiveKeepsTheSizeAndAddsTheTerminator) {
    EXPECT_EQ(Zenlo::embedDirective("../a.bin", 12, false),
              "#embed \"../a.bin\" limit(12) if_empty(0)\r\n");
    EXPECT_EQ(Zenlo::embedDirective("a", 0, true),
              "#embed \"a\" limit(0) suffix(, 0) if_empty(0)\r\n");
}

TEST(ByteStyles, OptionRules) {
    ByteStyle style = ByteStyle::Array;
    EXPECT_TRUE(Zenlo::parseByteStyle("embed", style));
    EXPECT_EQ(style, ByteStyle::Embed);
    EXPECT_TRUE(Zenlo::parseByteStyle("string", style));
    EXPECT_EQ(style, ByteStyle::String);
    EXPECT_TRUE(Zenlo::parseByteStyle("incbin", style));
    EXPECT_EQ(Zenlo::byteStyleName(style), "incbin");
    EXPECT_FALSE(Zenlo::parseByteStyle("String", style));
    EXPECT_FALSE(Zenlo::parseByteStyle("", style));
    EXPECT_EQ(style, ByteStyle::Incbin);

    for (std::int64_t value : {1, 2, 64, 4096})
        EXPECT_TRUE(Zenlo::isAlignment(value)) << value;
    for (std::int64_t value : {0, -4, 3, 48, 8192})
        EXPECT_FALSE(Zenlo::isAlignment(value)) << value;

    struct TypeCase {
        const char16_t* type;
        bool byte;
    };
    const TypeCase types[] = {{u"uint8_t", true},
                              {u"unsigned char", true},
                              {u" unsigned  char ", true},
                              {u"std::uint8_t", true},
                              {u"char", true},
                              {u"int8_t", true},
                              {u"signed  char", true},
                              {u"uint16_t", false},
                              {u"uint8_t*", false},
                              {u"", false}};
    for (const TypeCase& c : types) {
        SCOPED_TRACE(Zenlo::utf16ToUtf8(c.type));
        EXPECT_EQ(Zenlo::isByteElementType(c.type), c.byte);
        EXPECT_TRUE(Zenlo::styleTakesElementType(ByteStyle::Array, c.type));
        EXPECT_EQ(Zenlo::styleTakesElementType(ByteStyle::String, c.type), c.byte);
        EXPECT_EQ(Zenlo::styleTakesElementType(ByteStyle::Embed, c.type), c.byte);
        EXPECT_EQ(Zenlo::styleTakesElementType(ByteStyle::Incbin, c.type), c.byte);
    }
    EXPECT_TRUE(Zenlo::isCSourceName(u"x.c"));
    EXPECT_FALSE(Zenlo::isCSourceName(u"x.cc"));
    EXPECT_FALSE(Zenlo::isCSourceName(u"x.cpp"));
}

// The array style keeps the lines asked for; the others' fallback element lines are one block
// wide, which g++ skips several times faster (incbin's are in its fallback file).
TEST(ByteStyles, ThePassesTogetherTellEveryByteOnce) {
    testfiles::TestFolder temp;
    testfiles::writeFile(temp / "a.bin", testfiles::patternBytes(10001));
    testfiles::writeFile(temp / "b.bin", testfiles::patternBytes(3));
    const std::pair<ByteStyle, int> cases[] = {{ByteStyle::Array, 626 + 1},
                                               {ByteStyle::String, 3 + 1},
                                               {ByteStyle::Embed, 3 + 1},
                                               {ByteStyle::Incbin, 0}};
    for (const auto& [style, elementLines] : cases) {
        SCOPED_TRACE(static_cast<int>(style));
        ZnFileConverter converter;
        std::uint64_t total = 0, told = 0;
        converter.totalBytes.connect([&](std::uint64_t bytes) { total = bytes; });
        converter.progress.connect([&](std::uint64_t bytes) { told += bytes; });
        converter.run({.inputs = {{temp.folder() + u"a.bin"}, {temp.folder() + u"b.bin"}},
                       .outputFolder = temp.folder(),
                       .outputFileName = u"out.cpp",
                       .writeHeader = false,
                       .byteStyle = {style}});
        EXPECT_EQ(total, 10004u);
        EXPECT_EQ(told, total);
        const std::string text = testfiles::readFile(temp / "out.cpp");
        int lines = 0;
        for (auto at = text.find("\n    0x"); at != std::string::npos;
             at = text.find("\n    0x", at + 1))
            ++lines;
        EXPECT_EQ(lines, elementLines);
    }
}

TEST(ByteStyles, AlignmentKeywordFollowsTheSourceLanguage) {
    testfiles::TestFolder temp;
    testfiles::writeFile(temp / "a.bin", "abc");
    struct Case {
        ByteStyle style;
        const char16_t* output;
        const char* opening;
        int openings;
    };
    const Case cases[] = {
        {ByteStyle::Array, u"x.cpp", "alignas(32) static const uint8_t g_a_bin_array[] = {", 1},
        {ByteStyle::Array, u"x.c", "_Alignas(32) static const uint8_t g_a_bin_array[] = {", 1},
        {ByteStyle::String, u"x.cc", "alignas(32) static const uint8_t g_a_bin_array[] = {", 2},
        {ByteStyle::Embed, u"x.c", "_Alignas(32) static const uint8_t g_a_bin_array[] = {", 3},
        {ByteStyle::Incbin, u"x.c", "_Alignas(32) extern const uint8_t g_a_bin_array[3];", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.opening);
        ZnFileConverter converter;
        converter.run({.inputs = {{temp.folder() + u"a.bin"}},
                       .outputFolder = temp.folder(),
                       .outputFileName = c.output,
                       .writeHeader = false,
                       .byteStyle = {c.style, 32, false}});
        const std::string text = testfiles::readFile(temp.path() / Zenlo::toPath(c.output));
        int found = 0;
        for (auto at = text.find(c.opening); at != std::string::npos;
             at = text.find(c.opening, at + 1))
            ++found;
        EXPECT_EQ(found, c.openings) << text;
    }
}
