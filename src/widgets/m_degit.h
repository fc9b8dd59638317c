#pragma once
// M_Degit: a row of seven-segment style digit lamps. One value (number or text) is
// drawn right-aligned in `Keta` positions, lit over a permanently visible pattern
// of unlit eights. The picture is retained: only the setters that repaint change it.
#include "core/colorref.h"

#include <QImage>
#include <QJsonObject>
#include <QVariant>
#include <QWidget>
#include <optional>

#include <cstdint>

class QPainter;

// The digit settings a dialog shows and edits (zero handling, shift, zero fill).
struct DigitSettingsRequest {
    int keta = 0;
    std::int16_t zeroMode = 0;
    std::int16_t shift = 0;
    std::int16_t fillZero = 0;
    int result = 0;  // the dialog's answer: 1 OK
};

class M_Degit : public QWidget {
    Q_OBJECT
    Q_PROPERTY(uint BaseForeColor READ BaseForeColor WRITE setBaseForeColor)
    Q_PROPERTY(uint DegitForeColor READ DegitForeColor WRITE setDegitForeColor)
    Q_PROPERTY(int FillZero READ FillZero WRITE setFillZero)
    Q_PROPERTY(int ZeroMode READ ZeroMode WRITE setZeroMode)
    Q_PROPERTY(int Shift READ Shift WRITE setShift)
    Q_PROPERTY(int Keta READ Keta WRITE setKeta)
    Q_PROPERTY(int DegitSize READ DegitSize WRITE setDegitSize)
    Q_PROPERTY(int DegitStyle READ DegitStyle WRITE setDegitStyle)
    Q_PROPERTY(QVariant Value READ Value WRITE setValue)
    Q_PROPERTY(bool UserSet READ UserSet WRITE setUserSet)
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)

public:
    explicit M_Degit(QWidget *parent = nullptr);

    COLORREF BaseForeColor() const;
    void setBaseForeColor(COLORREF c);
    COLORREF DegitForeColor() const;
    void setDegitForeColor(COLORREF c);
    int FillZero() const;
    void setFillZero(int v);
    int ZeroMode() const;
    void setZeroMode(int v);
    int Shift() const;
    void setShift(int v);
    int Keta() const;
    void setKeta(int v);
    int DegitSize() const;
    void setDegitSize(int v);
    int DegitStyle() const;
    void setDegitStyle(int v);
    QVariant Value() const;  // int (16-bit) or QString
    void setValue(const QVariant &v);
    bool UserSet() const;
    void setUserSet(bool v);
    COLORREF BackColor() const;
    void setBackColor(COLORREF c);
    // The window the control lives in; asking must not turn the control into a
    // native window of its own (winId() would).
    WId hwnd() const { return effectiveWinId(); }

    // The text lit by the last repaint, exactly as drawn (Shift's spaces included).
    QString litText() const;

    // Every property and the lit text, for the scripted operation's dump.
    QJsonObject dumpState() const;

    // The retained picture, as the last repaint left it (at the control's size).
    const QImage &picture() const;

    // Asks whoever shows the digit settings (settingsDialogWanted) and takes the values
    // back as the dialog left them, also on cancel. 0 when nobody answers.
    Q_INVOKABLE int ShowSetDlg();
    Q_INVOKABLE void ResetDegit(bool nMode);

signals:
    void DblClick();
    // ShowSetDlg's question, answered at once (a direct connection) by filling in
    // `request`: the values as the dialog leaves them and its result.
    void settingsDialogWanted(DigitSettingsRequest &request);

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseDoubleClickEvent(QMouseEvent *) override;

private:
    void DrawDegit();
    void paintFaces(QPainter &p, int width) const;
    const QImage &sharpPicture(qreal scale) const;
    void resizeToKeta();
    void matchSurfaceToWidget() const;
    void flushSurface() const;

    COLORREF baseForeColor_;
    COLORREF degitForeColor_;
    int fillZero_ = 0, zeroMode_ = 0, shift_ = 0, keta_ = 4, degitSize_ = 0, degitStyle_ = 0;
    QVariant value_;
    bool userSet_ = true;
    COLORREF backColor_;
    QString lit_;
    mutable QImage surface_;  // follows the control's size even while hidden
    int drawnWidth_ = 0;      // the surface's width at the last repaint
    int drawnKeta_ = 0;       // and the positions it drew
    mutable bool surfacePending_ = false;  // the last repaint is not yet on the surface
    mutable QImage sharp_;    // the last repaint at a device scale above 1
    // What the last repaint showed: the same again would change no pixel.
    struct Look {
        QString lit;
        int keta;
        QSize surface;
        int size, style;
        COLORREF base, lit_colour, back;
        bool operator==(const Look &) const = default;
    };
    std::optional<Look> shown_;
    // Spacing and weight of the faces: no extra pixels between characters, bold.
    int charExtra_ = 0;
    bool faceBold_ = true;
};
