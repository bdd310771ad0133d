// The items of a box layout: a control, a nested layout, a fixed gap or a stretchable gap.
#pragma once

#include <cstdint>
#include <memory>

#include "toolkit/dialogrules/LayoutHost.h"

namespace Zenlo {
class ZnLayout;

// Alignment of an item in its cell. Bits 0-3 place it across a row, bits 4-7 across a column;
// other values in a nibble leave that axis of the item untouched.
constexpr std::uint32_t alignLeft = 0x0;
constexpr std::uint32_t alignRight = 0x1;
constexpr std::uint32_t alignHCenter = 0x2;
constexpr std::uint32_t alignHFill = 0x3; // takes the cell's width; stretches in a row
constexpr std::uint32_t alignTop = 0x00;
constexpr std::uint32_t alignBottom = 0x10;
constexpr std::uint32_t alignVCenter = 0x20;
constexpr std::uint32_t alignVFill = 0x30; // takes the cell's height; stretches in a column
constexpr std::uint32_t alignHorizontalMask = 0x0F;
constexpr std::uint32_t alignVerticalMask = 0xF0;
// The cell also covers the layout's margin across the box: the item reaches the outer edges.
constexpr std::uint32_t alignReachMargin = 0x1000;

// Item kinds as itemType() reports them.
enum ItemType { itemBase = 0, itemWindow = 1, itemLayout = 2, itemFixedSize = 3, itemSpacer = 4 };

// Base of all items: holds the alignment; every geometry operation does nothing.
class ZnItem {
public:
    explicit ZnItem(std::uint32_t alignment = 0) : alignment_(alignment) {}
    virtual ~ZnItem() = default;
    ZnItem(const ZnItem&) = delete;
    ZnItem& operator=(const ZnItem&) = delete;

    virtual std::uint32_t alignment() const { return alignment_; }
    virtual void setAlignment(std::uint32_t alignment) { alignment_ = alignment; }
    // The layout this item holds, or null.
    virtual ZnLayout* nestedLayout() const { return nullptr; }
    virtual int itemType() const { return Zenlo::itemBase; }
    virtual void setHeight(int) {}
    virtual int height() const { return 0; }
    virtual void setWidth(int) {}
    virtual int width() const { return 0; }
    virtual void setSize(int, int) {}
    virtual void setX(int) {}
    virtual void setY(int) {}
    virtual void setPos(int, int) {}
    // Makes the computed geometry real (moves a window, arranges a nested layout).
    virtual void apply() {}
    virtual void computeMinimum() {}

private:
    std::uint32_t alignment_;
};

// A control of the dialog. Holds its handle only; the window is not owned.
class ZnWindowItem : public ZnItem {
public:
    // Reads the window's rectangle from the host; all zero when the handle is not a window.
    ZnWindowItem(ZnLayoutHost& host, Zenlo::WindowHandle window, std::uint32_t alignment);

    int itemType() const override { return Zenlo::itemWindow; }
    void setHeight(int h) override { rect_.bottom = rect_.top + h; }
    int height() const override { return rect_.height(); }
    void setWidth(int w) override { rect_.right = rect_.left + w; }
    int width() const override { return rect_.width(); }
    void setSize(int w, int h) override;
    void setX(int x) override;
    void setY(int y) override;
    void setPos(int x, int y) override;
    // Moves the window to the rectangle, only while the handle is still a window.
    void apply() override;

private:
    ZnLayoutHost& host_;
    Zenlo::WindowHandle window_;
    Zenlo::Rect rect_;
};

// A nested layout, owned by the item; geometry goes to the layout.
class ZnLayoutItem : public ZnItem {
public:
    ZnLayoutItem(std::unique_ptr<ZnLayout> layout, std::uint32_t alignment);
    ~ZnLayoutItem() override;

    ZnLayout* nestedLayout() const override { return layout_.get(); }
    int itemType() const override { return Zenlo::itemLayout; }
    // The nested layout's outer size: its content plus twice its margin (the same as its
    // content size for the margin-free nested layouts of our dialogs).
    void setHeight(int h) override;
    int height() const override;
    void setWidth(int w) override;
    int width() const override;
    void setSize(int w, int h) override;
    void setX(int x) override;
    void setY(int y) override;
    void setPos(int x, int y) override;
    void apply() override;
    void computeMinimum() override;

private:
    std::unique_ptr<ZnLayout> layout_;
};

// A gap of fixed length on both axes.
class ZnFixedSizeItem : public ZnItem {
public:
    explicit ZnFixedSizeItem(int length) : length_(length) {}
    int itemType() const override { return Zenlo::itemFixedSize; }
    int height() const override { return length_; }
    int width() const override { return length_; }

private:
    int length_;
};

// A stretchable gap: the box gives it a share of the free space.
class ZnSpacerItem : public ZnItem {
public:
    int itemType() const override { return Zenlo::itemSpacer; }
    void setHeight(int h) override { length_ = h; }
    int height() const override { return length_; }
    void setWidth(int w) override { length_ = w; }
    int width() const override { return length_; }

private:
    int length_ = 0;
};
} // namespace Zenlo
