#pragma once
// Draws a ticket plug-in's ticket for one stop: paper, background picture, then the
// items in their order. Only what the information record allows is printed.
#include "ticket/ticket_plugin.h"
#include "ticket/ticket_template.h"

#include <QImage>
#include <QString>
#include <QStringList>

class QPainter;

namespace ticket {

struct DrawResult {
    QString stopName;    // as printed (cut to the item's maximum length)
    bool stopNamePrinted = false;
    QString date;        // as printed
    bool datePrinted = false;
    int barcodes = 0;    // barcodes drawn
    QStringList problems;  // what could not be printed, and why
};

// The background picture at the ticket's size times `scale`, or a null image (no
// picture, or one that cannot be read: then `problem` says why).
QImage renderBackground(const Plugin &plugin, QString *problem = nullptr, int scale = 1);

// The company name printed for a list position: that name when the plug-in switches
// names and the position is one of them, else the first name (or none).
QString companyName(const Plugin &plugin, int index);

// Draws the ticket at the painter's origin, clipped to the ticket's size; the
// background fills the ticket whatever its own size.
DrawResult drawTicket(QPainter &painter, const Plugin &plugin, const QImage &background, Values values, int companyIndex);

}  // namespace ticket
