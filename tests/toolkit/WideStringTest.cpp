// Edge rules of the string type: storage, edits, searches, split, order, format; UTF-8 decoding.
#include "toolkit/WideString.h"
#include "toolkit/TextEncoding.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include <string>

using Zenlo::NarrowString;
using Zenlo::WideString;
constexpr auto npos = WideString::npos;

using testfiles::narrow;

TEST(WideString, StorageGrowsInStepsAndCopiesFitTheirLength) {
    WideString empty;
    EXPECT_EQ(empty.buffer(), nullptr);
    EXPECT_STREQ(reinterpret_cast<const char*>(empty.c_str()), "");
    WideString copy(empty);
    EXPECT_EQ(copy.buffer(), nullptr);

    // Short texts take little room (a run holds several names per input); long ones grow in
    // steps of 1024.
    WideString text;
    text.append(u'a');
    EXPECT_EQ(text.capacity(), 16u);
    for (int i = 1; i < 16; ++i)
        text.append(u'a');
    EXPECT_EQ(text.capacity(), 32u);
    for (int i = 16; i < 1023; ++i)
        text.append(u'a');
    EXPECT_EQ(text.length(), 1023u);
    EXPECT_EQ(text.capacity(), 1024u);
    text.append(u'a');
    EXPECT_EQ(text.capacity(), 2048u);
    EXPECT_EQ(WideString(text).capacity(), 2048u);
    EXPECT_EQ(WideString(u'x').capacity(), 16u);
    EXPECT_EQ(text.substr(0, 100).capacity(), 128u);
    EXPECT_EQ(WideString(char16_t(0)).buffer(), nullptr);
    EXPECT_EQ(WideString(u"abc").substr(5, 1).buffer(), nullptr);

    WideString moved(std::move(text));
    EXPECT_EQ(moved.length(), 1024u);
    EXPECT_EQ(text.buffer(), nullptr);
    EXPECT_EQ(text.length(), 0u);
}

TEST(WideString, ResizeClearsOldContents) {
    struct Case {
        const char16_t* start;
        WideString::Size n;
    };
    for (Case c : {Case{u"abcdef", 3}, Case{u"", 3}, Case{u"ab", 5}}) {
        SCOPED_TRACE(c.n);
        WideString text(c.start);
        text.resize(c.n);
        EXPECT_EQ(text.length(), c.n);
        for (WideString::Size i = 0; i <= c.n; ++i)
            EXPECT_EQ(text[i], 0);
    }
}

TEST(WideString, InsertEraseAndPieces) {
    WideString empty;
    empty.insert(0, u"abc", 3);
    EXPECT_TRUE(empty.isEmpty());
    WideString b(u"b");
    b.insert(0, u"a", 1);
    EXPECT_TRUE(b.equals(u"ab"));
    WideString end(u"ab");
    end.insert(2, u"x", 1); // never at the end through the text form
    EXPECT_TRUE(end.equals(u"ab"));
    end.insert(2, WideString(u"xyz"), 1, 5); // the string form may append; count is cut
    EXPECT_TRUE(end.equals(u"abyz"));
    end.insert(1, end, 0, 2); // part of itself
    EXPECT_TRUE(end.equals(u"aabbyz"));
    end.insert(7, WideString(u"q"), 0, 1);
    end.insert(0, WideString(u"q"), 2, 1);
    end.insert(0, WideString(u"q"), 0, 0);
    EXPECT_TRUE(end.equals(u"aabbyz"));

    WideString text(u"hello world");
    text.erase(5, 100);
    EXPECT_TRUE(text.equals(u"hello"));
    text.erase(6, 1);
    text.erase(0, 0);
    EXPECT_TRUE(text.equals(u"hello"));
    EXPECT_TRUE(text.left(2).equals(u"he"));
    EXPECT_TRUE(text.left(99).equals(u"hello"));
    EXPECT_TRUE(text.right(3).equals(u"llo"));
    EXPECT_TRUE(text.right(99).equals(u"hello"));
    EXPECT_TRUE(text.substr(1, 3).equals(u"ell"));
    EXPECT_TRUE(text.substr(1, npos).equals(u"ello"));
    EXPECT_TRUE(text.substr(5, 1).isEmpty());
    EXPECT_TRUE(WideString().left(3).isEmpty());
}

