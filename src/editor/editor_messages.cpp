#include "editor/editor_messages.h"

#include "base/event_log.h"

#include <QJsonArray>
#include <QPushButton>

namespace route {

int ask(QWidget *parent, QMessageBox::Icon icon, const QString &text, const QList<Choice> &choices, int defaultChoice) {
    const QString title = QStringLiteral("路線データの編集");
    QMessageBox box(icon, title, text, QMessageBox::NoButton, parent);
    QList<QPushButton *> buttons;
    QJsonArray names;
    for (const Choice &c : choices) {
        QPushButton *b = box.addButton(c.caption, QMessageBox::ActionRole);
        b->setObjectName(c.name);
        buttons << b;
        names.append(c.caption);
    }
    if (defaultChoice >= 0 && defaultChoice < buttons.size()) box.setDefaultButton(buttons[defaultChoice]);
    if (!buttons.isEmpty()) box.setEscapeButton(buttons.back());
    box.exec();
    int answer = int(buttons.indexOf(static_cast<QPushButton *>(box.clickedButton())));
    if (answer < 0) answer = int(buttons.size()) - 1;
    events::record(QStringLiteral("message"), {{"title", title},
                                               {"text", text},
                                               {"buttons", names},
                                               {"answer", answer >= 0 ? choices[answer].caption : QString()}});
    return answer;
}

void tell(QWidget *parent, const QString &text) { ask(parent, QMessageBox::Warning, text, {{QStringLiteral("OK"), QStringLiteral("OK")}}); }

}  // namespace route
