#pragma once
// One digit list of the entry panel ("0".."9"). It reports a choice only when the
// operator makes one, by a click on an item or by a key that selects one: the
// current row Qt sets by itself when the list gains focus is no choice.
#include <QListWidget>

class DigitList : public QListWidget {
    Q_OBJECT
public:
    explicit DigitList(QWidget *parent = nullptr);

    // The operator's choice of `digit` (scrolled into sight, selected, reported), or
    // no choice at all for -1 (nothing reported).
    void choose(int digit);

signals:
    void chosen();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
};
