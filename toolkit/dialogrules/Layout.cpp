// Base layout geometry and the group box that may frame a nested layout.
#include "toolkit/dialogrules/Layout.h"

namespace Zenlo {
ZnLayout::ZnLayout(ZnLayoutHost& parent)
    : parent_(parent), groupBoxTopInset_(parent.fontHeight() + 3),
      groupBoxHeightInset_(parent.fontHeight() + 8) {}

ZnLayout& ZnLayout::appendItem(std::unique_ptr<ZnItem>) {
    return *this;
}

ZnLayout& ZnLayout::appendControl(int controlId, std::uint32_t alignment) {
    return appendItem(
        std::make_unique<ZnWindowItem>(parent_, parent_.control(controlId), alignment));
}

ZnLayout& ZnLayout::appendWindow(Zenlo::WindowHandle window, std::uint32_t alignment) {
    if (!parent_.isWindow(window)) return *this;
    return appendItem(std::make_unique<ZnWindowItem>(parent_, window, alignment));
}

ZnLayout& ZnLayout::appendStretch() {
    return appendItem(std::make_unique<ZnSpacerItem>());
}

ZnLayout& ZnLayout::appendGap(int length) {
    return appendItem(std::make_unique<ZnFixedSizeItem>(length));
}

ZnLayout& ZnLayout::appendLayout(std::unique_ptr<ZnLayout> layout, std::uint32_t alignment) {
    if (!layout) return *this;
    layout->setNested(true);
    return appendItem(std::make_unique<ZnLayoutItem>(std::move(layout), alignment));
}

void ZnLayout::setMargin(int margin) {
    int delta = margin - margin_;
    x_ += delta;
    y_ += delta;
    width_ -= 2 * delta;
    height_ -= 2 * delta;
    margin_ = margin;
}

void ZnLayout::setSize(int w, int h) {
    width_ = w - 2 * margin_;
    height_ = h - 2 * margin_;
}

void ZnLayout::setGroupBox(int controlId) {
    groupBox_ = parent_.control(controlId);
}

void ZnLayout::setPos(int x, int y) {
    setX(x);
    setY(y);
}

void ZnLayout::arrange() {
    placeGroupBox();
}

void ZnLayout::computeMinimum() {
    finishMinimum();
}

void ZnLayout::finishMinimum() {
    if (!nested_) return;
    groupBoxShown_ = parent_.isWindow(groupBox_);
    if (groupBoxShown_) {
        minimumWidth_ += 10;
        minimumHeight_ += groupBoxHeightInset_;
    }
    // The content size that makes the outer size equal the minimum.
    width_ = minimumWidth_ - 2 * margin_;
    height_ = minimumHeight_ - 2 * margin_;
}

void ZnLayout::placeGroupBox() {
    if (!nested_ || !groupBoxShown_) return;
    parent_.setRedraw(false);
    parent_.moveWindow(groupBox_, {x_, y_, x_ + width_, y_ + height_});
    parent_.setRedraw(true);
}
} // namespace Zenlo
