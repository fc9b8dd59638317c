#include "ticket/ticket_plugin.h"

#include "ticket/ticket_template.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <limits>

namespace ticket {
namespace {

constexpr double kMaxCoord = 10000;  // pixels, either way
constexpr double kMaxFontPx = 1000;
constexpr double kMaxLineWidth = 100;
constexpr int kMaxItems = 1000;
constexpr int kMaxCompanies = 100;

const char *const kInfoFields[] = {"PlgReserved", "PrevWidth",    "PrevHeight",    "CanDate",      "CanTime",
                                   "CanRouteNo",  "CanStopName",  "CanBarcode",    "BarcodeCount", "MaxRouteNo",
                                   "BarcodeScheme", "StopRangeLow", "StopRangeHigh", "CorpCount"};

struct SymbologyName {
    const char *name;
    Symbology symbology;
};
const SymbologyName kSymbologies[] = {{"codabar", Symbology::Codabar}, {"itf", Symbology::Itf},
                                      {"itf14", Symbology::Itf14},     {"qr", Symbology::Qr},
                                      {"code128", Symbology::Code128}, {"code39", Symbology::Code39},
                                      {"datamatrix", Symbology::DataMatrix}};

// Collects the problems of one part of the file; `ok` falls to false at its first error.
struct Ctx {
    std::vector<Problem> &problems;
    bool ok = true;

    void error(const QString &place, const QString &message) {
        problems.push_back({Problem::Error, place, message});
        ok = false;
    }
    void warning(const QString &place, const QString &message) { problems.push_back({Problem::Warning, place, message}); }
};

QString at(const QString &place, const char *key) { return place.isEmpty() ? QLatin1String(key) : place + QLatin1Char('.') + QLatin1String(key); }

void unknownKeys(Ctx &c, const QJsonObject &o, const QString &place, std::initializer_list<const char *> known) {
    for (auto it = o.begin(); it != o.end(); ++it) {
        bool isKnown = false;
        for (const char *k : known) isKnown = isKnown || it.key() == QLatin1String(k);
        if (!isKnown) c.warning(place.isEmpty() ? it.key() : place + QLatin1Char('.') + it.key(), QStringLiteral("unknown field, ignored"));
    }
}

void readNumber(Ctx &c, const QJsonObject &o, const char *key, const QString &place, double lo, double hi,
                double &out, bool required = false) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined()) {
        if (required) c.error(at(place, key), QStringLiteral("missing (a number is needed)"));
        return;
    }
    if (!v.isDouble()) {
        c.error(at(place, key), QStringLiteral("must be a number"));
        return;
    }
    const double d = v.toDouble();
    if (!(d >= lo && d <= hi)) {
        c.error(at(place, key), QStringLiteral("%1 is outside %2 .. %3").arg(d).arg(lo).arg(hi));
        return;
    }
    out = d;
}

void readInt(Ctx &c, const QJsonObject &o, const char *key, const QString &place, double lo, double hi, int &out,
             bool required = false) {
    double d = out;
    const std::size_t before = c.problems.size();
    readNumber(c, o, key, place, lo, hi, d, required);
    if (c.problems.size() != before) return;
    if (d != std::floor(d)) {
        c.error(at(place, key), QStringLiteral("%1 is not a whole number").arg(d));
        return;
    }
    out = static_cast<int>(d);
}

void readString(Ctx &c, const QJsonObject &o, const char *key, const QString &place, QString &out, bool required = false) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined()) {
        if (required) c.error(at(place, key), QStringLiteral("missing (a text is needed)"));
        return;
    }
    if (!v.isString()) {
        c.error(at(place, key), QStringLiteral("must be a text in double quotes"));
        return;
    }
    out = v.toString();
}

std::optional<Argb> parseColor(const QString &s) {
    if (s.size() != 7 || !s.startsWith(QLatin1Char('#'))) return std::nullopt;
    bool ok = false;
    const uint rgb = s.mid(1).toUInt(&ok, 16);
    if (!ok) return std::nullopt;
    return 0xFF000000u | rgb;
}

template <class Out>
void readColor(Ctx &c, const QJsonObject &o, const char *key, const QString &place, Out &out) {
    QString text;
    const std::size_t before = c.problems.size();
    readString(c, o, key, place, text);
    if (c.problems.size() != before || text.isNull()) return;
    if (const auto color = parseColor(text)) out = *color;
    else c.error(at(place, key), QStringLiteral("\"%1\" is not a colour of the form \"#rrggbb\"").arg(text));
}

