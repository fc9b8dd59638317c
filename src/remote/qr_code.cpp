#include "remote/qr_code.h"

#include <QPainter>
#include <cstring>
#include <zint.h>

namespace remote {

QImage qrCode(const QString &text, int modulePixels) {
    zint_symbol *symbol = ZBarcode_Create();
    if (!symbol) return {};
    symbol->symbology = BARCODE_QRCODE;
    symbol->input_mode = UNICODE_MODE;
    symbol->option_1 = 2;  // error correction M: still read from a screen at an angle
    const QByteArray utf8 = text.toUtf8();
    QImage out;
    if (ZBarcode_Encode_and_Buffer(symbol, reinterpret_cast<const unsigned char *>(utf8.constData()),
                                   static_cast<int>(utf8.size()), 0) < ZINT_ERROR &&
        symbol->bitmap && symbol->width > 0) {
        // zint's raster: three bytes a pixel, a whole number of pixels a module.
        QImage raster(symbol->bitmap_width, symbol->bitmap_height, QImage::Format_RGB888);
        for (int y = 0; y < symbol->bitmap_height; ++y)
            std::memcpy(raster.scanLine(y), symbol->bitmap + static_cast<size_t>(y) * symbol->bitmap_width * 3,
                        static_cast<size_t>(symbol->bitmap_width) * 3);
        constexpr int kQuiet = 4;
        const int side = symbol->width * modulePixels;
        out = QImage(side + 2 * kQuiet * modulePixels, side + 2 * kQuiet * modulePixels, QImage::Format_RGB32);
        out.fill(Qt::white);
        QPainter p(&out);
        p.drawImage(QRect(kQuiet * modulePixels, kQuiet * modulePixels, side, side),
                    raster.scaled(side, side, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    }
    ZBarcode_Delete(symbol);
    return out;
}

}  // namespace remote
