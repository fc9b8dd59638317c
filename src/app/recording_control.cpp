#include "app/recording_control.h"

#include "panel/frm_ctl.h"
#include "app/windows.h"
#include "base/dump_sections.h"
#include "board/form1.h"
#include "media/recorder.h"
#include "view/board_frames.h"
#include "view/board_view.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

namespace recording {

namespace {

Options g_options;
view::BoardFrames *g_frames = nullptr;

// The red dot and the elapsed time, at the panel's bottom right corner.
class Indicator : public QLabel {
public:
    explicit Indicator(QWidget *panel) : QLabel(panel) {
        setObjectName(QStringLiteral("recordIndicator"));
        setStyleSheet(QStringLiteral("color: #c00000; background: transparent;"));
        auto *timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, &Indicator::refresh);
        timer->start(500);
        refresh();
    }
    void refresh() {
        const qint64 s = Recorder::instance()->elapsedMs() / 1000;
        setText(QStringLiteral("● %1:%2").arg(s / 60, 2, 10, QLatin1Char('0')).arg(s % 60, 2, 10, QLatin1Char('0')));
        adjustSize();
        move(parentWidget()->width() - width() - 4, parentWidget()->height() - height() - 2);
        raise();
    }
};

Indicator *g_indicator = nullptr;

void connectOnce() {
    static bool done = false;
    if (done) return;
    done = true;
    Recorder *r = Recorder::instance();
    dump::registerSection(QStringLiteral("record"), [r] { return r->summary(); });
    QObject::connect(r, &Recorder::stopped, r, [](const QString &error) {
        delete g_indicator;
        g_indicator = nullptr;
        delete g_frames;
        g_frames = nullptr;
        const QJsonObject s = Recorder::instance()->summary();
        std::fprintf(stderr, "record: %s: %lld frames written, %lld dropped, %.1f s\n", qPrintable(s.value(QStringLiteral("file")).toString()),
                     qint64(s.value(QStringLiteral("framesWritten")).toDouble()), qint64(s.value(QStringLiteral("framesDropped")).toDouble()),
                     s.value(QStringLiteral("seconds")).toDouble());
        if (error.isEmpty()) return;
        std::fprintf(stderr, "record: stopped: %s\n", qPrintable(error));
        // Not modal: the board and a running trip carry on behind it.
        auto *box = new QMessageBox(QMessageBox::Warning, QStringLiteral("録画"),
                                    QStringLiteral("録画を停止しました。\n%1").arg(error), QMessageBox::Ok, frmCtl());
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setModal(false);
        box->show();
    });
}

}  // namespace

void setOptions(const Options &options) { g_options = options; }

bool active() { return Recorder::instance()->active(); }

bool start(const QString &path, QString *error) {
    connectOnce();
    stop();
    const view::BoardView *boardView = view::BoardView::active();
    const double zoom = g_options.zoom > 0 ? g_options.zoom : boardView ? boardView->factor() : 1.0;
    auto *frames = new view::BoardFrames(form1(), zoom);
    if (!Recorder::instance()->start(path, frames->size(), g_options.fps, [frames] { return frames->frame(); }, error)) {
        delete frames;
        return false;
    }
    g_frames = frames;
    g_indicator = new Indicator(frmCtl());
    g_indicator->show();
    return true;
}

void stop() { Recorder::instance()->stop(); }

QString defaultFileName() {
    const QString route = frmCtl()->trip().RouteNo;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    return QDir::current().filePath(route.isEmpty() ? QStringLiteral("%1.mp4").arg(stamp)
                                                    : QStringLiteral("系統%1-%2.mp4").arg(route, stamp));
}

void addMenuEntries(QMenu *menu) {
    menu->addSeparator();
    if (active()) {
        QObject::connect(menu->addAction(QStringLiteral("録画停止")), &QAction::triggered, [] { stop(); });
        return;
    }
    QObject::connect(menu->addAction(QStringLiteral("録画開始...")), &QAction::triggered, [] {
        const QString path = QFileDialog::getSaveFileName(frmCtl(), QStringLiteral("録画開始"), defaultFileName(),
                                                          QStringLiteral("MP4 (*.mp4);;Matroska (*.mkv);;WebM (*.webm)"));
        if (path.isEmpty()) return;
        QString why;
        if (!start(path, &why))
            QMessageBox::warning(frmCtl(), QStringLiteral("録画"), QStringLiteral("録画を開始できません。\n%1").arg(why));
    });
}

}  // namespace recording
