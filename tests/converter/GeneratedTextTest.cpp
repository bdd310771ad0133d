// The fixed text pieces: file names, guard, extension rule, safe comments, dates, definitions.
#include "converter/GeneratedText.h"

#include <gtest/gtest.h>

#include "converter/OutputNames.h"
#include "support/TestSupport.h"
#include "toolkit/TextEncoding.h"

using Zenlo::ZnConversionOptions;

using Zenlo::WideString;

using testfiles::narrow;

namespace {

// One input's definitions as the source holds them: the heading, then the array's opening line.
std::string sourceDefinitions(const WideString& name, const WideString& variable,
                              std::uint64_t size, const ZnConversionOptions& options) {
    return Zenlo::sourceHeading(name, variable, size, options) +
           Zenlo::arrayOpening(variable, options);
}

} // namespace

TEST(GeneratedText, OutputNames) {
    struct Case {
        const char* what;
        WideString got;
        const char* want;
    };
    const Case cases[] = {
        {"header", Zenlo::headerFileName(u"arrays.cpp"), "arrays.h"},
        {"header two dots", Zenlo::headerFileName(u"my.data.cpp"), "my.data.h"},
        {"header no dot", Zenlo::headerFileName(u"noext"), "noext.h"},
        {"header only ext", Zenlo::headerFileName(u".cpp"), ".h"},
        {"header windows", Zenlo::headerFileName(u"C:\\my.dir\\file", u'\\'), "file.h"},
        {"guard", Zenlo::guardName(u"arrays.h"), "ARRAYS_H"},
        {"guard chars", Zenlo::guardName(u"my file-1(x).h"), "MY_FILE_1_X__H"},
        {"guard non-ascii", Zenlo::guardName(u"\u00e4b.h"),
         "\xc3\xa4"
         "B_H"},
        {"guard composed", Zenlo::guardName(u"a\u0308b.h"),
         "\xc3\xa4"
         "B_H"},
        {"separate", Zenlo::separateOutputName(u"/in/logo.png", u'/'), "logo_png.cpp"},
        {"separate space", Zenlo::separateOutputName(u"my file.bin"), "my file_bin.cpp"},
        {"separate windows", Zenlo::separateOutputName(u"C:\\x.d\\a.b.c", u'\\'), "a_b_c.cpp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(narrow(c.got), c.want);
    }
}

TEST(GeneratedText, NamesCannotBreakTheirComment) {
    EXPECT_EQ(Zenlo::commentSafeName(u"a*/b"), "a*\\/b");
    EXPECT_EQ(Zenlo::commentSafeName(u"**/"), "**\\/");
    EXPECT_EQ(Zenlo::commentSafeName(u"x\ny\rz\x7f\t"), "x?y?z??");
    EXPECT_EQ(Zenlo::commentSafeName(u"/*ok*"), "/*ok*");
    EXPECT_EQ(Zenlo::commentSafeName(u"\u00c4"), "\xc3\x84");
}

TEST(GeneratedText, UtcDates) {
    struct Case {
        std::int64_t seconds;
        int d, mo, y, h, mi, s;
    };
    const Case cases[] = {
        {0, 1, 1, 1970, 0, 0, 0},
        {1796634303, 7, 12, 2026, 9, 5, 3},
        {951782400, 29, 2, 2000, 0, 0, 0},
        {1709251199, 29, 2, 2024, 23, 59, 59},
        {4102444799, 31, 12, 2099, 23, 59, 59},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        Zenlo::DateTime t = Zenlo::utcDateTime(c.seconds);
        EXPECT_EQ((std::vector<int>{t.day, t.month, t.year, t.hour, t.minute, t.second}),
                  (std::vector<int>{c.d, c.mo, c.y, c.h, c.mi, c.s}));
    }
}

TEST(GeneratedText, DefinitionsAndQualifiers) {
    ZnConversionOptions options;
    // Sizes of 2 GiB and more are written in full.
    EXPECT_EQ(sourceDefinitions(u"big.bin", u"g_big", 5000000000ull, options),
              "\r\n/**\r\n *      big.bin file byte array\r\n */\r\n"
              "static const uintmax_t g_big_size = 5000000000;\r\n"
              "static const uint8_t g_big[] = {\r\n");
    struct Case {
        int bits;
        const char* definition;
        const char* declaration;
    };
    const Case cases[] = {
        {0, "T v[] = {", "extern T v[];"},
        {1, "static T v[] = {", "extern T v[];"},
        {2, "const T v[] = {", "extern const T v[];"},
        {3, "static const T v[] = {", "extern const T v[];"},
    };
    options.elementType = u"T";
    options.sizeType = u"S";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        options.arrayQualifiers = static_cast<std::uint8_t>(c.bits);
        options.sizeQualifiers = static_cast<std::uint8_t>(3 - c.bits);
        const std::string definitions = sourceDefinitions(u"f", u"v", 7, options);
        const std::string declarations = Zenlo::headerDeclarations(u"f", u"v", options);
        EXPECT_NE(definitions.find(std::string("\r\n") + c.definition + "\r\n"), std::string::npos);
        EXPECT_NE(declarations.find(std::string("\r\n") + c.declaration + "\r\n"),
                  std::string::npos);
        const Case& size = cases[3 - c.bits];
        std::string sizeDefinition = std::string(size.definition);
        sizeDefinition.replace(sizeDefinition.find("T v[] = {"), 9, "S v_size = 7;");
        EXPECT_NE(definitions.find("\r\n" + sizeDefinition + "\r\n"), std::string::npos);
    }
    options.writeSizeVariable = 0;
    EXPECT_EQ(sourceDefinitions(u"f", u"v", 7, options).find("_size"), std::string::npos);
    EXPECT_EQ(Zenlo::headerDeclarations(u"f", u"v", options).find("_size"), std::string::npos);
}

