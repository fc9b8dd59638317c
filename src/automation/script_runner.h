#pragma once
// Scripted operation: carries out a script's commands one by one inside the running
// event loop, acting on the real controls exactly as an operator would.
//
// Every command runs from a timer. The next command is scheduled before an action
// that may open a modal dialog, so it runs inside that dialog's event loop (which is
// how `answer` reaches a message box). While the program holds the operator's input
// back (inputHeld()), operator commands wait.
#include "automation/script_parser.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class QTimer;
class RecordingControl;
namespace view {
class BoardView;
}

class ScriptRunner : public QObject {
    Q_OBJECT
public:
    // Called once when the script is over: status 0 after the last command or at
    // quit, 2 on a script fault with `message` "script:LINE: reason".
    using EndHandler = std::function<void(int status, const QString &message)>;

    explicit ScriptRunner(QObject *parent = nullptr);

    // Reads and checks the script. On failure prints "script:LINE: reason" to
    // standard error and returns false (the caller exits with status 2).
    bool load(const QString &path);

    // Checks a script given as text; on failure errorMessage() tells why.
    bool loadText(const QString &text);

    // Starts carrying out the commands once the event loop runs.
    void start();

    // By default the program prints the message and ends at once with the status;
    // a test running scripts in its own process puts its own handler here.
    void setEndHandler(EndHandler handler);

    // How long `answer` waits for its dialog (5000 ms unless changed).
    void setAnswerTimeout(int ms);

    // The board's view, which `zoom` and `fullscreen` work (none: they fail).
    void setBoardView(view::BoardView *boardView);

    // What `record` starts and stops (none: it fails). A recording still running
    // when the script ends is finished first, so its file is complete.
    void setRecording(RecordingControl *recording) { recording_ = recording; }

    bool isFinished() const { return finished_; }
    int exitStatus() const { return status_; }
    QString errorMessage() const { return message_; }

private:
    struct PendingAnswer {
        int line = 0;
        QString text;
        qint64 deadline = 0;
    };

    void step();
    void run(const script::Command &cmd);
    void scheduleNext(int delayMs);
    void pollAnswer();
    void pollAwait();
    void fail(int line, const QString &reason);
    void finish(int status, const QString &message);

    std::vector<script::Command> commands_;
    size_t next_ = 0;
    QTimer *timer_ = nullptr;
    QElapsedTimer clock_;
    std::optional<PendingAnswer> answer_;
    std::optional<PendingAnswer> await_;  // `text` is the file waited for
    int answerTimeoutMs_ = 5000;
    RecordingControl *recording_ = nullptr;
    bool finished_ = false;
    int status_ = 0;
    QString message_;
    EndHandler onEnd_;
    QPointer<view::BoardView> boardView_;
};
