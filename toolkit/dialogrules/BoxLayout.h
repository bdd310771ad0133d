// Row and column layouts: items packed with fixed spacing, free space shared by stretchable items.
#pragma once

#include "toolkit/StringList.h"
#include "toolkit/dialogrules/Layout.h"

namespace Zenlo {
constexpr int directionHorizontal = 1;
constexpr int directionVertical = 2;

// A row (direction 1) or a column (direction 2) of items, owned by the box.
class ZnBoxLayout : public ZnLayout {
public:
    ZnBoxLayout(ZnLayoutHost& parent, int direction);

    // Spacers always stretch; other items stretch when they fill along the box's direction.
    ZnLayout& appendItem(std::unique_ptr<ZnItem> item) override;
    // Gives every stretchable item its share of the free space (rounded down, the remainder stays
    // free), then walks the items along the direction and aligns each one in its cell.
    void arrange() override;
    int direction() const override { return direction_; }
    // Minimum size from the items' current sizes; also the fixed total arrange works from.
    void computeMinimum() override;

    int itemCount() const { return static_cast<int>(items_.count()); }
    int stretchCount() const { return static_cast<int>(stretchItems_.count()); }
    int spacerCount() const { return spacerCount_; }
    int fixedTotal() const { return fixedTotal_; }
    int spacingTotal() const { return spacingTotal_; }
    ZnItem* item(int index) const { return items_[static_cast<unsigned>(index)].get(); }

private:
    // Room a shown group box takes from the content: offsets of the top-left corner, and the
    // amounts taken from the width and the height.
    struct Insets {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
    };

    bool isHorizontal() const { return direction_ == Zenlo::directionHorizontal; }
    bool stretches(const ZnItem& item) const;
    // The item's cell for the cursor position, with the insets of a shown group box.
    Zenlo::Rect cellFor(const ZnItem& item, int cursor, const Insets& insets) const;
    static void alignInCell(ZnItem& item, const Zenlo::Rect& cell);

    int direction_;
    Zenlo::Array<std::unique_ptr<ZnItem>> items_;
    Zenlo::Array<ZnItem*> stretchItems_;
    int spacerCount_ = 0;
    int fixedTotal_ = 0;
    int spacingTotal_ = 0;
};

class ZnHBoxLayout : public ZnBoxLayout {
public:
    explicit ZnHBoxLayout(ZnLayoutHost& parent) : ZnBoxLayout(parent, Zenlo::directionHorizontal) {}
};

class ZnVBoxLayout : public ZnBoxLayout {
public:
    explicit ZnVBoxLayout(ZnLayoutHost& parent) : ZnBoxLayout(parent, Zenlo::directionVertical) {}
};
} // namespace Zenlo
