// CMainDlg: the input file list: adding, removing, clearing and reordering entries.
#include "app/MainDlg.h"

// The file list's commands come with the file list itself; until then they do nothing.
void CMainDlg::addFiles() {}
void CMainDlg::removeSelected() {}
void CMainDlg::clearList() {}
void CMainDlg::moveSelected(bool) {}
