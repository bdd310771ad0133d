// ZnWinDataExchange: moves values between a dialog's members and its controls, stopping at the
// first control that fails with a beep and the focus on that control.
#pragma once

#include "toolkit/WideString.h"

class wxWindow;

namespace Zenlo {
class ZnWinDataExchange {
public:
    enum Direction { toControls, fromControls };

    ZnWinDataExchange(wxWindow* dialog, Direction direction)
        : dialog_(dialog), direction_(direction) {}

    // Text of the control with the id (edit, label, button, check box) and a wide-string member.
    // Fails when there is no such control or it holds no text.
    ZnWinDataExchange& text(int id, Zenlo::WideString& member);
    // State of the check box with the id and an int member. Writing resets a member outside
    // 0..2 to 0 first; 2 on a two-state box shows as ticked. Reading gives 0, 1 or 2.
    ZnWinDataExchange& check(int id, int& member);

    // True while every exchange so far succeeded.
    bool ok() const { return ok_; }

private:
    void fail(wxWindow* control);

    wxWindow* dialog_;
    Direction direction_;
    bool ok_ = true;
};
} // namespace Zenlo
