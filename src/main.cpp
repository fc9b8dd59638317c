// ミトラ: a fare display board of a Japanese route bus, and the driver's control panel.
#include "app/program.h"
#include "app/startup.h"
#include "automation/script_runner.h"

#include <QApplication>
#include <QFont>

#include <cstdio>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    const StartupOptions opt = parseCommandLine(QApplication::arguments());
    if (!opt.error.isEmpty() || opt.showHelp) {
        std::fprintf(opt.showHelp ? stdout : stderr,
                     "%s%susage: %s [--settings PATH] [--script FILE]\n"
                     "  --settings PATH  read and write this settings file instead of the one beside the program\n"
                     "  --script FILE    carry out FILE's commands in the running program (see README)\n",
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
    return QApplication::exec();
}
