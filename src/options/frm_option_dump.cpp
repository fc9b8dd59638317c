// The options dialog's state for the scripted operation's dump: every named control
// with what it holds, whether it is enabled and whether it is shown (its own flag,
// as the dialog's reactions set it, independent of the page in front).
#include "widgets/m_degit.h"
#include "options/frm_option.h"
#include "options/option_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

QJsonObject FrmOption::dumpState() const {
    QJsonObject controls;
    for (QWidget *w : findChildren<QWidget *>()) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))) continue;
        QJsonObject c;
        c.insert(QStringLiteral("enabled"), w->isEnabled());
        c.insert(QStringLiteral("visible"), !w->isHidden());
        if (auto *color = qobject_cast<ColorButton *>(w)) {
            c.insert(QStringLiteral("BackColor"), static_cast<qint64>(color->color()));
        } else if (auto *radio = qobject_cast<QRadioButton *>(w)) {
            c.insert(QStringLiteral("caption"), radio->text());
            c.insert(QStringLiteral("Value"), radio->isChecked() ? -1 : 0);
        } else if (auto *box = qobject_cast<QCheckBox *>(w)) {
            c.insert(QStringLiteral("caption"), box->text());
            c.insert(QStringLiteral("Value"), optvalue::check(box));
        } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
            c.insert(QStringLiteral("ListIndex"), combo->currentIndex());
            c.insert(QStringLiteral("Text"), combo->currentText());
            c.insert(QStringLiteral("ListCount"), combo->count());
        } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            c.insert(QStringLiteral("Text"), edit->text());
        } else if (auto *label = qobject_cast<QLabel *>(w)) {
            c.insert(QStringLiteral("Caption"), label->text());
        } else if (auto *button = qobject_cast<QPushButton *>(w)) {
            c.insert(QStringLiteral("caption"), button->text());
        } else if (auto *frame = qobject_cast<QGroupBox *>(w)) {
            c.insert(QStringLiteral("caption"), frame->title());
        } else if (auto *listBox = qobject_cast<QListWidget *>(w)) {
            QJsonArray items;
            for (int i = 0; i < listBox->count(); ++i) items.append(listBox->item(i)->text());
            c.insert(QStringLiteral("items"), items);
        } else if (auto *memo = qobject_cast<QPlainTextEdit *>(w)) {
            c.insert(QStringLiteral("Text"), memo->toPlainText());
        } else if (auto *degit = qobject_cast<M_Degit *>(w)) {
            c.insert(QStringLiteral("state"), degit->dumpState());
        } else {
            continue;
        }
        controls.insert(name, c);
    }
    QJsonObject state;
    state.insert(QStringLiteral("visible"), isVisible());
    state.insert(QStringLiteral("controls"), controls);
    return state;
}
