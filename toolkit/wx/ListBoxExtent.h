// The horizontal extent of a list box: how far its rows scroll sideways.
#pragma once

class wxListBox;

namespace Zenlo {

// Measures the widest row in the list's own font plus one average character (so its end stays
// clear of the border) and gives the list that extent where the platform needs it told (a
// Windows list box scrolls sideways only that far). Returns the extent in pixels, 0 for an
// empty list.
int applyHorizontalExtent(wxListBox* list);

} // namespace Zenlo
