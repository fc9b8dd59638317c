#include "companion/dialog_common.h"

#include "base/event_log.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDialogButtonBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QPointer>
#include <QPushButton>

namespace companion {

QString okCaption() { return QStringLiteral("OK"); }
QString cancelCaption() { return QStringLiteral("キャンセル"); }

void prepareDialog(QDialog *dialog, const QString &objectName, const QString &title) {
    dialog->setObjectName(objectName);
    dialog->setWindowTitle(title);
    dialog->setWindowModality(Qt::ApplicationModal);
    // A dialog has no use for the "?" button some window managers add.
    dialog->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void nameButtons(QAbstractButton *ok, QAbstractButton *cancel) {
    if (ok) {
        ok->setText(okCaption());
        ok->setObjectName(QStringLiteral("OK"));
    }
    if (cancel) {
        cancel->setText(cancelCaption());
        cancel->setObjectName(QStringLiteral("Cancel"));
    }
}

void nameButtons(QDialogButtonBox *box) {
    if (!box) return;
    nameButtons(box->button(QDialogButtonBox::Ok), box->button(QDialogButtonBox::Cancel));
}

bool runDialog(QDialog *dialog) {
    QPointer<QDialog> guard(dialog);
    const int result = dialog->exec();
    delete guard.data();
    return result == QDialog::Accepted;
}

void recordDialog(const QString &objectName, const QString &title, const QString &text, bool confirmed,
                  const QJsonValue &value, const QStringList &buttons) {
    QJsonObject fields{{"dialog", objectName},
                       {"title", title},
                       {"text", text},
                       {"icon", "none"},
                       {"buttons", QJsonArray::fromStringList(buttons)},
                       {"answer", confirmed ? "OK" : "Cancel"}};
    if (!value.isUndefined()) fields.insert(QStringLiteral("value"), value);
    events::record(QStringLiteral("dialog"), fields);
}

}  // namespace companion