void readTemplate(Ctx &c, const QJsonObject &o, const char *key, const QString &place, QString &out) {
    readString(c, o, key, place, out, true);
    for (const QString &p : templateProblems(out)) c.error(at(place, key), p);
}

void readPosition(Ctx &c, const QJsonObject &o, const QString &place, double &x, double &y) {
    readNumber(c, o, "x", place, -kMaxCoord, kMaxCoord, x, true);
    readNumber(c, o, "y", place, -kMaxCoord, kMaxCoord, y, true);
}

void readArea(Ctx &c, const QJsonObject &o, const QString &place, double &x, double &y, double &w, double &h) {
    readPosition(c, o, place, x, y);
    readNumber(c, o, "width", place, 0.5, kMaxCoord, w, true);
    readNumber(c, o, "height", place, 0.5, kMaxCoord, h, true);
}

TextItem readText(Ctx &c, const QJsonObject &o, const QString &place) {
    unknownKeys(c, o, place, {"type", "text", "x", "y", "font", "size", "weight", "align", "rotate", "color", "maxLength", "maxWidth"});
    TextItem t;
    readTemplate(c, o, "text", place, t.text);
    readPosition(c, o, place, t.x, t.y);
    readString(c, o, "font", place, t.font);
    readNumber(c, o, "size", place, 1, kMaxFontPx, t.size);
    const QJsonValue weight = o.value(QLatin1String("weight"));
    if (weight.isString() && (weight.toString() == QLatin1String("normal") || weight.toString() == QLatin1String("bold")))
        t.weight = weight.toString() == QLatin1String("bold") ? 700 : 400;
    else if (weight.isString())
        c.error(at(place, "weight"), QStringLiteral("must be \"normal\", \"bold\" or a number from 100 to 900"));
    else
        readInt(c, o, "weight", place, 100, 900, t.weight);
    QString align;
    readString(c, o, "align", place, align);
    if (align == QLatin1String("center")) t.align = Align::Center;
    else if (align == QLatin1String("right")) t.align = Align::Right;
    else if (!align.isNull() && align != QLatin1String("left"))
        c.error(at(place, "align"), QStringLiteral("\"%1\" is not one of \"left\", \"center\", \"right\"").arg(align));
    readNumber(c, o, "rotate", place, -360, 360, t.rotate);
    readColor(c, o, "color", place, t.color);
    readInt(c, o, "maxLength", place, 0, 1000, t.maxLength);
    readNumber(c, o, "maxWidth", place, 0, kMaxCoord, t.maxWidth);
    return t;
}

LineItem readLine(Ctx &c, const QJsonObject &o, const QString &place) {
    unknownKeys(c, o, place, {"type", "x1", "y1", "x2", "y2", "width", "color", "dashed"});
    LineItem l;
    readNumber(c, o, "x1", place, -kMaxCoord, kMaxCoord, l.x1, true);
    readNumber(c, o, "y1", place, -kMaxCoord, kMaxCoord, l.y1, true);
    readNumber(c, o, "x2", place, -kMaxCoord, kMaxCoord, l.x2, true);
    readNumber(c, o, "y2", place, -kMaxCoord, kMaxCoord, l.y2, true);
    readNumber(c, o, "width", place, 0.1, kMaxLineWidth, l.width);
    readColor(c, o, "color", place, l.color);
    const QJsonValue dashed = o.value(QLatin1String("dashed"));
    if (dashed.isBool()) l.dashed = dashed.toBool();
    else if (!dashed.isUndefined()) c.error(at(place, "dashed"), QStringLiteral("must be true or false"));
    return l;
}

BoxItem readBox(Ctx &c, const QJsonObject &o, const QString &place) {
    unknownKeys(c, o, place, {"type", "x", "y", "width", "height", "lineWidth", "radius", "color", "fill"});
    BoxItem b;
    readArea(c, o, place, b.x, b.y, b.width, b.height);
    readNumber(c, o, "lineWidth", place, 0, kMaxLineWidth, b.lineWidth);
    readNumber(c, o, "radius", place, 0, kMaxCoord, b.radius);
    readColor(c, o, "color", place, b.color);
    readColor(c, o, "fill", place, b.fill);
    return b;
}

