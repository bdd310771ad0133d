// Number text: formatting and both normalisers, with the valid/invalid verdicts.
#include "toolkit/NumberText.h"
#include "toolkit/TextEncoding.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include <climits>

using Zenlo::WideString;

using testfiles::narrow;

TEST(NumberText, Format) {
    EXPECT_EQ(narrow(Zenlo::formatInteger(LLONG_MIN)), "-9223372036854775808");
    EXPECT_EQ(narrow(Zenlo::formatInteger(42)), "42");
    struct Case {
        double value;
        int decimals;
        bool trim;
        const char* want;
    };
    const Case cases[] = {
        {2.0, 8, true, "2.0"},          {2.5, 8, false, "2.50000000"}, {2.0, 0, true, "2.0"},
        {2.0, 0, false, "2."},          {0.125, 8, true, "0.125"},     {100.0, 2, true, "100.0"},
        {1.0 / 0.0, 2, false, "inf.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.want);
        EXPECT_EQ(narrow(Zenlo::formatDecimal(c.value, c.decimals, c.trim)), c.want);
    }
}

TEST(NumberText, NormalizeInteger) {
    struct Case {
        const char16_t* in;
        const char* out;
        bool valid;
    };
    const Case cases[] = {
        {u"", "0", false},      {u"-", "0", true},      {u"0", "0", true},   {u"-000", "0", true},
        {u"0.9", "0", true},    {u"12.99", "12", true}, {u"1,5", "1", true}, {u"1.2.3", "1", true},
        {u"12a.5", "0", false}, {u"-007", "-7", true},  {u"+5", "0", false}, {u" 5", "0", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(WideString(c.in)));
        WideString text(c.in);
        EXPECT_EQ(Zenlo::normalizeIntegerText(text), c.valid);
        EXPECT_EQ(narrow(text), c.out);
    }
}

TEST(NumberText, NormalizeDecimal) {
    struct Case {
        const char16_t* in;
        int decimals;
        const char* out;
        bool valid;
    };
    const Case cases[] = {
        {u"5", 8, "5.00000000", true},
        {u"-5,25", 8, "-5.25000000", true},
        {u"007.500", 8, "7.50000000", true},
        {u".5", 8, "0.50000000", true},
        {u"-0", 8, "0.00000000", true},
        {u"1.123456789", 8, "1.123456789", true},
        {u"1.2.3", 8, "0.00000000", false},
        {u"1e5", 8, "0.00000000", false},
        {u"+5", 8, "0.00000000", false},
        {u" 5", 8, "0.00000000", false},
        {u".", 8, "0.00000000", false},
        {u"", 8, "0.00000000", false},
        {u"5", 0, "5.", true},
        {u"", 0, "0.0", false},
        {u"-0.001", 2, "-0.001", true},
        {u"10", 1, "10.0", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(WideString(c.in)) + " d=" + std::to_string(c.decimals));
        WideString text(c.in);
        EXPECT_EQ(Zenlo::normalizeDecimalText(text, c.decimals), c.valid);
        EXPECT_EQ(narrow(text), c.out);
    }
}
