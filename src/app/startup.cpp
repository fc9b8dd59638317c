#include "app/startup.h"
#include "base/message_language.h"

#include "view/zoom.h"

#include <QCoreApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QRegularExpression>
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
    else if (name == QLatin1String("--record-zoom"))
        return message_language::pick("%1 takes a whole number from 1 to 8: %2", "%1 は1～8の整数です: %2").arg(name, text);
    else if (name == QLatin1String("--record-fps"))
        return message_language::pick("%1 takes 30 or 60: %2", "%1 は30か60です: %2").arg(name, text);
    else
        return message_language::pick("%1 takes seconds from 1 to 3600: %2", "%1 は1～3600の秒数です: %2").arg(name, text);
    return QString();
}

}  // namespace

StartupOptions parseCommandLine(const QStringList &args) {
    StartupOptions opt;
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        auto value = [&](QString &target) {
            if (i + 1 >= args.size()) {
                opt.error = message_language::pick("%1 needs a value", "%1 の値がありません").arg(a);
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
        else if (a == QLatin1String("--edit-route")) value(opt.editRoute);
        else if (a == QLatin1String("--help") || a == QLatin1String("-h")) opt.showHelp = true;
        else if (a == QLatin1String("--version")) opt.showVersion = true;
        else opt.error = message_language::pick("unknown argument: %1", "不明な引数です: %1").arg(a);
        if (opt.error.isEmpty() && a == QLatin1String("--zoom") && !view::parseZoom(opt.zoom))
            opt.error = message_language::pick("--zoom takes a whole number from 1 to 8, or fit: %1",
                                                      "--zoom は1～8の整数か fit です: %1")
                            .arg(opt.zoom);
        if (opt.error.isEmpty() && a == QLatin1String("--edit-route") &&
            !QRegularExpression(QStringLiteral("^[0-9]{1,5}$")).match(opt.editRoute).hasMatch())
            opt.error = message_language::pick("--edit-route takes a route number from 0 to 99999: %1",
                                               "--edit-route は0～99999の系統番号です: %1")
                            .arg(opt.editRoute);
        if (!opt.error.isEmpty()) break;
    }
    return opt;
}

QStringList argumentList(int argc, char *argv[]) {
    QStringList args;
    for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    return args;
}

QString usageText(const QString &error, const QString &exeName) {
    QString text = error.isEmpty() ? QString() : error + QStringLiteral("\n");
    text += message_language::pick(
                "usage: %1 [--settings PATH] [--script FILE] [--zoom N] [--fullscreen[=SCREEN]]\n"
                "                 [--remote [ADDRESS:]PORT [--remote-token TOKEN]] [--edit-route N]\n"
                "                 [--record FILE [--record-zoom N] [--record-fps 30|60]]\n"
                "                 [--autoplay SECONDS [--autoplay-once]] [--help] [--version]\n"
                "  --settings PATH        read and write this settings file instead of the one beside the program\n"
                "  --script FILE          carry out FILE's commands in the running program (see README)\n"
                "  --zoom N               show the board N times as large (1..8), or fit to the screen (fit)\n"
                "  --fullscreen[=SCREEN]  show the board full screen on monitor SCREEN (number from 1, or name)\n"
                "  --remote [ADDRESS:]PORT  start the remote control (web pages and JSON API) on PORT;\n"
                "                         on this computer only unless ADDRESS is given (0.0.0.0: the network)\n"
                "  --remote-token TOKEN   the remote control's token instead of a random one\n"
                "  --edit-route N         open the route editor on route N as well\n"
                "  --record FILE          record the board and its sound into FILE (.mp4, .mkv or .webm)\n"
                "  --record-zoom N        record at N times the board's size (default: as shown)\n"
                "  --record-fps 30|60     frames a second of the recording (default: 30)\n"
                "  --autoplay SECONDS     run the trip by itself, SECONDS between stops\n"
                "  --autoplay-once        stop at the terminal instead of starting over\n"
                "  --help                 print this text and end\n"
                "  --version              print the program's version and end\n",
                "使い方: %1 [--settings パス] [--script ファイル] [--zoom N] [--fullscreen[=画面]]\n"
                "                 [--remote [アドレス:]ポート [--remote-token トークン]] [--edit-route N]\n"
                "                 [--record ファイル [--record-zoom N] [--record-fps 30|60]]\n"
                "                 [--autoplay 秒 [--autoplay-once]] [--help] [--version]\n"
                "  --settings パス        プログラムの隣の設定ファイルの代わりにこの設定ファイルを読み書きします\n"
                "  --script ファイル      動いているプログラムでファイルのコマンドを実行します（README を参照）\n"
                "  --zoom N               表示器を N 倍（1～8）で、または画面に合わせて（fit）表示します\n"
                "  --fullscreen[=画面]    表示器を画面（1からの番号か名前）に全画面で表示します\n"
                "  --remote [アドレス:]ポート  リモコン（ウェブページと JSON API）をポートで始めます。\n"
                "                         アドレスを指定しなければこのコンピュータからだけ（0.0.0.0: ネットワーク）\n"
                "  --remote-token トークン  ランダムなトークンの代わりにこのトークンを使います\n"
                "  --edit-route N         路線データの編集を系統 N で開きます\n"
                "  --record ファイル      表示器とその音をファイル（.mp4、.mkv、.webm）に録画します\n"
                "  --record-zoom N        表示器の N 倍の大きさで録画します（指定しなければ表示のとおり）\n"
                "  --record-fps 30|60     録画の毎秒のコマ数です（指定しなければ 30）\n"
                "  --autoplay 秒          停留所ごとに指定の秒数をおいて自動運行します\n"
                "  --autoplay-once        終点で最初からやり直さずに止まります\n"
                "  --help                 この説明を表示して終わります\n"
                "  --version              プログラムの版を表示して終わります\n")
                .arg(exeName);
    return text;
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
