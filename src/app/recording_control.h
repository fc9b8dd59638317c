#pragma once
// Recording the board and the program's sound into a video file: started from the
// board's menu, the command line or a script; the panel shows a red dot and the time
// while it runs. A fault (a full disk) ends it with a message; the program goes on.
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class AudioDevice;
class Form1;
class FrmCtl;
class QLabel;
class QMenu;
class Recorder;
namespace view {
class BoardFrames;
class BoardView;
}  // namespace view

class RecordingControl : public QObject {
public:
    struct Options {
        double zoom = 0;  // 0: the board's view's own scale
        int fps = 30;
    };

    RecordingControl(Form1 &board, FrmCtl &panel, AudioDevice &sound, QObject *parent = nullptr);
    ~RecordingControl() override;

    void setOptions(const Options &options) { options_ = options; }
    // The view whose scale a recording takes when no zoom is given (none: 1).
    void setBoardView(const view::BoardView *boardView) { boardView_ = boardView; }

    // False, with `error` saying why, when the file cannot be made.
    bool start(const QString &path, QString *error);
    // Ends the recording; the file is complete. Harmless when not recording.
    void stop();
    bool active() const;

    // The board's menu entries "録画開始..." / "録画停止".
    void addMenuEntries(QMenu *menu);

    // The file name the dialog offers: the route and the time, in the current folder.
    QString defaultFileName() const;

private:
    void stopped(const QString &error);

    Form1 &board_;
    FrmCtl &panel_;
    const view::BoardView *boardView_ = nullptr;
    Options options_;
    Recorder *recorder_;
    std::unique_ptr<view::BoardFrames> frames_;
    QPointer<QLabel> indicator_;
    bool inDump_ = false;
};
