// CMainDlg: the variable setup command (1018): edits a copy of the options, kept only on OK.
#include "app/MainDlg.h"

#include "dialogs/VariableSetupDlg.h"
#include "dialogs/VariableSetupIds.h"

namespace Zenlo {
// The dialog gets a copy of every option (qualifier bytes split into their two boxes) and the
// options take its values back only when it ends with OK. Nothing is saved here.
void CMainDlg::variableSetup() {
    CVariableSetupDlg dialog;
    dialog.values = Zenlo::copyIn(converter.options);
    if (dialog.runModal(this) == SetupId::ok) Zenlo::copyBack(dialog.values, converter.options);
}
} // namespace Zenlo
