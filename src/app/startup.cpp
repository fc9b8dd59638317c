#include "app/startup.h"

#include "app/board_layout.h"
#include "panel/frm_ctl.h"
#include "app/ini_file.h"
#include "app/windows.h"
#include "board/form1.h"
#include "board/rounded_region.h"
#include "options/frm_option.h"
#include "view/zoom.h"

#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>
#include <QStringList>

namespace {

// --record-zoom 1..8, --record-fps 30 or 60, --autoplay 1..3600 seconds.
QString numberOption(const QString &name, const QString &text, StartupOptions &opt) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (name == QLatin1String("--record-zoom") && ok && n >= 1 && n <= 8) opt.recordZoom = n;
    else if (name == QLatin1String("--record-fps") && ok && (n == 30 || n == 60)) opt.recordFps = n;
    else if (name == QLatin1String("--autoplay") && ok && n >= 1 && n <= 3600) opt.autoplay = n;
    else return QStringLiteral("%1 takes %2: %3").arg(name, name == QLatin1String("--record-zoom") ? QStringLiteral("a whole number from 1 to 8")
                                                          : name == QLatin1String("--record-fps") ? QStringLiteral("30 or 60")
                                                                                                  : QStringLiteral("seconds from 1 to 3600"), text);
    return QString();
}

}  // namespace

StartupOptions parseCommandLine(const QStringList &args) {
    StartupOptions opt;
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        auto value = [&](QString &target) {
            if (i + 1 >= args.size()) {
                opt.error = QStringLiteral("%1 needs a value").arg(a);
                return;
            }
            target = args.at(++i);
        };
        if (a == QLatin1String("--script")) value(opt.scriptPath);
        else if (a == QLatin1String("--settings")) value(opt.settingsPath);
        else if (a == QLatin1String("--zoom")) value(opt.zoom);
        else if (a == QLatin1String("--fullscreen")) opt.fullScreen = true;
        else if (a.startsWith(QLatin1String("--fullscreen="))) {
            opt.fullScreen = true;
            opt.fullScreenOn = a.mid(int(sizeof("--fullscreen=")) - 1);
        }
        else if (a == QLatin1String("--remote")) value(opt.remote);
        else if (a == QLatin1String("--remote-token")) value(opt.remoteToken);
        else if (a == QLatin1String("--record")) value(opt.record);
        else if (a == QLatin1String("--record-zoom") || a == QLatin1String("--record-fps") || a == QLatin1String("--autoplay"))
            opt.error = numberOption(a, i + 1 < args.size() ? args.at(++i) : QString(), opt);
        else if (a == QLatin1String("--autoplay-once")) opt.autoplayOnce = true;
        else if (a == QLatin1String("--help") || a == QLatin1String("-h")) opt.showHelp = true;
        else opt.error = QStringLiteral("unknown argument: %1").arg(a);
        if (opt.error.isEmpty() && a == QLatin1String("--zoom") && !view::parseZoom(opt.zoom))
            opt.error = QStringLiteral("--zoom takes a whole number from 1 to 8, or fit: %1").arg(opt.zoom);
        if (!opt.error.isEmpty()) break;
    }
    return opt;
}

void installFontSubstitutes() {
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans CJK JP")});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"),
                               {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans Mono CJK JP")});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ 明朝"),
                               {QStringLiteral("IPAMincho"), QStringLiteral("IPAexMincho"), QStringLiteral("Noto Serif CJK JP")});
}

void installJapaneseTranslations() {
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

void loadAndShowWindows() {
    Form1 *board = form1();
    mdl207_000::InitDegits();
    mdl207_000::SetDefaultPanel();
    FrmOption *options = frmOption();
    options->hide();

    FrmCtl *panel = frmCtl();
    panel->Form_Load();
    panel->show();
    panel->raise();

    board->move(0, 0);
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const QSize outer = panel->frameGeometry().size();
        panel->move(area.x() + area.width() - outer.width(), area.y() + area.height() - outer.height());
    }

    board->setMask(roundedRegion(board->rect()));
    board->update();

    mdlIniIo::LoadIni();
    board->show();
}
