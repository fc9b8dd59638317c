// ミトラ: a fare display board of a Japanese route bus, and the driver's control panel.
#include "app/application.h"
#include "panel/frm_ctl.h"
#include "app/extras_setup.h"
#include "base/program.h"
#include "app/route_editor.h"
#include "app/startup.h"
#include "base/message_language.h"
#include "automation/script_runner.h"
#include "base/event_log.h"
#include "remote/listen_address.h"
#include "remote/remote_control.h"
#include "remote/remote_dialog.h"

#include <QApplication>
#include <QFileInfo>
#include <QFont>

#include <cstdio>

int main(int argc, char *argv[]) {
    // The command line first: --help, --version and a bad argument need no display.
    const QStringList args = argumentList(argc, argv);
    StartupOptions opt = parseCommandLine(args);
    const remote::ListenAddress remoteAt =
        opt.remote.isEmpty() ? remote::ListenAddress{} : remote::parseListenAddress(opt.remote);
    if (opt.error.isEmpty()) opt.error = remoteAt.error;
    if (opt.error.isEmpty() && !opt.remoteToken.isEmpty() && opt.remoteToken.size() < 16)
        opt.error = message_language::pick("--remote-token: the token needs at least 16 characters",
                                           "--remote-token: トークンは16文字以上にしてください");
    const QString exeName = args.isEmpty() ? QStringLiteral("207_000") : QFileInfo(args.first()).completeBaseName();
    if (!opt.error.isEmpty() || opt.showHelp) {
        std::fputs(qPrintable(usageText(opt.error, exeName)), opt.showHelp ? stdout : stderr);
        return opt.showHelp ? 0 : 2;
    }
    if (opt.showVersion) {
        std::printf("%s %s\n", qPrintable(exeName), qPrintable(program::version()));
        return 0;
    }

    QApplication qtApp(argc, argv);
    if (!opt.settingsPath.isEmpty()) program::setSettingsPathOverride(opt.settingsPath);

    installFontSubstitutes();
    installJapaneseTranslations();
    QFont uiFont(QStringLiteral("ＭＳ Ｐゴシック"));
    uiFont.setPointSize(9);
    QApplication::setFont(uiFont);

    ScriptRunner runner;
    if (!opt.scriptPath.isEmpty() && !runner.load(opt.scriptPath)) return 2;
    // The event record is for the script's dump: without a script nothing is kept.
    events::setKept(!opt.scriptPath.isEmpty());

    Application app;
    app.endOnSignals();
    // Before the script starts: its `record` may run inside a box start-up opens.
    Extras extras(app);
    runner.setRecording(&extras.recording());
    // Started first: its commands run inside any message box start-up opens, so a
    // script can answer a box that appears before the windows are shown.
    if (!opt.scriptPath.isEmpty()) runner.start();
    app.loadAndShow();
    QString viewWarning;
    app.installView(opt, &viewWarning);
    runner.setBoardView(app.boardView());
    if (!viewWarning.isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(viewWarning));

    remote::RemoteControl remote(app.board(), app.panel());
    remote.setAutoplay(&extras.autoplay());
    remote::attachToPanel(&app.panel(), &remote);
    QObject::connect(&app, &Application::aboutToEnd, &remote, &remote::RemoteControl::stop);
    RouteEditorHost routeEditor(app.panel(), app.settings());
    if (!opt.editRoute.isEmpty()) routeEditor.open(opt.editRoute.toInt());
    if (!opt.remote.isEmpty()) {
        if (!remote.start(remoteAt, opt.remoteToken)) {
            std::fprintf(stderr, "remote: %s\n", qPrintable(remote.error()));
            // Nothing was changed yet: the settings stay as they were.
            return 2;
        }
        std::fprintf(stdout, "remote: %s\n", qPrintable(remote.pageUrl()));
        std::fflush(stdout);
    }
    if (!extras.install(opt, app.boardView())) return 2;
    return QApplication::exec();
}
