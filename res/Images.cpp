// Draws the program icon (a hexagon holding a grid of byte cells) and the two arrow images.
#include "res/Images.h"

#include <cmath>
#include <memory>

#include <wx/brush.h>
#include <wx/graphics.h>
#include <wx/image.h>
#include <wx/pen.h>

namespace Zenlo {

namespace {

// A square image of the size, transparent but for what draw puts on it (nothing where no
// graphics context can be made).
template <class Draw> wxImage drawnImage(int size, Draw draw) {
    wxImage image(size, size);
    image.SetAlpha();
    std::fill_n(image.GetAlpha(), size * size, static_cast<unsigned char>(0));
    {
        // The context writes into the image when it goes.
        std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(image));
        if (gc) draw(*gc);
    }
    return image;
}

void drawHexagon(wxGraphicsContext& gc, double size) {
    const double centre = size / 2.0;
    const double radius = size * 0.48;
    wxGraphicsPath path = gc.CreatePath();
    for (int corner = 0; corner < 6; ++corner) {
        const double angle = M_PI / 3.0 * corner + M_PI / 6.0;
        const double x = centre + radius * std::cos(angle);
        const double y = centre + radius * std::sin(angle);
        if (corner == 0)
            path.MoveToPoint(x, y);
        else
            path.AddLineToPoint(x, y);
    }
    path.CloseSubpath();
    gc.SetBrush(
        gc.CreateLinearGradientBrush(0, 0, 0, size, wxColour(38, 120, 150), wxColour(18, 62, 92)));
    gc.SetPen(wxPen(wxColour(12, 40, 60), std::max(1, static_cast<int>(size / 32))));
    gc.FillPath(path);
    gc.StrokePath(path);
}

// Three rows of byte cells; the middle row is brighter, like a highlighted line of a dump.
void drawCells(wxGraphicsContext& gc, double size) {
    const double cell = size * 0.14;
    const double gap = size * 0.05;
    const double span = 3 * cell + 2 * gap;
    const double left = (size - span) / 2.0;
    const double top = (size - span) / 2.0;
    gc.SetPen(*wxTRANSPARENT_PEN);
    for (int row = 0; row < 3; ++row) {
        gc.SetBrush(row == 1 ? wxBrush(wxColour(255, 196, 64)) : wxBrush(wxColour(225, 240, 248)));
        for (int column = 0; column < 3; ++column)
            gc.DrawRoundedRectangle(left + column * (cell + gap), top + row * (cell + gap), cell,
                                    cell, cell * 0.2);
    }
}

} // namespace

wxImage programIconImage(int size) {
    return drawnImage(size, [size](wxGraphicsContext& gc) {
        gc.SetAntialiasMode(wxANTIALIAS_DEFAULT);
        drawHexagon(gc, size);
        drawCells(gc, size);
    });
}

wxBitmap programIconBitmap(int size) {
    return wxBitmap(programIconImage(size));
}

wxIconBundle programIcons() {
    wxIconBundle bundle;
    for (int size : programIconSizes) {
        wxIcon icon;
        icon.CopyFromBitmap(programIconBitmap(size));
        bundle.AddIcon(icon);
    }
    return bundle;
}

wxBitmap arrowBitmap(bool up, int size) {
    return wxBitmap(drawnImage(size, [up, s = static_cast<double>(size)](wxGraphicsContext& gc) {
        const double tipY = up ? s * 0.25 : s * 0.75;
        const double baseY = up ? s * 0.70 : s * 0.30;
        wxGraphicsPath path = gc.CreatePath();
        path.MoveToPoint(s / 2.0, tipY);
        path.AddLineToPoint(s * 0.82, baseY);
        path.AddLineToPoint(s * 0.18, baseY);
        path.CloseSubpath();
        gc.SetPen(*wxTRANSPARENT_PEN);
        gc.SetBrush(wxBrush(wxColour(48, 48, 48)));
        gc.FillPath(path);
    }));
}

} // namespace Zenlo
