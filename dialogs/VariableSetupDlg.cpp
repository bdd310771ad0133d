// CVariableSetupDlg: building, opening, the exchange of members and controls, and closing.
#include "dialogs/VariableSetupDlg.h"

#include <wx/bmpbuttn.h>
#include <wx/listbox.h>

#include "dialogs/VariableSetupIds.h"
#include "dialogs/VariableSetupTable.h"
#include "i18n/Language.h"
#include "i18n/wx/WindowTranslation.h"
#include "res/Images.h"
#include "toolkit/wx/DynamicDialog.h"
#include "toolkit/wx/WinDataExchange.h"
#include "toolkit/wx/WxText.h"

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
    windowTranslation().translateWindow(this, [](std::int32_t key) {
        const auto& strings = ZnLanguage::instance().strings();
        auto found = strings.find(key);
        return found == strings.end() ? nullptr : &found->second;
    });

    includeList_ = static_cast<wxListBox*>(FindWindow(SetupId::includeList));
    includeList_->Bind(wxEVT_KEY_DOWN, &CVariableSetupDlg::onListKey, this);
    fillList(values.includeList);
    moveUpButton_ = static_cast<wxBitmapButton*>(FindWindow(SetupId::moveUp));
    moveDownButton_ = static_cast<wxBitmapButton*>(FindWindow(SetupId::moveDown));
    moveUpButton_->SetBitmap(Zenlo::arrowBitmap(true));
    moveDownButton_->SetBitmap(Zenlo::arrowBitmap(false));

    // Whole counts from 1 up: 0 or a count beyond 32 bits would never reach the writer intact.
    bytesPerLineEdit_.attach(static_cast<wxTextCtrl*>(FindWindow(SetupId::bytesPerLine)));
    bytesPerLineEdit_.allowNegative = 0;
    bytesPerLineEdit_.integerMinimum = Zenlo::minimumBytesPerLine;
    bytesPerLineEdit_.integerMaximum = Zenlo::maximumBytesPerLine;
    bytesPerLineEdit_.setMode(ZnNumericEditRules::integerMode);
    bytesPerLineEdit_.setIntegerValue(values.bytesPerLine);

    writeToControls();
    applySizeVariableRule();
    applyListButtonRule();
}

void CVariableSetupDlg::fillList(const Zenlo::WideString& includeList) {
    includeList_->Clear();
    for (const Zenlo::WideString& row : Zenlo::includeRows(includeList))
        includeList_->Append(Zenlo::toWx(row));
    updateHorizontalExtent();
}

Zenlo::StringList CVariableSetupDlg::rows() const {
    Zenlo::StringList list;
    for (unsigned i = 0; i < includeList_->GetCount(); ++i)
        list.add(Zenlo::fromWx(includeList_->GetString(i)));
    return list;
}

bool CVariableSetupDlg::writeToControls() { return exchangeData(ZnWinDataExchange::toControls); }

bool CVariableSetupDlg::readFromControls() { return exchangeData(ZnWinDataExchange::fromControls); }

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
    const ZnListButtons buttons = Zenlo::listButtons(includeList_->GetSelection(),
                                                     static_cast<int>(includeList_->GetCount()));
    FindWindow(SetupId::removeHeader)->Enable(buttons.remove);
    FindWindow(SetupId::removeAllHeaders)->Enable(buttons.removeAll);
    moveUpButton_->Enable(buttons.moveUp);
    moveDownButton_->Enable(buttons.moveDown);
}

void CVariableSetupDlg::closeWith(int id) {
    readFromControls();
    // The edit keeps its value within 1..2147483647, so the 32-bit member takes it whole.
    values.bytesPerLine = static_cast<std::int32_t>(bytesPerLineEdit_.integerValue());
    if (id == SetupId::ok) values.includeList = Zenlo::includeListOf(rows());
    EndModal(id);
}

void CVariableSetupDlg::onButton(wxCommandEvent& event) {
    switch (event.GetId()) {
    case SetupId::ok:
    case SetupId::cancel:
        closeWith(event.GetId());
        break;
    case SetupId::addHeader:
        addHeader();
        break;
    case SetupId::removeHeader:
        removeSelected();
        break;
    case SetupId::removeAllHeaders:
        removeAll();
        break;
    case SetupId::moveUp:
        moveSelected(true);
        break;
    case SetupId::moveDown:
        moveSelected(false);
        break;
    case SetupId::defaults:
        setDefaults();
        break;
    default:
        event.Skip();
        break;
    }
}

void CVariableSetupDlg::onWriteSizeVariable(wxCommandEvent&) {
    readFromControls();
    applySizeVariableRule();
}

void CVariableSetupDlg::onListSelection(wxCommandEvent&) {
    applyListButtonRule();
}

void CVariableSetupDlg::onListKey(wxKeyEvent& event) {
    // Delete (also the keypad's) is fully handled here; every other key goes on to the list.
    if (event.GetKeyCode() == WXK_DELETE || event.GetKeyCode() == WXK_NUMPAD_DELETE)
        removeSelected();
    else
        event.Skip();
}

void CVariableSetupDlg::onTextEnter(wxCommandEvent& event) {
    if (!pressDefaultButton(*this)) event.Skip();
}
