// Window translation: captions that start with a language key are remembered under that key and
// replaced by the key's text, now and after every later language switch.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include <wx/weakref.h>
#include <wx/window.h>

#include "toolkit/WideString.h"

namespace Zenlo {
class ZnWindowTranslation {
public:
    // The text of a key, or null when the loaded language has none (the window then keeps the
    // caption it shows).
    using Lookup = std::function<const Zenlo::WideString*(std::int32_t key)>;

    // Whether the window's caption takes part: labels, buttons, check boxes, group boxes and
    // window titles. An edit's or a list's content is the user's data and never does, nor does
    // a label marked as showing data (a file name may start with digits).
    static bool hasCaption(const wxWindow* window);
    // Marks a label whose text is data, not a caption, so translation never touches it.
    static void markAsData(wxWindow* window);
    // The caption as the translation reads it (a top-level window's title).
    static Zenlo::WideString caption(const wxWindow* window);

    // Registers the window and its direct children whose captions start with a key other than 0.
    void collectWindows(wxWindow* window);
    // Registers the window's keyed captions, then sets every registered window that still
    // exists to its key's text and repaints the window. Returns false for a null window.
    bool translateWindow(wxWindow* window, const Lookup& lookup);

    // How many windows are registered under the key (destroyed ones included).
    std::size_t registeredCount(std::int32_t key) const;

private:
    void collectOne(wxWindow* window);

    // Lists only grow; a destroyed window's entry becomes null and is skipped.
    std::map<std::int32_t, std::vector<wxWeakRef<wxWindow>>> windowKeys_;
};

// The translation registry of the process.
ZnWindowTranslation& windowTranslation();
// Translates the window through the process's registry with the loaded language's texts.
bool translateWithLanguage(wxWindow* window);
} // namespace Zenlo
