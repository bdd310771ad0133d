// Box layout engine: minimum sizes, stretch shares, cells, alignment, nesting, over a fake dialog.
#include "toolkit/dialogrules/BoxLayout.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

using namespace Zenlo;

namespace {

using Zenlo::Rect;

// A dialog without a display: controls are rectangles; moves are recorded.
class FakeHost : public ZnLayoutHost {
public:
    struct Window {
        Rect rect;
        int moves = 0;
    };

    Zenlo::WindowHandle addControl(int id, int width, int height) {
        auto window = std::make_unique<Window>();
        window->rect = {0, 0, width, height};
        Zenlo::WindowHandle handle = window.get();
        windows_[id] = std::move(window);
        return handle;
    }
    Window& window(int id) { return *windows_.at(id); }
    const Rect& rect(int id) { return windows_.at(id)->rect; }
    void destroy(int id) { windows_.erase(id); }

    Zenlo::WindowHandle control(int id) const override {
        auto found = windows_.find(id);
        return found == windows_.end() ? nullptr : found->second.get();
    }
    bool isWindow(Zenlo::WindowHandle handle) const override {
        for (const auto& entry : windows_)
            if (entry.second.get() == handle) return true;
        return false;
    }
    Rect windowRect(Zenlo::WindowHandle handle) const override {
        return isWindow(handle) ? static_cast<Window*>(handle)->rect : Rect{};
    }
    void moveWindow(Zenlo::WindowHandle handle, const Rect& rect) override {
        static_cast<Window*>(handle)->rect = rect;
        ++static_cast<Window*>(handle)->moves;
    }
    int fontHeight() const override { return 13; }
    void setRedraw(bool redraw) override { redrawCalls.push_back(redraw); }

