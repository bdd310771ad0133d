// CMainDlg: the variable setup command (1018): edits a copy of the options, kept only on OK.
#include "app/MainDlg.h"

// Opened by the variable setup dialog once it exists: copy converter's options in, show the
// dialog modally, copy them back on OK. Nothing is saved here.
void CMainDlg::variableSetup() {}
