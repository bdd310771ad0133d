// Touches of the platform's look that wx leaves out: the default button's look, bars that fill
// their slot, a drop-down list as tall as the buttons beside it, list columns that shrink.
#pragma once

class wxButton;
class wxChoice;
class wxGauge;
class wxListBox;

namespace Zenlo {
// Draws the button as the dialog's default button, or takes that look away, without making it
// the button that Enter presses. Returns false where the platform offers no such look.
bool showAsDefaultButton(wxButton* button, bool isDefault);
// Makes the button the one Enter presses and, where the theme has one, gives it the look for the
// suggested action, so the target of Enter is visible. Returns the button.
wxButton* makeDefaultButton(wxButton* button);
// Lets the bar's trough and progress fill the bar's height (some themes draw a hairline).
// Returns false where nothing needs doing or the platform does not allow it.
bool fillBarHeight(wxGauge* bar);
// Lets the closed drop-down list be as tall as height pixels (as the buttons beside it) where
// the theme makes it taller. Returns false where the platform does not allow it.
bool fitChoiceHeight(wxChoice* choice, int height);
// Makes the list's horizontal scroll range follow its widest row again after rows were
// removed; some platforms only ever widen it.
void shrinkToWidestRow(wxListBox* list);
} // namespace Zenlo
