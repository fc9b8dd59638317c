#include "automation/script_runner.h"

#include "base/program.h"
#include "automation/control_lookup.h"
#include "base/input_gate.h"
#include "automation/object_access.h"
#include "automation/operator_actions.h"
#include "automation/state_dump.h"
#include "app/recording_control.h"
#include "view/board_view.h"
#include "view/zoom.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QStringDecoder>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

using script::Command;
using script::Op;

// Steps are spaced by a real (non-zero) timer: a dialog answered in one step has
// left its event loop, and recorded its answer, before the next step runs.
constexpr int kStepMs = 1;
constexpr int kPollMs = 10;

// "&Yes" reads "Yes"; "コピー(&C)" reads "コピー(C)" and also plain "コピー".
bool captionMatches(QString caption, const QString &wanted) {
    if (caption == wanted) return true;
    const QString withoutSuffix = caption.contains(QLatin1String("(&"))
                                      ? caption.left(caption.indexOf(QLatin1String("(&"))).trimmed()
                                      : QString();
    caption.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return caption == wanted || (!withoutSuffix.isEmpty() && withoutSuffix == wanted);
}

QAbstractButton *findButton(QWidget *dialog, const QString &wanted) {
    for (QAbstractButton *b : dialog->findChildren<QAbstractButton *>()) {
        if (b->window() != dialog || !b->isVisibleTo(dialog)) continue;
        if (b->objectName() == wanted || captionMatches(b->text(), wanted)) return b;
    }
    // A file dialog's accepting button reads "Open" or "Save": "OK" and "Cancel" still
    // reach the buttons that confirm and dismiss a dialog.
    const bool ok = wanted == QLatin1String("OK");
    if (!ok && wanted != QLatin1String("Cancel")) return nullptr;
    for (QDialogButtonBox *box : dialog->findChildren<QDialogButtonBox *>()) {
        if (box->window() != dialog || !box->isVisibleTo(dialog)) continue;
        for (QAbstractButton *b : box->buttons()) {
            const auto role = box->buttonRole(b);
            if (b->isVisibleTo(dialog) && (ok ? role == QDialogButtonBox::AcceptRole : role == QDialogButtonBox::RejectRole)) return b;
        }
    }
    return nullptr;
}

QAction *findMenuItem(QMenu *menu, const QString &wanted) {
    for (QAction *a : menu->actions())
        if (a->isVisible() && !a->isSeparator() && (a->objectName() == wanted || captionMatches(a->text(), wanted))) return a;
    return nullptr;
}

// Clicks a pop-up menu's item where a person would: on the item itself.
void clickMenuItem(QMenu *menu, QAction *action) {
    const QPoint pos = menu->actionGeometry(action).center();
    QPointer<QMenu> guard = menu;
    menu->setActiveAction(action);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        if (!guard) return;
        QMouseEvent event(type, QPointF(pos), QPointF(pos), QPointF(menu->mapToGlobal(pos)), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(menu, &event);
    }
}

// The picture of a control as it is seen: a board shown scaled is grabbed scaled.
QPixmap grabShown(QWidget *w) {
    QWidget *window = w->window();
    const QGraphicsProxyWidget *proxy = window->graphicsProxyWidget();
    if (!proxy || !proxy->scene() || proxy->scene()->views().isEmpty()) return w->grab();
    QGraphicsView *view = proxy->scene()->views().constFirst();
    const QRectF inWindow(QPointF(w->mapTo(window, QPoint(0, 0))), QSizeF(w->size()));
    const QRect shown = view->viewportTransform().mapRect(proxy->mapRectToScene(inWindow)).toAlignedRect();
    return view->viewport()->grab(shown);
}

QString dialogTitle(const QWidget *w) { return w->windowTitle().isEmpty() ? w->objectName() : w->windowTitle(); }

}  // namespace

ScriptRunner::ScriptRunner(QObject *parent) : QObject(parent), timer_(new QTimer(this)) {
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &ScriptRunner::step);
    onEnd_ = [](int status, const QString &message) {
        if (!message.isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(message));
        program::endNow(status);
    };
}

bool ScriptRunner::load(const QString &path) {
    QFile file(path);
    QString why;
    QByteArray bytes;
    if (!file.open(QIODevice::ReadOnly)) {
        why = QStringLiteral("cannot read script %1: %2").arg(path, file.errorString());
    } else {
        bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) why = QStringLiteral("cannot read script %1: %2").arg(path, file.errorString());
    }
    QString text;
    if (why.isEmpty()) {
        QStringDecoder decode(QStringDecoder::Utf8);
        text = decode(bytes);
        if (decode.hasError()) why = QStringLiteral("script %1 is not UTF-8 text").arg(path);
    }
    if (!why.isEmpty()) {
        message_ = script::Error{0, why}.message();
        std::fprintf(stderr, "%s\n", qPrintable(message_));
        return false;
    }
    if (!loadText(text)) {
        std::fprintf(stderr, "%s\n", qPrintable(message_));
        return false;
    }
    return true;
}

