#pragma once
// A recorded picture turned into the planes video encoders take: 4:2:0 Y'CbCr in
// limited range with BT.601 weights, each chroma sample the mean of its 2x2 pixels,
// and for a picture with alpha a full-size alpha plane. Done here rather than by a
// general scaler: at 4x zoom the general path cost about as much as the encoding.
#include <cstdint>

namespace yuv {

// `pixels` holds `width` x `height` 32-bit pixels, B, G, R, A in memory (Qt's RGB32
// and ARGB32 on a little-endian machine), `stride` bytes a line; width and height
// are even. `planes`/`strides`: Y, Cb, Cr and, when `alpha`, A (the alpha bytes;
// the colours must then be straight, not premultiplied).
void fromBgra(const uint8_t *pixels, int stride, int width, int height, uint8_t *const planes[],
              const int strides[], bool alpha);

}  // namespace yuv
