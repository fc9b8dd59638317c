// The operating system's name, as users know it ("Debian GNU/Linux 12 (bookworm)").
#include "companion/companion.h"

#include <QSysInfo>

QString GetOsInfo() { return QSysInfo::prettyProductName(); }
