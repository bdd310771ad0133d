// Text between the program's wide strings and the toolkit's strings.
#pragma once

#include <string_view>

#include <wx/string.h>

#include "toolkit/WideString.h"

// The toolkit's string of a wide string (through UTF-8, so every character survives).
inline wxString toWx(const Zenlo::WideString& text) {
    Zenlo::NarrowString bytes = text.toUtf8();
    return wxString::FromUTF8(bytes.c_str(), bytes.length());
}

// The wide string of a toolkit string.
inline Zenlo::WideString fromWx(const wxString& text) {
    wxScopedCharBuffer bytes = text.utf8_str();
    return Zenlo::fromUtf8(std::string_view(bytes.data(), bytes.length()));
}
