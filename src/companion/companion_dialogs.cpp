// Placeholder: the complete companion dialogs replace this file.
#include "companion/companion.h"

#include <QSysInfo>

int Call_dlg100(QWidget *, int, std::int16_t &, std::int16_t &, std::int16_t &) { return 0; }
int Call_dlg110(QWidget *, int, const QString &) { return 1; }
int Call_dlg111(QWidget *, SystemTime &) { return 0; }
int Qv3ChooseColor(QWidget *, COLORREF &, CustomColors &) { return 0; }
QString Qv3FileDlg(QWidget *, int, const QString &, const QString &, const QString &) { return {}; }
QString Qv3FolderDlg(QWidget *, const QString &) { return {}; }
QString GetOsInfo() { return QSysInfo::prettyProductName(); }
