// List rules: which commands apply, where a move lands, the selection after a removal.
#include "toolkit/dialogrules/ListRules.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using Zenlo::ZnListButtons;

TEST(ListRules, ButtonsFollowTheSelectionAndTheCount) {
    struct Case {
        int selected;
        int count;
        ZnListButtons expected;
    };
    const Case cases[] = {
        {-1, 0, {false, false, false, false}}, {-1, 3, {false, true, false, false}},
        {0, 1, {true, true, false, false}},    {0, 3, {true, true, false, true}},
        {1, 3, {true, true, true, true}},      {2, 3, {true, true, true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.selected << " of " << c.count);
        EXPECT_EQ(Zenlo::listButtons(c.selected, c.count), c.expected);
    }
}

TEST(ListRules, MoveTargets) {
    // Down then up lands where it started.
    EXPECT_EQ(Zenlo::indexAfterMove(Zenlo::indexAfterMove(0, false, 3), true, 3), 0);
    EXPECT_EQ(Zenlo::indexAfterMove(2, true, 3), 1);
    EXPECT_EQ(Zenlo::indexAfterMove(1, false, 3), 2);
}

#if !defined(NDEBUG) && !defined(_WIN32)
// A move past either end is the caller's mistake, caught before it indexes outside the list.
TEST(ListRulesDeathTest, MovePastAnEndIsAsserted) {
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    for (const auto& [index, up] :
         {std::pair{0, true}, std::pair{2, false}, std::pair{-1, false}}) {
        SCOPED_TRACE(testing::Message() << index << (up ? " up" : " down"));
        EXPECT_DEATH(Zenlo::indexAfterMove(index, up, 3), "");
    }
}
#endif

TEST(ListRules, SelectionAfterRemoval) {
    struct Case {
        int removed, remaining, want;
    };
    const Case cases[] = {
        {0, 2, 0},   // first of three: the next row moves up into the place
        {1, 2, 1},   // middle of three
        {2, 2, 1},   // last of three: the new last row
        {0, 0, -1},  // the only row: nothing left to select
        {-1, 3, -1}, // nothing was selected
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.removed << " with " << c.remaining << " left");
        EXPECT_EQ(Zenlo::selectionAfterRemoval(c.removed, c.remaining), c.want);
    }
}

} // namespace