BarcodeItem readBarcode(Ctx &c, const QJsonObject &o, const QString &place) {
    unknownKeys(c, o, place, {"type", "symbology", "data", "x", "y", "width", "height", "color"});
    BarcodeItem b;
    QString name;
    readString(c, o, "symbology", place, name, true);
    bool known = false;
    for (const SymbologyName &s : kSymbologies)
        if (name == QLatin1String(s.name)) {
            b.symbology = s.symbology;
            known = true;
        }
    if (!known && !name.isNull()) {
        QStringList names;
        for (const SymbologyName &s : kSymbologies) names << QLatin1String(s.name);
        c.error(at(place, "symbology"), QStringLiteral("\"%1\" is not one of %2").arg(name, names.join(QStringLiteral(", "))));
    }
    readTemplate(c, o, "data", place, b.data);
    readArea(c, o, place, b.x, b.y, b.width, b.height);
    readColor(c, o, "color", place, b.color);
    return b;
}

std::optional<Item> readItem(std::vector<Problem> &problems, const QJsonValue &v, const QString &place) {
    Ctx c{problems};
    if (!v.isObject()) {
        c.error(place, QStringLiteral("an item must be an object { ... }"));
        return std::nullopt;
    }
    const QJsonObject o = v.toObject();
    const QString type = o.value(QLatin1String("type")).toString();
    Item item;
    if (type == QLatin1String("text")) item = readText(c, o, place);
    else if (type == QLatin1String("line")) item = readLine(c, o, place);
    else if (type == QLatin1String("box")) item = readBox(c, o, place);
    else if (type == QLatin1String("barcode")) item = readBarcode(c, o, place);
    else c.error(at(place, "type"), QStringLiteral("must be \"text\", \"line\", \"box\" or \"barcode\""));
    if (!c.ok) {
        c.warning(place, QStringLiteral("this item is left out of the drawing"));
        return std::nullopt;
    }
    return item;
}

// The information record; false when a field is missing or damaged.
bool readInfo(Ctx &c, const QJsonValue &v, PlgInfo &info) {
    if (!v.isObject()) {
        c.error(QStringLiteral("info"), v.isUndefined() ? QStringLiteral("missing (the fourteen information fields)")
                                                        : QStringLiteral("must be an object { ... }"));
        return false;
    }
    const QJsonObject o = v.toObject();
    unknownKeys(c, o, QStringLiteral("info"), {"PlgReserved", "PrevWidth", "PrevHeight", "CanDate", "CanTime", "CanRouteNo",
                                               "CanStopName", "CanBarcode", "BarcodeCount", "MaxRouteNo", "BarcodeScheme",
                                               "StopRangeLow", "StopRangeHigh", "CorpCount"});
    std::int32_t *fields = &info.PlgReserved;
    constexpr double lo = std::numeric_limits<std::int32_t>::min(), hi = std::numeric_limits<std::int32_t>::max();
    for (int i = 0; i < 14; ++i) {
        int value = 0;
        const bool size = i == 1 || i == 2;
        readInt(c, o, kInfoFields[i], QStringLiteral("info"), size ? kMinTwips : lo, size ? kMaxTwips : hi, value, true);
        fields[i] = value;
    }
    return c.ok;
}

QString lineColumn(const QByteArray &bytes, int offset) {
    const QByteArray head = bytes.left(offset);
    const int line = static_cast<int>(head.count('\n')) + 1;
    const int column = offset - static_cast<int>(head.lastIndexOf('\n'));
    return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

void readOptionalParts(Ctx &c, const QJsonObject &root, const QString &baseDir, Plugin &p) {
    const QJsonValue remarks = root.value(QLatin1String("remarks"));
    if (remarks.isArray()) {
        QStringList lines;
        for (const QJsonValue &l : remarks.toArray()) {
            if (!l.isString()) c.error(QStringLiteral("remarks"), QStringLiteral("every line must be a text"));
            lines << l.toString();
        }
        p.remarks = lines.join(QStringLiteral("\r\n"));
    } else if (remarks.isString()) {
        p.remarks = remarks.toString();
    } else if (!remarks.isUndefined()) {
        c.error(QStringLiteral("remarks"), QStringLiteral("must be a text or a list of lines"));
    }

    const QJsonValue companies = root.value(QLatin1String("companies"));
    if (companies.isArray()) {
        const QJsonArray list = companies.toArray();
        for (qsizetype i = 0; i < list.size() && i < kMaxCompanies; ++i) {
            if (list.at(i).isString()) p.companies << list.at(i).toString();
            else c.error(QStringLiteral("companies[%1]").arg(i), QStringLiteral("must be a text"));
        }
        if (list.size() > kMaxCompanies)
            c.warning(QStringLiteral("companies"), QStringLiteral("only the first %1 names are used").arg(kMaxCompanies));
    } else if (!companies.isUndefined()) {
        c.error(QStringLiteral("companies"), QStringLiteral("must be a list of texts [ ... ]"));
    }

    readColor(c, root, "paper", QString(), p.paper);
    QString background;
    readString(c, root, "background", QString(), background);
    if (!background.isEmpty()) p.background = QDir(baseDir).absoluteFilePath(background);
    p.folder = baseDir;
    for (const auto &[key, format] : {std::pair{"dateFormat", &p.dateFormat}, std::pair{"timeFormat", &p.timeFormat}}) {
        QString text = *format;
        readString(c, root, key, QString(), text);
        if (const QString why = formatProblem(text); !why.isEmpty()) c.error(QLatin1String(key), why);
        else *format = text;
    }
}

}  // namespace

