#include "ticket/ticket_check.h"

#include "ticket/ticket_barcode.h"
#include "ticket/ticket_draw.h"
#include "ticket/ticket_template.h"

#include <QDate>
#include <QFontDatabase>
#include <QRectF>
#include <QTime>

namespace ticket {
namespace {


// The values a check expands templates with: the widest the plug-in accepts.
Values sampleValues(const PlgInfo &info) {
    Values v;
    v.stopName = QStringLiteral("市役所前");
    v.dateText = QDate::currentDate().toString(QStringLiteral("MM-dd-yyyy"));
    v.timeText = QTime(23, 59, 59).toString(QStringLiteral("HH:mm:ss"));
    v.routeNo = info.MaxRouteNo >= 1 ? info.MaxRouteNo : 1;
    v.ticketNo = info.StopRangeHigh >= 1 ? info.StopRangeHigh : 1;
    v.row = 1;
    v.company = QStringLiteral("社名");
    return v;
}

void checkPlaceholders(const Plugin &p, const QString &tpl, const QString &place, std::vector<Problem> &out) {
    const struct {
        const char *name;
        std::int32_t field;
        const char *fieldName;
    } gated[] = {{"date", p.info.CanDate, "CanDate"},
                 {"time", p.info.CanTime, "CanTime"},
                 {"routeNo", p.info.CanRouteNo, "CanRouteNo"},
                 {"stopName", p.info.CanStopName, "CanStopName"}};
    for (const auto &g : gated)
        if (g.field != 1 && mentions(tpl, QLatin1String(g.name)))
            out.push_back({Problem::Warning, place,
                           QStringLiteral("{%1} prints nothing: info.%2 is not 1").arg(QLatin1String(g.name), QLatin1String(g.fieldName))});
}

void checkInside(const Plugin &p, const QRectF &r, const QString &place, std::vector<Problem> &out) {
    if (!QRectF(0, 0, p.widthPx(), p.heightPx()).intersects(r.normalized().adjusted(-1, -1, 1, 1)))
        out.push_back({Problem::Warning, place,
                       QStringLiteral("lies outside the %1 x %2 pixel ticket").arg(p.widthPx()).arg(p.heightPx())});
}

void checkItems(const Plugin &p, std::vector<Problem> &out) {
    const Values sample = sampleValues(p.info);
    const QStringList families = QFontDatabase::families();
    int barcodes = 0;
    for (std::size_t i = 0; i < p.items.size(); ++i) {
        const QString place = QStringLiteral("items[%1]").arg(p.itemSource[i]);
        if (const auto *t = std::get_if<TextItem>(&p.items[i])) {
            checkPlaceholders(p, t->text, place + QStringLiteral(".text"), out);
            if (!families.contains(t->font, Qt::CaseInsensitive))
                out.push_back({Problem::Warning, place + QStringLiteral(".font"),
                               QStringLiteral("font \"%1\" is not installed; a similar one is used").arg(t->font)});
            checkInside(p, QRectF(t->x, t->y - t->size, 1, t->size), place, out);
        } else if (const auto *l = std::get_if<LineItem>(&p.items[i])) {
            checkInside(p, QRectF(QPointF(l->x1, l->y1), QPointF(l->x2, l->y2)), place, out);
        } else if (const auto *b = std::get_if<BoxItem>(&p.items[i])) {
            checkInside(p, QRectF(b->x, b->y, b->width, b->height), place, out);
        } else if (const auto *code = std::get_if<BarcodeItem>(&p.items[i])) {
            ++barcodes;
            checkPlaceholders(p, code->data, place + QStringLiteral(".data"), out);
            checkInside(p, QRectF(code->x, code->y, code->width, code->height), place, out);
            const QString data = expand(code->data, sample, Allowed{}, Formats{p.dateFormat, p.timeFormat});
            const QString why = barcodeProblem(code->symbology, data);
            if (!why.isEmpty())
                out.push_back({Problem::Error, place + QStringLiteral(".data"),
                               QStringLiteral("%1 cannot encode \"%2\": %3").arg(symbologyName(code->symbology), data, why)});
            const QRectF box(code->x, code->y, code->width, code->height);
            if (const auto module = barcodeModulePx(code->symbology, data, box); module && *module < kMinModulePx)
                out.push_back({Problem::Warning, place,
                               QStringLiteral("the %1 x %2 box is too small for this barcode: its modules are %3 px wide, "
                                              "a scanner needs at least %4 px")
                                   .arg(code->width).arg(code->height).arg(*module, 0, 'g', 2).arg(kMinModulePx)});
        }
    }
    if (barcodes > 0 && p.info.CanBarcode != 1)
        out.push_back({Problem::Warning, QStringLiteral("info.CanBarcode"), QStringLiteral("is not 1: the barcodes are not printed")});
    else if (p.info.CanBarcode == 1 && barcodes != p.info.BarcodeCount)
        out.push_back({Problem::Warning, QStringLiteral("info.BarcodeCount"),
                       QStringLiteral("says %1, the drawing has %2 barcode items").arg(p.info.BarcodeCount).arg(barcodes)});
}

}  // namespace

std::vector<Problem> checkPluginFile(const QString &path) {
    ReadResult read = readPluginFile(path);
    std::vector<Problem> out = std::move(read.problems);
    if (!read.plugin) return out;
    const Plugin &p = *read.plugin;
    if (p.info.CorpCount >= 1 && p.companies.isEmpty())
        out.push_back({Problem::Warning, QStringLiteral("companies"),
                       QStringLiteral("info.CorpCount offers company names, but there are none")});
    QString pictureProblem;
    renderBackground(p, &pictureProblem);
    if (!pictureProblem.isEmpty()) out.push_back({Problem::Warning, QStringLiteral("background"), pictureProblem});
    checkItems(p, out);
    return out;
}

}  // namespace ticket
