#include "ticket/ticket_barcode.h"

#include <QPainter>
#include <zint.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace ticket {
namespace {

struct SymbolDeleter {
    void operator()(zint_symbol *s) const { ZBarcode_Delete(s); }
};
using Symbol = std::unique_ptr<zint_symbol, SymbolDeleter>;

int zintId(Symbology s) {
    switch (s) {
    case Symbology::Codabar: return BARCODE_CODABAR;
    case Symbology::Itf: return BARCODE_C25INTER;
    case Symbology::Itf14: return BARCODE_ITF14;
    case Symbology::Qr: return BARCODE_QRCODE;
    case Symbology::Code128: return BARCODE_CODE128;
    case Symbology::Code39: return BARCODE_CODE39;
    case Symbology::DataMatrix: return BARCODE_DATAMATRIX;
    }
    return BARCODE_QRCODE;
}

// A barcode longer than this is never a ticket's.
constexpr qsizetype kMaxDataBytes = 500;

// Encodes the data; the symbol on success, else null with the reason in `error`.
Symbol encode(Symbology symbology, const QString &data, QString &error) {
    const QByteArray utf8 = data.toUtf8();
    if (utf8.isEmpty()) {
        error = QStringLiteral("the barcode data is empty");
        return nullptr;
    }
    if (utf8.size() > kMaxDataBytes) {
        error = QStringLiteral("the barcode data is longer than %1 bytes").arg(kMaxDataBytes);
        return nullptr;
    }
    Symbol symbol(ZBarcode_Create());
    if (!symbol) {
        error = QStringLiteral("out of memory");
        return nullptr;
    }
    symbol->symbology = zintId(symbology);
    symbol->input_mode = UNICODE_MODE;
    symbol->show_hrt = 0;
    const int rc = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char *>(utf8.constData()),
                                   static_cast<int>(utf8.size()));
    if (rc >= ZINT_ERROR || symbol->width <= 0 || symbol->rows <= 0) {
        error = QString::fromUtf8(symbol->errtxt);
        if (error.isEmpty()) error = QStringLiteral("zint refused the data");
        return nullptr;
    }
    return symbol;
}

bool moduleSet(const zint_symbol &s, int row, int col) {
    return (s.encoded_data[row][col >> 3] >> (col & 7)) & 1;
}

}  // namespace

QString barcodeProblem(Symbology symbology, const QString &data) {
    QString error;
    encode(symbology, data, error);
    return error;
}

void drawUnprintable(QPainter &painter, const QRectF &area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(0xC0, 0x30, 0x30), 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.drawLine(area.topLeft(), area.bottomRight());
    painter.drawLine(area.topRight(), area.bottomLeft());
    painter.restore();
}

QString drawBarcode(QPainter &painter, const QRectF &area, Symbology symbology, const QString &data, const QColor &color) {
    QString error;
    const Symbol symbol = encode(symbology, data, error);
    if (!symbol) {
        drawUnprintable(painter, area);
        return error;
    }
    const zint_symbol &s = *symbol;
    const bool linear = s.rows == 1 || symbology == Symbology::Codabar || symbology == Symbology::Itf ||
                        symbology == Symbology::Itf14 || symbology == Symbology::Code128 || symbology == Symbology::Code39;
    // Quiet zones: ten modules beside a linear code, two around a matrix code.
    const int quiet = linear ? 10 : 2;
    const int modulesWide = s.width + 2 * quiet;
    const int modulesHigh = linear ? 1 : s.rows + 2 * quiet;
    double module = area.width() / modulesWide;
    if (!linear) module = std::min(module, area.height() / modulesHigh);
    if (module >= 1) module = std::floor(module);  // whole pixels keep bar widths exact
    const double width = module * s.width;
    const double height = linear ? area.height() : module * s.rows;
    const double x0 = std::round(area.x() + (area.width() - width) / 2);
    const double y0 = std::round(area.y() + (area.height() - height) / 2);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    const int rows = linear ? 1 : s.rows;
    for (int r = 0; r < rows; ++r) {
        const double y = linear ? y0 : y0 + r * module;
        const double h = linear ? height : module;
        for (int c = 0; c < s.width;) {
            if (!moduleSet(s, r, c)) {
                ++c;
                continue;
            }
            int end = c;
            while (end < s.width && moduleSet(s, r, end)) ++end;
            painter.drawRect(QRectF(x0 + c * module, y, (end - c) * module, h));
            c = end;
        }
    }
    painter.restore();
    return {};
}

}  // namespace ticket
