#pragma once
// The small widget kinds the options dialog is made of, and the conversions between
// their states and the values the settings record keeps (option buttons -1/0, check
// boxes 0/1, list positions 0-based or -1).
#include "core/colorref.h"

#include <QList>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QWidget;

// An option button drawn as a push button that stays down while selected, its
// caption wrapped and centred (the page and sub-page buttons).
class GraphicalOption : public QRadioButton {
    Q_OBJECT
public:
    // `shown` is the caption as drawn, with its line breaks where they read best;
    // empty means the caption itself, wrapped where it must.
    GraphicalOption(const QString &text, QWidget *parent, const QString &shown = QString());

protected:
    void paintEvent(QPaintEvent *) override;
    bool hitButton(const QPoint &pos) const override;

private:
    QString shown_;
};

// An option button whose long caption wraps within the button's width.
class WrapRadioButton : public QRadioButton {
    Q_OBJECT
public:
    WrapRadioButton(const QString &text, QWidget *parent);
    QSize sizeHint() const override;
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *) override;
    bool hitButton(const QPoint &pos) const override;

private:
    QRect textRect(const QRect &bounds) const;
};

// A colour button: its colour lives in the dynamic property "BackColor" (a COLORREF)
// and is shown as the button's face, also when a script sets the property directly.
class ColorButton : public QPushButton {
    Q_OBJECT
public:
    ColorButton(COLORREF color, QWidget *parent);
    COLORREF color() const;
    void setColor(COLORREF color);

protected:
    bool event(QEvent *e) override;

signals:
    void colorChanged();

private:
    void showColor();
};

namespace optvalue {

// -1 when selected, 0 when not.
std::int16_t option(const QRadioButton *b);
// Any non-zero value selects; 0 clears the button even when it is the selected one
// of its group, so a stored "none selected" comes back as it was.
void setOption(QRadioButton *b, int value);

// 1 when checked, 0 when not; a greyed box gives back the value that greyed it.
std::int16_t check(const QCheckBox *b);
// Only a checked box counts as on: a greyed one does not.
bool isOn(const QCheckBox *b);
// 0 and 1 as they are; any other value greys the box and is kept for check().
void setCheck(QCheckBox *b, int value);

std::int16_t listIndex(const QComboBox *c);
// -1 (or any position the list does not hold) selects nothing.
void setListIndex(QComboBox *c, int index);

}  // namespace optvalue

// Lays lists over a caption: the caption becomes parts[0], a run of spaces as wide as
// lists[0], parts[1], ..., and each list is moved over its run of spaces. `host` is a
// check box or a label that already has its position.
void overlayLists(QWidget *host, const QStringList &parts, const QList<QComboBox *> &lists);
