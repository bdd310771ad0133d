// The idle rule: the idle update runs once after each user action or posted event, and not
// after mouse moves, paints or timers.
#pragma once

#include <wx/event.h>

namespace Zenlo {

// True for events after which the idle update should run.
bool eventStartsIdleUpdate(wxEventType type);
// Notes that an idle update is due (called for every event that counts).
void requestIdleUpdate();
// True once for each request since the last call: the idle handler runs its update then.
bool takeIdleUpdateRequest();

} // namespace Zenlo
