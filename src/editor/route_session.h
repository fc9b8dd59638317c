#pragma once
// One route open in the route editor: the document, its undo history, the checks
// after every change, and reading and writing its files. The window and its
// tables only show what this holds and hand every edit to it.
#include "core/route_checks.h"
#include "core/route_files.h"

#include <QObject>
#include <QUndoStack>

namespace route {

class Session : public QObject {
    Q_OBJECT
public:
    explicit Session(QObject *parent = nullptr);

    void setFolders(const Folders &folders) { folders_ = folders; }
    const Folders &folders() const { return folders_; }

    // Reads a route; what could not be read is in the result. Forgets the history.
    Opened open(int routeNumber);
    // An empty route, not yet saved anywhere.
    void startNew();

    const Document &doc() const { return doc_; }
    // The route the files were read from, or -1 (a new route, or one that could not be read).
    int openedRoute() const { return opened_; }
    QUndoStack *undoStack() { return &undo_; }
    bool modified() const { return !undo_.isClean(); }
    const std::vector<Problem> &problems() const { return problems_; }

    // One cell, as typed (committed). False, and nothing changed, when the cell
    // cannot take the value; a value equal to the cell's is no edit.
    bool setCell(Table table, int row, int column, const QVariant &value);
    // The whole route replaced by one undoable edit (fills, rows, paste, import).
    void replace(const Document &doc, const QString &what);

    // Writes the route under `routeNumber` (the caller has asked before replacing
    // another route). The error, or empty on success.
    QString save(int routeNumber);

signals:
    void cellChanged(route::Table table, int row, int column);
    void documentReset();
    void problemsChanged();

private:
    friend class CellEdit;
    friend class DocumentEdit;
    void putCell(Table table, int row, int column, const QVariant &value);
    void putDocument(const Document &doc);
    void recheck();

    Folders folders_;
    Document doc_;
    Original original_;
    int opened_ = -1;
    QUndoStack undo_;
    Checker checker_;
    std::vector<Problem> problems_;
};

}  // namespace route
