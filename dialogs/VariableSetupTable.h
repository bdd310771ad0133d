// The variable setup dialog's controls as a table in dialog units.
#pragma once

#include <cstddef>

#include "toolkit/wx/DialogTemplate.h"

namespace Zenlo {
constexpr int variableSetupWidth = 361;
constexpr int variableSetupHeight = 175;

extern const ZnControlSpec variableSetupControls[];
extern const std::size_t variableSetupControlCount;
} // namespace Zenlo
