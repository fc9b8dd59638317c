#include "panel/frm_ctl.h"

#include "panel/about_text.h"
#include "panel/command_set.h"
#include "panel/backlight.h"
#include "panel/dbl_click_frame.h"
#include "panel/msg_box.h"
#include "panel/preview_box.h"
#include "base/program.h"
#include "panel/push_check_box.h"
#include "board/form1.h"
#include "board/rounded_region.h"
#include "board/screen_fit.h"
#include "companion/companion.h"
#include "widgets/chimei_ctl.h"
#include "options/frm_option.h"
#include "core/settings.h"
#include "core/ini_data.h"
#include "core/trip_session.h"
#include "media/sound_channels.h"
#include "media/speech_settings.h"
#include "media/announcer.h"
#include "media/tape_follow.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>

namespace {

// The outer width grows by the window frame; the preview lies in the extra width.
constexpr int kFrameAllowance = 6;

// A keypad button's shape: corners (2, 2)-(28, 25) with a 2 x 2 rounding.
QRegion keyRegion() { return roundedRegion(QRect(QPoint(2, 2), QPoint(27, 24))); }

}  // namespace

FrmCtl::FrmCtl(Form1 &board, TripSession &session, const Settings &settings, FrmOption &options, SoundChannels &sound,
               Announcer &announcer, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::WindowMinimizeButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      board_(board),
      session_(session),
      settings_(settings),
      options_(options),
      sound_(sound),
      announcer_(announcer),
      commands_(new CommandSet(this)) {
    setObjectName(QStringLiteral("frmCtl"));
    setWindowTitle(QStringLiteral("集中操作盤"));
    setFixedSize(kClientWidth, kClientHeight);
    buildEntryPanels();
    buildRightColumn();
    buildPreviewArea();
    frame1_[0]->raise();
    frame1_[1]->hide();
    for (QWidget *w : {static_cast<QWidget *>(command2_[0]), static_cast<QWidget *>(command2_[1]),
                       static_cast<QWidget *>(check1_)})
        w->setEnabled(false);
    grpM_Tape_->setEnabled(false);
    connectTripControls();
    bindSession();
    addMenuActions();
    registerDumpSections();
}

void FrmCtl::load() {
    board_.setWindowTitle(QStringLiteral("ミトラ - 型番:") + program::exeName());
    showKeyRegions(true);
    announcer_.setHost(this);
    announcer_.setSpeechSettingsPath(speechSettingsPath(program::settingsPath()));
    announcer_.setFollowBoard(readFollowBoard(tapeOptionsPath(program::settingsPath())));
    announcer_.init();
    sound_.openDeviceInBackground();
}

void FrmCtl::showKeyRegions(bool on) {
    for (QPushButton *key : keys_) {
        if (on) key->setMask(keyRegion());
        else key->clearMask();
        key->update();
    }
}

void FrmCtl::showSpeechAvailable(bool available) {
    grpM_Tape_->setTitle(available ? QStringLiteral("音合使用可") : QStringLiteral("音合使用不可"));
    grpM_Tape_->setEnabled(available);
}

void FrmCtl::setTapeFrameEnabled(bool enabled) { grpM_Tape_->setEnabled(enabled); }

void FrmCtl::enableTapeButtons() {
    grpM_Tape_->setEnabled(true);
    for (const char *id : {"announceNext", "announceBack", "announceStop", "announceSet"})
        commands_->setEnabled(QLatin1String(id), true);
}

TapeSounds FrmCtl::tapeSounds() const {
    const Settings &s = settings_;
    return TapeSounds{s.tapeSoundAlways(), s.tapeSoundSync(), s.soundFile(3),
                      {s.soundFile(4), s.soundFile(5), s.soundFile(6)}};
}

QString FrmCtl::speechCaption() const { return grpM_Tape_->title(); }

void FrmCtl::closeEvent(QCloseEvent *event) { askToEnd(event); }

void FrmCtl::askToEnd(QCloseEvent *event) {
    const auto answer = msgbox::show(this, QStringLiteral("ミトラを終了しますか？"), QMessageBox::Yes | QMessageBox::No,
                                     msgbox::Icon::Question, QStringLiteral("ミトラの終了確認"));
    if (answer != QMessageBox::Yes || (endGuard_ && !endGuard_())) {
        event->ignore();
        return;
    }
    emit exitConfirmed();
}

void FrmCtl::prepareExit() {
    board_.stopStrip()->SetChimei(QString());
    board_.releaseShape();
    showKeyRegions(false);
}

void FrmCtl::pressKey(int index) {
    sound_.play(settings_.soundFile(1), QStringLiteral("S1"), 0, 0);
    session_.pressKey(index);
}

void FrmCtl::listClicked() { sound_.play(settings_.soundFile(1), QStringLiteral("S1"), 0, 0); }

void FrmCtl::sendPanelBack(int index) {
    if (index != 0 && index != 1) return;
    backPanel_ = static_cast<std::int16_t>(index);
    DblClickFrame *back = frame1_[index];
    DblClickFrame *front = frame1_[1 - index];
    back->lower();
    back->hide();  // fully covered: only the front panel can be seen or used
    front->show();
    front->raise();
}

void FrmCtl::scrollSettingChanged(int index) {
    label1_[index]->setText(QString::number(hscroll1_[index]->value()));
    ChimeiCtl_B *chimei = board_.stopStrip();
    chimei->setSpeed(hscroll1_[0]->value());
    chimei->setScrollStartWait(hscroll1_[1]->value());
}

void FrmCtl::openOptions() {
    board_.setEnabled(false);
    setEnabled(false);
    options_.exec();
    board_.setEnabled(true);
    setEnabled(true);
    // The stop name is sent again so new display options show at once, but not onto a
    // blanked board.
    ChimeiCtl_B *chimei = board_.stopStrip();
    chimei->SetChimei(QString());
    if (!session_.blanked()) chimei->SetChimei(currentStopName());
}

void FrmCtl::showAbout() {
    const QString text = aboutText(program::exeName(), program::version(), QDate::currentDate().year());
    board_.setEnabled(false);
    Call_dlg110(this, 1, text);
    board_.setEnabled(true);
}

void FrmCtl::previewToggled() {
    const bool open = check4_->isChecked();
    const int width = open ? kClientWidthWide : kClientWidth;
    // Widening keeps the left edge unless the preview would then lie beyond the screen.
    QRect frame = frameGeometry();
    frame.setWidth(frame.width() - this->width() + width);
    setFixedSize(width, kClientHeight);
    if (const QScreen *s = screen()) {
        const QPoint fitted = keptInside(frame, s->availableGeometry());
        if (fitted != frame.topLeft()) move(fitted);
    }
    check4_->setText(open ? QStringLiteral("<<") : QStringLiteral(">>"));
    check4_->setToolTip(open ? QStringLiteral("整理券プレビューを隠します") : QStringLiteral("整理券プレビューを開きます"));
    label4_->setVisible(open);
}

void FrmCtl::copyPreview() {
    QClipboard *clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(picSeirikenPrev_->image());
}

void FrmCtl::storeCtrlInfo(CtrlInfo &info) const {
    info.CtlLeft = x() * 15;
    info.CtlTop = y() * 15;
    info.ScrollSpeed = hscroll1_[0]->value();
    info.ScrollWait = hscroll1_[1]->value();
    info.BackPanel = backPanel_;
    info.PreviewOpen = check4_->isChecked() ? 1 : 0;
    info.LateNight = session_.lateNight() ? 1 : 0;
}

void FrmCtl::restoreCtrlInfo(const CtrlInfo &info) {
    const QPoint saved(qRound(info.CtlLeft / 15.0), qRound(info.CtlTop / 15.0));
    if (onSomeScreen(this, saved)) move(saved);  // else it stays where start-up put it
    hscroll1_[0]->setValue(static_cast<std::int16_t>(info.ScrollSpeed));
    hscroll1_[1]->setValue(static_cast<std::int16_t>(info.ScrollWait));
    backPanel_ = info.BackPanel;
    check4_->setChecked(info.PreviewOpen != 0);
    check2_->setChecked(info.LateNight != 0);
    sendPanelBack(backPanel_);
}

void FrmCtl::applyBacklight() { ::applyBacklight(board_, settings_, session_.backlight()); }

