#pragma once
// A check box drawn as a push button that stays pressed while checked (the panel's
// "表示消去" and ">>" toggles).
#include <QCheckBox>

class PushCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit PushCheckBox(const QString &text, QWidget *parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;
    bool hitButton(const QPoint &pos) const override;
};