bool ScriptRunner::loadText(const QString &text) {
    script::Parsed parsed = script::parse(text);
    if (parsed.error) {
        message_ = parsed.error->message();
        commands_.clear();
        return false;
    }
    commands_ = std::move(parsed.commands);
    next_ = 0;
    message_.clear();
    return true;
}

void ScriptRunner::setEndHandler(EndHandler handler) { onEnd_ = std::move(handler); }

void ScriptRunner::setBoardView(view::BoardView *boardView) { boardView_ = boardView; }

void ScriptRunner::setAnswerTimeout(int ms) { answerTimeoutMs_ = ms; }

void ScriptRunner::start() {
    clock_.start();
    scheduleNext(0);
}

void ScriptRunner::scheduleNext(int delayMs) {
    if (!finished_) timer_->start(delayMs);
}

void ScriptRunner::finish(int status, const QString &message) {
    if (finished_) return;
    finished_ = true;
    status_ = status;
    message_ = message;
    timer_->stop();
    if (recording_) recording_->stop();
    if (onEnd_) onEnd_(status, message);
}

void ScriptRunner::fail(int line, const QString &reason) { finish(2, script::Error{line, reason}.message()); }

void ScriptRunner::step() {
    if (finished_) return;
    if (actionUnfinished()) return scheduleNext(kPollMs);
    if (answer_) return pollAnswer();
    if (await_) return pollAwait();
    // The end of the script waits for a blocking pause too, so that the last action is complete.
    const bool atEnd = next_ >= commands_.size();
    if ((atEnd || script::isOperatorCommand(commands_[next_].op)) && inputHeld()) return scheduleNext(kPollMs);
    if (atEnd) return finish(0, QString());
    const Command &cmd = commands_[next_];
    ++next_;
    run(cmd);
}

void ScriptRunner::run(const Command &cmd) {
    using namespace automation;
    const int line = cmd.line;

    if (cmd.op == Op::Wait) return scheduleNext(static_cast<int>(cmd.number));
    // Held back like every operator command, it only waits for a blocking pause to end.
    if (cmd.op == Op::Idle) return scheduleNext(kStepMs);
    if (cmd.op == Op::Await) {
        await_ = PendingAnswer{line, cmd.args.first().text, clock_.elapsed() + cmd.number};
        return pollAwait();
    }
    if (cmd.op == Op::Quit) return finish(0, QString());
    if (cmd.op == Op::Answer) {
        answer_ = PendingAnswer{line, cmd.args.first().text, clock_.elapsed() + answerTimeoutMs_};
        return pollAnswer();
    }
    if (cmd.op == Op::Dump) {
        QString why;
        if (!writeDump(cmd.args.first().text, &why)) return fail(line, why);
        return scheduleNext(kStepMs);
    }
    if (cmd.op == Op::Close) {
        QWidget *panel = findWindow(QStringLiteral("frmCtl"));
        if (!panel) return fail(line, QStringLiteral("unknown window frmCtl"));
        scheduleNext(kStepMs);
        // Like the window's close button: out of reach while disabled or behind a modal dialog.
        if (panel->isVisible() && reachable(panel)) panel->close();
        return;
    }

    if (cmd.op == Op::Record) {
        // "record off" ends the recording; any other argument is the file to record to.
        scheduleNext(kStepMs);
        if (!recording_) return fail(line, QStringLiteral("record: this program records nothing"));
        QString why;
        if (cmd.args.first().text == QLatin1String("off") && !cmd.args.first().quoted) recording_->stop();
        else if (!recording_->start(cmd.args.first().text, &why)) fail(line, QStringLiteral("record: %1").arg(why));
        return;
    }
    if (cmd.op == Op::Zoom || cmd.op == Op::FullScreen) {
        view::BoardView *boardView = boardView_;
        if (!boardView) return fail(line, QStringLiteral("the board has no view"));
        scheduleNext(kStepMs);
        const QString arg = cmd.args.first().text;
        QString why;
        if (cmd.op == Op::Zoom) {
            const auto zoom = view::parseZoom(arg);
            if (zoom->fit) boardView->setFit();
            else boardView->setZoom(zoom->factor);
        } else if (arg == QLatin1String("off")) {
            boardView->leaveFullScreen();
        } else if (!boardView->setFullScreen(arg, &why)) {
            fail(line, why);
        }
        return;
    }

    QObject *target = findControl(cmd.target);
    if (!target) {
        const bool windowKnown = findWindow(cmd.target.window) != nullptr;
        return fail(line, windowKnown ? QStringLiteral("unknown control %1").arg(cmd.target.fullName())
                                      : QStringLiteral("unknown window %1").arg(cmd.target.window));
    }
    auto *widget = target->isWidgetType() ? static_cast<QWidget *>(target) : nullptr;

    switch (cmd.op) {
    case Op::Prop: {
        QString why;
        const auto prepared = prepareProperty(target, cmd.args.at(1).text, cmd.args.at(2), &why);
        if (!prepared) return fail(line, QStringLiteral("%1: %2").arg(cmd.target.fullName(), why));
        scheduleNext(kStepMs);
        if (!applyProperty(target, *prepared, &why)) fail(line, QStringLiteral("%1: %2").arg(cmd.target.fullName(), why));
        return;
    }
    case Op::Call: {
        QString why;
        const auto prepared = prepareCall(target, cmd.args.at(1).text, cmd.args.mid(2), &why);
        if (!prepared) return fail(line, QStringLiteral("%1: %2").arg(cmd.target.fullName(), why));
        scheduleNext(kStepMs);
        if (!invokeCall(target, *prepared, &why)) fail(line, QStringLiteral("%1: %2").arg(cmd.target.fullName(), why));
        return;
    }
    default:
        break;
    }

    if (!widget) return fail(line, QStringLiteral("%1 is a %2, which has no picture and takes no clicks")
                                       .arg(cmd.target.fullName(), controlKind(target)));

    if (cmd.op == Op::Grab) {
        const QString path = cmd.args.at(1).text;
        if (!grabShown(widget).save(path, "PNG")) return fail(line, QStringLiteral("cannot write the picture to %1").arg(path));
        return scheduleNext(kStepMs);
    }

    // Operator actions: the next step is due before the action, which may open a modal
    // dialog; faults of the script are found before anything is done.
    scheduleNext(kStepMs);
    ActionResult result;
    switch (cmd.op) {
    case Op::Click: result = click(widget); break;
    case Op::DblClick: result = doubleClick(widget); break;
    case Op::RClick: result = rightClick(widget); break;
    case Op::Select: result = selectRow(widget, static_cast<int>(cmd.number)); break;
    case Op::Set: result = setValue(widget, cmd.args.at(1)); break;
    case Op::Key: result = pressKeys(widget, cmd.keys); break;
    case Op::Cell:
        result = typeIntoCell(widget, int(script::parseInteger(cmd.args.at(1).text).value_or(0)),
                              int(script::parseInteger(cmd.args.at(2).text).value_or(0)), cmd.args.at(3).text);
        break;
    case Op::Move:
    case Op::Drag: {
        const QPoint p(static_cast<int>(script::parseInteger(cmd.args.at(1).text).value_or(0)),
                       static_cast<int>(script::parseInteger(cmd.args.at(2).text).value_or(0)));
        result = cmd.op == Op::Move ? moveWindow(widget, p) : drag(widget, p);
        break;
    }
    default: break;
    }
    if (!result.error.isEmpty()) fail(line, result.error);
}

