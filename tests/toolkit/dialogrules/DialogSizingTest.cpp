// Size limits of layout-driven dialogs and the input box's minimum-size arithmetic.
#include "toolkit/dialogrules/DialogSizing.h"

#include <gtest/gtest.h>

namespace {

using Zenlo::Extent;
using Zenlo::TrackSizes;

// The input box's sequence: resize preparation takes the current window size as the minimum,
// the layout raises it, the box's own rule applies, and the height is then fixed.
struct InputBoxRun {
    TrackSizes limits;
    Extent window;
};

InputBoxRun openInputBox(Extent layoutMinimum, int frame, int caption, Extent startWindow,
                         Extent remembered) {
    TrackSizes limits{startWindow.width, startWindow.height};
    Extent needed = Zenlo::layoutWindowMinimum(layoutMinimum, frame, caption);
    Zenlo::raiseMinimumTrack(limits, needed);
    limits = Zenlo::inputBoxTrackSizes(limits, needed);
    Zenlo::raiseMaximumToMinimum(limits);
    Extent window = Zenlo::clampWindowSize(startWindow, limits);
    limits = Zenlo::fixHeight(limits, window.height);
    Zenlo::raiseMaximumToMinimum(limits);
    window = Zenlo::clampWindowSize(window, limits);
    if (remembered.width != 0 || remembered.height != 0)
        window = Zenlo::clampWindowSize(remembered, limits);
    return {limits, window};
}

TEST(DialogSizing, LayoutWindowMinimumAddsFrameAndCaption) {
    EXPECT_EQ(Zenlo::layoutWindowMinimum({175, 111}, 4, 23), (Extent{183, 142}));
    EXPECT_EQ(Zenlo::layoutWindowMinimum({175, 111}, 0, 0), (Extent{175, 111}));
}

TEST(DialogSizing, InputBoxOpensAtItsMinimumAndGrowsInWidthOnly) {
    struct Case {
        const char* name;
        Extent layoutMinimum;
        Extent remembered;
        Extent window;
        int minimumWidth;
    };
    const Case cases[] = {
        {"narrow layout: 250 wide", {175, 111}, {0, 0}, {250, 142}, 250},
        {"wide layout: its own width", {300, 111}, {0, 0}, {308, 142}, 308},
        {"remembered width, height kept", {175, 111}, {400, 999}, {400, 142}, 250},
        {"remembered below the minimum", {175, 111}, {100, 50}, {250, 142}, 250},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InputBoxRun run = openInputBox(c.layoutMinimum, 4, 23, {8, 27}, c.remembered);
        EXPECT_EQ(run.window, c.window);
        EXPECT_EQ(run.limits.minimumWidth, c.minimumWidth);
        EXPECT_EQ(run.limits.maximumWidth, INT_MAX);
        EXPECT_EQ(run.limits.minimumHeight, 142);
        EXPECT_EQ(run.limits.maximumHeight, 142);
        EXPECT_FALSE(Zenlo::isFixedSize(run.limits));
    }
}

TEST(DialogSizing, LayoutWithoutHeightGivesNoMinimumHeight) {
    TrackSizes limits = Zenlo::inputBoxTrackSizes({}, {10, 0});
    EXPECT_EQ(limits.minimumWidth, 250);
    EXPECT_EQ(limits.minimumHeight, 0);
}

TEST(DialogSizing, LimitsRaiseClampAndFix) {
    TrackSizes limits;
    EXPECT_FALSE(limits.hasMinimum());
    Zenlo::raiseMinimumTrack(limits, {120, 80});
    EXPECT_TRUE(limits.hasMinimum());
    Zenlo::raiseMinimumTrack(limits, {100, 90});
    EXPECT_EQ(limits, (TrackSizes{120, 90}));
    limits.maximumWidth = 110;
    Zenlo::raiseMaximumToMinimum(limits);
    EXPECT_EQ(limits.maximumWidth, 120);
    EXPECT_FALSE(Zenlo::isFixedSize(limits));
    limits.maximumHeight = 90;
    EXPECT_TRUE(Zenlo::isFixedSize(limits));
    EXPECT_EQ(Zenlo::clampWindowSize({0, 500}, limits), (Extent{120, 90}));
    EXPECT_EQ(Zenlo::clampWindowSize({5, 5}, TrackSizes{}), (Extent{5, 5}));
}

} // namespace
