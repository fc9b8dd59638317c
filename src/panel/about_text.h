#pragma once
#include <QString>

// The About box's five lines, each ended by CR LF.
QString aboutText(const QString &exeName, const QString &version, int year);

// The years of development up to `year`: "2026" in the first year, "2026-2028" later.
QString developmentYears(int year);
