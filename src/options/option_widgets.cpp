#include "options/option_widgets.h"
#include "widgets/qcolor_ref.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

constexpr int kWrapFlags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;

int indicatorWidth(const QWidget *w) {
    return w->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, w);
}

}  // namespace

// ---------------------------------------------------------------- GraphicalOption

GraphicalOption::GraphicalOption(const QString &text, QWidget *parent, const QString &shown)
    : QRadioButton(text, parent), shown_(shown) {}

void GraphicalOption::paintEvent(QPaintEvent *) {
    QStylePainter p(this);
    QStyleOptionButton opt;
    opt.initFrom(this);
    opt.features = QStyleOptionButton::None;
    if (isChecked()) {
        // Selected: pressed in, on a darker face.
        opt.state |= QStyle::State_On | QStyle::State_Sunken;
        opt.palette.setColor(QPalette::Button, opt.palette.color(QPalette::Button).darker(118));
    } else {
        opt.state |= QStyle::State_Raised;
    }
    if (isDown()) opt.state |= QStyle::State_Sunken;
    p.drawPrimitive(QStyle::PE_PanelButtonCommand, opt);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(4, 4, -4, -4);
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    const QRect r = rect().adjusted(3, 3, -3, -3).translated(isChecked() ? 1 : 0, isChecked() ? 1 : 0);
    p.drawText(r, Qt::AlignCenter | Qt::TextWordWrap, shown_.isEmpty() ? text() : shown_);
}

bool GraphicalOption::hitButton(const QPoint &pos) const { return rect().contains(pos); }

// ---------------------------------------------------------------- WrapRadioButton

WrapRadioButton::WrapRadioButton(const QString &text, QWidget *parent) : QRadioButton(text, parent) {
    QSizePolicy policy = sizePolicy();
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QRect WrapRadioButton::textRect(const QRect &bounds) const {
    const int left = indicatorWidth(this) + 4;
    return bounds.adjusted(left, 0, 0, 0);
}

int WrapRadioButton::heightForWidth(int width) const {
    const QRect r = textRect(QRect(0, 0, width, 10000));
    return qMax(fontMetrics().boundingRect(r, kWrapFlags, text()).height(), indicatorWidth(this)) + 2;
}

QSize WrapRadioButton::sizeHint() const {
    const int w = width() > 0 ? width() : 300;
    return QSize(w, heightForWidth(w));
}

void WrapRadioButton::paintEvent(QPaintEvent *) {
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const int ind = indicatorWidth(this);
    const int lineHeight = fontMetrics().height();
    opt.rect = QRect(0, qMax(0, (lineHeight - ind) / 2), ind, ind);
    p.drawPrimitive(QStyle::PE_IndicatorRadioButton, opt);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(textRect(rect()), kWrapFlags, text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = textRect(rect()).adjusted(-1, 0, 0, 0);
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool WrapRadioButton::hitButton(const QPoint &pos) const { return rect().contains(pos); }

// ---------------------------------------------------------------- ColorButton

ColorButton::ColorButton(COLORREF color, QWidget *parent) : QPushButton(parent) {
    setProperty("BackColor", static_cast<uint>(color));
}

COLORREF ColorButton::color() const { return property("BackColor").toUInt(); }

void ColorButton::setColor(COLORREF color) { setProperty("BackColor", static_cast<uint>(color)); }

bool ColorButton::event(QEvent *e) {
    const bool colour = e->type() == QEvent::DynamicPropertyChange &&
                        static_cast<QDynamicPropertyChangeEvent *>(e)->propertyName() == "BackColor";
    // The sheet waits for the button's polish, just before it is first measured or
    // drawn: the options dialog is built at start-up and most starts never open it.
    if (e->type() == QEvent::Polish || (e->type() == QEvent::DynamicPropertyChange && testAttribute(Qt::WA_WState_Polished)))
        showColor();
    const bool handled = QPushButton::event(e);
    if (colour) emit colorChanged();
    return handled;
}

void ColorButton::showColor() {
    const QString sheet = QStringLiteral("QPushButton { background-color: %1; border: 2px outset #e0e0e0; }"
                                         "QPushButton:pressed { border-style: inset; }")
                              .arg(toQColor(color()).name());
    if (sheet != styleSheet()) setStyleSheet(sheet);
}

// ---------------------------------------------------------------- values

namespace optvalue {

std::int16_t option(const QRadioButton *b) { return b->isChecked() ? -1 : 0; }

void setOption(QRadioButton *b, int value) {
    if (value != 0) {
        b->setChecked(true);
    } else if (b->isChecked()) {
        // An exclusive group refuses to clear its selected button.
        if (QButtonGroup *group = b->group()) {
            const bool exclusive = group->exclusive();
            group->setExclusive(false);
            b->setChecked(false);
            group->setExclusive(exclusive);
        } else {
            const bool exclusive = b->autoExclusive();
            b->setAutoExclusive(false);
            b->setChecked(false);
            b->setAutoExclusive(exclusive);
        }
    }
}

std::int16_t check(const QCheckBox *b) {
    if (b->checkState() == Qt::PartiallyChecked) return static_cast<std::int16_t>(b->property("StoredValue").toInt());
    return b->checkState() == Qt::Checked ? 1 : 0;
}

bool isOn(const QCheckBox *b) { return b->checkState() == Qt::Checked; }

void setCheck(QCheckBox *b, int value) {
    if (value == 0 || value == 1) {
        b->setTristate(false);
        b->setChecked(value == 1);
        return;
    }
    // Any other stored value shows greyed (2 is that state) and is saved back as it came.
    b->setProperty("StoredValue", value);
    b->setCheckState(Qt::PartiallyChecked);
}

std::int16_t listIndex(const QComboBox *c) { return static_cast<std::int16_t>(c->currentIndex()); }

void setListIndex(QComboBox *c, int index) { c->setCurrentIndex(index >= 0 && index < c->count() ? index : -1); }

}  // namespace optvalue

// ---------------------------------------------------------------- overlayLists

void overlayLists(QWidget *host, const QStringList &parts, const QList<QComboBox *> &lists) {
    const QFontMetrics fm(host->font());
    const int space = qMax(1, fm.horizontalAdvance(QLatin1Char(' ')));

    // Where the caption's text starts inside the host.
    int textLeft = 0;
    if (auto *box = qobject_cast<QCheckBox *>(host)) {
        QStyleOptionButton opt;
        opt.initFrom(box);
        opt.text = parts.value(0);
        textLeft = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, box).x();
    } else if (auto *label = qobject_cast<QLabel *>(host)) {
        textLeft = label->contentsRect().x() + label->margin();
    }

    QString caption = parts.value(0);
    QList<int> listLefts;
    for (int i = 0; i < lists.size(); ++i) {
        const int gapStart = fm.horizontalAdvance(caption);
        const int wanted = lists[i]->width() + 8;
        const int count = (wanted + space - 1) / space;
        listLefts.append(gapStart + (count * space - lists[i]->width()) / 2);
        caption += QString(count, QLatin1Char(' '));
        caption += parts.value(i + 1);
    }

    if (auto *box = qobject_cast<QCheckBox *>(host)) box->setText(caption);
    else if (auto *label = qobject_cast<QLabel *>(host)) label->setText(caption);
    host->adjustSize();
    const int height = host->height();
    host->resize(host->sizeHint().width() + 2, qMax(height, lists.isEmpty() ? height : lists[0]->height()));

    for (int i = 0; i < lists.size(); ++i) {
        QComboBox *list = lists[i];
        list->move(host->x() + textLeft + listLefts[i], host->y() + (host->height() - list->height()) / 2);
        list->raise();
    }
}
