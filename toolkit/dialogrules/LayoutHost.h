// The window side of the box layout engine: how a layout finds, measures and moves its controls.
#pragma once

namespace Zenlo {
// An opaque window handle. The host decides what it points to; null is never a window.
using WindowHandle = void*;

// A rectangle in the parent's client coordinates (right and bottom are exclusive).
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Extent {
    int width = 0;
    int height = 0;
    bool operator==(const Extent&) const = default;
};

// The dialog whose controls a layout positions. Implemented over real windows by the window
// layer and by a plain fake in the tests, so the layout arithmetic runs without a display.
class ZnLayoutHost {
public:
    virtual ~ZnLayoutHost() = default;

    // The dialog's child control with that id, or null when there is none.
    virtual Zenlo::WindowHandle control(int id) const = 0;
    // Whether the handle still names a window of this dialog.
    virtual bool isWindow(Zenlo::WindowHandle window) const = 0;
    // The window's rectangle in the dialog's client area; all zero when it is not a window.
    virtual Zenlo::Rect windowRect(Zenlo::WindowHandle window) const = 0;
    // Moves and sizes the window to the rectangle without changing Z order or activation.
    virtual void moveWindow(Zenlo::WindowHandle window, const Zenlo::Rect& rect) = 0;
    // The character height of the dialog's font in pixels.
    virtual int fontHeight() const = 0;
    // Turns redrawing of the dialog off and on again around moves that would leave traces.
    virtual void setRedraw(bool redraw) = 0;
};
} // namespace Zenlo
