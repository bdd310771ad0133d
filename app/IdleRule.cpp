// The idle rule: which events count as user actions or posted events for the idle update.
#include "app/IdleRule.h"

#include <wx/timer.h>

namespace Zenlo {

namespace {
bool idleUpdateDue = true; // the first idle pass after start-up always runs
} // namespace

bool eventStartsIdleUpdate(wxEventType type) {
    // Events that only follow the pointer, repaint, tick or report idleness do not count.
    return type != wxEVT_MOTION && type != wxEVT_ENTER_WINDOW && type != wxEVT_LEAVE_WINDOW &&
           type != wxEVT_SET_CURSOR && type != wxEVT_PAINT && type != wxEVT_NC_PAINT &&
           type != wxEVT_ERASE_BACKGROUND && type != wxEVT_TIMER && type != wxEVT_IDLE &&
           type != wxEVT_UPDATE_UI;
}

void requestIdleUpdate() {
    idleUpdateDue = true;
}

bool takeIdleUpdateRequest() {
    const bool due = idleUpdateDue;
    idleUpdateDue = false;
    return due;
}

} // namespace Zenlo
