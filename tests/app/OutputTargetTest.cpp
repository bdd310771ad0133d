// The window's own output target helpers: the default folder and browse results.
#include "app/OutputTarget.h"

#include <gtest/gtest.h>

#include "toolkit/TextEncoding.h"

using Zenlo::WideString;

namespace {

std::string narrow(const WideString& text) { return Zenlo::utf16ToUtf8(text.view()); }

} // namespace

TEST(WindowOutputTarget, DefaultsAndBrowseResults) {
    EXPECT_EQ(narrow(Zenlo::defaultOutputFolder(u'\\')), "out\\");
    EXPECT_EQ(narrow(Zenlo::defaultOutputFolder(u'/')), "out/");
    Zenlo::ZnOutputChoice choice = Zenlo::splitOutputChoice(u"/tmp/gen/data.c", u'/');
    EXPECT_EQ(narrow(choice.fileName), "data.c");
    EXPECT_EQ(narrow(choice.folder), "/tmp/gen/");
    choice = Zenlo::splitOutputChoice(u"C:\\gen\\data.c", u'\\');
    EXPECT_EQ(narrow(choice.fileName), "data.c");
    EXPECT_EQ(narrow(choice.folder), "C:\\gen\\");
}
