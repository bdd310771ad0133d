// CVariableSetupDlg: building, opening, the exchange of members and controls, adding a header,
// the defaults and closing.
#include "dialogs/VariableSetupDlg.h"

#include <cassert>
#include <utility>

#include <wx/bmpbuttn.h>
#include <wx/listbox.h>

#include "dialogs/VariableSetupIds.h"
#include "dialogs/VariableSetupTable.h"
#include "i18n/Language.h"
#include "i18n/TextKeys.h"
#include "i18n/wx/WindowTranslation.h"
#include "res/Images.h"
#include "toolkit/wx/DynamicDialog.h"
#include "toolkit/wx/InputBox.h"
#include "toolkit/wx/WinDataExchange.h"
#include "toolkit/wx/WxText.h"

namespace Zenlo {
// clang-format off
wxBEGIN_EVENT_TABLE(CVariableSetupDlg, wxDialog)
    EVT_BUTTON(wxID_ANY, CVariableSetupDlg::onButton)
    EVT_CHECKBOX(SetupId::writeSizeVariable, CVariableSetupDlg::onWriteSizeVariable)
    EVT_LISTBOX(SetupId::includeList, CVariableSetupDlg::onListSelection)
    EVT_TEXT_ENTER(wxID_ANY, CVariableSetupDlg::onTextEnter)
wxEND_EVENT_TABLE()
    // clang-format on

