#pragma once
// ChimeiCtl_B: the vertical LED dot-matrix strip that shows the next stop's name,
// one 16 x 16 dot character per cell, scrolling upward when the name is long.
#include "controls/colorref.h"

#include <QJsonObject>
#include <QWidget>

class ChimeiCtl_B : public QWidget {
    Q_OBJECT
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(uint ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(int Speed READ Speed WRITE setSpeed)
    Q_PROPERTY(int ScrollStartWait READ ScrollStartWait WRITE setScrollStartWait)
    Q_PROPERTY(int Mode READ Mode WRITE setMode)
    Q_PROPERTY(int Appearance READ Appearance WRITE setAppearance)
    Q_PROPERTY(int FontMode READ FontMode WRITE setFontMode)
    Q_PROPERTY(bool FontBold READ FontBold WRITE setFontBold)

public:
    explicit ChimeiCtl_B(QWidget *parent = nullptr);

    COLORREF BackColor() const;
    void setBackColor(COLORREF c);
    COLORREF ForeColor() const;
    void setForeColor(COLORREF c);
    int Speed() const;
    void setSpeed(int v);
    int ScrollStartWait() const;
    void setScrollStartWait(int v);
    int Mode() const;
    void setMode(int v);
    int Appearance() const;
    void setAppearance(int v);
    int FontMode() const;
    void setFontMode(int v);
    bool FontBold() const;
    void setFontBold(bool v);

    Q_INVOKABLE void SetChimei(const QString &strText);
    Q_INVOKABLE void Refresh();

    // Text, cells, canvas and every property, for the scripted operation's dump.
    QJsonObject dumpState() const;

private:
    COLORREF backColor_ = RGB(64, 64, 64);
    COLORREF foreColor_ = RGB(255, 192, 128);
    int speed_ = 5, scrollStartWait_ = 1500, mode_ = 2, appearance_ = 1, fontMode_ = 0;
    bool fontBold_ = false;
    QString text_;
};
