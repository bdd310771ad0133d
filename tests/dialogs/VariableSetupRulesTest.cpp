// Variable setup rules: copying options in and back, the header list, the list buttons.
#include "dialogs/VariableSetupRules.h"

#include <gtest/gtest.h>

using namespace Zenlo;

namespace {

TEST(VariableSetupRules, DefaultValuesEqualTheOptionDefaults) {
    EXPECT_EQ(Zenlo::copyIn(ZnConversionOptions{}), ZnVariableSetupValues{});
}

TEST(VariableSetupRules, QualifierBytesSplitAndRebuild) {
    struct Case {
        std::uint8_t bits;
        int isStatic;
        int isConst;
        std::uint8_t rebuilt;
    };
    // Bits above the two low ones are not read and do not come back.
    for (Case c : {Case{0, 0, 0, 0}, Case{1, 1, 0, 1}, Case{2, 0, 1, 2}, Case{3, 1, 1, 3},
                   Case{0xFD, 1, 0, 1}}) {
        SCOPED_TRACE(int(c.bits));
        ZnConversionOptions options;
        options.arrayQualifiers = c.bits;
        options.sizeQualifiers = static_cast<std::uint8_t>(3 - (c.bits & 3));
        ZnVariableSetupValues values = Zenlo::copyIn(options);
        EXPECT_EQ(values.arrayStatic, c.isStatic);
        EXPECT_EQ(values.arrayConst, c.isConst);
        EXPECT_EQ(values.sizeStatic, 1 - c.isStatic);
        EXPECT_EQ(values.sizeConst, 1 - c.isConst);
        ZnConversionOptions back;
        Zenlo::copyBack(values, back);
        EXPECT_EQ(back.arrayQualifiers, c.rebuilt);
        EXPECT_EQ(back.sizeQualifiers, 3 - c.rebuilt);
    }
}

TEST(VariableSetupRules, EveryOptionRoundTrips) {
    ZnConversionOptions options;
    options.namePrefix = u"p_";
    options.nameSuffix = u"";
    options.elementType = u"unsigned char";
    options.sizeType = u"size_t";
    options.includeList = u"a.h;b.h;";
    options.bytesPerLine = 7;
    options.upperCaseHex = 1;
    options.writeSizeVariable = 0;
    options.capitalizeName = 1;
    options.lowerCaseName = 0;
    options.printableComment = 1;
    options.arrayQualifiers = 2;
    options.sizeQualifiers = 1;
    ZnConversionOptions back;
    Zenlo::copyBack(Zenlo::copyIn(options), back);
    EXPECT_EQ(back.namePrefix, options.namePrefix);
    EXPECT_EQ(back.nameSuffix, options.nameSuffix);
    EXPECT_EQ(back.elementType, options.elementType);
    EXPECT_EQ(back.sizeType, options.sizeType);
    EXPECT_EQ(back.includeList, options.includeList);
    EXPECT_EQ(back.bytesPerLine, 7);
    EXPECT_EQ(back.upperCaseHex, 1);
    EXPECT_EQ(back.writeSizeVariable, 0);
    EXPECT_EQ(back.capitalizeName, 1);
    EXPECT_EQ(back.lowerCaseName, 0);
    EXPECT_EQ(back.printableComment, 1);
    EXPECT_EQ(back.arrayQualifiers, 2);
    EXPECT_EQ(back.sizeQualifiers, 1);
}

TEST(VariableSetupRules, HeaderListRowsAndRebuild) {
    struct Case {
        const char16_t* list;
        int rows;
        const char16_t* rebuilt;
    };
    const Case cases[] = {
        {u"stdint.h;", 1, u"stdint.h;"},
        {u"stdint.h", 1, u"stdint.h;"},
        {u"a.h;;b.h;", 2, u"a.h;b.h;"},
        {u";;a.h;", 1, u"a.h;"},
        {u"", 0, u""},
        {u";", 0, u""},
        {u" a.h ;b.h", 2, u" a.h ;b.h;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Zenlo::WideString(c.list).toUtf8().c_str());
        Zenlo::StringList rows = Zenlo::includeRows(c.list);
        EXPECT_EQ(static_cast<int>(rows.count()), c.rows);
        EXPECT_EQ(Zenlo::includeListOf(rows), c.rebuilt);
    }
}

} // namespace
