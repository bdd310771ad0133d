// The items of a box layout: window geometry kept locally until applied, nested layouts forwarded.
#include "toolkit/dialogrules/LayoutItem.h"

#include "toolkit/dialogrules/Layout.h"

namespace Zenlo {
ZnWindowItem::ZnWindowItem(ZnLayoutHost& host, Zenlo::WindowHandle window, std::uint32_t alignment)
    : ZnItem(alignment), host_(host), window_(window) {
    if (host_.isWindow(window_)) rect_ = host_.windowRect(window_);
}

void ZnWindowItem::setSize(int w, int h) {
    rect_.right = rect_.left + w;
    rect_.bottom = rect_.top + h;
}

void ZnWindowItem::setX(int x) {
    rect_.right = x + rect_.width();
    rect_.left = x;
}

void ZnWindowItem::setY(int y) {
    rect_.bottom = y + rect_.height();
    rect_.top = y;
}

void ZnWindowItem::setPos(int x, int y) {
    setX(x);
    setY(y);
}

void ZnWindowItem::apply() {
    if (host_.isWindow(window_)) host_.moveWindow(window_, rect_);
}

ZnLayoutItem::ZnLayoutItem(std::unique_ptr<ZnLayout> layout, std::uint32_t alignment)
    : ZnItem(alignment), layout_(std::move(layout)) {}

ZnLayoutItem::~ZnLayoutItem() = default;

void ZnLayoutItem::setHeight(int h) {
    layout_->setHeight(h);
}

int ZnLayoutItem::height() const {
    return layout_->size().height + 2 * layout_->margin();
}

void ZnLayoutItem::setWidth(int w) {
    layout_->setWidth(w);
}

int ZnLayoutItem::width() const {
    return layout_->size().width + 2 * layout_->margin();
}

void ZnLayoutItem::setSize(int w, int h) {
    layout_->setSize(w, h);
}

void ZnLayoutItem::setX(int x) {
    layout_->setX(x);
}

void ZnLayoutItem::setY(int y) {
    layout_->setY(y);
}

void ZnLayoutItem::setPos(int x, int y) {
    layout_->setPos(x, y);
}

void ZnLayoutItem::apply() {
    layout_->arrange();
}

void ZnLayoutItem::computeMinimum() {
    layout_->computeMinimum();
}
} // namespace Zenlo
