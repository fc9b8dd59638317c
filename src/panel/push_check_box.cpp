#include "panel/push_check_box.h"

#include <QStyleOptionButton>
#include <QStylePainter>

PushCheckBox::PushCheckBox(const QString &text, QWidget *parent) : QCheckBox(text, parent) {}

QSize PushCheckBox::sizeHint() const { return QSize(fontMetrics().horizontalAdvance(text()) + 16, 22); }

void PushCheckBox::paintEvent(QPaintEvent *) {
    QStylePainter p(this);
    QStyleOptionButton opt;
    opt.initFrom(this);
    opt.text = text();
    if (isChecked() || isDown()) opt.state |= QStyle::State_Sunken | QStyle::State_On;
    else opt.state |= QStyle::State_Raised;
    p.drawControl(QStyle::CE_PushButton, opt);
}

bool PushCheckBox::hitButton(const QPoint &pos) const { return rect().contains(pos); }
