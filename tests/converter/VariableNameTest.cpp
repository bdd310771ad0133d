// Variable names from file names, and the path text rules they rest on.
#include "converter/VariableName.h"

#include <gtest/gtest.h>

#include "toolkit/TextEncoding.h"

using Zenlo::WideString;

namespace {

std::string narrow(const WideString& text) { return Zenlo::utf16ToUtf8(text.view()); }

} // namespace

TEST(VariableName, NamingOptions) {
    struct Case { const char16_t* path; int lower, capital; const char16_t* prefix; const char* want; };
    const Case cases[] = {
        {u"Logo.PNG", 1, 0, u"g_", "g_logo_png_array"},
        {u"Logo.PNG", 0, 0, u"g_", "g_Logo_PNG_array"},
        {u"logo.png", 0, 1, u"g_", "g_Logo_png_array"},
        {u"LOGO.PNG", 1, 1, u"g_", "g_Logo_png_array"},
        {u"scan-b7 (2).jpg", 1, 0, u"g_", "g_scan_b7__2__jpg_array"},
        {u"1.bin", 1, 0, u"g_", "g_1_bin_array"},
        {u"1.bin", 1, 0, u"", "1_bin_array"},
        {u"a.b.c", 1, 0, u"g_", "g_a_b_c_array"},
        {u"/data/x/$\u00c4b.bin", 1, 1, u"g_", "g_$\xc3\x84" "b_bin_array"},
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

TEST(VariableName, PosixOnlyCharactersAndWindowsSeparator) {
    ZnConversionOptions options;
    options.lowerCaseName = 0;
    WideString hostile(u"a\"b:c?d\\e|f\tg\x7fh$");
    EXPECT_EQ(narrow(Zenlo::variableName(hostile, options, u'/', true)), "g_a_b_c_d_e_f_g_h$_array");
    // On Windows the backslash separates and the set is exactly the 25 characters.
    EXPECT_EQ(narrow(Zenlo::variableName(u"C:\\in\\x|y.bin", options, u'\\', false)),
              "g_x|y_bin_array");
}

TEST(PathText, PartsAndExtensions) {
    struct Case { const char* what; WideString got; const char* want; };
    const Case cases[] = {
        {"file of path", Zenlo::fileNamePart(u"C:\\a\\b.txt", u'\\'), "b.txt"},
        {"file of bare", Zenlo::fileNamePart(u"b.txt", u'\\'), "b.txt"},
        {"file of folder", Zenlo::fileNamePart(u"C:\\a\\", u'\\'), ""},
        {"folder of path", Zenlo::folderPart(u"C:\\a\\b.txt", u'\\'), "C:\\a\\"},
        {"folder of bare", Zenlo::folderPart(u"b.txt", u'\\'), ""},
        {"posix file", Zenlo::fileNamePart(u"/a/b.txt", u'/'), "b.txt"},
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
