// ZnWinDataExchange: text and check-box exchange with the beep-and-focus error rule.
#include "toolkit/wx/WinDataExchange.h"

#include <wx/anybutton.h>
#include <wx/checkbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "toolkit/wx/WxText.h"

namespace Zenlo {
void ZnWinDataExchange::fail(wxWindow* control) {
    ok_ = false;
    wxBell();
    if (control) control->SetFocus();
}

ZnWinDataExchange& ZnWinDataExchange::text(int id, Zenlo::WideString& member) {
    if (!ok_) return *this;
    wxWindow* control = dialog_ ? dialog_->FindWindow(id) : nullptr;
    const bool write = direction_ == toControls;
    if (auto* edit = dynamic_cast<wxTextCtrl*>(control)) {
        if (write)
            edit->SetValue(Zenlo::toWx(member));
        else
            member = Zenlo::fromWx(edit->GetValue());
    } else if (auto* label = dynamic_cast<wxStaticText*>(control)) {
        // Label texts are shown as they are: "&" marks no mnemonic here.
        if (write)
            label->SetLabelText(Zenlo::toWx(member));
        else
            member = Zenlo::fromWx(label->GetLabelText());
    } else if (dynamic_cast<wxAnyButton*>(control) || dynamic_cast<wxCheckBox*>(control)) {
        if (write)
            control->SetLabel(Zenlo::toWx(member));
        else
            member = Zenlo::fromWx(control->GetLabel());
    } else {
        fail(control);
    }
    return *this;
}

ZnWinDataExchange& ZnWinDataExchange::check(int id, int& member) {
    if (!ok_) return *this;
    wxWindow* control = dialog_ ? dialog_->FindWindow(id) : nullptr;
    auto* box = dynamic_cast<wxCheckBox*>(control);
    if (!box) {
        fail(control);
        return *this;
    }
    if (direction_ == toControls) {
        if (member < 0 || member > 2) member = 0;
        if (box->Is3State())
            box->Set3StateValue(static_cast<wxCheckBoxState>(member));
        else
            box->SetValue(member != 0);
    } else {
        member = box->Is3State() ? static_cast<int>(box->Get3StateValue()) : box->GetValue();
    }
    return *this;
}
} // namespace Zenlo
