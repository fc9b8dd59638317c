#include "ticket/ticket_draw.h"

#include "base/regular_file.h"
#include "ticket/ticket_barcode.h"
#include "ticket/ticket_svg.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

namespace ticket {
namespace {

constexpr qint64 kMaxPictureBytes = 8 << 20;

QColor colour(Argb c) { return QColor::fromRgba(c); }

Allowed allowedBy(const PlgInfo &info) {
    return Allowed{info.CanDate == 1, info.CanTime == 1, info.CanRouteNo == 1, info.CanStopName == 1};
}

void drawText(QPainter &p, const TextItem &t, const QString &text) {
    QFont font(t.font);
    font.setPixelSize(qMax(1, qRound(t.size)));
    font.setWeight(static_cast<QFont::Weight>(t.weight));
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(text);
    const double squeeze = t.maxWidth > 0 && width > t.maxWidth ? t.maxWidth / width : 1.0;
    const double dx = t.align == Align::Left ? 0 : t.align == Align::Center ? -width / 2 : -width;
    p.save();
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(font);
    p.setPen(colour(t.color));
    p.translate(t.x, t.y);
    p.rotate(t.rotate);
    p.scale(squeeze, 1.0);
    p.drawText(QPointF(dx, 0), text);
    p.restore();
}

void drawLine(QPainter &p, const LineItem &l) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, l.x1 != l.x2 && l.y1 != l.y2);
    p.setPen(QPen(colour(l.color), l.width, l.dashed ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(l.x1, l.y1), QPointF(l.x2, l.y2));
    p.restore();
}

void drawBox(QPainter &p, const BoxItem &b) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, b.radius > 0);
    p.setPen(b.lineWidth > 0 ? QPen(colour(b.color), b.lineWidth) : QPen(Qt::NoPen));
    p.setBrush(b.fill ? QBrush(colour(*b.fill)) : QBrush(Qt::NoBrush));
    // An outline of whole-pixel width sits on the pixels inside the box.
    const double inset = b.lineWidth > 0 ? b.lineWidth / 2 : 0;
    const QRectF r = QRectF(b.x, b.y, b.width, b.height).adjusted(inset, inset, -inset, -inset);
    if (b.radius > 0) p.drawRoundedRect(r, b.radius, b.radius);
    else p.drawRect(r);
    p.restore();
}

}  // namespace

QImage renderBackground(const Plugin &plugin, QString *problem, int scale) {
    if (plugin.background.isEmpty()) return {};
    auto fail = [&](const QString &why) {
        if (problem) *problem = why;
        return QImage();
    };
    // Read once, from a regular file only: a FIFO would block the open for ever.
    const regular_file::Read read = regular_file::read(plugin.background, kMaxPictureBytes);
    if (read.status == regular_file::Status::Missing)
        return fail(QStringLiteral("the background picture %1 does not exist").arg(plugin.background));
    if (read.status == regular_file::Status::TooLarge)
        return fail(QStringLiteral("the background picture %1 is larger than %2 bytes").arg(plugin.background).arg(kMaxPictureBytes));
    if (!read.ok())
        return fail(QStringLiteral("the background picture %1 %2").arg(plugin.background, regular_file::describe(read.status)));
    const QSize size(plugin.widthPx() * scale, plugin.heightPx() * scale);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (QFileInfo(plugin.background).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0) {
        const SafeSvg safe = makeSafeSvg(read.bytes, plugin.folder);
        if (!safe.ok) return fail(QStringLiteral("the background picture %1 is not drawn: %2").arg(plugin.background, safe.problem));
        QSvgRenderer svg(safe.bytes);
        if (!svg.isValid()) return fail(QStringLiteral("the background picture %1 is not a readable SVG").arg(plugin.background));
        QPainter p(&image);
        svg.render(&p, QRectF(QPointF(0, 0), size));
        if (problem && !safe.problem.isEmpty()) *problem = safe.problem;  // drawn, with links left out
        return image;
    }
    const QImage picture = QImage::fromData(read.bytes);
    if (picture.isNull()) return fail(QStringLiteral("the background picture %1 cannot be read").arg(plugin.background));
    QPainter p(&image);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(QRectF(QPointF(0, 0), size), picture);
    return image;
}

QString companyName(const Plugin &plugin, int index) {
    if (plugin.companies.isEmpty()) return {};
    if (plugin.info.CorpCount >= 1 && index >= 0 && index < plugin.companies.size()) return plugin.companies.at(index);
    return plugin.companies.first();
}

DrawResult drawTicket(QPainter &p, const Plugin &plugin, const QImage &background, Values values, int companyIndex) {
    DrawResult result;
    const PlgInfo &info = plugin.info;
    const Allowed allowed = allowedBy(info);
    const Formats formats{plugin.dateFormat, plugin.timeFormat};
    values.company = companyName(plugin, companyIndex);
    const QRectF ticket(0, 0, plugin.widthPx(), plugin.heightPx());

    p.save();
    p.setClipRect(ticket);
    p.fillRect(ticket, colour(plugin.paper));
    if (!background.isNull()) p.drawImage(ticket, background);

    const bool barcodesAllowed = info.CanBarcode == 1;
    const bool inRange = values.routeNo >= 1 && values.routeNo <= info.MaxRouteNo &&
                         values.ticketNo >= info.StopRangeLow && values.ticketNo <= info.StopRangeHigh;
    int barcodeItems = 0;
    for (const Item &item : plugin.items) {
        if (const auto *t = std::get_if<TextItem>(&item)) {
            Values v = values;
            if (t->maxLength > 0) v.stopName = v.stopName.left(t->maxLength);
            if (allowed.stopName && !result.stopNamePrinted && mentions(t->text, QStringLiteral("stopName"))) {
                result.stopName = v.stopName;
                result.stopNamePrinted = true;
            }
            QString printedDate;
            drawText(p, *t, expand(t->text, v, allowed, formats, &printedDate));
            if (!printedDate.isNull() && !result.datePrinted) {
                result.date = printedDate;
                result.datePrinted = true;
            }
        } else if (const auto *l = std::get_if<LineItem>(&item)) {
            drawLine(p, *l);
        } else if (const auto *b = std::get_if<BoxItem>(&item)) {
            drawBox(p, *b);
        } else if (const auto *code = std::get_if<BarcodeItem>(&item)) {
            if (!barcodesAllowed || ++barcodeItems > info.BarcodeCount) continue;
            const QRectF area(code->x, code->y, code->width, code->height);
            if (!inRange) {  // left blank: the design fault is for the check, not the passenger
                result.problems << QStringLiteral("route %1 / ticket %2 is outside the barcode's range")
                                       .arg(values.routeNo)
                                       .arg(values.ticketNo);
                continue;
            }
            const QString error =
                drawBarcode(p, area, code->symbology, expand(code->data, values, allowed, formats), colour(code->color));
            if (error.isEmpty()) ++result.barcodes;
            else result.problems << error;
        }
    }
    p.restore();
    return result;
}

}  // namespace ticket
