#pragma once
// frmCtl: the driver's control panel ("集中操作盤"). It owns the trip state, the two
// ways of entering a route and section (digit lists and keypad), stepping, blanking,
// late-night fares, scroll speed, backlight, announcements and the ticket preview.
#include "core/fare_table.h"
#include "core/keypad.h"
#include "core/trip.h"
#include "options/ticket_panel.h"
#include "media/tape.h"

#include <QJsonObject>
#include <QWidget>
#include <array>
#include <cstdint>

struct CtrlInfo;
class DblClickFrame;
class PreviewBox;
class PushCheckBox;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollBar;
namespace view {
class KeyRouter;
}

class FrmCtl : public QWidget, public TapeHost, public TicketPanel {
    Q_OBJECT
public:
    explicit FrmCtl(QWidget *parent = nullptr);

    // The load action: board caption, keypad regions, announcement engine.
    void Form_Load();

    void DispData(int row);
    void GetCtrlDataInfo(CtrlInfo &info) const;
    void SetCtrlDataInfo(const CtrlInfo &info);
    void Option4_Click(int index);
    // The selected backlight button: 0 OFF, 1 ON1, 2 ON2.
    int backlightIndex() const;

    // The announcement frame, as the announcement module sets it.
    void showSpeechAvailable(bool available) override;
    void setTapeFrameEnabled(bool enabled) override;
    void enableTapeButtons() override;
    TapeSounds tapeSounds() const override;
    QWidget *tapeDialogParent() override { return this; }

    // The panel's keys (both windows): each presses its button.
    void bindKeys(view::KeyRouter &router);

    bool lateNight() const;
    const Trip &trip() const { return trip_; }
    const DataIo &fareTable() const { return table_; }
    PreviewBox *previewBox() const { return picSeirikenPrev_; }
    QComboBox *companyList() const override { return combo1_; }
    void setPreviewSize(int widthTwips, int heightTwips) override;

    // Panel sizes: client area narrow and widened (the preview shows in the extra width).
    static constexpr int kClientWidth = 353;
    static constexpr int kClientWidthWide = 594;
    static constexpr int kClientHeight = 173;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildEntryPanels();
    void buildRightColumn();
    void buildPreviewArea();

    void Form_QueryUnload(QCloseEvent *event);
    void CommandButton1_Click(int index);
    void List_Click();
    void Frame1_DblClick(int index);
    void HScroll1_Change(int index);
    void Command4_Click();
    void Command8_Click();
    void Check4_Click();
    void MnuHideCopy_Click();
    // DispData's ticket steps: date text, clearing, the plug-in's drawing, refresh.
    void drawSeirikenPreview(int row);
    void showKeyRegions(bool on);
    void connectTripControls();
    void registerDumpSections();

    void Command1_Click(int index);
    void Command2_Click(int index);
    void Check1_Click();
    void cmdTapeNext_Click();
    void cmdTapeBack_Click();
    void showRouteSelecting();
    QString currentStopName() const;

    Trip trip_;
    DataIo table_;
    KeypadState keypad_;
    // The lists are in front at first, so the keypad is the panel at the back.
    std::int16_t backPanel_ = 1;

    std::array<DblClickFrame *, 2> frame1_{};
    std::array<QListWidget *, 5> list2_{};
    std::array<QListWidget *, 3> list3_{};
    std::array<QPushButton *, 2> command1_{};
    std::array<QPushButton *, 12> keys_{};
    std::array<QLabel *, 3> label2_{};
    std::array<QPushButton *, 2> command2_{};
    PushCheckBox *check1_ = nullptr;
    QGroupBox *frame6_ = nullptr;
    QCheckBox *check2_ = nullptr;
    std::array<QScrollBar *, 2> hscroll1_{};
    std::array<QLabel *, 2> label1_{};
    std::array<QRadioButton *, 3> option4_{};
    QGroupBox *grpM_Tape_ = nullptr;
    QPushButton *cmdTapeSet_ = nullptr, *cmdTapeBack_ = nullptr, *cmdTapeNext_ = nullptr, *cmdTapeStop_ = nullptr;
    PushCheckBox *check4_ = nullptr;
    QLabel *label4_ = nullptr;
    PreviewBox *picSeirikenPrev_ = nullptr;
    QComboBox *combo1_ = nullptr;
    QMenu *mnuHide_ = nullptr;
    QJsonObject lastDraw_;  // the last drawing call's arguments and outcome
};
