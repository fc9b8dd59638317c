#include "panel/msg_box.h"

#include "app/program.h"
#include "base/event_log.h"

#include <QJsonArray>
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
    const auto answer = static_cast<QMessageBox::StandardButton>(box.exec());
    events::record(QStringLiteral("message"), {{"title", shownTitle},
                                               {"text", text},
                                               {"icon", iconName(icon)},
                                               {"buttons", names},
                                               {"answer", buttonName(answer)}});
    return answer;
}

}  // namespace msgbox
