#pragma once
// Colours as the settings file and the controls keep them: 32-bit COLORREF values,
// red in the low byte.
#include <QColor>
#include <cstdint>

using COLORREF = std::uint32_t;

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

inline QColor toQColor(COLORREF c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

inline COLORREF fromQColor(const QColor &c) { return RGB(c.red(), c.green(), c.blue()); }
