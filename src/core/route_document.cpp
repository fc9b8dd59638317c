#include "core/route_document.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace route {

namespace {

const QString NoTicket = QStringLiteral("なし");

bool validRow(const Document &doc, Table table, int row) { return row >= 0 && row < rowCount(doc, table); }

// Full-width digits and signs as ASCII, spaces around trimmed.
QString plainNumber(const QString &typed) {
    QString s = typed.normalized(QString::NormalizationForm_KC).trimmed();
    s.replace(QChar(0x2212), QLatin1Char('-'));  // the minus sign
    s.replace(QChar(0x30FC), QLatin1Char('-'));  // a long-vowel mark typed for a dash
    s.remove(QLatin1Char(','));                  // 1,200
    return s;
}

std::optional<QVariant> wholeNumber(const QString &typed, int low, int high, QString *why) {
    const QString s = plainNumber(typed);
    if (s.isEmpty()) return QVariant(0);
    bool ok = false;
    const qlonglong v = s.toLongLong(&ok, 10);
    if (!ok) {
        if (why) *why = QStringLiteral("「%1」は整数ではありません。").arg(typed.trimmed());
        return std::nullopt;
    }
    if (v < low || v > high) {
        if (why) *why = QStringLiteral("%1 は範囲外です（%2～%3）。").arg(s).arg(low).arg(high);
        return std::nullopt;
    }
    return QVariant(static_cast<int>(v));
}

bool fits16(const QVariant &v) {
    bool ok = false;
    const int i = v.toInt(&ok);
    return ok && i >= std::numeric_limits<qint16>::min() && i <= std::numeric_limits<qint16>::max();
}

template <class Row>
void moveIn(std::vector<Row> &rows, int from, int to) {
    if (from < 0 || to < 0 || from >= int(rows.size()) || to >= int(rows.size()) || from == to) return;
    Row moving = std::move(rows[size_t(from)]);
    rows.erase(rows.begin() + from);
    rows.insert(rows.begin() + to, std::move(moving));
}

}  // namespace

int rowCount(const Document &doc, Table table) {
    return static_cast<int>(table == Table::Tape ? doc.tape.size() : doc.stops.size());
}

int columnCount(Table table) {
    switch (table) {
    case Table::Stops: return stop_column::Count;
    case Table::Fares: return CellCount;
    case Table::Tape: return tape_column::Count;
    }
    return 0;
}

QString header(Table table, int column) {
    if (column < 0 || column >= columnCount(table)) return {};
    if (table == Table::Fares) return QString::number(column + 1);
    if (table == Table::Tape) {
        static const char *const names[] = {"放送文", "運賃送り", "サウンド"};
        return QString::fromUtf8(names[column]);
    }
    static const char *const names[] = {"停留所名", "読み", "整理券番号", "ゾーン", "キロ"};
    return QString::fromUtf8(names[column]);
}

bool hasCell(const Document &doc, Table table, int row, int column) {
    return validRow(doc, table, row) && column >= 0 && column < columnCount(table);
}

QVariant value(const Document &doc, Table table, int row, int column) {
    if (!hasCell(doc, table, row, column)) return {};
    if (table == Table::Tape) {
        const Announcement &a = doc.tape[size_t(row)];
        if (column == tape_column::Text) return a.text;
        return int(column == tape_column::Step ? a.step : a.sound);
    }
    const Stop &s = doc.stops[size_t(row)];
    if (table == Table::Fares) return int(s.cells[size_t(column)]);
    switch (column) {
    case stop_column::Name: return s.name;
    case stop_column::Reading: return s.reading;
    case stop_column::Ticket: return int(s.ticket);
    case stop_column::Zone: return s.zone;
    case stop_column::Km: return s.km;
    }
    return {};
}

QString text(const Document &doc, Table table, int row, int column) {
    const QVariant v = value(doc, table, row, column);
    if (!v.isValid()) return {};
    if (table == Table::Stops && column == stop_column::Ticket && v.toInt() == 0) return NoTicket;
    if (table == Table::Fares && v.toInt() == 0) return {};
    if (table == Table::Stops && column == stop_column::Km) return QString::number(v.toDouble(), 'g', 12);
    return v.toString();
}

