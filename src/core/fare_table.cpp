#include "core/fare_table.h"
#include "core/int16_text.h"

#include <QJsonArray>
#include <limits>

const FareRow FareTable::emptyRow_{};

QJsonObject FareRow::toJson() const {
    QJsonArray list;
    for (const qint16 v : cells) list.append(v);
    return {{QStringLiteral("StopName"), StopName},
            {QStringLiteral("TicketNo"), TicketNo},
            {QStringLiteral("Cell"), list}};
}

namespace {

bool fits16(qlonglong v) {
    return v >= std::numeric_limits<qint16>::min() && v <= std::numeric_limits<qint16>::max();
}

// The value as a 16-bit integer, or why it is not one.
FareDataError toInt16(const QVariant &value, qint16 &out) {
    qlonglong v = 0;
    switch (value.typeId()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        v = value.toLongLong();
        break;
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const qulonglong u = value.toULongLong();
        if (u > static_cast<qulonglong>(std::numeric_limits<qint16>::max()))
            return FareDataError::Overflow;
        v = static_cast<qlonglong>(u);
        break;
    }
    case QMetaType::Bool:
        v = value.toBool() ? -1 : 0;  // a true flag is -1, as the option buttons store it
        break;
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (!(d >= -32768.5 && d < 32767.5)) return FareDataError::Overflow;
        v = qRound64(d);
        break;
    }
    case QMetaType::QString:
    case QMetaType::QByteArray:
        switch (parseInt16(value.toString(), out)) {
        case Int16Text::Ok:
            return FareDataError::Ok;
        case Int16Text::OutOfRange:
            return FareDataError::Overflow;
        case Int16Text::Empty:
        case Int16Text::NotANumber:
            break;
        }
        return FareDataError::TypeMismatch;
    default:
        return FareDataError::TypeMismatch;
    }
    if (!fits16(v)) return FareDataError::Overflow;
    out = static_cast<qint16>(v);
    return FareDataError::Ok;
}

}  // namespace

QString describe(FareDataError error, int row, int column) {
    const QString where = QStringLiteral("(%1行目, %2列目)").arg(row).arg(column);
    switch (error) {
    case FareDataError::Ok:
        return {};
    case FareDataError::SubscriptOutOfRange:
        return QStringLiteral("インデックスが有効範囲にありません。") + where;
    case FareDataError::Overflow:
        return QStringLiteral("オーバーフローしました。") + where;
    case FareDataError::TypeMismatch:
        return QStringLiteral("型が一致しません。") + where;
    }
    return {};
}

FareTable::FareTable() = default;

FareDataError FareTable::SetFareData(int row, int column, const QVariant &value) {
    if (!hasRow(row) || column < NameColumn || column > LastColumn)
        return FareDataError::SubscriptOutOfRange;
    FareRow &r = rows_[static_cast<size_t>(row - 1)];
    if (column == NameColumn) {
        r.StopName = value.toString();
        return FareDataError::Ok;
    }
    qint16 v = 0;
    const FareDataError e = toInt16(value, v);
    if (e != FareDataError::Ok) return e;
    if (column == TicketColumn)
        r.TicketNo = v;
    else
        r.cells[static_cast<size_t>(column - 3)] = v;
    return FareDataError::Ok;
}

void FareTable::ClearFareData() {
    for (FareRow &r : rows_) r = FareRow{};
}

const FareRow &FareTable::Row(int row) const {
    return hasRow(row) ? rows_[static_cast<size_t>(row - 1)] : emptyRow_;
}

bool FareTable::setRow(int row, const FareRow &contents) {
    if (!hasRow(row)) return false;
    rows_[static_cast<size_t>(row - 1)] = contents;
    return true;
}

bool FareTable::setStopName(int row, const QString &name) {
    if (!hasRow(row)) return false;
    rows_[static_cast<size_t>(row - 1)].StopName = name;
    return true;
}
