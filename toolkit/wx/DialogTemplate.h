// Controls described in dialog units, and the one factory that creates them: for the dialogs
// built from tables and for the described (dynamic) dialogs alike.
#pragma once

#include <cstddef>

#include <wx/gdicmn.h>
#include <wx/string.h>

class wxWindow;

namespace Zenlo {
// The kinds of control the factory makes.
enum class ZnControlKind {
    label,           // static text; style may hold wxALIGN_* and wxST_* flags
    button,          // push button
    defaultButton,   // push button that Enter presses
    multiLineButton, // push button whose caption wraps at spaces to the button's width
    bitmapButton,    // push button showing an image (set by the dialog after building)
    checkBox,        // two-state check box
    edit,            // single-line edit
    listBox,         // single-selection list with both scroll bars
    progressBar,     // horizontal bar, range 0 to 100
    separator,       // etched horizontal line
    choice,          // drop-down list that sorts its entries
    icon,            // static image (set by the dialog after building)
};

// One control of a dialog: id (wxID_ANY for none), kind, caption (a language key as text, or a
// fixed text), rectangle in dialog units, extra wx style bits.
struct ZnControlSpec {
    int id;
    ZnControlKind kind;
    const char16_t* caption;
    int x, y, width, height;
    long style;
};

// The text broken at spaces into lines that fit the width in the window's font; line breaks
// already in the text stay. A word longer than the width gets a line of its own.
wxString wrapToWidth(const wxWindow* window, const wxString& text, int width);

// The pixel rectangle of a dialog-unit rectangle, in the dialog's font. Both corners are
// converted, so controls that meet in dialog units meet in pixels too.
wxRect dialogUnitsToPixels(wxWindow* dialog, int x, int y, int width, int height);
// Sets the dialog's client area to the given size in dialog units.
void setClientSizeInDialogUnits(wxWindow* dialog, int width, int height);

// Creates one control as the parent's child at its place; the style bits are added to those the
// kind brings. Returns the control, or nullptr when the kind is unknown.
wxWindow* createControl(wxWindow* parent, const ZnControlSpec& item);

// Sets the dialog's client area to the given dialog-unit size and creates every control of the
// table as its child in table order, which is also the keyboard order. Buttons keep their table
// size (no inner padding). Returns false when a control could not be created (the others stay).
bool buildDialogControls(wxWindow* dialog, int width, int height, const ZnControlSpec* specs,
                         std::size_t count);
} // namespace Zenlo
