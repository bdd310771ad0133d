// Conversions between the program's wide string and wxString.
#pragma once

#include <wx/string.h>

#include "toolkit/WideString.h"

namespace Zenlo {

// The wxString of the text. Surrogate pairs become one character; a lone surrogate is kept as
// it stands, so toWx and fromWx round-trip every text.
wxString toWx(const WideString& text);
// The UTF-16 text of a wxString.
WideString fromWx(const wxString& text);

} // namespace Zenlo
