// CAboutDlg: built from its table, translated through the caption keys 100 and 101.
#include "app/AboutDlg.h"

#include <iterator>

#include <wx/dcclient.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "HexmoorVersion.h"
#include "app/MainDlgIds.h"
#include "i18n/wx/WindowTranslation.h"
#include "res/Images.h"
#include "toolkit/wx/DialogTemplate.h"
#include "toolkit/wx/WxText.h"

namespace Zenlo {
namespace {

using K = ZnControlKind;

constexpr int aboutWidth = 213;
constexpr int aboutHeight = 91;

// The white band behind icon, name, version and description is painted by the dialog.
constexpr int bandHeight = 61;

// clang-format off
const ZnControlSpec aboutControls[] = {
    {AboutId::icon, K::icon, nullptr, 25, 7, 20, 20, 0},
    {AboutId::productName, K::label, u"", 52, 10, 135, 14, 0},
    {AboutId::version, K::label, u"", 120, 28, 86, 8, wxALIGN_RIGHT},
    {AboutId::description, K::label, u"101", 7, 41, 199, 16, wxALIGN_CENTRE_HORIZONTAL},
    {wxID_ANY, K::separator, nullptr, -9, 61, 227, 1, 0},
    {AboutId::notice, K::label, u"", 7, 76, 145, 8, 0},
    {wxID_OK, K::defaultButton, u"OK", 156, 70, 50, 14, 0},
};
// clang-format on

// Puts a one-line label in the vertical middle of the rectangle the table gave it.
void centreVertically(wxWindow* label) {
    const wxRect area = label->GetRect();
    const int height = std::min(area.height, label->GetBestSize().y);
    label->SetSize(area.x, area.y + (area.height - height) / 2, area.width, area.height);
}

} // namespace

const char16_t CAboutDlg::productName[] = u"Hexmoor byte array";
const char16_t CAboutDlg::noticeLine[] = u"Provided as is, without any warranty.";

// clang-format off
wxBEGIN_EVENT_TABLE(CAboutDlg, wxDialog)
    EVT_BUTTON(wxID_OK, CAboutDlg::onOk)
    EVT_PAINT(CAboutDlg::onPaint)
wxEND_EVENT_TABLE()
    // clang-format on

    Zenlo::WideString CAboutDlg::versionText() {
    return Zenlo::WideString::formatted(u"%s (%d bit)", HEXMOOR_VERSION,
                                        static_cast<int>(sizeof(void*) * 8));
}

bool CAboutDlg::create(wxWindow* parent) {
    if (!Create(parent, wxID_ANY, "100 About", wxDefaultPosition, wxDefaultSize,
                wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX))
        return false;
    if (!buildDialogControls(this, aboutWidth, aboutHeight, aboutControls,
                             std::size(aboutControls)))
        return false;
    initialise();
    return true;
}

void CAboutDlg::initialise() {
    CentreOnParent();
    for (int id : {AboutId::icon, AboutId::productName, AboutId::version, AboutId::description})
        FindWindow(id)->SetBackgroundColour(*wxWHITE);
    translateWithLanguage(this);

    boldFont_ = GetFont().Bold();
    auto* name = static_cast<wxStaticText*>(FindWindow(AboutId::productName));
    name->SetFont(boldFont_);
    name->SetForegroundColour(wxColour(0, 0, 255));
    name->SetLabelText(Zenlo::toWx(productName));
    centreVertically(name);

    wxWindow* icon = FindWindow(AboutId::icon);
    const int iconSize = std::min(icon->GetSize().x, icon->GetSize().y);
    static_cast<wxStaticBitmap*>(icon)->SetBitmap(Zenlo::programIconBitmap(iconSize));
    static_cast<wxStaticText*>(FindWindow(AboutId::version))
        ->SetLabelText(Zenlo::toWx(Zenlo::WideString(u"v") + versionText()));
    auto* notice = static_cast<wxStaticText*>(FindWindow(AboutId::notice));
    notice->SetLabelText(Zenlo::toWx(noticeLine));
    centreVertically(notice);
    FindWindow(wxID_OK)->SetFocus();
}

void CAboutDlg::onOk(wxCommandEvent&) {
    EndModal(wxID_OK);
}

void CAboutDlg::onPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    const wxRect band = dialogUnitsToPixels(this, 0, 0, aboutWidth, bandHeight);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawRectangle(band);
}
} // namespace Zenlo
