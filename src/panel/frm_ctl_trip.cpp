// The control panel's trip: route set, stepping, blanking, the announcement buttons
// and putting a stop on the board. The rules live in route_set, stepping and
// board_update; this file gathers the settings and applies the results.
#include "core/board_update.h"
#include "panel/command_set.h"
#include "panel/digit_list.h"
#include "panel/dbl_click_frame.h"
#include "panel/frm_ctl.h"
#include "panel/held_wait.h"
#include "panel/msg_box.h"
#include "panel/preview_box.h"
#include "panel/push_check_box.h"
#include "core/route_set.h"
#include "core/stepping.h"
#include "base/dump_sections.h"
#include "board/form1.h"
#include "widgets/chimei_ctl.h"
#include "widgets/m_degit.h"
#include "core/settings.h"
#include "media/snd_api.h"
#include "media/announcer.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <cstdio>

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

// The panel's right-button menu entries (the property "panelMenu" marks them, so a
// menu that others add to can take them too): the route editor, on the route the
// digit lists show.
void FrmCtl::addMenuActions() {
    auto *edit = new QAction(QStringLiteral("路線データの編集..."), this);
    edit->setObjectName(QStringLiteral("MnuEditRoute"));
    edit->setProperty("panelMenu", true);
    connect(edit, &QAction::triggered, this, [this] {
        const QString digits = selectedDigits(list2_);
        emit editRouteRequested(digits.isEmpty() ? -1 : route_set::fileRouteNumber(digits).toInt());
    });
    addAction(edit);
}

void FrmCtl::contextMenuEvent(QContextMenuEvent *event) {
    // The ticket preview has a menu of its own.
    const QWidget *under = childAt(event->pos());
    if (under && (under == picSeirikenPrev_ || picSeirikenPrev_->isAncestorOf(under))) return;
    QMenu menu(this);
    for (QAction *a : actions())
        if (a->property("panelMenu").toBool()) menu.addAction(a);
    menu.exec(event->globalPos());
}

// The commands' ids are what the remote and the keys name; they never change.
void FrmCtl::connectTripControls() {
    CommandSet &c = *commands_;
    auto run = [this](QAction *action, auto &&slot) { connect(action, &QAction::triggered, this, slot); };
    run(c.add(QStringLiteral("reset.lists"), command1_[0]), [this] { Command1_Click(0); });
    run(c.add(QStringLiteral("reset.keypad"), command1_[1]), [this] { Command1_Click(1); });
    run(c.add(QStringLiteral("back"), command2_[0]), [this] { manualStep(stepping::Back); });
    run(c.add(QStringLiteral("forward"), command2_[1]), [this] { manualStep(stepping::Forward); });
    for (int k = 0; k <= kKeySection; ++k) {
        const QString id = k == kKeyRoute     ? QStringLiteral("keypad.route")
                           : k == kKeySection ? QStringLiteral("keypad.section")
                                              : QStringLiteral("keypad.%1").arg(k);
        run(c.add(id, keys_[k]), [this, k] { CommandButton1_Click(k); });
    }
    run(c.add(QStringLiteral("announceNext"), cmdTapeNext_), [this] { cmdTapeNext_Click(); });
    run(c.add(QStringLiteral("announceBack"), cmdTapeBack_), [this] { cmdTapeBack_Click(); });
    run(c.add(QStringLiteral("announceSet"), cmdTapeSet_), [this] { announcer_.showAdjustDialog(); });
    run(c.add(QStringLiteral("announceStop"), cmdTapeStop_), [this] { announcer_.stop(); });
    // Check and option buttons keep their toggles; their commands click them.
    c.add(QStringLiteral("blank"), check1_);
    connect(check1_, &QCheckBox::toggled, this, &FrmCtl::Check1_Click);
    c.add(QStringLiteral("lateNight"), check2_);
    for (int i = 0; i < 3; ++i) c.add(QStringLiteral("backlight.%1").arg(i), option4_[i]);
}

void FrmCtl::chooseOnLists(const QString &route, const QString &section) {
    auto choose = [](const auto &lists, const QString &digits) {
        const int count = static_cast<int>(lists.size());
        for (int i = 0; i < count; ++i) {
            const int at = i - (count - static_cast<int>(digits.size()));
            static_cast<DigitList *>(lists[i])->choose(at >= 0 ? digits.at(at).digitValue() : -1);
        }
    };
    choose(list2_, route);
    choose(list3_, section);
}

void FrmCtl::registerDumpSections() {
    dump::registerSection(QStringLiteral("trip"), [this] { return trip_.toJson(); });
    dump::registerSection(QStringLiteral("fareRow"), [this] { return table_.Row(trip_.currentRow()).toJson(); });
    dump::registerSection(QStringLiteral("seirikenDraw"), [this] { return lastDraw_; });
}

QString FrmCtl::currentStopName() const { return table_.Row(trip_.currentRow()).StopName; }

