// ミトラ: a fare display board of a Japanese route bus, and the driver's control panel.
#include "app/program.h"
#include "app/startup.h"
#include "panel/frm_ctl.h"
#include "app/view_setup.h"
#include "app/extras_setup.h"
#include "app/windows.h"
#include "automation/script_runner.h"
#include "remote/listen_address.h"
#include "remote/remote_control.h"
#include "remote/remote_dialog.h"

#include <QApplication>
#include <QFont>
#include <QWidget>

#include <cstdio>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    StartupOptions opt = parseCommandLine(QApplication::arguments());
    const remote::ListenAddress remoteAt =
        opt.remote.isEmpty() ? remote::ListenAddress{} : remote::parseListenAddress(opt.remote);
    if (opt.error.isEmpty()) opt.error = remoteAt.error;
    if (opt.error.isEmpty() && !opt.remoteToken.isEmpty() && opt.remoteToken.size() < 16)
        opt.error = QStringLiteral("--remote-token: the token needs at least 16 characters");
    if (!opt.error.isEmpty() || opt.showHelp) {
        std::fprintf(opt.showHelp ? stdout : stderr,
                     "%s%susage: %s [--settings PATH] [--script FILE] [--zoom N] [--fullscreen[=SCREEN]]\n"
                     "                 [--remote [ADDRESS:]PORT [--remote-token TOKEN]]\n"
                     "  --settings PATH        read and write this settings file instead of the one beside the program\n"
                     "  --script FILE          carry out FILE's commands in the running program (see README)\n"
                     "  --zoom N               show the board N times as large (1..8), or fit to the screen (fit)\n"
                     "  --fullscreen[=SCREEN]  show the board full screen on monitor SCREEN (number from 1, or name)\n"
                     "  --remote [ADDRESS:]PORT  start the remote control (web pages and JSON API) on PORT;\n"
                     "                         on this computer only unless ADDRESS is given (0.0.0.0: the network)\n"
                     "  --remote-token TOKEN   the remote control's token instead of a random one\n"
                     "  --record FILE          record the board and its sound into FILE (.mp4, .mkv or .webm)\n"
                     "  --record-zoom N        record at N times the board's size (default: as shown)\n"
                     "  --record-fps 30|60     frames a second of the recording\n"
                     "  --autoplay SECONDS     run the trip by itself, SECONDS between stops\n"
                     "  --autoplay-once        stop at the terminal instead of starting over\n",
                     qPrintable(opt.error), opt.error.isEmpty() ? "" : "\n", qPrintable(program::exeName()));
        return opt.showHelp ? 0 : 2;
    }
    if (!opt.settingsPath.isEmpty()) program::setSettingsPathOverride(opt.settingsPath);

    installFontSubstitutes();
    installJapaneseTranslations();
    QFont uiFont(QStringLiteral("ＭＳ Ｐゴシック"));
    uiFont.setPointSize(9);
    QApplication::setFont(uiFont);

    ScriptRunner runner;
    if (!opt.scriptPath.isEmpty() && !runner.load(opt.scriptPath)) return 2;

    // Started first: its commands run inside any message box start-up opens, so a
    // script can answer a box that appears before the windows are shown.
    if (!opt.scriptPath.isEmpty()) runner.start();
    loadAndShowWindows();
    QString viewWarning;
    installView(opt, &viewWarning);
    if (!viewWarning.isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(viewWarning));
    if (!installExtras(opt)) return 2;
    remote::attachToPanel(frmCtl());
    if (!opt.remote.isEmpty()) {
        remote::RemoteControl *rc = remote::RemoteControl::instance();
        if (!rc->start(remoteAt, opt.remoteToken)) {
            std::fprintf(stderr, "remote: %s\n", qPrintable(rc->error()));
            return 2;
        }
        std::fprintf(stdout, "remote: %s\n", qPrintable(rc->pageUrl()));
        std::fflush(stdout);
    }
    return QApplication::exec();
}
