#pragma once
#include <QString>

// The About box's five lines, each ended by CR LF.
QString aboutText(const QString &exeName, const QString &version, int year);
