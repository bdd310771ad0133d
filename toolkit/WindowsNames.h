// Names that Windows reads in its own way: devices, and trailing dots and spaces it drops.
#pragma once

#include "toolkit/PathText.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// The rules apply with the backslash as the separator (Windows rules); elsewhere these are
// ordinary names. Tests pass the separator to check the Windows rules on any platform.

// True when Windows takes the name for a device in whatever folder it stands: CON, PRN, AUX,
// NUL, COM0 to COM9 and LPT0 to LPT9 (also with the digits ¹ ² ³), CONIN$ and CONOUT$, in any
// case, with any extension, and with trailing dots or spaces ("nul.txt", "Com1 .c", "aux.").
bool isDeviceName(const WideString& name);

// The first part of the path (the text between separators; "/" separates too under Windows
// rules) that names a device, as it stands in the path; empty when there is none. With "/" as
// the separator always empty.
WideString devicePart(const WideString& path, char16_t separator = nativeSeparator);

// The name as Windows stores it, without its trailing dots and spaces ("out.cpp." is out.cpp
// on disk). With "/" as the separator the name unchanged.
WideString storedName(const WideString& name, char16_t separator = nativeSeparator);

} // namespace Zenlo
