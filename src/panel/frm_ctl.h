#pragma once
// frmCtl: the driver's control panel ("集中操作盤"). Its buttons work the trip
// session (route and section from the digit lists or the keypad, stepping, blanking,
// late-night fares, backlight) and show its state; it draws what the session says the
// board must show, and holds the scroll speed, the announcements and the ticket preview.
#include "core/keypad.h"
#include "core/route_set.h"
#include "options/ticket_panel.h"
#include "media/announcer.h"

#include <QJsonObject>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

struct BoardContent;
struct CtrlInfo;
class CommandSet;
class DblClickFrame;
class Form1;
class FrmOption;
class Settings;
class SoundChannels;
class TripSession;
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
    // The panel works the board, reads the settings at the moment of use, opens the
    // options dialog and announces through `announcer`.
    FrmCtl(Form1 &board, TripSession &session, const Settings &settings, FrmOption &options, SoundChannels &sound,
           Announcer &announcer, QWidget *parent = nullptr);

    Announcer &announcer() const { return announcer_; }

    // The load action: board caption, keypad regions, announcement engine.
    void load();

    void storeCtrlInfo(CtrlInfo &info) const;
    void restoreCtrlInfo(const CtrlInfo &info);
    // The session's backlight level onto the board (its picture and label colours).
    void applyBacklight();

    // The announcement frame, as the announcement module sets it.
    void showSpeechAvailable(bool available) override;
    void setTapeFrameEnabled(bool enabled) override;
    void enableTapeButtons() override;
    TapeSounds tapeSounds() const override;
    QWidget *tapeDialogParent() override { return this; }

    // What a confirmed exit does to the windows before sound, speech and the settings
    // file: the stop name cleared, the board's and the keypad's shapes released.
    void prepareExit();

    // The panel's keys (both windows): each presses its button.
    void bindKeys(view::KeyRouter &router);

    // The announcement frame's caption: "音合使用可" or "音合使用不可".
    QString speechCaption() const;
    const TripSession &session() const { return session_; }
    // The operator's actions, one command each (see connectTripControls for the ids).
    CommandSet &commands() const { return *commands_; }
    // Chooses route and section on the digit lists as the operator's clicks would:
    // right-aligned, the lists before them left without a choice.
    void chooseOnLists(const QString &route, const QString &section);
    PreviewBox *previewBox() const { return picSeirikenPrev_; }
    QComboBox *companyList() const override { return combo1_; }
    void setPreviewSize(int widthTwips, int heightTwips) override;

    // Panel sizes: client area narrow and widened (the preview shows in the extra width).
    static constexpr int kClientWidth = 353;
    static constexpr int kClientWidthWide = 594;
    static constexpr int kClientHeight = 173;

    // Asked after the exit question was answered Yes: false keeps the program running
    // (another window has unsaved work the user wants to keep).
    void setEndGuard(std::function<bool()> guard) { endGuard_ = std::move(guard); }

signals:
    // The exit question was answered Yes.
    void exitConfirmed();
    // "路線データの編集...": the route on the digit lists (its file number), or -1 for a new one.
    void editRouteRequested(int route);

protected:
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void buildEntryPanels();
    void buildRightColumn();
    void buildPreviewArea();

    void askToEnd(QCloseEvent *event);
    void pressKey(int index);
    void listClicked();
    void sendPanelBack(int index);
    void scrollSettingChanged(int index);
    void openOptions();
    void showAbout();
    void previewToggled();
    void copyPreview();
    // A stop's ticket preview: date text, clearing, the plug-in's drawing, refresh.
    void drawSeirikenPreview(int row);
    void showKeyRegions(bool on);
    void connectTripControls();
    void bindSession();
    void showOnBoard(const BoardContent &content);
    void showCurrentStop();
    void addMenuActions();
    void registerDumpSections();

    void setRoute(int entryPanel);
    void step(int direction);
    void manualStep(int direction);
    void blankChanged(bool on);
    void announceNext();
    void announceBack();
    void showNextAnnouncements();
    void showRouteSelecting();
    void reportRefusedRouteSet(const route_set::Result &result);
    QString currentStopName() const;

    Form1 &board_;
    TripSession &session_;
    const Settings &settings_;
    FrmOption &options_;
    SoundChannels &sound_;
    Announcer &announcer_;
    CommandSet *commands_;
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
    std::function<bool()> endGuard_;
    QJsonObject lastDraw_;  // the last drawing call's arguments and outcome
};
