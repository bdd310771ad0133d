// Base of the layouts: content rectangle, margin, spacing, minimum size and the optional group box.
#pragma once

#include <memory>

#include "toolkit/dialogrules/LayoutHost.h"
#include "toolkit/dialogrules/LayoutItem.h"

namespace Zenlo {
// A layout of a dialog's controls. The base holds geometry only; ZnBoxLayout places items.
// The appending operations return the layout itself so that calls can be chained; the base
// versions accept nothing.
class ZnLayout {
public:
    explicit ZnLayout(ZnLayoutHost& parent);
    virtual ~ZnLayout() = default;
    ZnLayout(const ZnLayout&) = delete;
    ZnLayout& operator=(const ZnLayout&) = delete;

    // Takes ownership of the item; a null item is ignored.
    virtual ZnLayout& appendItem(std::unique_ptr<ZnItem> item);
    // A window item for the parent's control with that id (an empty item when there is none).
    virtual ZnLayout& appendControl(int controlId, std::uint32_t alignment);
    // A window item for the window; ignored when the handle is not a window.
    virtual ZnLayout& appendWindow(Zenlo::WindowHandle window, std::uint32_t alignment);
    virtual ZnLayout& appendStretch();
    virtual ZnLayout& appendGap(int length);
    // Marks the layout nested and appends an item that owns it; a null layout is ignored.
    virtual ZnLayout& appendLayout(std::unique_ptr<ZnLayout> layout, std::uint32_t alignment);

    virtual int margin() const { return margin_; }
    // Keeps the outer rectangle: the content area shrinks or grows on every side.
    virtual void setMargin(int margin);
    virtual int spacing() const { return spacing_; }
    virtual void setSpacing(int spacing) { spacing_ = spacing; }
    // Top-left corner of the content area (inside the margin).
    virtual Zenlo::Point position() const { return {x_, y_}; }
    // Sets the outer size; the content area is that less the margin on every side.
    virtual void setSize(int w, int h);
    // Size of the content area.
    virtual Zenlo::Extent size() const { return {width_, height_}; }
    // The outer size computeMinimum found (margin included).
    virtual Zenlo::Extent minimumSize() const { return {minimumWidth_, minimumHeight_}; }
    // Frames the layout with the parent's control of that id when the layout is nested.
    virtual void setGroupBox(int controlId);
    virtual bool groupBoxShown() const { return groupBoxShown_; }
    virtual void setHeight(int h) { height_ = h - 2 * margin_; }
    virtual void setWidth(int w) { width_ = w - 2 * margin_; }
    // Places the outer top-left corner: the content starts one margin further in.
    virtual void setX(int x) { x_ = x + margin_; }
    virtual void setY(int y) { y_ = y + margin_; }
    virtual void setPos(int x, int y);
    // Places the items (box layouts) and moves the group box; run computeMinimum first.
    virtual void arrange();
    // 1 horizontal, 2 vertical, 0 for a layout without a direction.
    virtual int direction() const { return 0; }
    virtual void computeMinimum();

    bool isNested() const { return nested_; }
    void setNested(bool nested) { nested_ = nested; }

protected:
    // Group box of a nested layout: decides whether it is shown and adds its frame to the minimum;
    // then the nested layout takes its minimum as its size so the enclosing box reads it.
    void finishMinimum();
    // Moves the group box over the layout's content area.
    void placeGroupBox();
    ZnLayoutHost& parent() const { return parent_; }

    ZnLayoutHost& parent_;
    int margin_ = 0;
    int spacing_ = 5;
    int x_ = 0;
    int y_ = 0;
    int width_ = 0;
    int height_ = 0;
    int minimumWidth_ = 0;
    int minimumHeight_ = 0;
    bool nested_ = false;
    bool groupBoxShown_ = false;
    Zenlo::WindowHandle groupBox_ = nullptr;
    int groupBoxTopInset_;
    int groupBoxHeightInset_;
};
} // namespace Zenlo
