// Names of inputs given by themselves and of inputs found below a folder.
#include "converter/InputNames.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "toolkit/PathText.h"
#include "toolkit/TextEncoding.h"

using Zenlo::ZnConversionOptions;

using Zenlo::WideString;

using testfiles::narrow;

TEST(InputNames, FolderNamesAndFileNames) {
    const struct {
        const char16_t* path;
        const char16_t* folderName;
        const char* shown;
        const char* variable;
        const char* output;
        const char* key;
    } cases[] = {
        // Given by itself: today's names, found by the path as given.
        {u"data/Logo.PNG", u"", "Logo.PNG", "g_logo_png_array", "Logo_PNG.cpp", "data/Logo.PNG"},
        {u"/abs/a.b.c", u"", "a.b.c", "g_a_b_c_array", "a_b_c.cpp", "/abs/a.b.c"},
        // Found below a folder: every part of the relative name counts.
        {u"assets/textures/stone.png", u"textures/stone.png", "textures/stone.png",
         "g_textures_stone_png_array", "textures_stone_png.cpp", "textures/stone.png"},
        {u"in/a b/C-d.x", u"a b/C-d.x", "a b/C-d.x", "g_a_b_c_d_x_array", "a b_C-d_x.cpp",
         "a b/C-d.x"},
        {u"in/\u00e4/\u00d6l", u"\u00e4/\u00d6l", "\xc3\xa4/\xc3\x96l",
         "g_\xc3\xa4_\xc3\x96l_array", "\xc3\xa4_\xc3\x96l.cpp", "\xc3\xa4/\xc3\x96l"},
        {u"in/top.bin", u"top.bin", "top.bin", "g_top_bin_array", "top_bin.cpp", "top.bin"},
    };
    const ZnConversionOptions options;
    for (const auto& c : cases) {
        SCOPED_TRACE(narrow(c.path));
        // Paths as the platform writes them; the key has "/" whatever the platform.
        WideString path(c.path);
        path.replaceAll(u'/', Zenlo::nativeSeparator);
        EXPECT_EQ(narrow(Zenlo::inputName(path, c.folderName)), c.shown);
        EXPECT_EQ(narrow(Zenlo::inputVariableName(path, c.folderName, options)), c.variable);
        EXPECT_EQ(narrow(Zenlo::inputOutputName(path, c.folderName)), c.output);
        EXPECT_EQ(Zenlo::indexKey(path, c.folderName), c.key);
    }
}

// Two files of the same name in different folders get different variables once found below a
// folder, and the naming options act on the whole relative name.
TEST(InputNames, FolderPartsKeepSameFileNamesApart) {
    ZnConversionOptions options;
    options.lowerCaseName = 0;
    options.capitalizeName = 1;
    EXPECT_NE(Zenlo::inputVariableName(u"d/a/x.bin", u"a/x.bin", options),
              Zenlo::inputVariableName(u"d/b/x.bin", u"b/x.bin", options));
    EXPECT_EQ(narrow(Zenlo::inputVariableName(u"d/sub/X.bin", u"sub/X.bin", options)),
              "g_Sub_X_bin_array");
}