    std::vector<bool> redrawCalls;

private:
    std::map<int, std::unique_ptr<Window>> windows_;
};

void layOut(ZnLayout& layout, int width, int height) {
    layout.computeMinimum();
    layout.setSize(width, height);
    layout.arrange();
}

TEST(BoxLayout, ColumnOfTwoControlsWithMargin) {
    FakeHost host;
    host.addControl(1, 40, 20);
    host.addControl(2, 60, 30);
    ZnVBoxLayout column(host);
    column.setMargin(10);
    column.appendControl(1, Zenlo::alignLeft).appendControl(2, Zenlo::alignLeft);
    column.computeMinimum();
    EXPECT_EQ(column.minimumSize(), (Zenlo::Extent{80, 75}));
    EXPECT_EQ(column.spacingTotal(), 5);
    column.setSize(80, 75);
    column.arrange();
    EXPECT_EQ(host.rect(1), (Rect{10, 10, 50, 30}));
    EXPECT_EQ(host.rect(2), (Rect{10, 35, 70, 65}));
}

TEST(BoxLayout, StretchPushesButtonsToTheRightEdge) {
    FakeHost host;
    host.addControl(1, 50, 14);
    host.addControl(2, 50, 14);
    ZnHBoxLayout row(host);
    row.appendStretch().appendControl(1, 0).appendControl(2, 0);
    EXPECT_EQ(row.stretchCount(), 1);
    EXPECT_EQ(row.spacerCount(), 1);
    layOut(row, 300, 14);
    EXPECT_EQ(row.fixedTotal(), 105);
    EXPECT_EQ(row.item(0)->width(), 195);
    EXPECT_EQ(host.rect(1).left, 195);
    EXPECT_EQ(host.rect(2).left, 250);
    EXPECT_EQ(host.rect(2).right, 300);
}

TEST(BoxLayout, StretchSharesRoundDownAndLeaveTheRemainderFree) {
    struct Case {
        int boxWidth;
        int share;
    };
    for (Case c : {Case{106, 50}, Case{107, 51}, Case{105, 50}, Case{5, 0}}) {
        SCOPED_TRACE(c.boxWidth);
        FakeHost host;
        host.addControl(1, 10, 10);
        host.addControl(2, 10, 10);
        ZnHBoxLayout row(host);
        row.appendControl(1, Zenlo::alignHFill).appendControl(2, Zenlo::alignHFill);
        layOut(row, c.boxWidth, 10);
        EXPECT_EQ(host.rect(1), (Rect{0, 0, c.share, 10}));
        EXPECT_EQ(host.rect(2), (Rect{c.share + 5, 0, 2 * c.share + 5, 10}));
    }
}

TEST(BoxLayout, ReachMarginFlagSpansTheOuterRectangle) {
    FakeHost host;
    host.addControl(1, 30, 1);
    host.addControl(2, 30, 1);
    ZnVBoxLayout column(host);
    column.setMargin(10);
    column.appendControl(1, Zenlo::alignReachMargin | Zenlo::alignHFill)
        .appendControl(2, Zenlo::alignHFill);
    layOut(column, 200, 100);
    EXPECT_EQ(host.rect(1), (Rect{0, 10, 200, 11}));
    EXPECT_EQ(host.rect(2), (Rect{10, 16, 190, 17}));
}

TEST(BoxLayout, AlignmentInsideTheCell) {
    struct Case {
        std::uint32_t alignment;
        Rect expected;
    };
    // A row 100 high holding one 20 x 10 control: the cell is the content height.
    const Case cases[] = {
        {Zenlo::alignLeft | Zenlo::alignTop, {0, 0, 20, 10}},
        {Zenlo::alignBottom, {0, 90, 20, 100}},
        {Zenlo::alignVCenter, {0, 45, 20, 55}},
        {Zenlo::alignVFill, {0, 0, 20, 100}},
        {0x40 | Zenlo::alignLeft, {0, 0, 20, 10}}, // vertical axis left untouched
        {0x07, {0, 0, 20, 10}},                    // horizontal axis left untouched
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alignment);
        FakeHost host;
        host.addControl(1, 20, 10);
        ZnHBoxLayout row(host);
        row.appendControl(1, c.alignment);
        layOut(row, 50, 100);
        EXPECT_EQ(host.rect(1), c.expected);
    }
    // Across a column: the cell is the content width.
    const Case across[] = {
        {Zenlo::alignRight, {80, 0, 100, 10}},
        {Zenlo::alignHCenter, {40, 0, 60, 10}},
        {Zenlo::alignHFill, {0, 0, 100, 10}},
    };
    for (const Case& c : across) {
        SCOPED_TRACE(c.alignment);
        FakeHost host;
        host.addControl(1, 20, 10);
        ZnVBoxLayout column(host);
        column.appendControl(1, c.alignment);
        layOut(column, 100, 50);
        EXPECT_EQ(host.rect(1), c.expected);
    }
}

TEST(BoxLayout, CentringRoundsDown) {
    FakeHost host;
    host.addControl(1, 20, 10);
    ZnVBoxLayout column(host);
    column.appendControl(1, Zenlo::alignHCenter);
    layOut(column, 25, 10);
    EXPECT_EQ(host.rect(1).left, 2);
}

TEST(BoxLayout, MissingWindowsAndControls) {
    FakeHost host;
    host.addControl(1, 20, 10);
    host.addControl(2, 20, 10);
    int notAWindow = 0;
    ZnVBoxLayout column(host);
    column.appendControl(1, 0).appendWindow(&notAWindow, 0).appendWindow(nullptr, 0);
    EXPECT_EQ(column.itemCount(), 1);
    // A control id that does not exist: an empty item that takes one spacing.
    column.appendControl(99, 0).appendControl(2, 0);
    EXPECT_EQ(column.itemCount(), 3);
    layOut(column, 20, 100);
    EXPECT_EQ(column.minimumSize().height, 10 + 0 + 10 + 2 * 5);
    EXPECT_EQ(host.rect(2).top, 20);
    column.appendItem(nullptr);
    EXPECT_EQ(column.itemCount(), 3);
}

