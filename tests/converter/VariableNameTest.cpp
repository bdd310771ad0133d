// Variable names from file names, and the path text rules they rest on.
#include "converter/VariableName.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "toolkit/TextEncoding.h"

using Zenlo::ZnConversionOptions;

using Zenlo::WideString;

using testfiles::narrow;

TEST(VariableName, NamingOptions) {
    struct Case {
        const char16_t* path;
        int lower, capital;
        const char16_t* prefix;
        const char* want;
    };
    const Case cases[] = {
        {u"Logo.PNG", 1, 0, u"g_", "g_logo_png_array"},
        {u"Logo.PNG", 0, 0, u"g_", "g_Logo_PNG_array"},
        {u"logo.png", 0, 1, u"g_", "g_Logo_png_array"},
        {u"LOGO.PNG", 1, 1, u"g_", "g_Logo_png_array"},
        {u"scan-b7 (2).jpg", 1, 0, u"g_", "g_scan_b7__2__jpg_array"},
        {u"1.bin", 1, 0, u"g_", "g_1_bin_array"},
        {u"1.bin", 1, 0, u"", "1_bin_array"},
        {u"a.b.c", 1, 0, u"g_", "g_a_b_c_array"},
        {u"/data/x/$\u00c4b.bin", 1, 1, u"g_",
         "g_$\xc3\x84"
         "b_bin_array"},
        {u"/dir.v2/noext", 1, 0, u"g_", "g_noext_array"},
        {u".[]{}`'!@#%^&*()-+=~,<>; ", 0, 0, u"", "__________________________array"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(WideString(c.path)));
        ZnConversionOptions options;
        options.lowerCaseName = c.lower;
        options.capitalizeName = c.capital;
        options.namePrefix = c.prefix;
        EXPECT_EQ(narrow(Zenlo::variableName(c.path, options, u'/')), c.want);
    }
}

TEST(VariableName, EveryCharacterNoIdentifierMayHoldBecomesOneUnderscore) {
    ZnConversionOptions options;
    options.lowerCaseName = 0;
    struct Case {
        const char16_t* name;
        const char* want;
    };
    const Case cases[] = {
        // ASCII punctuation beyond the 25, and control characters, on either system.
        {u"a\"b:c?d\\e|f\tg\x7fh$", "g_a_b_c_d_e_f_g_h$_array"},
        {u"x|y.bin", "g_x_y_bin_array"},
        // Symbols and punctuation that gcc and clang reject in identifiers.
        {u"\u00a9\u2019\u00b0\u00b1\u00d7\u00ab\u00a7\u2211", "g__________array"},
        {u"caf\u00e9 \u00bd.txt", "g_caf\xc3\xa9___txt_array"},
        {u"x\u00b2\u2460\u2167", "g_x__\xe2\x85\xa7_array"}, // a Roman numeral is a letter
        {u"\u00a0nbsp\u200b", "g__nbsp__array"},             // no-break and zero-width spaces
        // One character outside the BMP is one "_", not two; a broken pair is one per half.
        {u"smile\U0001F600.png", "g_smile__png_array"},
        {u"\xdc80"
         u"bad\xd83d",
         "g__bad__array"},
        // Names that compile stay exactly as they are: letters of any script, marks, "$".
        {u"Gr\u00fc\u00dfe.txt", "g_Gr\xc3\xbc\xc3\x9f"
                                 "e_txt_array"},
        {u"\u65e5\u672c\u8a9e", "g_\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e_array"},
        {u"nai\u0308ve", "g_na\xc3\xafve_array"}, // decomposed, as some systems store names
        // Written composed (NFC): marks in canonical order, Greek and Cyrillic, a Greek oxia.
        {u"a\u0302\u0323\u03b1\u0301\u0438\u0306\u1f71\u00e9\u0323",
         "g_\xe1\xba\xad\xce\xac\xd0\xb9\xce\xac\xe1\xba\xb9\xcc\x81_array"},
        {u"\u03a9\u043c\u0661", "g_\xce\xa9\xd0\xbc\xd9\xa1_array"},
        {u"\U00020000x", "g_\xf0\xa0\x80\x80x_array"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.want);
        EXPECT_EQ(narrow(Zenlo::variableName(c.name, options, u'/')), c.want);
    }
    // On Windows the backslash separates.
    EXPECT_EQ(narrow(Zenlo::variableName(u"C:\\in\\x.bin", options, u'\\')), "g_x_bin_array");
}