    CVariableSetupDlg::CVariableSetupDlg() = default;

int CVariableSetupDlg::runModal(wxWindow* owner) {
    if (!create(owner)) return -1;
    return ShowModal();
}

bool CVariableSetupDlg::create(wxWindow* owner) {
    // Fixed size: caption, window menu and close box (which cancels).
    if (!Create(owner, wxID_ANY, "300", wxDefaultPosition, wxDefaultSize,
                wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX))
        return false;
    if (!buildDialogControls(this, variableSetupWidth, variableSetupHeight, variableSetupControls,
                             variableSetupControlCount))
        return false;
    initialise();
    return true;
}

void CVariableSetupDlg::initialise() {
    SetAffirmativeId(SetupId::ok);
    SetEscapeId(SetupId::cancel);
    CentreOnParent();
    translateWithLanguage(this);

    auto* moveUp = static_cast<wxBitmapButton*>(FindWindow(SetupId::moveUp));
    auto* moveDown = static_cast<wxBitmapButton*>(FindWindow(SetupId::moveDown));
    moveUp->SetBitmap(Zenlo::arrowBitmap(true));
    moveDown->SetBitmap(Zenlo::arrowBitmap(false));
    headers_ = std::make_unique<Zenlo::ZnReorderableList>(
        static_cast<wxListBox*>(FindWindow(SetupId::includeList)), moveUp, moveDown,
        [this] { applyListButtonRule(); });

    // Whole counts from 1 up: 0 or a count beyond 32 bits would never reach the writer intact.
    bytesPerLineEdit_.attach(static_cast<wxTextCtrl*>(FindWindow(SetupId::bytesPerLine)));
    bytesPerLineEdit_.allowNegative = 0;
    bytesPerLineEdit_.integerMinimum = Zenlo::minimumBytesPerLine;
    bytesPerLineEdit_.integerMaximum = Zenlo::maximumBytesPerLine;
    bytesPerLineEdit_.setMode(ZnNumericEditRules::integerMode);
    showValues();
}

void CVariableSetupDlg::showValues() {
    headers_->setRows(Zenlo::includeRows(values.includeList));
    bytesPerLineEdit_.setIntegerValue(values.bytesPerLine);
    writeToControls();
    applySizeVariableRule();
}

void CVariableSetupDlg::addHeader() {
    ZnInputBox box;
    const ZnLanguage& language = ZnLanguage::instance();
    box.caption = language.text(Zenlo::TextKey::addHeaderTitle);
    box.prompt = language.text(Zenlo::TextKey::headerPrompt);
    box.okText = u"OK";
    box.cancelText = language.text(Zenlo::TextKey::cancel);
    box.editMode = ZnNumericEditRules::plainMode;
    box.rememberedWidth = inputBoxWidth;
    box.rememberedHeight = inputBoxHeight;
    const int result = box.runModal(this);
    inputBoxWidth = box.rememberedWidth;
    inputBoxHeight = box.rememberedHeight;
    // No check for duplicates or ";": the answer is taken as typed.
    if (result == 1 && !box.value.isEmpty())
        headers_->append(wxArrayString(1, Zenlo::toWx(box.value)));
}

void CVariableSetupDlg::setDefaults() {
    values = ZnVariableSetupValues();
    showValues();
}

bool CVariableSetupDlg::writeToControls() {
    return exchangeData(ZnWinDataExchange::toControls);
}

bool CVariableSetupDlg::readFromControls() {
    return exchangeData(ZnWinDataExchange::fromControls);
}

// One list of control-member pairs serves both directions, so they cannot drift apart.
bool CVariableSetupDlg::exchangeData(ZnWinDataExchange::Direction direction) {
    ZnWinDataExchange exchange(this, direction);
    exchange.check(SetupId::lowerCaseName, values.lowerCaseName)
        .check(SetupId::capitalizeName, values.capitalizeName)
        .text(SetupId::elementType, values.elementType)
        .check(SetupId::arrayStatic, values.arrayStatic)
        .check(SetupId::arrayConst, values.arrayConst)
        .text(SetupId::namePrefix, values.namePrefix)
        .text(SetupId::nameSuffix, values.nameSuffix)
        .check(SetupId::writeSizeVariable, values.writeSizeVariable)
        .text(SetupId::sizeType, values.sizeType)
        .check(SetupId::sizeStatic, values.sizeStatic)
        .check(SetupId::sizeConst, values.sizeConst)
        .check(SetupId::upperCaseHex, values.upperCaseHex)
        .check(SetupId::printableComment, values.printableComment);
    return exchange.ok();
}

void CVariableSetupDlg::applySizeVariableRule() {
    const bool enabled = values.writeSizeVariable != 0;
    for (int id : {SetupId::sizeType, SetupId::sizeStatic, SetupId::sizeConst})
        FindWindow(id)->Enable(enabled);
    ZnWinDataExchange(this, ZnWinDataExchange::toControls)
        .check(SetupId::sizeStatic, values.sizeStatic)
        .check(SetupId::sizeConst, values.sizeConst);
}

void CVariableSetupDlg::applyListButtonRule() {
    const Zenlo::ZnListButtons buttons = headers_->buttons();
    FindWindow(SetupId::removeHeader)->Enable(buttons.remove);
    FindWindow(SetupId::removeAllHeaders)->Enable(buttons.removeAll);
    FindWindow(SetupId::moveUp)->Enable(buttons.moveUp);
    FindWindow(SetupId::moveDown)->Enable(buttons.moveDown);
}

void CVariableSetupDlg::closeWith(int id) {
    readFromControls();
    // The edit keeps its value within 1..2147483647, so the 32-bit member takes it whole.
    const std::int64_t bytesPerLine = bytesPerLineEdit_.integerValue();
    assert(bytesPerLine >= minimumBytesPerLine && bytesPerLine <= maximumBytesPerLine);
    values.bytesPerLine = static_cast<std::int32_t>(bytesPerLine);
    if (id == SetupId::ok) values.includeList = Zenlo::includeListOf(headers_->rows());
    EndModal(id);
}

void CVariableSetupDlg::onButton(wxCommandEvent& event) {
    using Action = void (*)(CVariableSetupDlg&);
    static const std::pair<int, Action> actions[] = {
        {SetupId::ok, [](CVariableSetupDlg& d) { d.closeWith(SetupId::ok); }},
        {SetupId::cancel, [](CVariableSetupDlg& d) { d.closeWith(SetupId::cancel); }},
        {SetupId::addHeader, [](CVariableSetupDlg& d) { d.addHeader(); }},
        {SetupId::removeHeader, [](CVariableSetupDlg& d) { d.headers_->removeSelected(); }},
        {SetupId::removeAllHeaders, [](CVariableSetupDlg& d) { d.headers_->removeAll(); }},
        {SetupId::moveUp, [](CVariableSetupDlg& d) { d.headers_->moveSelected(true); }},
        {SetupId::moveDown, [](CVariableSetupDlg& d) { d.headers_->moveSelected(false); }},
        {SetupId::defaults, [](CVariableSetupDlg& d) { d.setDefaults(); }},
    };
    for (const auto& [id, action] : actions)
        if (id == event.GetId()) return action(*this);
    event.Skip();
}

void CVariableSetupDlg::onWriteSizeVariable(wxCommandEvent&) {
    readFromControls();
    applySizeVariableRule();
}

void CVariableSetupDlg::onListSelection(wxCommandEvent&) {
    applyListButtonRule();
}

void CVariableSetupDlg::onTextEnter(wxCommandEvent& event) {
    if (!pressDefaultButton(*this)) event.Skip();
}
} // namespace Zenlo