TEST(WideString, EmptyingKeepsTheTerminatorAndNeedsNoStorage) {
    struct Case {
        const char* what;
        void (*change)(WideString&);
    };
    const Case cases[] = {
        {"assign empty text", [](WideString& s) { s.assign(u""); }},
        {"operator= empty text", [](WideString& s) { s = u""; }},
        {"assign empty string", [](WideString& s) { s = WideString(); }},
        {"erase all", [](WideString& s) { s.erase(0, npos); }},
        {"format nothing", [](WideString& s) { s.format(u"%s", u""); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WideString text(u"old text");
        c.change(text);
        EXPECT_EQ(text.length(), 0u);
        EXPECT_EQ(text.c_str()[0], u'\0') << "the C-string view still shows the old text";
    }
    // A string without storage: every erase is a no-op, never a null pointer handed on.
    for (WideString::Size position : {WideString::Size{0}, WideString::Size{1}}) {
        WideString none;
        none.erase(position, 3);
        EXPECT_TRUE(none.isEmpty());
        EXPECT_EQ(none.c_str()[0], u'\0');
    }
}

TEST(WideString, Searches) {
    WideString text(u"abcabc");
    struct Case {
        const char* what;
        WideString::Size got, want;
    };
    const Case cases[] = {
        {"find char", text.find(u'c', 0), 2},
        {"find char from 3", text.find(u'c', 3), 5},
        {"find zero char", text.find(char16_t(0), 0), npos},
        {"find char past end", text.find(u'a', 6), npos},
        {"find text", text.find(WideString(u"ca"), 0), 2},
        {"find empty text", text.find(WideString(), 4), 4},
        {"find empty text past end", text.find(WideString(), 99), 6},
        {"find missing text", text.find(WideString(u"x"), 0), npos},
        {"first of", text.findFirstOf(u"xc", 0, npos), 2},
        {"first of count cut", text.findFirstOf(u"xc", 0, 1), npos},
        {"first of count 0", text.findFirstOf(u"a", 0, 0), npos},
        {"first not of char", text.findFirstNotOf(u'a', 0), 1},
        {"first not of zero", text.findFirstNotOf(char16_t(0), 0), npos},
        {"first not of set", text.findFirstNotOf(u"ab", 0, npos), 2},
        {"first not of all", WideString(u"aaa").findFirstNotOf(u'a', 0), npos},
        {"last of", text.findLastOf(u'a', npos), 3},
        {"last of from 2", text.findLastOf(u'a', 2), 0},
        {"last of empty", WideString().findLastOf(u'a', npos), npos},
        {"last not of", text.findLastNotOf(u"c", npos, npos), 4},
        {"last not of all in set", text.findLastNotOf(u"abc", npos, npos), npos},
        {"last not of count 0", text.findLastNotOf(u"c", npos, 0), npos},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.got, c.want);
    }
}

TEST(WideString, RewritesInPlace) {
    WideString escapes(u"a\\nb\\\\n");
    escapes.replaceAll(u"\\n", u'\n');
    EXPECT_TRUE(escapes.equals(u"a\nb\\\n"));
    WideString chars(u"a/b/c");
    chars.replaceAll(u'/', u'\\');
    EXPECT_TRUE(chars.equals(u"a\\b\\c"));

    WideString lead(u"\\\\?\\C:\\out\\");
    lead.trimLeftAny(u"\\?");
    EXPECT_TRUE(lead.equals(u"C:\\out\\"));
    WideString only(u"\\?\\?");
    only.trimLeftAny(u"\\?");
    EXPECT_TRUE(only.isEmpty());

    WideString zeros(u"000");
    zeros.trimLeft(u'0');
    EXPECT_TRUE(zeros.isEmpty());
    WideString tail(u"1.500");
    tail.trimRight(u'0');
    EXPECT_TRUE(tail.equals(u"1.5"));

    WideString mixed(u"aZ\u00e9\u00c9");
    mixed.toUpper();
    EXPECT_TRUE(mixed.equals(u"AZ\u00e9\u00c9"));
    mixed.toLower();
    EXPECT_TRUE(mixed.equals(u"az\u00e9\u00c9"));
}

TEST(WideString, EqualityAndOrderByCodeUnits) {
    EXPECT_TRUE(WideString().equals(static_cast<const char16_t*>(nullptr)));
    EXPECT_TRUE(WideString().equals(u""));
    EXPECT_FALSE(WideString(u"a").equals(u"A"));
    struct Case {
        const char16_t* a;
        const char16_t* b;
        bool less;
    };
    const Case cases[] = {
        {u"a", u"b", true},
        {u"b", u"a", false},
        {u"ab", u"abc", true},
        {u"abc", u"ab", false},
        {u"", u"a", true},
        {u"a", u"", false},
        {u"", u"", false},
        {u"Z", u"a", true},
        {u"\uffff", u"\u0100", false},
        {u"\u00ff", u"\uffff", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(WideString(c.a)) + " < " + narrow(WideString(c.b)));
        EXPECT_EQ(WideString(c.a).less(WideString(c.b)), c.less);
    }
}

TEST(WideString, SplitDropsEmptyPieces) {
    struct Case {
        const char16_t* text;
        std::vector<std::string> pieces;
    };
    const Case cases[] = {
        {u"a;;b;", {"a", "b"}},      {u";", {}},           {u"", {}},
        {u"stdint.h", {"stdint.h"}}, {u";;a.h;", {"a.h"}}, {u"a;b", {"a", "b"}},
    };
    Zenlo::StringList list;
    list.add(WideString(u"stale"));
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(WideString(c.text)));
        WideString(c.text).splitString(u';', list);
        std::vector<std::string> got;
        for (const WideString& piece : list)
            got.push_back(narrow(piece));
        EXPECT_EQ(got, c.pieces);
    }
    Zenlo::StringList many;
    for (int i = 0; i < 12; ++i)
        many.add(WideString(u"x"));
    EXPECT_EQ(many.capacity(), 22u); // 1 + 10, then 11 + 1 + 10
    for (int i = 12; i < 23; ++i)
        many.add(WideString(u"x"));
    EXPECT_EQ(many.capacity(), 34u); // then by half the count: 22 + 1 + 11, so filling is linear
}

