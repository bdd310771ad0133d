// Tests of the language file text rules: decoding, line pieces, keys and escapes.
#include "i18n/LanguageFileText.h"

#include <gtest/gtest.h>

#include <climits>

using namespace Zenlo;

namespace {

std::vector<std::u16string> linesOf(std::u16string_view text) {
    LanguageLineReader reader(text);
    std::vector<std::u16string> lines;
    WideString line;
    while (reader.readLine(line))
        lines.emplace_back(line.view());
    return lines;
}

} // namespace

TEST(LanguageFileText, Decoding) {
    struct Case {
        const char* name;
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {"plain UTF-8", "a\xC3\xA4\n", u"a\u00E4\n"},
        {"UTF-8 mark is dropped", "\xEF\xBB\xBFx", u"x"},
        {"CR LF becomes LF", "a\r\nb\rc\r\r\n", u"a\nb\rc\r\n"},
        {"UTF-16LE with its mark",
         std::string("\xFF\xFE"
                     "a\0\r\0\n\0\x16\x04",
                     10),
         u"a\n\u0416"},
        {"UTF-16LE odd last byte dropped",
         std::string("\xFF\xFE"
                     "a\0b",
                     5),
         u"a"},
        {"invalid UTF-8", "\xFFz", u"\uFFFDz"},
        {"empty", "", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodeLanguageText(c.bytes), c.text);
    }
}

TEST(LanguageFileText, LinePieces) {
    std::u16string x254(254, u'x'), x46(46, u'y');
    struct Case {
        const char* name;
        std::u16string text;
        std::vector<std::u16string> lines;
    } cases[] = {
        {"line ends removed", u"a\nb\r\r\nc", {u"a", u"b", u"c"}},
        {"empty lines kept as empty", u"\n\nz\n", {u"", u"", u"z"}},
        {"300 characters are 254 and 46", x254 + x46 + u"\n", {x254, x46}},
        {"254 characters leave the line end for an empty piece", x254 + u"\nq", {x254, u"", u"q"}},
        {"253 characters and the line end fit", x254.substr(1) + u"\nq", {x254.substr(1), u"q"}},
        {"zero ends a piece's text", std::u16string(u"ab\0cd\nef", 8), {u"ab", u"ef"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(linesOf(c.text), c.lines);
    }
}

TEST(LanguageFileText, KeysReadLikeTheCLibrary) {
    struct Case {
        std::u16string text;
        std::int32_t key;
    } cases[] = {
        {u"201 Add", 201},
        {u"  42 x", 42},
        {u"\t13", 13},
        {u"+7", 7},
        {u"-5 x", -5},
        {u"abc", 0},
        {u"", 0},
        {u"- 5", 0},
        {u"12abc", 12},
        {u"2147483647", INT32_MAX},
        {u"2147483648", INT32_MAX},
        {u"99999999999999999999999", INT32_MAX},
        {u"-2147483648", INT32_MIN},
        {u"-2147483649", INT32_MIN},
        {u"-99999999999999999999", INT32_MIN},
        {u"\u0663", 0},
        {u"007", 7},
        {u"0x10", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(WideString(c.text.c_str()).toUtf8().c_str());
        EXPECT_EQ(parseLanguageKey(c.text), c.key);
    }
}

TEST(LanguageFileText, Escapes) {
    struct Case {
        const char16_t *text, *result;
    } cases[] = {
        {u"One\\nfile", u"One\nfile"}, {u"A\\\\n", u"A\\\n"}, {u"a\\tb", u"a\tb"},
        {u"\\\\t", u"\\\t"},           {u"\\x\\", u"\\x\\"},  {u"\\n\\t\\n", u"\n\t\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(WideString(c.text).toUtf8().c_str());
        EXPECT_TRUE(replaceLanguageEscapes(c.text).equals(c.result));
    }
}

TEST(LanguageFileText, LangIdLine) {
    struct Case {
        const char16_t* line;
        bool valid;
        const char16_t* langId;
    } cases[] = {
        {u"LangID English", true, u"English"},
        {u"  LangID   Deutsch  x", true, u"Deutsch"},
        {u"LangID", false, u""},
        {u"LangID   ", false, u""},
        {u"langid English", false, u""},
        {u"", false, u""},
        {u"LangID\tEnglish", false, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(WideString(c.line).toUtf8().c_str());
        WideString langId;
        EXPECT_EQ(parseLangIdLine(c.line, langId), c.valid);
        if (c.valid) {
            EXPECT_TRUE(langId.equals(c.langId));
        }
    }
}

TEST(LanguageFileText, EntryLines) {
    struct Case {
        const char16_t* line;
        bool entry;
        std::int32_t key;
        const char16_t* text;
    } cases[] = {
        {u"201 Add files", true, 201, u"Add files"},
        {u"207 ", true, 207, u""},
        {u" 42 hello", true, 42, u"42 hello"},
        {u"# a comment", true, 0, u"a comment"},
        {u"201", false, 0, u""},
        {u"", false, 0, u""},
        {u"205 One\\nfile", true, 205, u"One\nfile"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(WideString(c.line).toUtf8().c_str());
        std::int32_t key = -1;
        WideString text;
        EXPECT_EQ(parseEntryLine(c.line, key, text), c.entry);
        if (!c.entry) continue;
        EXPECT_EQ(key, c.key);
        EXPECT_TRUE(text.equals(c.text));
    }
}
