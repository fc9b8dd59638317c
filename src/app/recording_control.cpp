#include "app/recording_control.h"

#include "base/dump_sections.h"
#include "board/form1.h"
#include "media/recorder.h"
#include "panel/frm_ctl.h"
#include "core/trip_session.h"
#include "view/board_frames.h"
#include "view/board_view.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

namespace {

// The red dot and the elapsed time, at the panel's bottom right corner.
class Indicator : public QLabel {
public:
    Indicator(QWidget *panel, const Recorder &recorder) : QLabel(panel), recorder_(recorder) {
        setObjectName(QStringLiteral("recordIndicator"));
        setStyleSheet(QStringLiteral("color: #c00000; background: transparent;"));
        auto *timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, &Indicator::refresh);
        timer->start(500);
        refresh();
    }
    void refresh() {
        const qint64 s = recorder_.elapsedMs() / 1000;
        setText(QStringLiteral("● %1:%2").arg(s / 60, 2, 10, QLatin1Char('0')).arg(s % 60, 2, 10, QLatin1Char('0')));
        adjustSize();
        move(parentWidget()->width() - width() - 4, parentWidget()->height() - height() - 2);
        raise();
    }

private:
    const Recorder &recorder_;
};

}  // namespace

RecordingControl::RecordingControl(Form1 &board, FrmCtl &panel, AudioDevice &sound, QObject *parent)
    : QObject(parent), board_(board), panel_(panel), recorder_(new Recorder(sound, this)) {
    connect(recorder_, &Recorder::stopped, this, &RecordingControl::stopped);
}

RecordingControl::~RecordingControl() { stop(); }

bool RecordingControl::active() const { return recorder_->active(); }

bool RecordingControl::start(const QString &path, QString *error) {
    if (!inDump_) {
        // Registered at the first recording: a program that records nothing dumps as before.
        inDump_ = true;
        dump::registerSection(QStringLiteral("record"), [this] { return recorder_->summary(); });
    }
    stop();
    const double zoom = options_.zoom > 0 ? options_.zoom : boardView_ ? boardView_->factor() : 1.0;
    auto frames = std::make_unique<view::BoardFrames>(board_.face(), zoom);
    frames->setShape(boardView_ ? boardView_->shape() : board_.mask());
    view::BoardFrames *source = frames.get();
    if (!recorder_->start(path, frames->size(), options_.fps, [source] { return source->frame(); }, error)) return false;
    frames_ = std::move(frames);
    indicator_ = new Indicator(&panel_, *recorder_);
    indicator_->show();
    return true;
}

void RecordingControl::stop() { recorder_->stop(); }

void RecordingControl::stopped(const QString &error) {
    delete indicator_;
    frames_.reset();
    const QJsonObject s = recorder_->summary();
    std::fprintf(stderr, "record: %s: %lld frames written, %lld dropped, %.1f s\n", qPrintable(s.value(QStringLiteral("file")).toString()),
                 qint64(s.value(QStringLiteral("framesWritten")).toDouble()), qint64(s.value(QStringLiteral("framesDropped")).toDouble()),
                 s.value(QStringLiteral("seconds")).toDouble());
    if (error.isEmpty()) return;
    std::fprintf(stderr, "record: stopped: %s\n", qPrintable(error));
    // Not modal: the board and a running trip carry on behind it.
    auto *box = new QMessageBox(QMessageBox::Warning, QStringLiteral("録画"), QStringLiteral("録画を停止しました。\n%1").arg(error),
                                QMessageBox::Ok, &panel_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

QString RecordingControl::defaultFileName() const {
    const QString route = panel_.session().trip().RouteNo;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    return QDir::current().filePath(route.isEmpty() ? QStringLiteral("%1.mp4").arg(stamp)
                                                    : QStringLiteral("系統%1-%2.mp4").arg(route, stamp));
}

void RecordingControl::addMenuEntries(QMenu *menu) {
    menu->addSeparator();
    if (active()) {
        connect(menu->addAction(QStringLiteral("録画停止")), &QAction::triggered, this, [this] { stop(); });
        return;
    }
    connect(menu->addAction(QStringLiteral("録画開始...")), &QAction::triggered, this, [this] {
        const QString path = QFileDialog::getSaveFileName(&panel_, QStringLiteral("録画開始"), defaultFileName(),
                                                          QStringLiteral("MP4 (*.mp4);;Matroska (*.mkv);;WebM (*.webm)"));
        if (path.isEmpty()) return;
        QString why;
        if (!start(path, &why))
            QMessageBox::warning(&panel_, QStringLiteral("録画"), QStringLiteral("録画を開始できません。\n%1").arg(why));
    });
}
