#include "remote/panel_driver.h"

#include "panel/autoplay.h"
#include "panel/command_set.h"
#include "panel/frm_ctl.h"
#include "core/trip_session.h"
#include "base/input_gate.h"
#include "board/form1.h"
#include "widgets/m_degit.h"
#include "media/announcer.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

namespace remote {

namespace {

constexpr int kRetryMs = 20;
// The session's changes are sent as they happen; the poll catches what lies outside it
// (the announcement position, the busy state, the digits' own formatting).
constexpr int kPollMs = 250;
constexpr qint64 kGiveUpMs = 30000;

// The command behind each action; "route" goes through either entry panel.
QString commandOf(const RemoteAction &a) {
    if (a.name == QLatin1String("backlight")) return QStringLiteral("backlight.%1").arg(std::max(a.level, 0));
    return a.name;
}

QJsonObject messageJson(const msgbox::Notifier::Open &box) {
    return {{QStringLiteral("pending"), box.id},
            {QStringLiteral("title"), box.title},
            {QStringLiteral("text"), box.text},
            {QStringLiteral("buttons"), QJsonArray::fromStringList(box.buttons)}};
}

}  // namespace

PanelDriver::PanelDriver(const Form1 &board, FrmCtl &panel, QObject *parent)
    : QObject(parent), board_(board), panel_(panel), retry_(new QTimer(this)), poll_(new QTimer(this)), push_(new QTimer(this)) {
    qRegisterMetaType<remote::RemoteAction>();
    clock_.start();
    retry_->setSingleShot(true);
    connect(retry_, &QTimer::timeout, this, &PanelDriver::process);
    connect(poll_, &QTimer::timeout, this, &PanelDriver::pollState);
    const msgbox::Notifier *notifier = &msgbox::Notifier::instance();
    connect(notifier, &msgbox::Notifier::opened, this, &PanelDriver::onBoxOpened);
    connect(notifier, &msgbox::Notifier::closed, this, &PanelDriver::pollState, Qt::QueuedConnection);
    // Several changes of one action go out as one state, once the action has drawn them.
    push_->setSingleShot(true);
    connect(push_, &QTimer::timeout, this, &PanelDriver::pollState);
    connect(&panel_.session(), &TripSession::changed, push_, [this] { push_->start(0); });
    poll_->start(kPollMs);
}

bool PanelDriver::enabled(const RemoteAction &a) const {
    const std::vector<msgbox::Notifier::Open> boxes = msgbox::Notifier::instance().open();
    if (a.name == QLatin1String("answer")) return !boxes.empty();
    if (a.name == QLatin1String("autoplay")) return autoplay_ != nullptr;
    // Like a click, nothing reaches the panel behind a modal dialog.
    if (QApplication::activeModalWidget() || !boxes.empty()) return false;
    const CommandSet &c = panel_.commands();
    if (a.name == QLatin1String("route"))
        return c.isAvailable(QStringLiteral("reset.lists")) || c.isAvailable(QStringLiteral("reset.keypad"));
    return c.isAvailable(commandOf(a));
}

// Types route and section on the keypad when it is in front, else chooses them on the
// digit lists.
bool PanelDriver::enterRoute(const RemoteAction &a) {
    CommandSet &c = panel_.commands();
    if (c.trigger(QStringLiteral("keypad.route"))) {
        auto type = [&c](const QString &digits) {
            for (const QChar d : digits) c.trigger(QStringLiteral("keypad.%1").arg(d.digitValue()));
        };
        type(a.route);
        c.trigger(QStringLiteral("keypad.section"));
        type(a.section);
        return c.trigger(QStringLiteral("reset.keypad"));
    }
    panel_.chooseOnLists(a.route, a.section);
    return c.trigger(QStringLiteral("reset.lists"));
}

bool PanelDriver::perform(const RemoteAction &a) {
    if (a.name == QLatin1String("answer")) {
        const std::vector<msgbox::Notifier::Open> boxes = msgbox::Notifier::instance().open();
        const int id = a.pending > 0 ? a.pending : boxes.back().id;
        return msgbox::Notifier::instance().answer(id, a.button);
    }
    if (a.name == QLatin1String("autoplay")) {
        if (a.on.value_or(false)) autoplay_->start(a.interval);
        else autoplay_->stop();
        return true;
    }
    // The operator's own action takes over from the trip running by itself.
    if (autoplay_) autoplay_->stop();
    if (a.name == QLatin1String("route")) return enterRoute(a);
    if (a.on) {
        const TripSession &session = panel_.session();
        const bool now = a.name == QLatin1String("blank") ? session.blanked() : session.lateNight();
        if (now == *a.on) return true;
    }
    return panel_.commands().trigger(commandOf(a));
}

QByteArray PanelDriver::stateJson() const {
    const TripSession &session = panel_.session();
    const Trip &trip = session.trip();
    QJsonArray fares;
    // What each cell shows, as text: "" where the board leaves it dark.
    for (int i = 1; i <= 32; ++i) fares.append(board_.fareDisplay(i)->litText().trimmed());
    QJsonObject enabledNow;
    for (const QString &name : actionNames()) enabledNow.insert(name, enabled(RemoteAction{name, {}, {}, 1, {}, {}, 0}));
    QJsonObject state{{QStringLiteral("routeNo"), trip.RouteNo},
                      {QStringLiteral("section"), trip.StartSection},
                      {QStringLiteral("curIndex"), trip.CurIndex},
                      {QStringLiteral("rowCount"), trip.RowCount},
                      {QStringLiteral("stopName"), session.stopName()},
                      {QStringLiteral("blank"), session.blanked()},
                      {QStringLiteral("lateNight"), session.lateNight()},
                      {QStringLiteral("backlight"), session.backlight()},
                      {QStringLiteral("tapePos"), panel_.announcer().position()},
                      {QStringLiteral("tapeCount"), panel_.announcer().count()},
                      {QStringLiteral("speech"), panel_.speechCaption()},
                      {QStringLiteral("fares"), fares},
                      {QStringLiteral("busy"), inputHeld()},
                      {QStringLiteral("enabled"), enabledNow}};
    // The newest message box that waits for an answer, for the page to show.
    const std::vector<msgbox::Notifier::Open> boxes = msgbox::Notifier::instance().open();
    if (!boxes.empty()) state.insert(QStringLiteral("message"), messageJson(boxes.back()));
    return QJsonDocument(state).toJson(QJsonDocument::Compact);
}

void PanelDriver::request(qint64 id, const RemoteAction &action) {
    queue_.push_back({id, action, clock_.elapsed()});
    process();
}

void PanelDriver::process() {
    while (!queue_.empty()) {
        if (inputHeld()) {
            // Like the operator's own input, actions wait for the pause to end.
            const Pending &head = queue_.front();
            if (clock_.elapsed() - head.queuedMs < kGiveUpMs) {
                retry_->start(kRetryMs);
                return;
            }
            const Pending late = head;
            queue_.pop_front();
            emit done(late.id, 503, QStringLiteral("the program stayed busy for 30 s"), QByteArray(), 0);
            continue;
        }
        const Pending next = queue_.front();
        queue_.pop_front();
        if (!enabled(next.action)) {
            emit done(next.id, 409, QStringLiteral("%1 is not enabled now").arg(next.action.name), stateJson(), 0);
            continue;
        }
        // An action may run a nested pause or a message box; later requests queue
        // meanwhile and run inside it.
        const std::optional<qint64> outer = acting_;
        acting_ = next.id;
        const bool carriedOut = perform(next.action);
        const bool unanswered = acting_ == next.id;
        acting_ = outer;
        if (unanswered) {
            if (next.action.name == QLatin1String("answer") && !carriedOut)
                emit done(next.id, 409, QStringLiteral("the message has no button %1").arg(next.action.button), stateJson(), 0);
            else
                emit done(next.id, 200, QString(), stateJson(), 0);
        }
        pollState();
    }
}

void PanelDriver::onBoxOpened(const msgbox::Notifier::Open &box) {
    if (acting_) {
        const qint64 id = *acting_;
        acting_.reset();
        emit done(id, 200, box.text, stateJson(), box.id);
    }
    pollState();
}

void PanelDriver::pollState() {
    const QByteArray state = stateJson();
    if (state == lastState_) return;
    lastState_ = state;
    emit stateChanged(state);
}

}  // namespace remote