QString symbologyName(Symbology s) {
    for (const SymbologyName &n : kSymbologies)
        if (n.symbology == s) return QLatin1String(n.name);
    return {};
}

ReadResult readPlugin(const QByteArray &bytes, const QString &baseDir) {
    ReadResult r;
    Ctx c{r.problems};
    QJsonParseError err{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &err);
    if (err.error != QJsonParseError::NoError) {
        c.error(lineColumn(bytes, err.offset), QStringLiteral("not a JSON text: %1").arg(err.errorString()));
        return r;
    }
    if (!doc.isObject()) {
        c.error(QStringLiteral("line 1"), QStringLiteral("a plug-in is one object { ... }"));
        return r;
    }
    const QJsonObject root = doc.object();
    if (root.value(QLatin1String("format")).toString() != QLatin1String(kFormatName)) {
        c.error(QStringLiteral("format"), QStringLiteral("must be \"%1\"").arg(QLatin1String(kFormatName)));
        return r;
    }
    const QJsonValue version = root.value(QLatin1String("version"));
    if (!version.isDouble() || version.toDouble() != kFormatVersion) {
        c.error(QStringLiteral("version"), version.isDouble()
                                               ? QStringLiteral("version %1 cannot be read; this program reads version %2")
                                                     .arg(version.toDouble())
                                                     .arg(kFormatVersion)
                                               : QStringLiteral("missing (must be %1)").arg(kFormatVersion));
        return r;
    }
    unknownKeys(c, root, QString(), {"format", "version", "info", "remarks", "companies", "paper", "background",
                                     "dateFormat", "timeFormat", "items"});
    Plugin p;
    if (!readInfo(c, root.value(QLatin1String("info")), p.info)) return r;

    Ctx optional{r.problems};
    readOptionalParts(optional, root, baseDir, p);

    const QJsonValue items = root.value(QLatin1String("items"));
    if (items.isArray()) {
        const QJsonArray list = items.toArray();
        for (qsizetype i = 0; i < list.size() && i < kMaxItems; ++i)
            if (auto item = readItem(r.problems, list.at(i), QStringLiteral("items[%1]").arg(i))) {
                p.items.push_back(*item);
                p.itemSource.push_back(static_cast<int>(i));
            }
        if (list.size() > kMaxItems)
            optional.error(QStringLiteral("items"), QStringLiteral("only the first %1 items are drawn").arg(kMaxItems));
    } else if (!items.isUndefined()) {
        optional.error(QStringLiteral("items"), QStringLiteral("must be a list of items [ ... ]"));
    }
    r.plugin = std::move(p);
    return r;
}

ReadResult readPluginFile(const QString &path) {
    ReadResult r;
    QFile f(path);
    const QFileInfo fi(path);
    if (path.isEmpty() || !fi.isFile()) {
        r.problems.push_back({Problem::Error, path, QStringLiteral("no such file")});
        return r;
    }
    if (fi.size() > kMaxFileBytes) {
        r.problems.push_back({Problem::Error, path, QStringLiteral("%1 bytes is too large for a ticket plug-in (at most %2)")
                                                        .arg(fi.size())
                                                        .arg(kMaxFileBytes)});
        return r;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        r.problems.push_back({Problem::Error, path, QStringLiteral("cannot be read: %1").arg(f.errorString())});
        return r;
    }
    return readPlugin(f.read(kMaxFileBytes + 1), fi.absolutePath());
}

}  // namespace ticket