TEST(WideString, FormatConversions) {
    WideString word(u"w\u00e9");
    struct Case {
        WideString got;
        const char16_t* want;
    };
    const Case cases[] = {
        {WideString::formatted(u"%s_size", word), u"w\u00e9_size"},
        {WideString::formatted(u"%d|%02d|%ld", -5, 7, 123456789L), u"-5|07|123456789"},
        {WideString::formatted(u"%lld", INT64_MIN), u"-9223372036854775808"},
        {WideString::formatted(u"%0*u", 4, 0u), u"0000"},
        {WideString::formatted(u"%0*u", 0, 0u), u"0"},
        {WideString::formatted(u"%#.*f", 0, 2.0), u"2."},
        {WideString::formatted(u"%#.*f", 3, -2.5), u"-2.500"},
        {WideString::formatted(u"%02x,%02X", 10, 171), u"0a,AB"},
        {WideString::formatted(u"[%*c]", 3, u'x'), u"[  x]"},
        {WideString::formatted(u"100%% %q"), u"100% %q"},
        {WideString::formatted(u"%s", "utf8 \xc3\xa9"), u"utf8 \u00e9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.got));
        EXPECT_TRUE(c.got.equals(c.want));
    }
    WideString reused(u"old text");
    reused.format(u"%d", 1);
    EXPECT_TRUE(reused.equals(u"1"));
    EXPECT_EQ(reused.capacity(), 16u);
    WideString big;
    big.format(u"%*c", 2000, u'y');
    EXPECT_EQ(big.length(), 2000u);
    EXPECT_EQ(big.capacity(), 2048u);
}

TEST(WideString, Utf8AndNativePathRoundTrips) {
    WideString text(u"A\u00e9\u4e2d\U0001F600");
    NarrowString utf8 = text.toUtf8();
    EXPECT_EQ(std::string(utf8.c_str()), "A\xc3\xa9\xe4\xb8\xad\xf0\x9f\x98\x80");
    EXPECT_TRUE(Zenlo::fromUtf8("A\xc3\xa9\xe4\xb8\xad\xf0\x9f\x98\x80").equals(text));
    const char16_t lone[] = {0xD800, u'x', 0};
    EXPECT_EQ(std::string(WideString(lone).toUtf8().c_str()), "\xef\xbf\xbdx");
#ifndef _WIN32
    for (std::string name : {"plain", "caf\xc3\xa9", "bad\xff\xfe", "\xed\xa0\x80"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Zenlo::toPath(Zenlo::fromPath(name)).native(), name);
    }
    EXPECT_EQ(Zenlo::shownText(Zenlo::fromPath("b\xff\xc3").view()), "b\\xFF\\xC3");
#endif
}

// Only well-formed UTF-8 decodes to a code point; each byte of anything else becomes U+FFFD.
TEST(TextEncoding, Utf8DecoderContract) {
    struct Case {
        const char* name;
        std::string bytes;
        std::u16string want;
    };
    const std::u16string bad = u"\ufffd";
    const Case cases[] = {
        {"stray byte",
         "a\xff"
         "b",
         u"a" + bad + u"b"},
        {"lone continuation", "\x80", bad},
        {"two bytes cut at the end", "a\xc3", u"a" + bad},
        {"three bytes cut at the end", "\xe2\x82", bad + bad},
        {"four bytes cut before a letter",
         "\xf0\x9f\x98"
         "b",
         bad + bad + bad + u"b"},
        {"encoded high surrogate", "\xed\xa0\x80", bad + bad + bad},
        {"encoded low surrogate", "\xed\xbf\xbf", bad + bad + bad},
        {"above U+10FFFF", "\xf4\x90\x80\x80", bad + bad + bad + bad},
        {"lead byte beyond F4", "\xf5\x80\x80\x80", bad + bad + bad + bad},
        {"overlong two bytes", "\xc0\xaf", bad + bad},
        {"overlong three bytes", "\xe0\x80\xaf", bad + bad + bad},
        {"overlong four bytes", "\xf0\x8f\xbf\xbf", bad + bad + bad + bad},
        {"last before the surrogates", "\xed\x9f\xbf", u"\ud7ff"},
        {"first after the surrogates", "\xee\x80\x80", u"\ue000"},
        {"smallest three-byte form", "\xe0\xa0\x80", u"\u0800"},
        {"largest code point", "\xf4\x8f\xbf\xbf", u"\U0010FFFF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Zenlo::utf8ToUtf16(c.bytes), c.want);
    }
}
