#pragma once
// What every companion dialog shares: how it is made modal and named, the captions
// of its buttons, and the one event it leaves in the event log when it closes.
#include <QJsonValue>
#include <QString>
#include <QStringList>

class QAbstractButton;
class QDialog;
class QDialogButtonBox;

namespace companion {

QString okCaption();      // "OK"
QString cancelCaption();  // "キャンセル"

// Non-native where it matters, application-modal, named for the scripted operation,
// titled.
void prepareDialog(QDialog *dialog, const QString &objectName, const QString &title);

// OK and キャンセル captions; the buttons are also named "OK" and "Cancel" so that a
// script can press them by either word. Either button may be missing.
void nameButtons(QAbstractButton *ok, QAbstractButton *cancel);
void nameButtons(QDialogButtonBox *box);

// Runs the dialog and returns whether it was confirmed. The caller creates it on the
// heap with its owner as parent; it is deleted here unless the owner took it along.
bool runDialog(QDialog *dialog);

// Records the closed dialog: which one, title, main text, its buttons, the answer
// ("OK"/"Cancel") and the value it hands back to its caller.
void recordDialog(const QString &objectName, const QString &title, const QString &text, bool confirmed,
                  const QJsonValue &value = QJsonValue(QJsonValue::Undefined),
                  const QStringList &buttons = {QStringLiteral("OK"), QStringLiteral("Cancel")});

}  // namespace companion
