#pragma once
// Drives the companion dialogs the way an operator would: waits for the next modal
// dialog, sets its controls and presses a button. A dialog left open afterwards is a
// failure and is closed, so a broken dialog cannot hang the test run.
#include "base/event_log.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QJsonObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>

namespace companion_test {

// Runs `action` on the next modal dialog as soon as it is open.
inline void onNextDialog(std::function<void(QWidget *)> action, int tries = 0) {
    QTimer::singleShot(0, [action, tries] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog) {
            if (tries < 1000) onNextDialog(action, tries + 1);
            else ADD_FAILURE() << "no modal dialog appeared";
            return;
        }
        action(dialog);
        QPointer<QWidget> left(dialog);
        QTimer::singleShot(0, [left] {
            if (left && left->isVisible()) {
                ADD_FAILURE() << "dialog " << left->objectName().toStdString() << " is still open";
                if (auto *d = qobject_cast<QDialog *>(left.data())) d->reject();
            }
        });
    });
}

inline void press(QWidget *dialog, const char *name) {
    auto *button = dialog->findChild<QAbstractButton *>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

// The newest event in the log.
inline QJsonObject lastEvent() {
    const QJsonArray all = events::all();
    return all.isEmpty() ? QJsonObject() : all.last().toObject();
}

}  // namespace companion_test
