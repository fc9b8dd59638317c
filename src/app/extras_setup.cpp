#include "app/extras_setup.h"

#include "app/autoplay.h"
#include "app/program.h"
#include "app/recording_control.h"
#include "app/startup.h"
#include "view/board_view.h"

#include <QCoreApplication>
#include <QMenu>

#include <cstdio>

bool installExtras(const StartupOptions &opt) {
    recording::setOptions({opt.recordZoom, opt.recordFps});
    program::atEnd([] { recording::stop(); });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { recording::stop(); });
    if (view::BoardView *boardView = view::BoardView::active()) {
        boardView->addMenuEntries(&recording::addMenuEntries);
        boardView->addMenuEntries(&autoplay::addMenuEntries);
    }
    if (!opt.record.isEmpty()) {
        QString why;
        if (!recording::start(opt.record, &why)) {
            std::fprintf(stderr, "record: %s\n", qPrintable(why));
            return false;
        }
    }
    if (opt.autoplay > 0) autoplay::start(opt.autoplay, opt.autoplayOnce);
    return true;
}
