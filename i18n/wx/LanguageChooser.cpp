// Case-blind prefix search over the chooser's entries, in the chooser's own (sorted) order.
#include "i18n/wx/LanguageChooser.h"

namespace Zenlo {

int findPrefixIgnoringCase(const wxArrayString& entries, const wxString& prefix) {
    const wxString wanted = prefix.Lower();
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].Lower().StartsWith(wanted)) return static_cast<int>(i);
    return wxNOT_FOUND;
}

} // namespace Zenlo
