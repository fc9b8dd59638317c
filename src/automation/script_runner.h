#pragma once
// Scripted operation: carries out a script's commands one by one inside the running
// event loop, acting on the real controls exactly as an operator would.
#include <QObject>
#include <QString>

class ScriptRunner : public QObject {
    Q_OBJECT
public:
    explicit ScriptRunner(QObject *parent = nullptr);

    // Reads and checks the script. On failure prints "script:LINE: reason" to
    // standard error and returns false (the caller exits with status 2).
    bool load(const QString &path);

    // Starts carrying out the commands once the event loop runs.
    void start();
};
