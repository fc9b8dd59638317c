// A recorded picture's planes hold the colours a player shows again: BT.601 in
// limited range, chroma the mean of each 2x2 block, alpha as it was.
#include "media/yuv_convert.h"

#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(YuvConvert, PlanesHoldTheColoursAndTheAlpha) {
    // Each 2x2 block is one case; the last block mixes red and blue to show the mean.
    const QColor blocks[] = {Qt::white, Qt::black, Qt::red, Qt::green, Qt::blue, QColor(255, 160, 0)};
    const int n = int(std::size(blocks)) + 1, w = 2 * n, h = 2;
    QImage picture(w, h, QImage::Format_ARGB32);
    for (int b = 0; b < n - 1; ++b)
        for (int x : {2 * b, 2 * b + 1})
            for (int y : {0, 1}) picture.setPixelColor(x, y, blocks[b]);
    picture.setPixelColor(2 * n - 2, 0, QColor(255, 0, 0, 128));
    picture.setPixelColor(2 * n - 1, 0, QColor(255, 0, 0, 128));
    picture.setPixelColor(2 * n - 2, 1, QColor(0, 0, 255, 0));
    picture.setPixelColor(2 * n - 1, 1, QColor(0, 0, 255, 0));

    std::vector<uint8_t> y(w * h), u(n), v(n), a(w * h);
    uint8_t *planes[] = {y.data(), u.data(), v.data(), a.data()};
    const int strides[] = {w, n, n, w};
    yuv::fromBgra(picture.constBits(), int(picture.bytesPerLine()), w, h, planes, strides, true);

    auto expect = [](double r, double g, double b, int y, int cb, int cr) {
        const double luma = 0.299 * r + 0.587 * g + 0.114 * b;
        EXPECT_NEAR(y, 16 + 219 * luma / 255, 1);
        EXPECT_NEAR(cb, 128 + 224 * (b - luma) / 1.772 / 255, 1);
        EXPECT_NEAR(cr, 128 + 224 * (r - luma) / 1.402 / 255, 1);
    };
    for (int b = 0; b < n - 1; ++b) {
        SCOPED_TRACE(b);
        const QColor c = blocks[b];
        expect(c.red(), c.green(), c.blue(), y[2 * b + w], u[b], v[b]);
        EXPECT_EQ(a[2 * b], 255);
    }
    // Half red, half blue: the chroma of the mean colour.
    expect(127.5, 0, 127.5, (y[2 * n - 2] + y[2 * n - 2 + w]) / 2, u[n - 1], v[n - 1]);
    EXPECT_EQ(a[2 * n - 2], 128);
    EXPECT_EQ(a[2 * n - 2 + w], 0);
}
