#pragma once
// A table of the route editor: a spreadsheet-like view that copies and pastes
// cell ranges as tab-separated text and clears the selected cells with Delete.
#include "editor/route_table_model.h"

#include <QTableView>

namespace route {

class Grid : public QTableView {
    Q_OBJECT
public:
    Grid(Session *session, Table table, const QString &name, QWidget *parent = nullptr);
    TableModel *tableModel() const { return model_; }

    void copySelection();
    void pasteText(const QString &text);
    void clearSelection_();
    // An edit still open in a cell is committed, as Enter does.
    void commitPending();

signals:
    void message(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // Enter commits the cell and goes on to the one below, as in a spreadsheet.
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    // The selection's bounding rectangle; false when nothing is selected.
    bool selectedRect(int &top, int &left, int &bottom, int &right) const;
    // The current cell moved `rows` up or down, kept inside the table.
    void stepRows(int rows);

    Session *session_;
    Table table_;
    TableModel *model_;
};

}  // namespace route
