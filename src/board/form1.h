#pragma once
// Form1: the fare board that passengers see. A frameless, slightly rounded window
// showing the board's face: the panel picture as background, 32 ticket-number labels
// over 32 fare displays, two hidden clock displays and the stop-name strip at the
// left. The window is the one the board is seen in at every zoom; the face keeps the
// 1x layout.
#include <QImage>
#include <QWidget>
#include <array>
#include <cstdint>

class BoardFace;
class M_Degit;
class ChimeiCtl_B;
class QLabel;
class QTimer;

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);

    M_Degit *fareDisplay(int index) const;          // 0 (hidden template) .. 32
    QLabel *ticketLabel(int index) const;     // 0 (hidden template) .. 32
    M_Degit *clockDisplay(int index) const;      // 0 hours, 1 minutes
    ChimeiCtl_B *stopStrip() const { return chimei_; }
    QTimer *clockTimer() const { return timer1_; }

    // Built-in panel pictures for OFF, ON1, ON2 (the board draws their words over them).
    QImage builtInPicture(int index) const;
    void setBuiltInPicture(int index, const QImage &picture);
    // The board's background picture.
    QImage picture() const;
    void setPicture(const QImage &picture);

    void storePlace(std::int32_t &boardLeft, std::int32_t &boardTop) const;
    void restorePlace(std::int32_t boardLeft, std::int32_t boardTop);
    void releaseShape();

    // Clock tick: hours and minutes of `hhmmss` ("hh:mm:ss") into the clock displays.
    void showClock(const QString &hhmmss);

    // The face: every display and label at its 1x place (what the view scales, what
    // a recording draws).
    QWidget *face() const;

signals:
    // The board lives as long as the program: closing it (Alt+F4) asks the panel's
    // exit question instead.
    void closeRequested();
    // A fare display's settings dialog opens (true) and closes (false): the panel
    // must not be used meanwhile.
    void digitDialogOpen(bool open);
    // The right button on the board: the view menu (zoom, full screen) opens.
    void viewMenuRequested(const QPoint &globalPos);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void openDigitSettings(int index);
    void clockTicked();

    BoardFace *face_ = nullptr;
    std::array<M_Degit *, 33> degits_{};
    std::array<QLabel *, 33> labels_{};
    std::array<M_Degit *, 2> timeDegits_{};
    ChimeiCtl_B *chimei_ = nullptr;
    QTimer *timer1_ = nullptr;
    std::array<QImage, 3> imgRes_;
};