TEST(GeneratedText, IncludeLines) {
    ZnConversionOptions options;
    const Zenlo::DateTime when{7, 12, 2026, 9, 5, 3};
    const std::string banner = "/**\r\n *      x.c\r\n *\r\n"
                               " *  File generated by \"Hexmoor byte array\"\r\n"
                               " *      Date: 07.12.2026\r\n *      Time: 09:05:03\r\n */\r\n\r\n";
    options.includeList = u"";
    EXPECT_EQ(Zenlo::sourceBanner(u"x.c", when, options), banner);
    options.includeList = u";;a.h; b.h;";
    EXPECT_EQ(Zenlo::sourceBanner(u"x.c", when, options),
              banner + "#include <a.h>\r\n#include < b.h>\r\n\r\n");
    EXPECT_EQ(Zenlo::headerClosing(u"x.h"), "\r\n\r\n#endif /* __X_H__ */\r\n\r\n");
}

TEST(GeneratedText, ACppSourceIncludesItsHeaderOnlyWhereConstNeedsItsLinkage) {
    struct Case {
        const char16_t* name;
        bool header;
        int array, size, sizeVariable;
        bool includes;
    };
    const Case cases[] = {
        {u"a.cpp", true, 2, 2, 1, true},     {u"a.cpp", true, 2, 0, 1, true},
        {u"a.cpp", true, 0, 2, 1, true},     {u"a.cc", true, 2, 2, 0, true},
        {u"a.c++", true, 2, 2, 1, true},     {u"a.cp", true, 2, 2, 1, true},
        {u"a.c", true, 2, 2, 1, false},    // C gives const definitions external linkage
        {u"a.cpp", false, 2, 2, 1, false}, // no header written
        {u"a.cpp", true, 3, 3, 1, false},  // static: nothing to link
        {u"a.cpp", true, 2, 3, 1, false},  // a static size after an extern declaration
        {u"a.cpp", true, 2, 3, 0, true},   // ... unless there is no size variable
        {u"a.cpp", true, 1, 2, 1, false},    {u"a.cpp", true, 0, 0, 1, false},
        {u"a.cpp", true, 0, 2, 0, false},    // the size's qualifiers do not count without it
        {u"q\"x.cpp", true, 2, 2, 1, false}, // no quoted include line can name it
    };
    const Zenlo::DateTime when{7, 12, 2026, 9, 5, 3};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << Zenlo::utf16ToUtf8(std::u16string_view(c.name)) << " "
                                        << c.header << c.array << c.size << c.sizeVariable);
        ZnConversionOptions options;
        options.arrayQualifiers = static_cast<std::uint8_t>(c.array);
        options.sizeQualifiers = static_cast<std::uint8_t>(c.size);
        options.writeSizeVariable = c.sizeVariable;
        EXPECT_EQ(Zenlo::includesOwnHeader(c.name, c.header, options), c.includes);
        const std::string plain = Zenlo::sourceBanner(c.name, when, options);
        const std::string banner = Zenlo::sourceBanner(c.name, when, options, c.header);
        if (!c.includes) {
            EXPECT_EQ(banner, plain); // byte for byte as without the rule
            continue;
        }
        const std::string own =
            "#include \"" + Zenlo::utf16ToUtf8(Zenlo::headerFileName(c.name).view()) + "\"\r\n";
        EXPECT_EQ(banner, plain.substr(0, plain.size() - 2) + own + "\r\n");
    }
    // Right after the include list; with an empty list it stands alone.
    ZnConversionOptions options;
    options.arrayQualifiers = options.sizeQualifiers = 2;
    options.includeList = u"";
    EXPECT_TRUE(Zenlo::sourceBanner(u"a.cpp", when, options, true)
                    .ends_with(" */\r\n\r\n#include \"a.h\"\r\n\r\n"));
}
