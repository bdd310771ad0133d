// Native look over GTK 3: style classes and CSS through the GTK library wx already loaded (looked
// up at run time, which spares a build dependency on its headers); elsewhere what wx offers.
#include "toolkit/wx/NativeLook.h"

#include <set>
#include <string>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/gauge.h>
#include <wx/listbox.h>

#ifdef __WXGTK__
#include <dlfcn.h>
#elif defined(__WXMSW__)
#include <wx/msw/wrapwin.h>
#endif

namespace Zenlo {
#ifdef __WXGTK__

namespace {

template <class Function> Function gtk(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_DEFAULT, name));
}

// GTK_STYLE_PROVIDER_PRIORITY_APPLICATION: above the theme, below the user's settings.
constexpr unsigned applicationPriority = 600;

bool changeClass(void* widget, const char* name, bool add) {
    using GetContext = void* (*)(void*);
    using ChangeClass = void (*)(void*, const char*);
    static auto getContext = gtk<GetContext>("gtk_widget_get_style_context");
    static auto addClass = gtk<ChangeClass>("gtk_style_context_add_class");
    static auto removeClass = gtk<ChangeClass>("gtk_style_context_remove_class");
    if (!getContext || !addClass || !removeClass || !widget) return false;
    void* context = getContext(widget);
    if (!context) return false;
    (add ? addClass : removeClass)(context, name);
    return true;
}

// Adds the style sheet for the whole screen, once per text.
bool addScreenCss(const std::string& css) {
    static std::set<std::string> added;
    if (added.count(css)) return true;
    using NewProvider = void* (*)();
    using LoadData = int (*)(void*, const char*, long, void**);
    using DefaultScreen = void* (*)();
    using AddProvider = void (*)(void*, void*, unsigned);
    static auto newProvider = gtk<NewProvider>("gtk_css_provider_new");
    static auto loadData = gtk<LoadData>("gtk_css_provider_load_from_data");
    static auto defaultScreen = gtk<DefaultScreen>("gdk_screen_get_default");
    static auto addProvider = gtk<AddProvider>("gtk_style_context_add_provider_for_screen");
    if (!newProvider || !loadData || !defaultScreen || !addProvider) return false;
    void* screen = defaultScreen();
    void* provider = newProvider();
    if (!screen || !provider) return false;
    if (!loadData(provider, css.c_str(), static_cast<long>(css.size()), nullptr)) return false;
    addProvider(screen, provider, applicationPriority);
    added.insert(css);
    return true;
}

// Names the widget so a style sheet can single it out.
bool setName(void* widget, const std::string& name) {
    using SetName = void (*)(void*, const char*);
    static auto setWidgetName = gtk<SetName>("gtk_widget_set_name");
    if (!setWidgetName || !widget) return false;
    setWidgetName(widget, name.c_str());
    return true;
}

} // namespace
#endif

bool showAsDefaultButton([[maybe_unused]] wxButton* button, [[maybe_unused]] bool isDefault) {
#if defined(__WXMSW__)
    ::SendMessage(button->GetHWND(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON,
                  TRUE);
    return true;
#elif defined(__WXGTK__)
    // Themes draw "default" differently (Adwaita not at all); the suggested action is the look
    // every theme gives the button a dialog wants pressed.
    bool done = changeClass(button->GetHandle(), "default", isDefault) &&
                changeClass(button->GetHandle(), "suggested-action", isDefault);
    button->Refresh();
    return done;
#else
    return false;
#endif
}

wxButton* makeDefaultButton(wxButton* button) {
    button->SetDefault();
#if defined(__WXGTK__)
    changeClass(button->GetHandle(), "suggested-action", true);
#endif
    return button;
}

bool fillBarHeight([[maybe_unused]] wxGauge* bar) {
#if defined(__WXGTK__)
    const int height = bar->GetSize().y;
    if (height <= 2) return false;
    const std::string name = "hexmoor-bar-" + std::to_string(height);
    const std::string size = std::to_string(height - 2) + "px";
    return setName(bar->GetHandle(), name) &&
           addScreenCss("#" + name + " trough, #" + name + " progress { min-height: " + size +
                        "; }");
#else
    return false;
#endif
}

bool fitChoiceHeight([[maybe_unused]] wxChoice* choice, [[maybe_unused]] int height) {
#if defined(__WXGTK__)
    if (height <= 0) return false;
    const std::string name = "hexmoor-choice-" + std::to_string(height);
    // The closed list is a button inside the combo box: trim its padding and minimum height.
    const bool done =
        setName(choice->GetHandle(), name) &&
        addScreenCss("#" + name + " button { min-height: 0; padding-top: 0; padding-bottom: 0; }");
    choice->SetSize(wxSize(choice->GetSize().x, height));
    return done;
#else
    return false;
#endif
}

void shrinkToWidestRow([[maybe_unused]] wxListBox* list) {
#if defined(__WXGTK__)
    // The list is a tree view whose column only ever grows with its widest row.
    using Autosize = void (*)(void*);
    static auto autosize = gtk<Autosize>("gtk_tree_view_columns_autosize");
    if (autosize && list->m_treeview) autosize(list->m_treeview);
#endif
}
} // namespace Zenlo
