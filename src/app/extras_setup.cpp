#include "app/extras_setup.h"

#include "app/application.h"
#include "app/startup.h"
#include "media/sound_channels.h"
#include "view/board_view.h"

#include <QCoreApplication>

#include <cstdio>

Extras::Extras(Application &app)
    : recording_(app.board(), app.panel(), app.sound().device()), autoplay_(app.panel(), app.sound().device()) {
    QObject::connect(&app, &Application::aboutToEnd, &recording_, &RecordingControl::stop);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &recording_, &RecordingControl::stop);
}

bool Extras::install(const StartupOptions &opt, view::BoardView *boardView) {
    recording_.setOptions({opt.recordZoom, opt.recordFps});
    recording_.setBoardView(boardView);
    if (boardView) {
        boardView->addMenuEntries([this](QMenu *menu) { recording_.addMenuEntries(menu); });
        boardView->addMenuEntries([this](QMenu *menu) { autoplay_.addMenuEntries(menu); });
    }
    if (!opt.record.isEmpty()) {
        QString why;
        if (!recording_.start(opt.record, &why)) {
            std::fprintf(stderr, "record: %s\n", qPrintable(why));
            return false;
        }
    }
    if (opt.autoplay > 0) autoplay_.start(opt.autoplay, opt.autoplayOnce);
    return true;
}
