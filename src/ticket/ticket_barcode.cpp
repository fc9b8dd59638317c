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

namespace {

bool isLinear(const zint_symbol &s, Symbology symbology) {
    return s.rows == 1 || symbology == Symbology::Codabar || symbology == Symbology::Itf ||
           symbology == Symbology::Itf14 || symbology == Symbology::Code128 || symbology == Symbology::Code39;
}

// Where the bars go: whole-pixel modules with full quiet zones (ten modules beside a
// linear code, two around a matrix code) when the box has room for 2-pixel modules;
// else the quiet zones narrow, down to none, to keep 2 pixels; only a box too small
// even for that gets smaller modules.
struct Layout {
    double module = 0;
    double x = 0, y = 0, width = 0, height = 0;
    bool linear = false;
};

Layout layout(const zint_symbol &s, Symbology symbology, const QRectF &area) {
    Layout l;
    l.linear = isLinear(s, symbology);
    const int rows = l.linear ? 0 : s.rows;
    auto fits = [&](int quiet) {
        double m = area.width() / (s.width + 2 * quiet);
        if (!l.linear) m = std::min(m, area.height() / (rows + 2 * quiet));
        return m;
    };
    const int fullQuiet = l.linear ? 10 : 2;
    double module = fits(fullQuiet);
    for (int quiet = fullQuiet - 1; module < kMinModulePx && quiet >= 0; --quiet) module = std::max(module, fits(quiet));
    if (module >= 1) module = std::floor(module);  // whole pixels keep bar widths exact
    l.module = module;
    l.width = module * s.width;
    l.height = l.linear ? area.height() : module * s.rows;
    l.x = std::round(area.x() + (area.width() - l.width) / 2);
    l.y = std::round(area.y() + (area.height() - l.height) / 2);
    return l;
}

}  // namespace

std::optional<double> barcodeModulePx(Symbology symbology, const QString &data, const QRectF &area) {
    QString error;
    const Symbol symbol = encode(symbology, data, error);
    if (!symbol) return std::nullopt;
    return layout(*symbol, symbology, area).module;
}

QString drawBarcode(QPainter &painter, const QRectF &area, Symbology symbology, const QString &data, const QColor &color) {
    QString error;
    const Symbol symbol = encode(symbology, data, error);
    if (!symbol) return error;  // nothing printed: a passenger's ticket never shows a design fault
    const zint_symbol &s = *symbol;
    const Layout l = layout(s, symbology, area);
    const bool linear = l.linear;
    const double module = l.module, height = l.height, x0 = l.x, y0 = l.y;

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
