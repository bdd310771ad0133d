// Window translation over wx windows; weak references stand in for window-validity tests.
#include "i18n/wx/WindowTranslation.h"

#include <wx/anybutton.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/toplevel.h>

#include "i18n/CaptionKey.h"
#include "i18n/Language.h"
#include "toolkit/wx/WxText.h"

namespace Zenlo {
namespace {
const char dataWindowName[] = "ZnDataWindow";
} // namespace

void ZnWindowTranslation::markAsData(wxWindow* window) {
    if (window) window->SetName(dataWindowName);
}

bool ZnWindowTranslation::hasCaption(const wxWindow* window) {
    if (window->GetName() == dataWindowName) return false;
    return dynamic_cast<const wxStaticText*>(window) || dynamic_cast<const wxAnyButton*>(window) ||
           dynamic_cast<const wxCheckBox*>(window) || dynamic_cast<const wxRadioButton*>(window) ||
           dynamic_cast<const wxStaticBox*>(window) ||
           dynamic_cast<const wxTopLevelWindow*>(window);
}

Zenlo::WideString ZnWindowTranslation::caption(const wxWindow* window) {
    if (auto* top = dynamic_cast<const wxTopLevelWindow*>(window))
        return Zenlo::fromWx(top->GetTitle());
    return Zenlo::fromWx(window->GetLabel());
}

void ZnWindowTranslation::collectOne(wxWindow* window) {
    if (!hasCaption(window)) return;
    std::int32_t key = Zenlo::captionKey(caption(window));
    if (key != 0) windowKeys_[key].emplace_back(window);
}

void ZnWindowTranslation::collectWindows(wxWindow* window) {
    if (!window) return;
    collectOne(window);
    for (wxWindow* child : window->GetChildren())
        collectOne(child);
}

bool ZnWindowTranslation::translateWindow(wxWindow* window, const Lookup& lookup) {
    if (!window) return false;
    collectWindows(window);
    for (auto& [key, windows] : windowKeys_) {
        const Zenlo::WideString* text = lookup ? lookup(key) : nullptr;
        if (!text) continue;
        const wxString label = Zenlo::toWx(*text);
        for (wxWeakRef<wxWindow>& ref : windows) {
            wxWindow* target = ref.get();
            if (!target) continue;
            if (auto* top = dynamic_cast<wxTopLevelWindow*>(target))
                top->SetTitle(label);
            else if (target->GetLabel() != label)
                target->SetLabel(label);
        }
    }
    window->Refresh();
    window->Update();
    return true;
}

std::size_t ZnWindowTranslation::registeredCount(std::int32_t key) const {
    auto found = windowKeys_.find(key);
    return found == windowKeys_.end() ? 0 : found->second.size();
}

ZnWindowTranslation& windowTranslation() {
    static ZnWindowTranslation registry;
    return registry;
}

bool translateWithLanguage(wxWindow* window) {
    const ZnLanguage::StringTable& strings = ZnLanguage::instance().strings();
    return windowTranslation().translateWindow(
        window, [&strings](std::int32_t key) -> const Zenlo::WideString* {
            auto found = strings.find(key);
            return found == strings.end() ? nullptr : &found->second;
        });
}
} // namespace Zenlo
