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
#include "core/trip_session.h"
#include "base/dump_sections.h"
#include "board/form1.h"
#include "widgets/chimei_ctl.h"
#include "widgets/m_degit.h"
#include "core/settings.h"
#include "media/sound_channels.h"
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
    run(c.add(QStringLiteral("reset.lists"), command1_[0]), [this] { setRoute(0); });
    run(c.add(QStringLiteral("reset.keypad"), command1_[1]), [this] { setRoute(1); });
    run(c.add(QStringLiteral("back"), command2_[0]), [this] { manualStep(stepping::Back); });
    run(c.add(QStringLiteral("forward"), command2_[1]), [this] { manualStep(stepping::Forward); });
    for (int k = 0; k <= kKeySection; ++k) {
        const QString id = k == kKeyRoute     ? QStringLiteral("keypad.route")
                           : k == kKeySection ? QStringLiteral("keypad.section")
                                              : QStringLiteral("keypad.%1").arg(k);
        run(c.add(id, keys_[k]), [this, k] { pressKey(k); });
    }
    run(c.add(QStringLiteral("announceNext"), cmdTapeNext_), [this] { announceNext(); });
    run(c.add(QStringLiteral("announceBack"), cmdTapeBack_), [this] { announceBack(); });
    run(c.add(QStringLiteral("announceSet"), cmdTapeSet_), [this] { announcer_.showAdjustDialog(); });
    run(c.add(QStringLiteral("announceStop"), cmdTapeStop_), [this] { announcer_.stop(); });
    // Check and option buttons keep their toggles; their commands click them.
    c.add(QStringLiteral("blank"), check1_);
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
    dump::registerSection(QStringLiteral("trip"), [this] { return session_.trip().toJson(); });
    dump::registerSection(QStringLiteral("fareRow"), [this] { return session_.currentRow().toJson(); });
    dump::registerSection(QStringLiteral("seirikenDraw"), [this] { return lastDraw_; });
}

// The panel's controls show the session's switches, and a click on them changes the
// session; the board shows whatever the session says it must.
void FrmCtl::bindSession() {
    TripSession *s = &session_;
    connect(check1_, &QCheckBox::toggled, s, &TripSession::setBlanked);
    connect(check2_, &QCheckBox::toggled, s, &TripSession::setLateNight);
    for (int i = 0; i < 3; ++i)
        connect(option4_[i], &QRadioButton::toggled, s, [s, i](bool on) {
            if (on) s->setBacklight(i);
        });
    connect(s, &TripSession::blankedChanged, this, [this](bool on) {
        check1_->setChecked(on);
        blankChanged(on);
    });
    connect(s, &TripSession::lateNightChanged, check2_, &QCheckBox::setChecked);
    connect(s, &TripSession::backlightChanged, this, [this](int level) {
        option4_[level]->setChecked(true);
        applyBacklight();
    });
    connect(s, &TripSession::keypadChanged, this, [this] {
        label2_[0]->setText(session_.keypad().route);
        label2_[2]->setText(session_.keypad().section);
    });
    connect(s, &TripSession::boardChanged, this, &FrmCtl::showOnBoard);
    // The board starts with the backlight the OFF button shows.
    applyBacklight();
}

void FrmCtl::showOnBoard(const BoardContent &content) {
    Form1 *board = &board_;
    switch (content.kind) {
    case BoardContent::Kind::Stop:
        for (const CellWrite &w : content.writes) board->fareDisplay(w.cell)->setValue(w.value);
        drawSeirikenPreview(content.row);
        // From the table, not the content: the ticket plug-in may have renamed the stop.
        board->stopStrip()->SetChimei(session_.fareTable().Row(content.row).StopName);
        break;
    case BoardContent::Kind::RouteSelecting:
        board->stopStrip()->SetChimei(content.stopName);
        for (int i = 1; i <= BoardCells; ++i) board->fareDisplay(i)->ResetDegit(true);
        board->repaint();
        break;
    case BoardContent::Kind::FaresZero:
        for (int i = 1; i <= BoardCells; ++i) board->fareDisplay(i)->setValue(0);
        break;
    case BoardContent::Kind::Blank:
        board->stopStrip()->SetChimei(QString());
        for (int i = 1; i <= BoardCells; ++i) board->fareDisplay(i)->ResetDegit(false);
        break;
    }
}

