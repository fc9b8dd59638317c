#include "media/yuv_convert.h"

namespace yuv {

namespace {

// Weights scaled by 256; the offsets carry the rounding and keep every sum positive.
inline uint8_t luma(int b, int g, int r) { return uint8_t((66 * r + 129 * g + 25 * b + (16 << 8) + 128) >> 8); }

// From the sums of four pixels: scaled by 1024, rounded.
inline uint8_t cb(int b4, int g4, int r4) { return uint8_t((-38 * r4 - 74 * g4 + 112 * b4 + (128 << 10) + 512) >> 10); }
inline uint8_t cr(int b4, int g4, int r4) { return uint8_t((112 * r4 - 94 * g4 - 18 * b4 + (128 << 10) + 512) >> 10); }

}  // namespace

void fromBgra(const uint8_t *pixels, int stride, int width, int height, uint8_t *const planes[],
              const int strides[], bool alpha) {
    for (int y = 0; y < height; ++y) {
        const uint8_t *s = pixels + y * stride;
        uint8_t *out = planes[0] + y * strides[0];
        for (int x = 0; x < width; ++x) out[x] = luma(s[4 * x], s[4 * x + 1], s[4 * x + 2]);
        if (alpha) {
            uint8_t *a = planes[3] + y * strides[3];
            for (int x = 0; x < width; ++x) a[x] = s[4 * x + 3];
        }
    }
    for (int y = 0; y < height / 2; ++y) {
        const uint8_t *s0 = pixels + 2 * y * stride, *s1 = s0 + stride;
        uint8_t *u = planes[1] + y * strides[1], *v = planes[2] + y * strides[2];
        for (int x = 0; x < width / 2; ++x) {
            const int b = s0[8 * x] + s0[8 * x + 4] + s1[8 * x] + s1[8 * x + 4];
            const int g = s0[8 * x + 1] + s0[8 * x + 5] + s1[8 * x + 1] + s1[8 * x + 5];
            const int r = s0[8 * x + 2] + s0[8 * x + 6] + s1[8 * x + 2] + s1[8 * x + 6];
            u[x] = cb(b, g, r);
            v[x] = cr(b, g, r);
        }
    }
}

}  // namespace yuv
