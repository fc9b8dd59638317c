#pragma once
// A value deep in a program's dump by its keys joined with '/', a number picking an
// array element: at(dump, "controls/frmCtl.Check4/toolTip").
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <ostream>

inline QJsonValue at(const QJsonValue &root, const QString &path) {
    QJsonValue v = root;
    for (const QString &key : path.split(QLatin1Char('/'))) {
        bool isIndex = false;
        const int i = key.toInt(&isIndex);
        v = isIndex && v.isArray() ? v.toArray().at(i) : v.toObject().value(key);
    }
    return v;
}

// Readable failures: the value as JSON.
inline void PrintTo(const QJsonValue &v, std::ostream *os) {
    *os << QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact).toStdString();
}
