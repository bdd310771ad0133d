// Dialogs described in code (caption, style, font, controls) and built into a wx dialog.
#pragma once

#include <cstdint>

#include <wx/dialog.h>

#include "toolkit/WideString.h"

namespace Zenlo {
// Window classes of a control description, as ordinals.
constexpr std::uint16_t classButton = 0x0080;
constexpr std::uint16_t classEdit = 0x0081;
constexpr std::uint16_t classStatic = 0x0082;

// The style bits the builder understands (the values of the dialog template format).
constexpr std::uint32_t styleDisabled = 0x08000000;
constexpr std::uint32_t styleCaption = 0x00C00000;
constexpr std::uint32_t styleBorder = 0x00800000;
constexpr std::uint32_t styleSystemMenu = 0x00080000;
constexpr std::uint32_t styleThickFrame = 0x00040000;
constexpr std::uint32_t styleGroup = 0x00020000;
constexpr std::uint32_t styleTabStop = 0x00010000;
constexpr std::uint32_t stylePopupCaptionMenu = 0x80C80000;
constexpr std::uint32_t buttonDefault = 0x0001;
constexpr std::uint32_t editRight = 0x0002;
constexpr std::uint32_t editAutoHScroll = 0x0080;
constexpr std::uint32_t editReadOnly = 0x0800;
constexpr std::uint32_t staticEtchedHorizontal = 0x0010;

// Presses the dialog's default button as a click would; false when it has none or it is
// disabled. Edits that take Enter themselves call it, since not every platform hands Enter on.
bool pressDefaultButton(wxTopLevelWindow& dialog);

// One control of a described dialog. Position and size are in dialog units; a class name, when
// given, takes the place of the ordinal ("Button", "Edit", "Static").
struct ZnControlDescription {
    std::uint16_t classOrdinal = Zenlo::classStatic;
    Zenlo::WideString className;
    std::uint16_t id = 0;
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t cx = 0;
    std::int16_t cy = 0;
    std::uint32_t style = 0;
    std::uint32_t extendedStyle = 0;
    Zenlo::WideString text;
    std::uint32_t helpId = 0;
};

// A dialog built from its description on its first run. The concrete dialog fills the
// description in its constructor and does its own setup in initDialog, which runs before every
// modal run like the dialog initialisation message.
class ZnDynamicDialog : public wxDialog {
public:
    ZnDynamicDialog();

    // Builds the dialog on the first call, initialises it and shows it modally. Returns the id
    // of the closing command (1 OK, 2 Cancel), or -1 when the dialog cannot be created or
    // initialised.
    int runModal(wxWindow* owner);
    // Appends a control description; the list grows like the program's other arrays.
    void addControl(const ZnControlDescription& control) { controls_.add(control); }
    // Creates the window and its controls from the description; false when that fails.
    bool buildDialog(wxWindow* owner);

protected:
    // Runs after building, before showing; false ends the run with -1.
    virtual bool initDialog() { return true; }

    std::int16_t x_ = 0, y_ = 0, cx_ = 0, cy_ = 0;
    Zenlo::WideString caption_ = u"Caption";
    std::uint32_t style_ = Zenlo::stylePopupCaptionMenu;
    std::uint32_t extendedStyle_ = 0;
    // "MS Shell Dlg" stands for the system's dialog font at its own size.
    Zenlo::WideString fontFace_ = u"MS Shell Dlg";
    std::uint16_t fontSize_ = 8;
    std::uint32_t helpId_ = 0;

private:
    // Enter in an edit presses the default button, as the dialog manager would.
    void onTextEnter(wxCommandEvent& event);
    wxWindow* createControl(const ZnControlDescription& control);

    Zenlo::Array<ZnControlDescription> controls_;
    bool built_ = false;
};
} // namespace Zenlo
