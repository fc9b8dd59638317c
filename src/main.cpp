// ミトラ: a fare display board of a Japanese route bus, and the driver's control panel.
#include "app/program.h"
#include "app/startup.h"
#include "app/view_setup.h"
#include "automation/script_runner.h"

#include <QApplication>
#include <QFont>

#include <cstdio>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    const StartupOptions opt = parseCommandLine(QApplication::arguments());
    if (!opt.error.isEmpty() || opt.showHelp) {
        std::fprintf(opt.showHelp ? stdout : stderr,
                     "%s%susage: %s [--settings PATH] [--script FILE] [--zoom N] [--fullscreen[=SCREEN]]\n"
                     "  --settings PATH  read and write this settings file instead of the one beside the program\n"
                     "  --script FILE    carry out FILE's commands in the running program (see README)\n"
                     "  --zoom N         show the board N times as large (1..8), or fit to the screen (fit)\n"
                     "  --fullscreen[=SCREEN]  show the board full screen on monitor SCREEN (number from 1, or name)\n",
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

    loadAndShowWindows();
    QString viewWarning;
    installView(opt, &viewWarning);
    if (!viewWarning.isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(viewWarning));

    if (!opt.scriptPath.isEmpty()) runner.start();
    return QApplication::exec();
}
