// The control panel's trip: route set, stepping, blanking, the announcement buttons
// and putting a stop on the board. The rules live in route_set, stepping and
// board_update; this file gathers the live options and applies the results.
#include "core/board_update.h"
#include "panel/dbl_click_frame.h"
#include "panel/frm_ctl.h"
#include "panel/held_wait.h"
#include "panel/msg_box.h"
#include "panel/preview_box.h"
#include "panel/push_check_box.h"
#include "core/route_set.h"
#include "core/stepping.h"
#include "app/windows.h"
#include "base/dump_sections.h"
#include "board/form1.h"
#include "widgets/chimei_ctl.h"
#include "widgets/m_degit.h"
#include "options/frm_option.h"
#include "media/snd_api.h"
#include "media/tape.h"

#include <QCoreApplication>
#include <QDate>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int kRouteSelectingMs = 3000;
const QString kChannelKeys = QStringLiteral("S1");
const QString kChannelStep = QStringLiteral("S2");

// The selected digits of the lists, joined in order; a list without a selection adds nothing.
template <size_t N>
QString selectedDigits(const std::array<QListWidget *, N> &lists) {
    QString digits;
    for (QListWidget *list : lists)
        if (QListWidgetItem *item = list->currentItem(); item && list->currentRow() >= 0) digits += item->text();
    return digits;
}

}  // namespace

void FrmCtl::connectTripControls() {
    for (int i = 0; i < 2; ++i) {
        connect(command1_[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        connect(command2_[i], &QPushButton::clicked, this, [this, i] { Command2_Click(i); });
    }
    connect(check1_, &QCheckBox::toggled, this, &FrmCtl::Check1_Click);
    connect(cmdTapeNext_, &QPushButton::clicked, this, &FrmCtl::cmdTapeNext_Click);
    connect(cmdTapeBack_, &QPushButton::clicked, this, &FrmCtl::cmdTapeBack_Click);
    connect(cmdTapeSet_, &QPushButton::clicked, this, [] { mdlM_Tape::ShowTapeSetDlg(); });
    connect(cmdTapeStop_, &QPushButton::clicked, this, [] { mdlM_Tape::StopTape(); });
}

void FrmCtl::registerDumpSections() {
    dump::registerSection(QStringLiteral("trip"), [this] { return trip_.toJson(); });
    dump::registerSection(QStringLiteral("fareRow"), [this] { return table_.Row(trip_.currentRow()).toJson(); });
    dump::registerSection(QStringLiteral("seirikenDraw"), [this] { return lastDraw_; });
}

QString FrmCtl::currentStopName() const { return table_.Row(trip_.currentRow()).StopName; }

void FrmCtl::Command1_Click(int index) {
    FrmOption *options = frmOption();
    const QString fareFolder = options->fareDataDir();
    const QString tapeFolder = route_set::folderPrefix(options->tapeDataDir());
    PlaySnd(options->soundFile(0), kChannelKeys, 0, 0);

    const route_set::Request request =
        index == 1 ? route_set::makeRequest(label2_[0]->text(), label2_[2]->text())
                   : route_set::makeRequest(selectedDigits(list2_), selectedDigits(list3_));

    // The announcement list comes first and stays loaded even if the fare file is refused.
    mdlM_Tape::LoadTape(tapeFolder, request.fileRouteNo);

    const route_set::Result result = route_set::load(request, fareFolder, table_, trip_);
    if (!result.loaded()) {
        msgbox::show(this, result.message, QMessageBox::Ok);
        return;
    }

    showRouteSelecting();

    for (QWidget *w : {static_cast<QWidget *>(command2_[0]), static_cast<QWidget *>(command2_[1]),
                       static_cast<QWidget *>(check1_)})
        w->setEnabled(true);
    trip_.TicketDate = routeSetTicketDate(options->ticketDateMode(), QDate::currentDate(), options->fixedDate());
    DispData(trip_.currentRow());
}

// "系統選別中" with every segment lit for three seconds, then all fares 0.
void FrmCtl::showRouteSelecting() {
    Form1 *board = form1();
    board->ChimeiCtl()->SetChimei(QStringLiteral("系統選別中"));
    for (int i = 1; i <= 32; ++i) board->Degit(i)->ResetDegit(true);
    board->repaint();
    waitHoldingInput(kRouteSelectingMs);
    for (int i = 1; i <= 32; ++i) board->Degit(i)->setValue(0);
}

void FrmCtl::Command2_Click(int index) {
    if (!stepping::step(trip_, index)) return;
    FrmOption *options = frmOption();
    const std::optional<int> sound = stepping::soundIndex(table_.Row(trip_.currentRow()), options->stepSoundAlways(),
                                                          options->stepSoundColumnIndex() + 1);
    if (sound) PlaySnd(options->soundFile(*sound), kChannelStep, options->stepSoundSync() ? 1 : 0, 0);
    DispData(trip_.currentRow());
}

void FrmCtl::Check1_Click() {
    Form1 *board = form1();
    if (check1_->isChecked()) {
        board->ChimeiCtl()->SetChimei(QString());
        for (int i = 1; i <= 32; ++i) board->Degit(i)->ResetDegit(false);
        board->Timer1()->stop();
        for (int i = 0; i < 2; ++i) board->TimeDegit(i)->setValue(QString());
        for (QWidget *w : {static_cast<QWidget *>(frame1_[0]), static_cast<QWidget *>(frame1_[1]),
                           static_cast<QWidget *>(command2_[0]), static_cast<QWidget *>(command2_[1]),
                           static_cast<QWidget *>(grpM_Tape_), static_cast<QWidget *>(frame6_)})
            w->setEnabled(false);
        return;
    }
    for (QWidget *w : {static_cast<QWidget *>(frame1_[0]), static_cast<QWidget *>(frame1_[1]),
                       static_cast<QWidget *>(command2_[0]), static_cast<QWidget *>(command2_[1]),
                       static_cast<QWidget *>(frame6_)})
        w->setEnabled(true);
    if (board->TimeDegit(0)->isVisibleTo(board)) board->Timer1()->start();
    grpM_Tape_->setEnabled(mdlM_Tape::SpeechOk());
    DispData(trip_.currentRow());
}

void FrmCtl::cmdTapeNext_Click() {
    mdlM_Tape::TapeNext();
    if (mdlM_Tape::GetTapeStepFlag(mdlM_Tape::GetTapePos()) == 1) Command2_Click(stepping::Forward);
}

void FrmCtl::cmdTapeBack_Click() {
    mdlM_Tape::TapeBack();
    if (mdlM_Tape::GetTapeStepFlag(mdlM_Tape::GetTapePos()) == 1) Command2_Click(stepping::Back);
}

void FrmCtl::DispData(int row) {
    FrmOption *options = frmOption();
    Form1 *board = form1();
    const FareRow &fareRow = table_.Row(row);
    const BoardWrites writes = boardWrites(fareRow, row, trip_, BoardOptions{lateNight(), options->infoCells()});
    for (const CellWrite &w : writes.writes) board->Degit(w.cell)->setValue(w.value);

    drawSeirikenPreview(row);

    board->ChimeiCtl()->SetChimei(table_.Row(row).StopName);
}
