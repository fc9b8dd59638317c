#pragma once
// Barcodes of a ticket, encoded with the zint library and drawn as whole-pixel modules
// with their quiet zones, so that a scanner reads them off the preview picture.
#include "ticket/ticket_plugin.h"

#include <QColor>
#include <QRectF>
#include <QString>

#include <optional>

class QPainter;

namespace ticket {

// Why `data` cannot be encoded in the symbology; empty when it can.
QString barcodeProblem(Symbology symbology, const QString &data);

// A scanner reads modules of this many pixels off a preview; smaller ones it may not.
constexpr double kMinModulePx = 2;

// The module size the barcode is drawn with in `area`; none when the data cannot be encoded.
std::optional<double> barcodeModulePx(Symbology symbology, const QString &data, const QRectF &area);

// Draws the barcode centred in `area`. When the data cannot be encoded, draws nothing
// and returns zint's reason; empty on success.
QString drawBarcode(QPainter &painter, const QRectF &area, Symbology symbology, const QString &data, const QColor &color);

}  // namespace ticket
