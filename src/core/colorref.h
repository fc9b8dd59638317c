#pragma once
// Colours as the settings file and the controls keep them: 32-bit COLORREF values,
// red in the low byte.
#include <cstdint>

using COLORREF = std::uint32_t;

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
