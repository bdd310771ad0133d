// CMainDlg: output target and conversion control: browsing, convert, stop, progress.
#include "app/MainDlg.h"

// The conversion commands come with the conversion control; until then they do nothing.
void CMainDlg::browseOutputFile() {}
void CMainDlg::browseOutputFolder() {}
void CMainDlg::convert() {}
void CMainDlg::stop() {}