TEST(VariableName, WhatMayBeginAnIdentifier) {
    struct Case {
        const char16_t* name;
        bool starts;
    };
    const Case cases[] = {
        {u"g_1_bin_array", true},
        {u"1_bin_array", false},
        {u"", false},
        {u"_x", true},
        {u"$x", true},
        {u"\u00e9x", true},
        {u"\u0308x", false}, // a combining mark only follows
        {u"\u0661x", false}, // an Arabic-Indic digit is a digit too
        {u"\U00020000", true},
        {u"\xdc80x", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.name));
        EXPECT_EQ(Zenlo::startsAsIdentifier(c.name), c.starts);
    }
}

TEST(PathText, PartsAndExtensions) {
    struct Case {
        const char* what;
        WideString got;
        const char* want;
    };
    const Case cases[] = {
        {"file of path", Zenlo::fileNamePart(u"C:\\a\\b.txt", u'\\'), "b.txt"},
        {"file of bare", Zenlo::fileNamePart(u"b.txt", u'\\'), "b.txt"},
        {"file of folder", Zenlo::fileNamePart(u"C:\\a\\", u'\\'), ""},
        {"folder of path", Zenlo::folderPart(u"C:\\a\\b.txt", u'\\'), "C:\\a\\"},
        {"folder of bare", Zenlo::folderPart(u"b.txt", u'\\'), ""},
        {"posix file", Zenlo::fileNamePart(u"/a/b.txt", u'/'), "b.txt"},
        {"file behind a drive", Zenlo::fileNamePart(u"Z:a.bin", u'\\'), "a.bin"},
        {"drive of a file", Zenlo::folderPart(u"Z:a.bin", u'\\'), "Z:"},
        {"posix colon", Zenlo::fileNamePart(u"Z:a.bin", u'/'), "Z:a.bin"},
        {"shortened", Zenlo::shortenedPath(u"C:\\a\\bb\\cc\\d.txt", 14, u'\\'),
         "C:\\\u2026\\cc\\d.txt"},
        {"short enough", Zenlo::shortenedPath(u"/a/b/c", 6, u'/'), "/a/b/c"},
        {"name alone too long", Zenlo::shortenedPath(u"/a/long-name.txt", 8, u'/'),
         "\u2026ame.txt"},
        {"ext", Zenlo::replaceExtension(u"arrays.cpp", u".h", u'\\'), "arrays.h"},
        {"ext no dot", Zenlo::replaceExtension(u"arrays.cpp", u"h", u'\\'), "arrays.h"},
        {"ext two dots", Zenlo::replaceExtension(u"my.data.cpp", u".h", u'\\'), "my.data.h"},
        {"ext none", Zenlo::replaceExtension(u"noext", u".h", u'\\'), "noext.h"},
        {"ext dotted dir", Zenlo::replaceExtension(u"C:\\my.dir\\file", u".h", u'\\'),
         "C:\\my.dir\\file.h"},
        {"ext only", Zenlo::replaceExtension(u".cpp", u".h", u'\\'), ".h"},
        {"ext folder", Zenlo::replaceExtension(u"C:\\a\\", u".h", u'\\'), "C:\\a\\"},
        {"ext empty", Zenlo::replaceExtension(u"", u".h", u'\\'), ".h"},
        {"long", Zenlo::longPath(u"C:\\x", true), "\\\\?\\C:\\x"},
        {"long posix", Zenlo::longPath(u"/x", false), "/x"},
        {"strip", Zenlo::stripLongPathPrefix(u"\\\\?\\C:\\out\\", true), "C:\\out\\"},
        {"strip unc", Zenlo::stripLongPathPrefix(u"\\\\server\\share", true), "server\\share"},
        {"strip all", Zenlo::stripLongPathPrefix(u"\\?\\\\", true), ""},
        {"strip posix", Zenlo::stripLongPathPrefix(u"/tmp/", false), "/tmp/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(narrow(c.got), c.want);
    }
}
