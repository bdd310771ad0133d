// Numeric edit rules: typed-character checks, commits with clamping, steps and leading numbers.
#include "toolkit/dialogrules/NumericEditRules.h"
#include "toolkit/TextEncoding.h"

#include "support/TestSupport.h"
#include <gtest/gtest.h>

using namespace Zenlo;
using Verdict = ZnNumericEditRules::CharVerdict;

using testfiles::narrow;

namespace {

ZnNumericEditRules inMode(int mode) {
    ZnNumericEditRules rules;
    rules.mode = mode;
    return rules;
}

} // namespace

TEST(NumericEditRules, JudgeCharInIntegerMode) {
    struct Case {
        char16_t c;
        const char16_t* text;
        unsigned from, to;
        int allowNeg;
        Verdict want;
    };
    const Case cases[] = {
        {u'5', u"", 0, 0, 1, Verdict::accept},
        {u'a', u"", 0, 0, 1, Verdict::refuse},
        {u'.', u"1", 1, 1, 1, Verdict::refuse},
        {u'-', u"", 0, 0, 0, Verdict::refuse},
        {u'-', u"", 0, 0, 1, Verdict::accept},
        {u'-', u"12", 1, 1, 1, Verdict::refuse},
        // Caret at the start of "-3": the existing sign would stay, so a second one is refused.
        {u'-', u"-3", 0, 0, 1, Verdict::refuse},
        {u'-', u"-3", 0, 2, 1, Verdict::accept},
        {u'-', u"-3", 0, 1, 1, Verdict::accept},
        {u' ', u"", 0, 0, 1, Verdict::refuse},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(WideString(c.text)) + " + " + static_cast<char>(c.c));
        ZnNumericEditRules rules = inMode(ZnNumericEditRules::integerMode);
        rules.allowNegative = c.allowNeg;
        EXPECT_EQ(rules.judgeChar(c.c, c.text, c.from, c.to), c.want);
    }
}

TEST(NumericEditRules, JudgeCharInDecimalAndPlainMode) {
    ZnNumericEditRules rules = inMode(ZnNumericEditRules::decimalMode);
    EXPECT_EQ(rules.judgeChar(u',', u"12", 2, 2), Verdict::acceptAsPoint);
    EXPECT_EQ(rules.judgeChar(u'.', u"12", 2, 2), Verdict::accept);
    EXPECT_EQ(rules.judgeChar(u'.', u"12.", 3, 3), Verdict::refuse);
    // The point inside the selection will be replaced, so a new one may come.
    EXPECT_EQ(rules.judgeChar(u'.', u"12.5", 2, 3), Verdict::accept);
    EXPECT_EQ(rules.judgeChar(u'.', u"12.5", 3, 4), Verdict::refuse);
    EXPECT_EQ(rules.judgeChar(u'e', u"1", 1, 1), Verdict::refuse);
    ZnNumericEditRules plain;
    EXPECT_EQ(plain.judgeChar(u'x', u"abc", 0, 0), Verdict::accept);
}

TEST(NumericEditRules, CommitCleansAndClamps) {
    struct Case {
        int mode;
        const char16_t* in;
        int allowNeg;
        std::int64_t min, max;
        const char* shown;
    };
    const Case cases[] = {
        {0, u"-42", 0, INT64_MIN, INT64_MAX, "42"},
        {0, u"", 1, INT64_MIN, INT64_MAX, "0"},
        {0, u"007", 1, INT64_MIN, INT64_MAX, "7"},
        {0, u"12.9", 1, INT64_MIN, INT64_MAX, "12"},
        {0, u"500", 1, 1, 100, "100"},
        {0, u"-5", 1, 1, 100, "1"},
        {0, u"abc", 1, INT64_MIN, INT64_MAX, "0"},
        {0, u"99999999999999999999", 1, INT64_MIN, INT64_MAX, "9223372036854775807"},
        // The most negative value has no positive twin: the largest value stands in.
        {0, u"-9223372036854775808", 0, INT64_MIN, INT64_MAX, "9223372036854775807"},
        // A forbidden sign goes before the bounds apply: the result always lies inside them.
        {0, u"-5", 0, 1, 100, "5"},
        {0, u"-500", 0, 1, 100, "100"},
        {0, u"-0", 0, 1, 100, "1"},
        {1, u"2,50", 1, 0, 0, "2.5"},
        {1, u"-0.125", 0, 0, 0, "0.125"},
        {2, u" free text ", 1, 0, 0, " free text "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(WideString(c.in)));
        ZnNumericEditRules rules = inMode(c.mode);
        rules.allowNegative = c.allowNeg;
        if (c.mode == 0) rules.integerMinimum = c.min, rules.integerMaximum = c.max;
        EXPECT_EQ(narrow(rules.commit(c.in)), c.shown);
    }
}