bool setValue(Document &doc, Table table, int row, int column, const QVariant &v) {
    if (!hasCell(doc, table, row, column) || !v.isValid()) return false;
    if (table == Table::Tape) {
        Announcement &a = doc.tape[size_t(row)];
        if (column == tape_column::Text) {
            a.text = v.toString();
            return true;
        }
        if (!fits16(v)) return false;
        (column == tape_column::Step ? a.step : a.sound) = static_cast<qint16>(v.toInt());
        return true;
    }
    Stop &s = doc.stops[size_t(row)];
    if (table == Table::Fares) {
        if (!fits16(v)) return false;
        s.cells[size_t(column)] = static_cast<qint16>(v.toInt());
        return true;
    }
    switch (column) {
    case stop_column::Name: s.name = v.toString(); return true;
    case stop_column::Reading: s.reading = v.toString(); return true;
    case stop_column::Ticket:
        if (!fits16(v)) return false;
        s.ticket = static_cast<qint16>(v.toInt());
        return true;
    case stop_column::Zone: {
        bool ok = false;
        const int z = v.toInt(&ok);
        if (!ok) return false;
        s.zone = z;
        return true;
    }
    case stop_column::Km: {
        bool ok = false;
        const double km = v.toDouble(&ok);
        if (!ok || !std::isfinite(km)) return false;
        s.km = km;
        return true;
    }
    }
    return false;
}

std::optional<QVariant> parseInput(Table table, int column, const QString &typed, QString *why) {
    if (column < 0 || column >= columnCount(table)) {
        if (why) *why = QStringLiteral("その列はありません。");
        return std::nullopt;
    }
    const bool isText = (table == Table::Stops && (column == stop_column::Name || column == stop_column::Reading)) ||
                        (table == Table::Tape && column == tape_column::Text);
    if (isText) {
        if (typed.contains(QLatin1Char('\n')) || typed.contains(QLatin1Char('\r'))) {
            if (why) *why = QStringLiteral("改行は入れられません。");
            return std::nullopt;
        }
        return QVariant(typed.trimmed());
    }
    if (table == Table::Stops && column == stop_column::Ticket) {
        const QString s = plainNumber(typed);
        if (s == NoTicket || s == QLatin1String("-")) return QVariant(0);
        return wholeNumber(typed, 0, std::numeric_limits<qint16>::max(), why);
    }
    if (table == Table::Stops && column == stop_column::Km) {
        const QString s = plainNumber(typed);
        if (s.isEmpty()) return QVariant(0.0);
        bool ok = false;
        const double km = s.toDouble(&ok);
        if (!ok || !std::isfinite(km) || km < 0 || km > 100000) {
            if (why) *why = QStringLiteral("「%1」はキロ程（0以上の数）ではありません。").arg(typed.trimmed());
            return std::nullopt;
        }
        return QVariant(km);
    }
    if (table == Table::Stops) return wholeNumber(typed, 0, 9999, why);  // zone
    return wholeNumber(typed, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max(), why);
}

void insertRows(Document &doc, Table table, int row, int count) {
    if (count <= 0) return;
    if (table == Table::Tape) {
        row = std::clamp(row, 0, int(doc.tape.size()));
        doc.tape.insert(doc.tape.begin() + row, size_t(count), Announcement{});
        return;
    }
    row = std::clamp(row, 0, int(doc.stops.size()));
    int next = 0;
    for (const Stop &s : doc.stops) next = std::max<int>(next, s.ticket);
    std::vector<Stop> added(static_cast<size_t>(count));
    for (Stop &s : added) s.ticket = static_cast<qint16>(std::min(++next, int(std::numeric_limits<qint16>::max())));
    doc.stops.insert(doc.stops.begin() + row, added.begin(), added.end());
}

void removeRows(Document &doc, Table table, int row, int count) {
    const int n = rowCount(doc, table);
    if (row < 0 || row >= n || count <= 0) return;
    count = std::min(count, n - row);
    if (table == Table::Tape)
        doc.tape.erase(doc.tape.begin() + row, doc.tape.begin() + row + count);
    else
        doc.stops.erase(doc.stops.begin() + row, doc.stops.begin() + row + count);
}

void moveRow(Document &doc, Table table, int from, int to) {
    if (table == Table::Tape)
        moveIn(doc.tape, from, to);
    else
        moveIn(doc.stops, from, to);
}

void numberTickets(Document &doc) {
    qint16 next = 0;
    for (Stop &s : doc.stops)
        if (s.ticket != 0) s.ticket = ++next;
}

std::vector<Announcement> makeTape(const Document &doc) {
    std::vector<Announcement> tape;
    const size_t n = doc.stops.size();
    for (size_t r = 1; r < n; ++r) {
        const bool terminal = r + 1 == n;
        const QString spoken = doc.stops[r].spoken();
        tape.push_back({terminal ? QStringLiteral("次は、終点、%1です。").arg(spoken) : QStringLiteral("次は、%1です。").arg(spoken),
                        1, static_cast<qint16>(terminal ? 2 : 1)});
    }
    return tape;
}

}  // namespace route
