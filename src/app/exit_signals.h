#pragma once
// SIGTERM, SIGINT and SIGHUP as a Qt signal on the window thread. The handler only
// writes the signal's number into a pipe; a socket notifier reads it in the event
// loop, so no Qt code ever runs inside the handler.
#include <QObject>

class QSocketNotifier;

class ExitSignals : public QObject {
    Q_OBJECT
public:
    // Installs the handlers (once per program; a second object takes them over).
    explicit ExitSignals(QObject *parent = nullptr);
    ~ExitSignals() override;

signals:
    void received(int signalNumber);

private:
    void readPipe();

    QSocketNotifier *notifier_ = nullptr;
};