void FrmCtl::Command1_Click(int index) {
    const Settings *settings = &settings_;
    const QString fareFolder = settings->fareDataDir();
    const QString tapeFolder = route_set::folderPrefix(settings->tapeDataDir());
    PlaySnd(settings->soundFile(0), kChannelKeys, 0, 0);

    const route_set::Request request =
        index == 1 ? route_set::makeRequest(label2_[0]->text(), label2_[2]->text())
                   : route_set::makeRequest(selectedDigits(list2_), selectedDigits(list3_));

    // The announcement list is read first, but it replaces the running one only with
    // the fare table: a refused route set keeps the whole trip it interrupted.
    Announcer::ReadList tape = Announcer::read(tapeFolder, request.fileRouteNo);

    const route_set::Result result = route_set::load(request, fareFolder, table_, trip_);
    if (!result.loaded()) {
        reportRefusedRouteSet(result);
        return;
    }
    announcer_.use(std::move(tape));
    announcer_.followBoardRow(trip_.CurIndex);
    showNextAnnouncements();

    showRouteSelecting();

    for (const char *id : {"back", "forward", "blank"}) commands_->setEnabled(QLatin1String(id), true);
    trip_.TicketDate = routeSetTicketDate(settings->ticketDateMode(), QDate::currentDate(), settings->fixedDate());
    DispData(trip_.currentRow());
}

// The box says what the route set refused; standard error says which file was looked
// for, and the keypad shows the route that still runs, as the preview does.
void FrmCtl::reportRefusedRouteSet(const route_set::Result &result) {
    std::fprintf(stderr, "route set refused: %s (looked for %s)\n", qUtf8Printable(result.message.simplified()),
                 qUtf8Printable(QFileInfo(result.path).absoluteFilePath()));
    if (trip_.loaded()) {
        keypad_.route = trip_.RouteNo;
        keypad_.section = QString::number(trip_.StartSection);
        label2_[0]->setText(keypad_.route);
        label2_[2]->setText(keypad_.section);
    }
    msgbox::show(this, result.message, QMessageBox::Ok);
}

// "系統選別中" with every segment lit for three seconds, then all fares 0.
void FrmCtl::showRouteSelecting() {
    Form1 *board = &board_;
    board->ChimeiCtl()->SetChimei(QStringLiteral("系統選別中"));
    for (int i = 1; i <= 32; ++i) board->Degit(i)->ResetDegit(true);
    board->repaint();
    waitHoldingInput(kRouteSelectingMs);
    for (int i = 1; i <= 32; ++i) board->Degit(i)->setValue(0);
}

void FrmCtl::Command2_Click(int index) {
    if (!stepping::step(trip_, index)) return;
    const Settings *settings = &settings_;
    const std::optional<int> sound = stepping::soundIndex(table_.Row(trip_.currentRow()), settings->stepSoundAlways(),
                                                          settings->stepSoundColumnIndex() + 1);
    if (sound) PlaySnd(settings->soundFile(*sound), kChannelStep, settings->stepSoundSync() ? 1 : 0, 0);
    DispData(trip_.currentRow());
}

void FrmCtl::Check1_Click() {
    Form1 *board = &board_;
    if (check1_->isChecked()) {
        board->ChimeiCtl()->SetChimei(QString());
        for (int i = 1; i <= 32; ++i) board->Degit(i)->ResetDegit(false);
        board->Timer1()->stop();
        for (int i = 0; i < 2; ++i) board->TimeDegit(i)->setValue(QString());
        for (QWidget *w : {static_cast<QWidget *>(frame1_[0]), static_cast<QWidget *>(frame1_[1]),
                           static_cast<QWidget *>(grpM_Tape_), static_cast<QWidget *>(frame6_)})
            w->setEnabled(false);
        for (const char *id : {"back", "forward"}) commands_->setEnabled(QLatin1String(id), false);
        return;
    }
    for (QWidget *w : {static_cast<QWidget *>(frame1_[0]), static_cast<QWidget *>(frame1_[1]),
                       static_cast<QWidget *>(frame6_)})
        w->setEnabled(true);
    for (const char *id : {"back", "forward"}) commands_->setEnabled(QLatin1String(id), true);
    if (board->TimeDegit(0)->isVisibleTo(board)) board->Timer1()->start();
    grpM_Tape_->setEnabled(announcer_.speechOk());
    DispData(trip_.currentRow());
}

// What 送り and 戻し would say, on their tool tips, so that the operator sees it
// before pressing them.
// A manual step (not one an announcement made) moves the announcement list when asked to.
void FrmCtl::manualStep(int index) {
    Command2_Click(index);
    if (announcer_.followsBoard()) {
        announcer_.followBoardRow(trip_.CurIndex);
        showNextAnnouncements();
    }
}

void FrmCtl::showNextAnnouncements() {
    const int pos = announcer_.position();
    cmdTapeNext_->setToolTip(announcer_.text(pos + 1));
    cmdTapeBack_->setToolTip(announcer_.text(pos - 1));
}

void FrmCtl::cmdTapeNext_Click() {
    announcer_.next();
    showNextAnnouncements();
    if (announcer_.stepFlag(announcer_.position()) == 1) Command2_Click(stepping::Forward);
}

void FrmCtl::cmdTapeBack_Click() {
    announcer_.back();
    showNextAnnouncements();
    if (announcer_.stepFlag(announcer_.position()) == 1) Command2_Click(stepping::Back);
}

void FrmCtl::DispData(int row) {
    const Settings *settings = &settings_;
    Form1 *board = &board_;
    const FareRow &fareRow = table_.Row(row);
    const BoardWrites writes = boardWrites(fareRow, row, trip_, BoardOptions{lateNight(), settings->infoCells()});
    for (const CellWrite &w : writes.writes) board->Degit(w.cell)->setValue(w.value);

    drawSeirikenPreview(row);

    board->ChimeiCtl()->SetChimei(table_.Row(row).StopName);
}
