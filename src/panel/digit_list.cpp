#include "panel/digit_list.h"

#include <QMouseEvent>

DigitList::DigitList(QWidget *parent) : QListWidget(parent) {
    for (int d = 0; d <= 9; ++d) {
        auto *item = new QListWidgetItem(QString::number(d), this);
        item->setTextAlignment(Qt::AlignCenter);
    }
    setCurrentRow(-1);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Only five digits fit: the bar shows the operator that 5 to 9 are below.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setStyleSheet(QStringLiteral("QListWidget { font-size: 11px; padding: 0px; }"
                                 "QListWidget::item { height: 14px; padding: 0px; }"
                                 "QScrollBar:vertical { width: 9px; }"));
}

void DigitList::choose(int digit) {
    if (digit < 0 || digit >= count()) {
        clearSelection();
        setCurrentIndex(QModelIndex());
        return;
    }
    scrollToItem(item(digit));
    setCurrentRow(digit);
    emit chosen();
}

void DigitList::keyPressEvent(QKeyEvent *event) {
    const int before = currentRow();
    const bool wasSelected = before >= 0 && item(before)->isSelected();
    QListWidget::keyPressEvent(event);
    const int after = currentRow();
    if (after >= 0 && item(after)->isSelected() && (after != before || !wasSelected)) emit chosen();
}

// On the press: a partly hidden item scrolls into sight under the pointer, so the
// release may land on another item and no click would be reported.
void DigitList::mousePressEvent(QMouseEvent *event) {
    const bool onItem = event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid();
    QListWidget::mousePressEvent(event);
    if (onItem) emit chosen();
}
