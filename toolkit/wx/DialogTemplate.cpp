// Creates controls from dialog-unit descriptions: dialog units become pixels through the dialog's
// font.
#include "toolkit/wx/DialogTemplate.h"

#include <wx/arrstr.h>
#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/gauge.h>
#include <wx/listbox.h>
#include <wx/statbmp.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "toolkit/wx/NativeLook.h"
#include "toolkit/wx/WxText.h"

namespace Zenlo {
wxRect dialogUnitsToPixels(wxWindow* dialog, int x, int y, int width, int height) {
    wxPoint origin = dialog->ConvertDialogToPixels(wxPoint(x, y));
    wxPoint corner = dialog->ConvertDialogToPixels(wxPoint(x + width, y + height));
    return wxRect(origin, wxSize(corner.x - origin.x, corner.y - origin.y));
}

void setClientSizeInDialogUnits(wxWindow* dialog, int width, int height) {
    dialog->SetClientSize(dialogUnitsToPixels(dialog, 0, 0, width, height).GetSize());
}

wxString wrapToWidth(const wxWindow* window, const wxString& text, int width) {
    wxString wrapped;
    const wxArrayString paragraphs = wxSplit(text, '\n', '\0');
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0) wrapped << '\n';
        wxString line;
        for (const wxString& word : wxSplit(paragraphs[i], ' ', '\0')) {
            const wxString longer = line.empty() ? word : line + ' ' + word;
            if (!line.empty() && window->GetTextExtent(longer).x > width) {
                wrapped << line << '\n';
                line = word;
            } else {
                line = longer;
            }
        }
        wrapped << line;
    }
    return wrapped;
}

namespace {

// A button that wraps its caption, like a multi-line push button of a dialog resource.
class ZnMultiLineButton : public wxButton {
public:
    using wxButton::wxButton;
    void SetLabel(const wxString& label) override {
        // Room for the frame and a little air on both sides.
        const int room = GetSize().x - GetCharWidth() * 2;
        wxButton::SetLabel(room > 0 ? wrapToWidth(this, label, room) : label);
    }
};

bool isButton(ZnControlKind kind) {
    return kind == ZnControlKind::button || kind == ZnControlKind::defaultButton ||
           kind == ZnControlKind::multiLineButton || kind == ZnControlKind::bitmapButton;
}

} // namespace

wxWindow* createControl(wxWindow* parent, const ZnControlSpec& item) {
    const wxRect rect = dialogUnitsToPixels(parent, item.x, item.y, item.width, item.height);
    const wxString caption =
        Zenlo::toWx(item.caption ? Zenlo::WideString(item.caption) : Zenlo::WideString());
    const wxPoint at = rect.GetPosition();
    const wxSize size = rect.GetSize();
    switch (item.kind) {
    case ZnControlKind::label:
        return new wxStaticText(parent, item.id, caption, at, size,
                                item.style | wxST_NO_AUTORESIZE);
    case ZnControlKind::button:
        return new wxButton(parent, item.id, caption, at, size, item.style);
    case ZnControlKind::defaultButton:
        return makeDefaultButton(new wxButton(parent, item.id, caption, at, size, item.style));
    case ZnControlKind::multiLineButton: {
        auto* button = new ZnMultiLineButton(parent, item.id, wxString(), at, size, item.style);
        button->SetLabel(caption);
        return button;
    }
    case ZnControlKind::bitmapButton:
        return new wxBitmapButton(parent, item.id, wxBitmapBundle(), at, size, item.style);
    case ZnControlKind::checkBox:
        return new wxCheckBox(parent, item.id, caption, at, size, item.style);
    case ZnControlKind::edit:
        return new wxTextCtrl(parent, item.id, caption, at, size, item.style);
    case ZnControlKind::listBox:
        return new wxListBox(parent, item.id, at, size, 0, nullptr,
                             item.style | wxLB_SINGLE | wxLB_HSCROLL | wxLB_NEEDED_SB);
    case ZnControlKind::progressBar: {
        auto* bar =
            new wxGauge(parent, item.id, 100, at, size, item.style | wxGA_HORIZONTAL | wxGA_SMOOTH);
        fillBarHeight(bar);
        return bar;
    }
    case ZnControlKind::separator:
        return new wxStaticLine(parent, item.id, at, wxSize(size.x, -1), wxLI_HORIZONTAL);
    case ZnControlKind::choice:
        // The rectangle's height is that of the open list; the closed box keeps its own height.
        return new wxChoice(parent, item.id, at, wxSize(size.x, -1), 0, nullptr,
                            item.style | wxCB_SORT);
    case ZnControlKind::icon:
        return new wxStaticBitmap(parent, item.id, wxBitmapBundle(), at, size, item.style);
    }
    return nullptr;
}

bool buildDialogControls(wxWindow* dialog, int width, int height, const ZnControlSpec* specs,
                         std::size_t count) {
    setClientSizeInDialogUnits(dialog, width, height);
    bool allCreated = true;
    for (std::size_t i = 0; i < count; ++i) {
        ZnControlSpec item = specs[i];
        // Without the theme's inner padding a short caption such as "?" still fits a narrow
        // button.
        if (isButton(item.kind)) item.style |= wxBU_EXACTFIT;
        if (!createControl(dialog, item)) allCreated = false;
    }
    return allCreated;
}
} // namespace Zenlo
