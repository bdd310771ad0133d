// The language chooser's start-up selection: the first entry that begins with a name.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

namespace Zenlo {

// Index of the first entry that begins with the prefix, compared without regard to case; -1
// (wxNOT_FOUND) when no entry does. An empty prefix matches the first entry.
int findPrefixIgnoringCase(const wxArrayString& entries, const wxString& prefix);

} // namespace Zenlo
