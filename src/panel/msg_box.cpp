#include "panel/msg_box.h"

#include "base/program.h"
#include "base/event_log.h"

#include <QJsonArray>
#include <QJsonValue>
#include <QPushButton>

namespace msgbox {

namespace {

QString iconName(Icon icon) {
    switch (icon) {
    case Icon::Information: return QStringLiteral("information");
    case Icon::Question: return QStringLiteral("question");
    case Icon::Warning: return QStringLiteral("warning");
    case Icon::Critical: return QStringLiteral("critical");
    case Icon::None: break;
    }
    return QStringLiteral("none");
}

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QString buttonName(QMessageBox::StandardButton b) {
    switch (b) {
    case QMessageBox::Ok: return QStringLiteral("OK");
    case QMessageBox::Cancel: return QStringLiteral("Cancel");
    case QMessageBox::Yes: return QStringLiteral("Yes");
    case QMessageBox::No: return QStringLiteral("No");
    case QMessageBox::Retry: return QStringLiteral("Retry");
    case QMessageBox::Abort: return QStringLiteral("Abort");
    case QMessageBox::Ignore: return QStringLiteral("Ignore");
    default: return QStringLiteral("none");
    }
}

}  // namespace

QMessageBox::StandardButton show(QWidget *parent, const QString &text, QMessageBox::StandardButtons buttons,
                                 Icon icon, const QString &title) {
    const QString shownTitle = title.isEmpty() ? program::title() : title;
    QMessageBox box(qtIcon(icon), shownTitle, text, buttons, parent);
    QJsonArray names;
    for (QAbstractButton *b : box.buttons()) {
        const auto sb = box.standardButton(b);
        names.append(buttonName(sb));
        b->setObjectName(buttonName(sb));  // lets a script answer by the plain name too
    }
    Notifier &notifier = Notifier::instance();
    const int id = notifier.add(&box, {0, shownTitle, text, QJsonValue(names).toVariant().toStringList()});
    const auto answer = static_cast<QMessageBox::StandardButton>(box.exec());
    notifier.remove(id, buttonName(answer));
    events::record(QStringLiteral("message"), {{"title", shownTitle},
                                               {"text", text},
                                               {"icon", iconName(icon)},
                                               {"buttons", names},
                                               {"answer", buttonName(answer)}});
    return answer;
}

Notifier &Notifier::instance() {
    static Notifier one;
    return one;
}

std::vector<Notifier::Open> Notifier::open() const {
    std::vector<Open> out;
    for (const auto &[id, entry] : open_) out.push_back(entry.shown);
    return out;
}

bool Notifier::answer(int id, const QString &button) {
    const auto it = open_.find(id);
    if (it == open_.end() || !it->second.box) return false;
    auto *pressed = it->second.box->findChild<QAbstractButton *>(button);
    if (!pressed || !it->second.shown.buttons.contains(button)) return false;
    pressed->click();
    // Answered now, though the box's own loop ends only when the caller's returns.
    open_.erase(id);
    return true;
}

int Notifier::add(QMessageBox *box, const Open &shown) {
    Entry entry{shown, box};
    entry.shown.id = ++lastId_;
    open_[entry.shown.id] = entry;
    emit opened(entry.shown);
    return entry.shown.id;
}

void Notifier::remove(int id, const QString &answer) {
    open_.erase(id);
    emit closed(id, answer);
}

}  // namespace msgbox
