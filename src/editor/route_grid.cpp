#include "editor/route_grid.h"

#include "core/route_tsv.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>

namespace route {

Grid::Grid(Session *session, Table table, const QString &name, QWidget *parent)
    : QTableView(parent), session_(session), table_(table), model_(new TableModel(session, table, this)) {
    setObjectName(name);
    setModel(model_);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setAlternatingRowColors(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("3000")));
    connect(model_, &TableModel::refused, this, &Grid::message);
}

bool Grid::selectedRect(int &top, int &left, int &bottom, int &right) const {
    const QModelIndexList picked = selectionModel()->selectedIndexes();
    if (picked.isEmpty()) {
        const QModelIndex cur = currentIndex();
        if (!cur.isValid()) return false;
        top = bottom = cur.row();
        left = right = cur.column();
        return true;
    }
    top = left = INT_MAX;
    bottom = right = -1;
    for (const QModelIndex &i : picked) {
        top = std::min(top, i.row());
        bottom = std::max(bottom, i.row());
        left = std::min(left, i.column());
        right = std::max(right, i.column());
    }
    return true;
}

void Grid::copySelection() {
    int top, left, bottom, right;
    if (!selectedRect(top, left, bottom, right)) return;
    QApplication::clipboard()->setText(tsv::format(copy(session_->doc(), table_, top, left, bottom, right)));
}

void Grid::pasteText(const QString &text) {
    const QModelIndex at = currentIndex();
    const int row = at.isValid() ? at.row() : rowCount(session_->doc(), table_);
    const int column = at.isValid() ? at.column() : 0;
    const QList<QStringList> block = tsv::parse(text);
    if (block.isEmpty()) return;
    const Pasted p = paste(session_->doc(), table_, row, column, block);
    session_->replace(p.doc, QStringLiteral("貼り付け"));
    if (!p.refused.isEmpty())
        emit message(QStringLiteral("%1個の欄は貼り付けられませんでした（%2）").arg(p.refused.size()).arg(p.refused.first()));
}

void Grid::clearSelection_() {
    int top, left, bottom, right;
    if (!selectedRect(top, left, bottom, right)) return;
    Document doc = session_->doc();
    const QModelIndexList picked = selectionModel()->selectedIndexes();
    for (const QModelIndex &i : picked.isEmpty() ? QModelIndexList{currentIndex()} : picked)
        if (const auto v = parseInput(table_, i.column(), QString(), nullptr)) setValue(doc, table_, i.row(), i.column(), *v);
    session_->replace(doc, QStringLiteral("消去"));
}

void Grid::commitPending() {
    if (state() != QAbstractItemView::EditingState) return;
    for (QWidget *editor : viewport()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (editor->isVisible()) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
            return;
        }
}

void Grid::keyPressEvent(QKeyEvent *event) {
    if (state() != QAbstractItemView::EditingState) {
        if (event->matches(QKeySequence::Copy)) return copySelection();
        if (event->matches(QKeySequence::Paste)) return pasteText(QApplication::clipboard()->text());
        if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) return clearSelection_();
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0)
            return stepRows(event->modifiers() & Qt::ShiftModifier ? -1 : 1);
    }
    QTableView::keyPressEvent(event);
}

void Grid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) {
    // The table keeps the keyboard after an edit, even in a window that is not active
    // just now (else the focus would wander to the next control once the editor goes).
    const bool typing = editor && window()->focusWidget() == editor;
    QTableView::closeEditor(editor, hint == QAbstractItemDelegate::SubmitModelCache ? QAbstractItemDelegate::NoHint : hint);
    if (typing && focusPolicy() != Qt::NoFocus) setFocus();
    if (hint == QAbstractItemDelegate::SubmitModelCache) stepRows(1);
}

void Grid::stepRows(int rows) {
    const QModelIndex cur = currentIndex();
    if (!cur.isValid()) return;
    const int row = std::clamp(cur.row() + rows, 0, model_->rowCount() - 1);
    setCurrentIndex(model_->index(row, cur.column()));
}

}  // namespace route
