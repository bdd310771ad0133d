// Box layout arithmetic: minimum size, stretch shares, cells and alignment inside them.
#include "toolkit/dialogrules/BoxLayout.h"

#include <algorithm>

namespace Zenlo {
namespace {

// Division rounded toward minus infinity, so a shortfall never turns into a gain.
int floorDiv(int value, int divisor) {
    int quotient = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

// Places the item along one axis of its cell: at the start, at the end, centred, or filling it
// (the length first, then the start). Other placements leave the axis untouched.
void alignAxis(ZnItem& item, std::uint32_t placement, int cellStart, int cellLength, int itemLength,
               void (ZnItem::*setStart)(int), void (ZnItem::*setLength)(int)) {
    switch (placement) {
    case Zenlo::alignLeft:
        return (item.*setStart)(cellStart);
    case Zenlo::alignRight:
        return (item.*setStart)(cellStart + cellLength - itemLength);
    case Zenlo::alignHCenter:
        return (item.*setStart)(cellStart + floorDiv(cellLength - itemLength, 2));
    case Zenlo::alignHFill:
        (item.*setLength)(cellLength);
        return (item.*setStart)(cellStart);
    }
}

} // namespace

ZnBoxLayout::ZnBoxLayout(ZnLayoutHost& parent, int direction)
    : ZnLayout(parent), direction_(direction) {}

bool ZnBoxLayout::stretches(const ZnItem& item) const {
    if (item.itemType() == Zenlo::itemSpacer) return true;
    if (isHorizontal()) return (item.alignment() & Zenlo::alignHorizontalMask) == Zenlo::alignHFill;
    return (item.alignment() & Zenlo::alignVerticalMask) == Zenlo::alignVFill;
}

ZnLayout& ZnBoxLayout::appendItem(std::unique_ptr<ZnItem> item) {
    if (!item) return *this;
    if (item->itemType() == Zenlo::itemSpacer) ++spacerCount_;
    if (stretches(*item)) stretchItems_.add(item.get());
    items_.add(std::move(item));
    return *this;
}

void ZnBoxLayout::computeMinimum() {
    fixedTotal_ = 0;
    width_ = height_ = 0;
    // Lengths along the box's direction add up; across it the largest item sets the minimum.
    int along = 0, across = 0;
    for (auto& item : items_) {
        if (item->itemType() == Zenlo::itemSpacer) continue;
        if (item->itemType() == Zenlo::itemLayout) item->computeMinimum();
        int length = isHorizontal() ? item->width() : item->height();
        if (!stretches(*item)) fixedTotal_ += length;
        along += length;
        across = std::max(across, isHorizontal() ? item->height() : item->width());
    }
    // One spacing between neighbouring non-spacer items; none when there are no such items.
    spacingTotal_ = std::max(0, itemCount() - spacerCount_ - 1) * spacing_;
    fixedTotal_ += spacingTotal_;
    along += spacingTotal_ + 2 * margin_;
    across += 2 * margin_;
    minimumWidth_ = isHorizontal() ? along : across;
    minimumHeight_ = isHorizontal() ? across : along;
    finishMinimum();
}

Zenlo::Rect ZnBoxLayout::cellFor(const ZnItem& item, int cursor, const Insets& insets) const {
    int m = (item.alignment() & Zenlo::alignReachMargin) ? margin_ : 0;
    if (isHorizontal()) {
        int top = y_ - m + insets.top;
        return {cursor, top, cursor + item.width(), top + height_ - insets.height + 2 * m};
    }
    int left = x_ - m + insets.left;
    return {left, cursor, left + width_ - insets.width + 2 * m, cursor + item.height()};
}

void ZnBoxLayout::alignInCell(ZnItem& item, const Zenlo::Rect& cell) {
    std::uint32_t alignment = item.alignment();
    // The vertical nibble holds the same four placements as the horizontal one, shifted.
    alignAxis(item, (alignment & Zenlo::alignVerticalMask) >> 4, cell.top, cell.height(),
              item.height(), &ZnItem::setY, &ZnItem::setHeight);
    alignAxis(item, alignment & Zenlo::alignHorizontalMask, cell.left, cell.width(), item.width(),
              &ZnItem::setX, &ZnItem::setWidth);
}

void ZnBoxLayout::arrange() {
    Insets insets;
    if (nested_ && groupBoxShown_) insets = {5, groupBoxTopInset_, 10, groupBoxHeightInset_};
    if (!stretchItems_.isEmpty()) {
        int free = isHorizontal() ? width_ - insets.width - fixedTotal_
                                  : height_ - insets.height - fixedTotal_;
        int share = floorDiv(free, stretchCount());
        for (ZnItem* item : stretchItems_) {
            if (isHorizontal())
                item->setWidth(share);
            else
                item->setHeight(share);
        }
    }
    int cursor = isHorizontal() ? x_ + insets.left : y_ + insets.top;
    for (auto& item : items_) {
        Zenlo::Rect cell = cellFor(*item, cursor, insets);
        cursor += isHorizontal() ? cell.width() : cell.height();
        if (item->itemType() == Zenlo::itemSpacer) continue;
        if (item->itemType() == Zenlo::itemLayout) {
            item->setPos(cell.left, cell.top);
            item->setSize(cell.width(), cell.height());
        } else {
            alignInCell(*item, cell);
        }
        item->apply();
        cursor += spacing_;
    }
    placeGroupBox();
}
} // namespace Zenlo
