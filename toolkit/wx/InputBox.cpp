// The input box: its description, its layout and its width-only resizing.
#include "toolkit/wx/InputBox.h"

#include <wx/textctrl.h>

#include "toolkit/dialogrules/BoxLayout.h"
#include "toolkit/wx/WxText.h"

namespace Zenlo {
namespace {

ZnControlDescription control(std::uint16_t classOrdinal, std::uint16_t id, std::int16_t cx,
                             std::int16_t cy, std::uint32_t style) {
    ZnControlDescription description;
    description.classOrdinal = classOrdinal;
    description.id = id;
    description.cx = cx;
    description.cy = cy;
    description.style = style;
    return description;
}

} // namespace

ZnInputBox::ZnInputBox() {
    style_ = Zenlo::stylePopupCaptionMenu | Zenlo::styleThickFrame;
    addControl(control(Zenlo::classStatic, promptId, 0, 8, Zenlo::styleGroup));
    addControl(control(Zenlo::classEdit, editId, 0, 14,
                       Zenlo::styleBorder | Zenlo::styleTabStop | Zenlo::editAutoHScroll));
    ZnControlDescription line = control(0, lineId, 0, 1, Zenlo::staticEtchedHorizontal);
    line.className = u"Static";
    addControl(line);
    addControl(control(Zenlo::classButton, 1, 50, 14, Zenlo::styleTabStop | Zenlo::buttonDefault));
    addControl(control(Zenlo::classButton, 2, 50, 14, Zenlo::styleTabStop));
    Bind(wxEVT_BUTTON, &ZnInputBox::onClose, this, 1, 2);
}

bool ZnInputBox::initDialog() {
    SetTitle(Zenlo::toWx(caption));
    wxWindow* promptLabel = FindWindow(promptId);
    promptLabel->SetLabel(Zenlo::toWx(prompt));
    // The prompt starts as wide as its text, so the layout's minimum never clips it.
    promptLabel->SetSize(promptLabel->GetBestSize().x, promptLabel->GetSize().y);
    FindWindow(1)->SetLabel(Zenlo::toWx(okText));
    FindWindow(2)->SetLabel(Zenlo::toWx(cancelText));
    // Attaching fails only on a second run, when the edit is attached already.
    edit_.attach(static_cast<wxTextCtrl*>(FindWindow(editId)));
    edit_.setMode(editMode);
    edit_.allowNegative = allowNegative;
    // The start text goes in without a change notification; a number field shows it committed.
    edit_.control()->ChangeValue(Zenlo::toWx(value));
    if (!edit_.isPlain()) edit_.integerValue();

    prepareResizing(*this, true, true);
    buildLayout();
    trackSizes() = Zenlo::inputBoxTrackSizes(trackSizes(), layoutMinimum());
    applySizeLimits();
    trackSizes() = Zenlo::fixHeight(trackSizes(), GetSize().y);
    applySizeLimits();
    if (rememberedWidth != 0 || rememberedHeight != 0) {
        Zenlo::Extent size =
            Zenlo::clampWindowSize({rememberedWidth, rememberedHeight}, trackSizes());
        SetSize(size.width, size.height);
    }
    CentreOnParent();
    edit_.control()->SetFocus();
    return true;
}

void ZnInputBox::buildLayout() {
    ZnLayoutHost& host = layoutHost();
    auto buttons = std::make_unique<ZnHBoxLayout>(host);
    buttons->appendStretch().appendControl(1, Zenlo::alignLeft).appendControl(2, Zenlo::alignLeft);
    auto column = std::make_unique<ZnVBoxLayout>(host);
    column->setMargin(10);
    column->appendControl(promptId, Zenlo::alignHFill).appendControl(editId, Zenlo::alignHFill);
    column->appendGap(5).appendControl(lineId, Zenlo::alignReachMargin | Zenlo::alignHFill);
    column->appendGap(0).appendLayout(std::move(buttons), Zenlo::alignHFill);
    setLayout(std::move(column));
}

void ZnInputBox::onClose(wxCommandEvent& event) {
    wxSize size = GetSize();
    rememberedWidth = size.x;
    rememberedHeight = size.y;
    if (event.GetId() == 1) value = Zenlo::fromWx(edit_.control()->GetValue());
    EndModal(event.GetId());
}
} // namespace Zenlo
