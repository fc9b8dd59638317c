#pragma once
// One of the route's three tables (stops, fares, announcements) for a Qt view.
// Edits go to the session as typed text; a text the cell cannot take is
// reported through `refused` and the cell keeps its value.
#include "editor/route_session.h"

#include <QAbstractTableModel>
#include <QHash>

namespace route {

class TableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TableModel(Session *session, Table table, QObject *parent = nullptr);

    Table table() const { return table_; }
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    void refused(const QString &why);

private:
    void onCellChanged(Table table, int row, int column);
    void onReset();
    void onProblems();

    Session *session_;
    Table table_;
    int rows_ = 0;
    QHash<quint64, const Problem *> marks_;  // (row, column) -> its first problem
};

}  // namespace route
