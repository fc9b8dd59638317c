#include "remote/panel_driver.h"

#include "app/autoplay.h"
#include "app/windows.h"
#include "automation/control_lookup.h"
#include "base/dump_sections.h"
#include "base/event_log.h"
#include "base/input_gate.h"
#include "automation/operator_actions.h"
#include "board/form1.h"
#include "widgets/m_degit.h"
#include "media/tape.h"

#include <QAbstractButton>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <QVariant>

namespace remote {

namespace {

constexpr int kRetryMs = 20;
constexpr int kPollMs = 150;
constexpr qint64 kGiveUpMs = 30000;

QWidget *panelControl(const QString &name) {
    return qobject_cast<QWidget *>(automation::findControl({QStringLiteral("frmCtl"), name}));
}

QString controlName(const QString &base, int index) { return QStringLiteral("%1(%2)").arg(base).arg(index); }

bool checked(const QString &name) {
    auto *b = qobject_cast<QAbstractButton *>(panelControl(name));
    return b && b->isChecked();
}

// The panel's button behind each action; "route" goes through either entry panel.
QString buttonOf(const RemoteAction &a) {
    static const QHash<QString, QString> buttons{
        {QStringLiteral("forward"), QStringLiteral("Command2(1)")},
        {QStringLiteral("back"), QStringLiteral("Command2(0)")},
        {QStringLiteral("blank"), QStringLiteral("Check1")},
        {QStringLiteral("lateNight"), QStringLiteral("Check2")},
        {QStringLiteral("announceNext"), QStringLiteral("cmdTapeNext")},
        {QStringLiteral("announceBack"), QStringLiteral("cmdTapeBack")},
        {QStringLiteral("announceStop"), QStringLiteral("cmdTapeStop")}};
    if (a.name == QLatin1String("backlight")) return controlName(QStringLiteral("Option4"), std::max(a.level, 0));
    return buttons.value(a.name);
}

bool enabled(const RemoteAction &a) {
    if (a.name == QLatin1String("autoplay")) return true;
    if (a.name == QLatin1String("route"))
        return automation::reachable(panelControl(QStringLiteral("Command1(0)"))) ||
               automation::reachable(panelControl(QStringLiteral("Command1(1)")));
    return automation::reachable(panelControl(buttonOf(a)));
}

bool clicked(const QString &name) { return automation::click(panelControl(name)).reached; }

// Types route and section on the keypad when it is in front, else chooses them on the
// digit lists (right-aligned, the lists before them left without a choice).
bool enterRoute(const RemoteAction &a) {
    if (clicked(controlName(QStringLiteral("CommandButton1"), 10))) {
        auto type = [](const QString &digits) {
            for (const QChar d : digits) clicked(controlName(QStringLiteral("CommandButton1"), d.digitValue()));
        };
        type(a.route);
        clicked(controlName(QStringLiteral("CommandButton1"), 11));
        type(a.section);
        return clicked(QStringLiteral("Command1(1)"));
    }
    auto choose = [](const QString &list, int count, const QString &digits) {
        for (int i = 0; i < count; ++i) {
            const int at = i - (count - static_cast<int>(digits.size()));
            automation::selectRow(panelControl(controlName(list, i)), at >= 0 ? digits.at(at).digitValue() : -1);
        }
    };
    choose(QStringLiteral("List2"), 5, a.route);
    choose(QStringLiteral("List3"), 3, a.section);
    return clicked(QStringLiteral("Command1(0)"));
}

bool perform(const RemoteAction &a) {
    if (a.name == QLatin1String("autoplay")) {
        if (a.on.value_or(false)) autoplay::start(a.interval);
        else autoplay::stop();
        return true;
    }
    autoplay::stop();  // the operator's own action takes over from the trip running by itself
    if (a.name == QLatin1String("route")) return enterRoute(a);
    const QString button = buttonOf(a);
    if (a.on && checked(button) == *a.on) return true;
    return clicked(button);
}

}  // namespace

PanelDriver::PanelDriver(QObject *parent) : QObject(parent), retry_(new QTimer(this)), poll_(new QTimer(this)) {
    qRegisterMetaType<remote::RemoteAction>();
    clock_.start();
    retry_->setSingleShot(true);
    connect(retry_, &QTimer::timeout, this, &PanelDriver::process);
    connect(poll_, &QTimer::timeout, this, &PanelDriver::pollState);
    poll_->start(kPollMs);
}

QByteArray PanelDriver::stateJson() {
    QJsonObject trip, row;
    for (const auto &[key, section] : dump::sections()) {
        if (key == QLatin1String("trip")) trip = section().toObject();
        if (key == QLatin1String("fareRow")) row = section().toObject();
    }
    int backlight = 0;
    for (int i = 0; i < 3; ++i)
        if (checked(controlName(QStringLiteral("Option4"), i))) backlight = i;
    QJsonArray fares;
    for (int i = 1; i <= 32; ++i) {
        fares.append(QJsonValue::fromVariant(form1()->Degit(i)->Value()));
    }
    QJsonObject enabledNow;
    for (const QString &name : actionNames()) enabledNow.insert(name, enabled(RemoteAction{name, {}, {}, 1, {}}));
    const QObject *tapeFrame = automation::findControl({QStringLiteral("frmCtl"), QStringLiteral("grpM_Tape")});
    const QJsonObject state{
        {QStringLiteral("routeNo"), trip.value(QStringLiteral("RouteNo"))},
        {QStringLiteral("section"), trip.value(QStringLiteral("StartSection"))},
        {QStringLiteral("curIndex"), trip.value(QStringLiteral("CurIndex"))},
        {QStringLiteral("rowCount"), trip.value(QStringLiteral("RowCount"))},
        {QStringLiteral("stopName"), row.value(QStringLiteral("StopName"))},
        {QStringLiteral("blank"), checked(QStringLiteral("Check1"))},
        {QStringLiteral("lateNight"), checked(QStringLiteral("Check2"))},
        {QStringLiteral("backlight"), backlight},
        {QStringLiteral("tapePos"), mdlM_Tape::GetTapePos()},
        {QStringLiteral("tapeCount"), mdlM_Tape::GetTapeCount()},
        {QStringLiteral("speech"), tapeFrame ? tapeFrame->property("title").toString() : QString()},
        {QStringLiteral("fares"), fares},
        {QStringLiteral("busy"), inputHeld()},
        {QStringLiteral("enabled"), enabledNow}};
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
            emit done(late.id, 503, QStringLiteral("the program stayed busy for 30 s"), QByteArray());
            continue;
        }
        const Pending next = queue_.front();
        queue_.pop_front();
        if (!enabled(next.action)) {
            emit done(next.id, 409, QStringLiteral("%1 is not enabled now").arg(next.action.name), stateJson());
            continue;
        }
        const qsizetype eventsBefore = events::all().size();
        // A click may run a nested pause or a message box; later requests queue meanwhile.
        perform(next.action);
        QString message;
        const QJsonArray after = events::all();
        for (qsizetype i = eventsBefore; i < after.size(); ++i)
            if (after.at(i).toObject().value(QStringLiteral("kind")).toString() == QLatin1String("message"))
                message = after.at(i).toObject().value(QStringLiteral("text")).toString();
        const QByteArray state = stateJson();
        emit done(next.id, 200, message, state);
        pollState();
    }
}

void PanelDriver::pollState() {
    const QByteArray state = stateJson();
    if (state == lastState_) return;
    lastState_ = state;
    emit stateChanged(state);
}

}  // namespace remote
