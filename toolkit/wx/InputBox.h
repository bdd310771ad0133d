// A modal one-line question: prompt, answer edit, separator line, OK and Cancel.
#pragma once

#include "toolkit/wx/CustomEdit.h"
#include "toolkit/wx/DialogLayout.h"
#include "toolkit/wx/DynamicDialog.h"

namespace Zenlo {
// Asks for one line of text. The caller sets the texts, the start value, the edit mode and the
// size remembered from an earlier run, runs it, and reads the value and the size back. The box
// opens at its minimum size (at least 250 pixels wide, as high as its layout needs) or at the
// remembered width, and can be resized in width only.
class ZnInputBox : public ZnDynamicDialog, public ZnDialogLayout {
public:
    // Control ids of the description.
    static constexpr int promptId = 100;
    static constexpr int editId = 101;
    static constexpr int lineId = 102;

    ZnInputBox();

    // The window size as the user last left it (0, 0 before the first close).
    int rememberedWidth = 0;
    int rememberedHeight = 0;
    Zenlo::WideString caption = u"Enter value";
    Zenlo::WideString prompt = u"Value:";
    // The start text before running; the answer after OK (as typed, whatever the mode).
    Zenlo::WideString value;
    // The numeric edit's mode: 0 integer, 1 decimal, 2 plain text.
    int editMode = ZnNumericEditRules::plainMode;
    int allowNegative = 1;
    Zenlo::WideString okText = u"OK";
    Zenlo::WideString cancelText = u"Cancel";

protected:
    bool initDialog() override;

private:
    void buildLayout();
    void onClose(wxCommandEvent& event);

    // The answer field: a numeric edit, in plain mode unless the caller asks for numbers.
    ZnCustomEdit edit_;
};
} // namespace Zenlo
