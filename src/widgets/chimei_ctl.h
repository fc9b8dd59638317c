#pragma once
// ChimeiCtl_B: the vertical LED dot-matrix strip that shows the next stop's name,
// one 16 x 16 dot character per cell, scrolling upward when the name is long.
//
// Three child surfaces: the viewport `Picture2`, the canvas `Picture1` that slides
// inside it and keeps the drawn dots as a retained image, and the glyph box
// `Picture3` (outside the visible part) into which each character is drawn before
// its black pixels are copied onto the canvas as dots.
#include "widgets/chimei_layout.h"
#include "widgets/chimei_scroll.h"
#include "core/colorref.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QImage>
#include <QJsonObject>
#include <QVariantMap>
#include <QWidget>

#include <vector>

class QTimer;

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

    // Draws one cell (one double-byte character or up to two single-byte ones)
    // with its top-left dot at canvas pixel (x, y).
    Q_INVOKABLE void DrawDot16(int x, int y, const QString &text);

    // Stored settings: applies the keys present and the stored defaults for the
    // missing ones. `Appearance` reaches the viewport's border without resizing it.
    void ReadProperties(const QVariantMap &bag);
    // The values to store; the colours are read back from the canvas and
    // `Appearance` from the viewport.
    QVariantMap WriteProperties() const;
    // True once a setter has run since creation or the last ReadProperties.
    bool propertiesChanged() const { return propertiesChanged_; }

    // Lets `ms` milliseconds of scrolling pass at once, as the frame timer does with
    // the real time between frames (the scripted operation and the tests use it).
    void advanceScroll(double ms);
    const chimei::ScrollModel &scroll() const { return scroll_; }

    // The retained canvas and glyph box, as drawn.
    const QImage &canvasImage() const { return canvas_; }
    const QImage &glyphBoxImage() const { return glyphBox_; }

    // Text, cells, canvas and every property, for the scripted operation's dump.
    QJsonObject dumpState() const;

signals:
    void propertyChanged(const QString &name);

private:
    struct DrawnCell {
        QString text;
        int x, y;
        bool turned;
        QString face;
    };

    void markChanged(const char *name);
    void clearCanvas(int height);
    void applyViewportLook();
    void placeCanvas(int top);
    void onFrame();
    int viewportHeight() const;
    int canvasTop() const;

    COLORREF backColor_ = RGB(64, 64, 64);
    COLORREF foreColor_ = RGB(255, 192, 128);
    int speed_ = 5, scrollStartWait_ = 1500, mode_ = 2, appearance_ = 1, fontMode_ = 0;
    bool fontBold_ = false;
    bool propertiesChanged_ = false;
    QString text_;

    QFrame *picture2_ = nullptr;   // viewport
    QWidget *picture1_ = nullptr;  // canvas
    QWidget *picture3_ = nullptr;  // glyph box
    QImage canvas_;
    QImage glyphBox_;
    std::vector<DrawnCell> cells_;

    chimei::ScrollModel scroll_;
    QTimer *frameTimer_ = nullptr;
    QElapsedTimer frameClock_;
};
