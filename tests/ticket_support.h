#pragma once
// Ticket plug-in files for tests: the info record with every field 1 unless given,
// and the plug-in around it.
#include "file_bytes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

inline QJsonObject info(std::initializer_list<std::pair<const char *, int>> fields = {}) {
    QJsonObject o;
    for (const char *f : {"PlgReserved", "CanDate", "CanTime", "CanRouteNo", "CanStopName", "CanBarcode", "BarcodeCount",
                          "MaxRouteNo", "BarcodeScheme", "StopRangeLow", "StopRangeHigh", "CorpCount"})
        o.insert(QLatin1String(f), 1);
    o.insert(QStringLiteral("PrevWidth"), 3450);
    o.insert(QStringLiteral("PrevHeight"), 1920);
    for (const auto &[k, v] : fields) o.insert(QLatin1String(k), v);
    return o;
}

// `extra` adds top-level keys such as "background" or "dateFormat".
inline QJsonObject plugin(const QJsonObject &inf, const QJsonArray &items = {}, const QJsonObject &extra = {}) {
    QJsonObject o{{QStringLiteral("format"), QStringLiteral("mitra-ticket-plugin")},
                  {QStringLiteral("version"), 1},
                  {QStringLiteral("info"), inf},
                  {QStringLiteral("items"), items}};
    for (auto it = extra.begin(); it != extra.end(); ++it) o.insert(it.key(), it.value());
    return o;
}

inline QByteArray json(const QJsonObject &o) { return QJsonDocument(o).toJson(); }

// A text item that prints the stop's name.
inline QJsonObject stopNameText() { return {{"type", "text"}, {"text", "{stopName}"}, {"x", 10}, {"y", 40}, {"size", 20}}; }
