// 4sptool: checks ticket plug-ins (*.4SP) and draws their tickets to PNG files.
//   4sptool check FILE...      every problem, one line each: FILE: PLACE: error|warning: MESSAGE
//   4sptool render FILE OUT.png [--stop NAME] [--ticket N] [--route N] [--row N]
//                               [--date TEXT] [--time HH:MM:SS] [--company N] [--scale N]
#include "ticket/ticket_check.h"
#include "ticket/ticket_draw.h"

#include <QDate>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTime>
#include <cstdio>

namespace {

constexpr int kMaxScale = 8;

int usage() {
    std::fprintf(stderr,
                 "usage: 4sptool check FILE...\n"
                 "       4sptool render FILE OUT.png [--stop NAME] [--ticket N] [--route N] [--row N]\n"
                 "                                   [--date TEXT] [--time HH:MM:SS] [--company N] [--scale 1..8]\n");
    return 2;
}

int check(const QStringList &files) {
    int status = 0;
    for (const QString &file : files) {
        const std::vector<ticket::Problem> problems = ticket::checkPluginFile(file);
        for (const ticket::Problem &p : problems) {
            const bool error = p.severity == ticket::Problem::Error;
            std::printf("%s: %s: %s: %s\n", qPrintable(file), qPrintable(p.place), error ? "error" : "warning",
                        qPrintable(p.message));
            if (error) status = 1;
        }
        if (problems.empty()) std::printf("%s: ok\n", qPrintable(file));
    }
    return status;
}

int render(const QStringList &args) {
    if (args.size() < 2 || args.size() % 2 != 0) return usage();
    const ticket::ReadResult read = ticket::readPluginFile(args[0]);
    if (!read.plugin) {
        std::fprintf(stderr, "%s: not a ticket plug-in (4sptool check tells why)\n", qPrintable(args[0]));
        return 1;
    }
    ticket::Values v{QStringLiteral("市役所前"), QDate::currentDate().toString(QStringLiteral("MM-dd-yyyy")),
                     QTime::currentTime().toString(QStringLiteral("HH:mm:ss")), 1, 1, 1, QString()};
    int company = 0, scale = 1;
    for (qsizetype i = 2; i + 1 < args.size(); i += 2) {
        const QString &key = args[i], &value = args[i + 1];
        if (key == QLatin1String("--stop")) v.stopName = value;
        else if (key == QLatin1String("--ticket")) v.ticketNo = value.toInt();
        else if (key == QLatin1String("--route")) v.routeNo = value.toInt();
        else if (key == QLatin1String("--row")) v.row = value.toInt();
        else if (key == QLatin1String("--date")) v.dateText = value;
        else if (key == QLatin1String("--time")) v.timeText = value;
        else if (key == QLatin1String("--company")) company = value.toInt();
        else if (key == QLatin1String("--scale")) {
            bool ok = false;
            scale = value.toInt(&ok);
            if (!ok || scale < 1 || scale > kMaxScale) return usage();
        } else return usage();
    }
    const ticket::Plugin &plugin = *read.plugin;
    QImage image(plugin.widthPx() * scale, plugin.heightPx() * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);  // drawn at the larger size, not blown up afterwards
    const ticket::DrawResult r = ticket::drawTicket(painter, plugin, ticket::renderBackground(plugin, nullptr, scale), v, company);
    painter.end();
    for (const QString &p : r.problems) std::fprintf(stderr, "%s: %s\n", qPrintable(args[0]), qPrintable(p));
    if (!image.save(args[1], "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(args[1]));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = QGuiApplication::arguments().mid(1);
    if (args.size() >= 2 && args[0] == QLatin1String("check")) return check(args.mid(1));
    if (args.size() >= 3 && args[0] == QLatin1String("render")) return render(args.mid(1));
    return usage();
}