TEST(NumericEditRules, DecimalSignDroppedBeforeTheBounds) {
    ZnNumericEditRules rules = inMode(ZnNumericEditRules::decimalMode);
    rules.allowNegative = 0;
    rules.decimalMinimum = 1.0;
    rules.decimalMaximum = 2.0;
    rules.commit(u"-1.5");
    EXPECT_EQ(rules.currentDecimal, 1.5);
    rules.commit(u"-5");
    EXPECT_EQ(rules.currentDecimal, 2.0);
}

TEST(NumericEditRules, OutsideTextKeepsCleanTextButClampsValue) {
    ZnNumericEditRules rules = inMode(ZnNumericEditRules::integerMode);
    rules.integerMaximum = 100;
    EXPECT_EQ(narrow(rules.takeOutsideText(u"0500")), "500");
    EXPECT_EQ(rules.currentInteger, 100);
    EXPECT_EQ(narrow(rules.commit(u"500")), "100");
}

TEST(NumericEditRules, StepsStayInsideBounds) {
    ZnNumericEditRules rules = inMode(ZnNumericEditRules::integerMode);
    rules.integerMinimum = 0;
    rules.integerMaximum = 7;
    rules.currentInteger = 5;
    WideString shown;
    EXPECT_TRUE(rules.step(true, false, shown));
    EXPECT_EQ(narrow(shown), "6");
    EXPECT_TRUE(rules.step(true, true, shown));
    EXPECT_EQ(narrow(shown), "7");
    shown = u"unchanged";
    EXPECT_FALSE(rules.step(true, false, shown));
    EXPECT_EQ(narrow(shown), "unchanged");
    EXPECT_TRUE(rules.step(false, true, shown));
    EXPECT_EQ(rules.currentInteger, 2);
    EXPECT_TRUE(rules.step(false, true, shown));
    EXPECT_EQ(rules.currentInteger, 0);
    EXPECT_FALSE(rules.step(false, false, shown));

    ZnNumericEditRules wide = inMode(ZnNumericEditRules::integerMode);
    wide.currentInteger = INT64_MAX - 1;
    EXPECT_TRUE(wide.step(true, true, shown));
    EXPECT_EQ(wide.currentInteger, INT64_MAX);

    ZnNumericEditRules real = inMode(ZnNumericEditRules::decimalMode);
    real.currentDecimal = 1.5;
    EXPECT_TRUE(real.step(true, false, shown));
    EXPECT_EQ(narrow(shown), "2.5");
    ZnNumericEditRules plain;
    EXPECT_FALSE(plain.step(true, false, shown));
}

TEST(NumericEditRules, IntegerResultAndTypedValues) {
    ZnNumericEditRules real = inMode(ZnNumericEditRules::decimalMode);
    real.currentDecimal = 2.9;
    EXPECT_EQ(real.integerResult(), 2);
    real.currentDecimal = -2.9;
    EXPECT_EQ(real.integerResult(), -2);
    real.currentDecimal = 1e300;
    EXPECT_EQ(real.integerResult(), INT64_MAX);
    real.readTyped(u"12.");
    EXPECT_DOUBLE_EQ(real.currentDecimal, 12.0);
    EXPECT_EQ(ZnNumericEditRules().integerResult(), 0);

    ZnNumericEditRules whole = inMode(ZnNumericEditRules::integerMode);
    whole.integerMaximum = 10;
    whole.readTyped(u"55");
    EXPECT_EQ(whole.currentInteger, 55) << "typing does not clamp";
}

TEST(NumericEditRules, LeadingNumbers) {
    struct Case {
        const char16_t* in;
        std::int64_t whole;
        double real;
    };
    const Case cases[] = {
        {u"", 0, 0.0},           {u"  42abc", 42, 42.0},
        {u"+7", 7, 7.0},         {u"-", 0, 0.0},
        {u"\t-3.75", -3, -3.75}, {u"1e3", 1, 1000.0},
        {u"x12", 0, 0.0},        {u"-99999999999999999999", INT64_MIN, -1e20},
        {u"2.5e-1", 2, 0.25},    {u".5", 0, 0.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(WideString(c.in)));
        EXPECT_EQ(Zenlo::leadingInteger(c.in), c.whole);
        EXPECT_DOUBLE_EQ(Zenlo::leadingDecimal(c.in), c.real);
    }
}
