#include "editor/route_table_model.h"

#include <QBrush>
#include <QColor>

namespace route {

namespace {

quint64 key(int row, int column) { return (quint64(quint32(row)) << 32) | quint32(column); }

bool isNumberColumn(Table t, int column) {
    if (t == Table::Fares) return true;
    if (t == Table::Tape) return column != tape_column::Text;
    return column != stop_column::Name && column != stop_column::Reading;
}

}  // namespace

TableModel::TableModel(Session *session, Table table, QObject *parent)
    : QAbstractTableModel(parent), session_(session), table_(table), rows_(route::rowCount(session->doc(), table)) {
    connect(session, &Session::cellChanged, this, &TableModel::onCellChanged);
    connect(session, &Session::documentReset, this, &TableModel::onReset);
    connect(session, &Session::problemsChanged, this, &TableModel::onProblems);
    onProblems();
}

int TableModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : rows_; }
int TableModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : route::columnCount(table_); }

QVariant TableModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid()) return {};
    const Document &doc = session_->doc();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text(doc, table_, index.row(), index.column());
    case Qt::TextAlignmentRole:
        return isNumberColumn(table_, index.column()) ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case Qt::BackgroundRole:
    case Qt::ToolTipRole: {
        const Problem *p = marks_.value(key(index.row(), index.column()));
        if (!p) return {};
        if (role == Qt::ToolTipRole) return p->text;
        return QBrush(p->isError() ? QColor(255, 200, 200) : QColor(255, 240, 190));
    }
    default:
        return {};
    }
}

bool TableModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    QString why;
    const std::optional<QVariant> v = parseInput(table_, index.column(), value.toString(), &why);
    if (!v || !session_->setCell(table_, index.row(), index.column(), *v)) {
        emit refused(QStringLiteral("%1行目 %2: %3").arg(index.row() + 1).arg(header(table_, index.column()),
                                                           why.isEmpty() ? QStringLiteral("この値は入れられません。") : why));
        return false;
    }
    return true;
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical) return QString::number(section + 1);
    return header(table_, section);
}

Qt::ItemFlags TableModel::flags(const QModelIndex &index) const {
    return QAbstractTableModel::flags(index) | (index.isValid() ? Qt::ItemIsEditable : Qt::NoItemFlags);
}

void TableModel::onCellChanged(Table table, int row, int column) {
    // A stop's row is also its fare row; a ticket change can change fare marks.
    if (table == table_) emit dataChanged(index(row, column), index(row, column));
}

void TableModel::onReset() {
    const int rows = route::rowCount(session_->doc(), table_);
    if (rows == rows_) {
        if (rows > 0) emit dataChanged(index(0, 0), index(rows - 1, columnCount() - 1));
        return;
    }
    beginResetModel();
    rows_ = rows;
    endResetModel();
}

void TableModel::onProblems() {
    QHash<quint64, const Problem *> marks;
    for (const Problem &p : session_->problems()) {
        if (p.table != table_ || p.row < 0) continue;
        const int from = p.column < 0 ? 0 : p.column, to = p.column < 0 ? columnCount() - 1 : p.column;
        for (int c = from; c <= to && c < 32; ++c)
            if (!marks.contains(key(p.row, c))) marks.insert(key(p.row, c), &p);
    }
    if (marks.isEmpty() && marks_.isEmpty()) return;
    // Only the cells whose mark came or went need painting again.
    QList<quint64> touched = marks.keys();
    for (auto it = marks_.constBegin(); it != marks_.constEnd(); ++it)
        if (!marks.contains(it.key())) touched << it.key();
    marks_ = std::move(marks);
    for (quint64 k : touched) {
        const int r = int(k >> 32), c = int(k & 0xFFFFFFFF);
        if (r < rows_) emit dataChanged(index(r, c), index(r, c), {Qt::BackgroundRole, Qt::ToolTipRole});
    }
}

}  // namespace route