QString FrmCtl::currentStopName() const { return session_.stopName(); }

void FrmCtl::setRoute(int index) {
    const Settings *settings = &settings_;
    const QString fareFolder = settings->fareDataDir();
    const QString tapeFolder = route_set::folderPrefix(settings->tapeDataDir());
    sound_.play(settings->soundFile(0), kChannelKeys, 0, 0);

    const route_set::Request request =
        index == 1 ? route_set::makeRequest(label2_[0]->text(), label2_[2]->text())
                   : route_set::makeRequest(selectedDigits(list2_), selectedDigits(list3_));

    // The announcement list is read first, but it replaces the running one only with
    // the fare table: a refused route set keeps the whole trip it interrupted.
    Announcer::ReadList tape = Announcer::read(tapeFolder, request.fileRouteNo);

    const route_set::Result result = session_.setRoute(request, fareFolder);
    if (!result.loaded()) {
        reportRefusedRouteSet(result);
        return;
    }
    announcer_.use(std::move(tape));
    announcer_.followBoardRow(session_.trip().CurIndex);
    showNextAnnouncements();

    showRouteSelecting();

    for (const char *id : {"back", "forward", "blank"}) commands_->setEnabled(QLatin1String(id), true);
    session_.setTicketDate(
        routeSetTicketDate(settings->ticketDateMode(), QDate::currentDate(), settings->fixedDate()));
    showCurrentStop();
}

// The box says what the route set refused; standard error says which file was looked
// for, and the keypad shows the route that still runs, as the preview does.
void FrmCtl::reportRefusedRouteSet(const route_set::Result &result) {
    std::fprintf(stderr, "route set refused: %s (looked for %s)\n", qUtf8Printable(result.message.simplified()),
                 qUtf8Printable(QFileInfo(result.path).absoluteFilePath()));
    session_.showRunningRouteOnKeypad();
    msgbox::show(this, result.message, QMessageBox::Ok);
}

// "系統選別中" with every segment lit for three seconds, then all fares 0.
void FrmCtl::showRouteSelecting() {
    session_.showRouteSelecting();
    waitHoldingInput(kRouteSelectingMs);
    session_.showFaresZero();
}

void FrmCtl::step(int direction) {
    if (!session_.step(direction)) return;
    const Settings *settings = &settings_;
    const std::optional<int> sound =
        stepping::soundIndex(session_.currentRow(), settings->stepSoundAlways(), settings->stepSoundColumnIndex() + 1);
    if (sound) sound_.play(settings->soundFile(*sound), kChannelStep, settings->stepSoundSync() ? 1 : 0, 0);
    showCurrentStop();
}

// The panel's side of 表示消去: the board went dark already (the session said so).
void FrmCtl::blankChanged(bool on) {
    Form1 *board = &board_;
    if (on) {
        board->clockTimer()->stop();
        for (int i = 0; i < 2; ++i) board->clockDisplay(i)->setValue(QString());
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
    if (board->clockDisplay(0)->isVisibleTo(board)) board->clockTimer()->start();
    grpM_Tape_->setEnabled(announcer_.speechOk());
    showCurrentStop();
}

// A manual step (not one an announcement made) moves the announcement list when asked to.
void FrmCtl::manualStep(int direction) {
    step(direction);
    if (announcer_.followsBoard()) {
        announcer_.followBoardRow(session_.trip().CurIndex);
        showNextAnnouncements();
    }
}

// What 送り and 戻し would say, on their tool tips, so that the operator sees it
// before pressing them.
void FrmCtl::showNextAnnouncements() {
    const int pos = announcer_.position();
    cmdTapeNext_->setToolTip(announcer_.text(pos + 1));
    cmdTapeBack_->setToolTip(announcer_.text(pos - 1));
}

void FrmCtl::announceNext() {
    announcer_.next();
    showNextAnnouncements();
    if (announcer_.stepFlag(announcer_.position()) == 1) step(stepping::Forward);
}

void FrmCtl::announceBack() {
    announcer_.back();
    showNextAnnouncements();
    if (announcer_.stepFlag(announcer_.position()) == 1) step(stepping::Back);
}

void FrmCtl::showCurrentStop() { session_.showCurrentStop(settings_.infoCells()); }
