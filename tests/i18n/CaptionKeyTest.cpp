// Caption keys: the leading number of a caption, with space, sign and 32-bit clamping.
#include "i18n/CaptionKey.h"

#include <gtest/gtest.h>

TEST(CaptionKey, ReadsTheLeadingNumber) {
    struct Case {
        const char16_t* caption;
        std::int32_t key;
    };
    const Case cases[] = {
        {u"201", 201},
        {u"100 About", 100},
        {u" 42", 42},
        {u"\t 42 x", 42},
        {u"-7", -7},
        {u"+12", 12},
        {u"OK", 0},
        {u"?", 0},
        {u"", 0},
        {u"0", 0},
        {u"- 5", 0},
        {u"12abc", 12},
        {u"99999999999", INT32_MAX},
        {u"-99999999999", INT32_MIN},
        {u"\u0665", 0}, // digits of other scripts are not digits here
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(Zenlo::captionKey(c.caption), c.key);
    }
}
