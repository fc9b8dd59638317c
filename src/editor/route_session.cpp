#include "editor/route_session.h"

#include <QUndoCommand>

namespace route {

class CellEdit : public QUndoCommand {
public:
    CellEdit(Session *s, Table t, int row, int column, QVariant before, QVariant after)
        : s_(s), t_(t), row_(row), column_(column), before_(std::move(before)), after_(std::move(after)) {
        setText(QStringLiteral("%1行目 %2 の変更").arg(row + 1).arg(header(t, column)));
    }
    void undo() override { s_->putCell(t_, row_, column_, before_); }
    void redo() override { s_->putCell(t_, row_, column_, after_); }

private:
    Session *s_;
    Table t_;
    int row_, column_;
    QVariant before_, after_;
};

class DocumentEdit : public QUndoCommand {
public:
    DocumentEdit(Session *s, Document before, Document after, const QString &what)
        : s_(s), before_(std::move(before)), after_(std::move(after)) {
        setText(what);
    }
    void undo() override { s_->putDocument(before_); }
    void redo() override { s_->putDocument(after_); }

private:
    Session *s_;
    Document before_, after_;
};

Session::Session(QObject *parent) : QObject(parent) {
    // A whole route is about 100 kB; a few hundred steps back is plenty.
    undo_.setUndoLimit(300);
    recheck();
}

Opened Session::open(int routeNumber) {
    Opened o = route::open(folders_, routeNumber);
    doc_ = o.doc;
    original_ = o.original;
    // A route that could not be read is not "the one opened": saving over it asks first.
    opened_ = o.ok() ? routeNumber : -1;
    if (o.ok() && !o.original.fareRead && !o.original.tapeRead) opened_ = -1;
    undo_.clear();
    recheck();
    emit documentReset();
    return o;
}

void Session::startNew() {
    doc_ = Document{};
    original_ = Original{};
    opened_ = -1;
    undo_.clear();
    recheck();
    emit documentReset();
}

bool Session::setCell(Table table, int row, int column, const QVariant &value) {
    const QVariant before = route::value(doc_, table, row, column);
    if (!before.isValid()) return false;
    Document probe;  // the value must fit before it becomes an edit
    if (table == Table::Tape) probe.tape.resize(1);
    else probe.stops.resize(1);
    if (!setValue(probe, table, 0, column, value)) return false;
    const QVariant after = route::value(probe, table, 0, column);
    if (after == before) return true;
    undo_.push(new CellEdit(this, table, row, column, before, after));
    return true;
}

void Session::replace(const Document &doc, const QString &what) {
    if (doc == doc_) return;
    undo_.push(new DocumentEdit(this, doc_, doc, what));
}

QString Session::save(int routeNumber) {
    const QString why = route::save(doc_, original_, folders_, routeNumber);
    if (!why.isEmpty()) return why;
    opened_ = routeNumber;
    undo_.setClean();
    return {};
}

void Session::putCell(Table table, int row, int column, const QVariant &value) {
    setValue(doc_, table, row, column, value);
    // The fares depend on the stops' tickets, so a stop edit rechecks as well.
    recheck();
    emit cellChanged(table, row, column);
}

void Session::putDocument(const Document &doc) {
    doc_ = doc;
    recheck();
    emit documentReset();
}

void Session::recheck() {
    problems_ = checker_.check(doc_);
    emit problemsChanged();
}

}  // namespace route