// Another program (a test driving the remote control, say) tells the script to go on
// by making the file.
void ScriptRunner::pollAwait() {
    if (!await_ || finished_) return;
    if (QFileInfo::exists(await_->text)) {
        await_.reset();
        return scheduleNext(kStepMs);
    }
    if (clock_.elapsed() >= await_->deadline) {
        const PendingAnswer late = *await_;
        await_.reset();
        return fail(late.line, QStringLiteral("%1 did not appear in time").arg(late.text));
    }
    scheduleNext(kPollMs);
}

void ScriptRunner::pollAnswer() {
    if (!answer_ || finished_) return;
    const PendingAnswer pending = *answer_;
    QString why;
    if (!inputHeld()) {
        // A pop-up menu is in front of everything else while it is open.
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            if (QAction *action = findMenuItem(menu, pending.text)) {
                if (action->isEnabled()) {
                    answer_.reset();
                    scheduleNext(kStepMs);
                    clickMenuItem(menu, action);
                    return;
                }
                why = QStringLiteral("the menu item \"%1\" is disabled").arg(pending.text);
            }
        }
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            if (QAbstractButton *button = findButton(dialog, pending.text)) {
                if (automation::reachable(button)) {
                    answer_.reset();
                    scheduleNext(kStepMs);
                    if (!automation::click(button).reached) fail(pending.line, QStringLiteral("the button \"%1\" could not be pressed").arg(pending.text));
                    return;
                }
                why = QStringLiteral("the button \"%1\" of \"%2\" is disabled").arg(pending.text, dialogTitle(dialog));
            } else if (why.isEmpty()) {
                why = QStringLiteral("no button \"%1\" on the open dialog \"%2\"").arg(pending.text, dialogTitle(dialog));
            }
        }
    }
    if (clock_.elapsed() >= pending.deadline) {
        answer_.reset();
        return fail(pending.line, why.isEmpty() ? QStringLiteral("no dialog or message box is open to answer \"%1\"").arg(pending.text) : why);
    }
    scheduleNext(kPollMs);
}