TEST(BoxLayout, DestroyedControlIsNotMoved) {
    FakeHost host;
    host.addControl(1, 20, 10);
    host.addControl(2, 20, 10);
    ZnVBoxLayout column(host);
    column.appendControl(1, 0).appendControl(2, 0);
    column.computeMinimum();
    host.destroy(1);
    column.setSize(20, 25);
    column.arrange();
    EXPECT_EQ(host.window(2).moves, 1);
    EXPECT_EQ(host.rect(2).top, 15);
}

TEST(BoxLayout, FixedGapsAndMinimumWithStretchableItems) {
    FakeHost host;
    host.addControl(1, 30, 8);
    host.addControl(2, 70, 14);
    ZnVBoxLayout column(host);
    column.appendControl(1, Zenlo::alignVFill).appendGap(7).appendControl(2, 0).appendStretch();
    column.computeMinimum();
    // Three non-spacer items: two spacings; the stretching control counts for the minimum only.
    EXPECT_EQ(column.minimumSize(), (Zenlo::Extent{70, 8 + 7 + 14 + 10}));
    EXPECT_EQ(column.fixedTotal(), 7 + 14 + 10);
    column.setSize(70, 101);
    column.arrange();
    // (101 - 31) / 2 = 35 for the control and the stretch.
    EXPECT_EQ(host.rect(1), (Rect{0, 0, 30, 35}));
    EXPECT_EQ(host.rect(2).top, 35 + 5 + 7 + 5);
}

TEST(BoxLayout, EmptyBoxAndBoxOfSpacersHaveNoSpacing) {
    FakeHost host;
    ZnHBoxLayout empty(host);
    empty.setMargin(3);
    empty.computeMinimum();
    EXPECT_EQ(empty.minimumSize(), (Zenlo::Extent{6, 6}));
    ZnHBoxLayout spacers(host);
    spacers.appendStretch().appendStretch();
    layOut(spacers, 101, 0);
    EXPECT_EQ(spacers.fixedTotal(), 0);
    EXPECT_EQ(spacers.item(0)->width(), 50);
    EXPECT_EQ(spacers.item(1)->width(), 50);
}

TEST(BoxLayout, SetMarginKeepsTheOuterRectangle) {
    FakeHost host;
    ZnVBoxLayout column(host);
    column.setPos(4, 6);
    column.setSize(100, 50);
    column.setMargin(10);
    EXPECT_EQ(column.position(), (Zenlo::Point{14, 16}));
    EXPECT_EQ(column.size(), (Zenlo::Extent{80, 30}));
    column.setMargin(2);
    EXPECT_EQ(column.position(), (Zenlo::Point{6, 8}));
    EXPECT_EQ(column.size(), (Zenlo::Extent{96, 46}));
}

// The input box's tree: prompt, edit, gap, separator reaching the edges, gap, button row.
struct InputBoxTree {
    FakeHost host;
    ZnVBoxLayout column{host};

    InputBoxTree() {
        host.addControl(100, 0, 13);
        host.addControl(101, 0, 23);
        host.addControl(102, 0, 2);
        host.addControl(1, 75, 23);
        host.addControl(2, 75, 23);
        auto row = std::make_unique<ZnHBoxLayout>(host);
        row->appendStretch().appendControl(1, 0).appendControl(2, 0);
        column.setMargin(10);
        column.appendControl(100, 3).appendControl(101, 3).appendGap(5);
        column.appendControl(102, 0x1003).appendGap(0).appendLayout(std::move(row), 3);
    }
};

