#pragma once
// Cell ranges as tab-separated text, the way spreadsheets copy and paste them:
// rows end in a line break, cells are separated by tabs, a cell holding a tab,
// a line break or a quote is quoted with doubled quotes inside.
#include <QList>
#include <QString>
#include <QStringList>

namespace route::tsv {

// The block of rows of cells. A last line break ends the last row, it opens no row.
QList<QStringList> parse(const QString &text);
QString format(const QList<QStringList> &rows);

}  // namespace route::tsv

#include "core/route_document.h"

namespace route {

struct Pasted {
    Document doc;
    int cells = 0;         // cells that took their value
    QStringList refused;   // "3行目 キロ: ..." for each cell that did not
};
// A block pasted with its top-left cell at (row, column): rows are added below
// the last one as needed (stops up to the file's limit), cells right of the
// table's last column are dropped.
Pasted paste(const Document &doc, Table table, int row, int column, const QList<QStringList> &block);

// The texts of a rectangle of cells, as copy puts them on the clipboard.
QList<QStringList> copy(const Document &doc, Table table, int top, int left, int bottom, int right);

}  // namespace route
