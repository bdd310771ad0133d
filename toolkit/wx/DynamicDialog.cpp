// Builds a described dialog: maps the template styles onto wx window styles and places controls.
#include "toolkit/wx/DynamicDialog.h"

#include <optional>

#include <wx/button.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

#include "toolkit/wx/DialogTemplate.h"
#include "toolkit/wx/WxText.h"

namespace Zenlo {
namespace {

long dialogStyle(std::uint32_t style) {
    long result = 0;
    if ((style & Zenlo::styleCaption) == Zenlo::styleCaption) result |= wxCAPTION;
    if (style & Zenlo::styleSystemMenu) result |= wxSYSTEM_MENU | wxCLOSE_BOX;
    if (style & Zenlo::styleThickFrame) result |= wxRESIZE_BORDER;
    return result;
}

// The class a description names: its class name when given, else its ordinal.
std::uint16_t classOf(const ZnControlDescription& control) {
    if (control.className.isEmpty()) return control.classOrdinal;
    Zenlo::WideString name = control.className;
    name.toLower();
    if (name == u"button") return Zenlo::classButton;
    if (name == u"edit") return Zenlo::classEdit;
    if (name == u"static") return Zenlo::classStatic;
    return 0;
}

// The control a description asks for, in the terms of the control factory; nothing for a class
// the builder does not know.
std::optional<ZnControlSpec> controlSpec(const ZnControlDescription& control) {
    ZnControlSpec wanted{control.id, ZnControlKind::label, control.text.c_str(), control.x,
                         control.y,  control.cx,           control.cy,           0};
    switch (classOf(control)) {
    case Zenlo::classButton:
        wanted.kind = (control.style & Zenlo::buttonDefault) ? ZnControlKind::defaultButton
                                                             : ZnControlKind::button;
        return wanted;
    case Zenlo::classEdit:
        wanted.kind = ZnControlKind::edit;
        wanted.style = wxTE_PROCESS_ENTER;
        if (control.style & Zenlo::editRight) wanted.style |= wxTE_RIGHT;
        if (control.style & Zenlo::editReadOnly) wanted.style |= wxTE_READONLY;
        if (!(control.style & Zenlo::styleBorder)) wanted.style |= wxBORDER_NONE;
        return wanted;
    case Zenlo::classStatic:
        if (control.style & Zenlo::staticEtchedHorizontal) wanted.kind = ZnControlKind::separator;
        return wanted;
    default:
        return std::nullopt;
    }
}

wxFont dialogFont(const Zenlo::WideString& face, int points) {
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    if (face == u"MS Shell Dlg") return font;
    font.SetFaceName(Zenlo::toWx(face));
    font.SetPointSize(points);
    return font;
}

} // namespace

ZnDynamicDialog::ZnDynamicDialog() = default;

bool ZnDynamicDialog::buildDialog(wxWindow* owner) {
    if (built_) return true;
    if (!Create(owner, wxID_ANY, Zenlo::toWx(caption_), wxDefaultPosition, wxDefaultSize,
                dialogStyle(style_)))
        return false;
    SetFont(dialogFont(fontFace_, fontSize_));
    for (const ZnControlDescription& control : controls_)
        if (!createControl(control)) return false;
    setClientSizeInDialogUnits(this, cx_, cy_);
    // The template's ids 1 and 2 are the accepting and the cancelling commands.
    SetAffirmativeId(1);
    SetEscapeId(2);
    Bind(wxEVT_TEXT_ENTER, &ZnDynamicDialog::onTextEnter, this);
    built_ = true;
    return true;
}

wxWindow* ZnDynamicDialog::createControl(const ZnControlDescription& control) {
    const std::optional<ZnControlSpec> wanted = controlSpec(control);
    wxWindow* window = wanted ? Zenlo::createControl(this, *wanted) : nullptr;
    if (!window) return nullptr;
    // Buttons and edits never get less height than their text needs on this platform.
    if (wanted->kind != ZnControlKind::label && wanted->kind != ZnControlKind::separator) {
        const wxRect rect =
            dialogUnitsToPixels(this, wanted->x, wanted->y, wanted->width, wanted->height);
        const int best = window->GetBestSize().y;
        if (rect.height < best) window->SetSize(wxSize(rect.width, best));
    }
    if (control.style & Zenlo::styleDisabled) window->Disable();
    return window;
}

bool pressDefaultButton(wxTopLevelWindow& dialog) {
    auto* button = dynamic_cast<wxButton*>(dialog.GetDefaultItem());
    if (!button || !button->IsEnabled()) return false;
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
    return true;
}

void ZnDynamicDialog::onTextEnter(wxCommandEvent& event) {
    if (!pressDefaultButton(*this)) event.Skip();
}

int ZnDynamicDialog::runModal(wxWindow* owner) {
    if (built_) {
        // A later run starts again from the described size, free of the last run's limits.
        SetSizeHints(wxDefaultSize, wxDefaultSize);
        setClientSizeInDialogUnits(this, cx_, cy_);
    }
    if (!buildDialog(owner)) return -1;
    if (!initDialog()) return -1;
    return ShowModal();
}
} // namespace Zenlo
