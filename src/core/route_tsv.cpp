#include "core/route_tsv.h"

#include <algorithm>

namespace route::tsv {

QList<QStringList> parse(const QString &text) {
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false, cellBegun = false;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                    cell += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                cell += c;
            }
            continue;
        }
        if (c == QLatin1Char('"') && !cellBegun) {
            quoted = cellBegun = true;
        } else if (c == QLatin1Char('\t')) {
            row << cell;
            cell.clear();
            cellBegun = false;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n')) ++i;
            row << cell;
            rows << row;
            row.clear();
            cell.clear();
            cellBegun = false;
        } else {
            cell += c;
            cellBegun = true;
        }
    }
    if (cellBegun || !cell.isEmpty() || !row.isEmpty()) {
        row << cell;
        rows << row;
    }
    return rows;
}

QString format(const QList<QStringList> &rows) {
    QString out;
    for (const QStringList &row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0) out += QLatin1Char('\t');
            QString cell = row[c];
            if (cell.contains(QLatin1Char('\t')) || cell.contains(QLatin1Char('\n')) || cell.contains(QLatin1Char('\r')) ||
                cell.startsWith(QLatin1Char('"'))) {
                cell.replace(QLatin1Char('"'), QStringLiteral("\"\""));
                cell = QLatin1Char('"') + cell + QLatin1Char('"');
            }
            out += cell;
        }
        out += QLatin1Char('\n');
    }
    return out;
}

}  // namespace route::tsv

namespace route {

Pasted paste(const Document &doc, Table table, int row, int column, const QList<QStringList> &block) {
    Pasted out{doc, 0, {}};
    if (row < 0 || column < 0 || column >= columnCount(table)) return out;
    const int limit = table == Table::Tape ? 100000 : MaxStops;
    const int wanted = std::min<int>(row + int(block.size()), limit);
    if (wanted > rowCount(out.doc, table))
        insertRows(out.doc, table, rowCount(out.doc, table), wanted - rowCount(out.doc, table));
    for (int i = 0; i < block.size() && row + i < wanted; ++i) {
        const QStringList &cells = block[i];
        for (int j = 0; j < cells.size() && column + j < columnCount(table); ++j) {
            QString why;
            const std::optional<QVariant> v = parseInput(table, column + j, cells[j], &why);
            if (v && setValue(out.doc, table, row + i, column + j, *v))
                ++out.cells;
            else
                out.refused << QStringLiteral("%1行目 %2: %3").arg(row + i + 1).arg(header(table, column + j), why);
        }
    }
    return out;
}

QList<QStringList> copy(const Document &doc, Table table, int top, int left, int bottom, int right) {
    QList<QStringList> rows;
    for (int r = top; r <= bottom; ++r) {
        QStringList cells;
        for (int c = left; c <= right; ++c) cells << text(doc, table, r, c);
        rows << cells;
    }
    return rows;
}

}  // namespace route
