#pragma once
// Barcodes of a ticket, encoded with the zint library and drawn as whole-pixel modules
// with their quiet zones, so that a scanner reads them off the preview picture.
#include "ticket/ticket_plugin.h"

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

namespace ticket {

// Why `data` cannot be encoded in the symbology; empty when it can.
QString barcodeProblem(Symbology symbology, const QString &data);

// Draws the barcode centred in `area`. When the data cannot be encoded, draws the
// area crossed out instead and returns zint's reason; empty on success.
QString drawBarcode(QPainter &painter, const QRectF &area, Symbology symbology, const QString &data, const QColor &color);

// The crossed-out box that stands for something the ticket cannot print.
void drawUnprintable(QPainter &painter, const QRectF &area);

}  // namespace ticket
