#pragma once
// COLORREF values to and from the QColor that painting takes.
#include "core/colorref.h"

#include <QColor>

inline QColor toQColor(COLORREF c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

inline COLORREF fromQColor(const QColor &c) { return RGB(c.red(), c.green(), c.blue()); }