TEST(BoxLayout, InputBoxTreeAtMinimumAndWidened) {
    InputBoxTree tree;
    tree.column.computeMinimum();
    // Width: the button row, 75 + 5 + 75, plus the margins. Height: the items and five spacings.
    EXPECT_EQ(tree.column.minimumSize(), (Zenlo::Extent{175, 13 + 23 + 5 + 2 + 0 + 23 + 25 + 20}));
    for (int width : {175, 400, 401}) {
        SCOPED_TRACE(width);
        tree.column.setSize(width, tree.column.minimumSize().height);
        tree.column.arrange();
        EXPECT_EQ(tree.host.rect(100), (Rect{10, 10, width - 10, 23}));
        EXPECT_EQ(tree.host.rect(101), (Rect{10, 28, width - 10, 51}));
        EXPECT_EQ(tree.host.rect(102), (Rect{0, 66, width, 68}));
        EXPECT_EQ(tree.host.rect(1), (Rect{width - 165, 78, width - 90, 101}));
        EXPECT_EQ(tree.host.rect(2), (Rect{width - 85, 78, width - 10, 101}));
    }
}

TEST(BoxLayout, NestedLayoutWithMarginKeepsItsOuterSize) {
    FakeHost host;
    host.addControl(1, 40, 10);
    host.addControl(2, 30, 10);
    auto inner = std::make_unique<ZnVBoxLayout>(host);
    inner->setMargin(4);
    inner->appendControl(1, 0);
    ZnHBoxLayout row(host);
    row.appendLayout(std::move(inner), 0).appendControl(2, 0);
    row.computeMinimum();
    EXPECT_EQ(row.minimumSize(), (Zenlo::Extent{48 + 5 + 30, 18}));
    for (int pass = 0; pass < 3; ++pass) {
        SCOPED_TRACE(pass);
        row.setSize(83, 18);
        row.arrange();
        EXPECT_EQ(host.rect(1), (Rect{4, 4, 44, 14}));
        EXPECT_EQ(host.rect(2), (Rect{53, 0, 83, 10}));
    }
}

TEST(BoxLayout, GroupBoxFramesANestedLayout) {
    FakeHost host;
    host.addControl(1, 40, 10);
    host.addControl(50, 0, 0);
    auto inner = std::make_unique<ZnVBoxLayout>(host);
    inner->appendControl(1, 0);
    inner->setGroupBox(50);
    ZnVBoxLayout column(host);
    column.appendGap(3).appendLayout(std::move(inner), 0);
    column.computeMinimum();
    ZnLayout* nested = column.item(1)->nestedLayout();
    ASSERT_NE(nested, nullptr);
    EXPECT_TRUE(nested->isNested());
    EXPECT_TRUE(nested->groupBoxShown());
    // Frame: 10 wider, font height + 8 higher; the control sits 5 in and font height + 3 down.
    EXPECT_EQ(nested->minimumSize(), (Zenlo::Extent{50, 31}));
    column.setSize(50, 39);
    column.arrange();
    EXPECT_EQ(host.rect(50), (Rect{0, 8, 50, 39}));
    EXPECT_EQ(host.rect(1), (Rect{5, 24, 45, 34}));
    EXPECT_EQ(host.redrawCalls, (std::vector<bool>{false, true}));
}

TEST(BoxLayout, TopLevelLayoutIgnoresAGroupBox) {
    FakeHost host;
    host.addControl(50, 0, 0);
    ZnVBoxLayout column(host);
    column.setGroupBox(50);
    layOut(column, 10, 10);
    EXPECT_FALSE(column.groupBoxShown());
    EXPECT_EQ(host.window(50).moves, 0);
}

TEST(BoxLayout, BaseLayoutAcceptsNoItems) {
    FakeHost host;
    host.addControl(1, 10, 10);
    ZnLayout base(host);
    base.appendControl(1, 0).appendStretch().appendGap(4);
    EXPECT_EQ(base.direction(), 0);
    base.computeMinimum();
    EXPECT_EQ(base.minimumSize(), (Zenlo::Extent{0, 0}));
    EXPECT_EQ(ZnHBoxLayout(host).direction(), 1);
    EXPECT_EQ(ZnVBoxLayout(host).direction(), 2);
}

} // namespace
