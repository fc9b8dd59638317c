#pragma once
// Test helpers for code that shows message boxes and records events.
#include "base/event_log.h"

#include <QAbstractButton>
#include <QApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QMessageBox>
#include <QTimer>

namespace settings_test {

// While alive, answers every message box that opens with its OK button (or closes
// it), so that code under test runs through its modal boxes.
class ModalAnswerer {
public:
    ModalAnswerer() {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            if (QAbstractButton *ok = box->button(QMessageBox::Ok)) ok->click();
            else box->reject();
        });
        timer_.start();
    }
    ~ModalAnswerer() { timer_.stop(); }

private:
    QTimer timer_;
};

inline qsizetype eventCount() { return events::all().size(); }

// The events of one kind recorded since `from`.
inline QList<QJsonObject> eventsSince(qsizetype from, const QString &kind) {
    QList<QJsonObject> out;
    const QJsonArray all = events::all();
    for (qsizetype i = from; i < all.size(); ++i) {
        const QJsonObject e = all.at(i).toObject();
        if (e.value(QStringLiteral("kind")).toString() == kind) out.append(e);
    }
    return out;
}

}  // namespace settings_test
