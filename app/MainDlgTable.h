// The main dialog's controls as a table in dialog units.
#pragma once

#include <cstddef>

#include "toolkit/wx/DialogTemplate.h"

namespace Zenlo {
// Client size of the main dialog in dialog units.
inline constexpr int mainDialogWidth = 317;
inline constexpr int mainDialogHeight = 253;

// Every control of the main dialog in keyboard order.
extern const ZnControlSpec mainDialogControls[];
extern const std::size_t mainDialogControlCount;
} // namespace Zenlo
