// hy3tool from-gtfs: lists a feed's routes, or makes one trip pattern into a
// fare data file and an announcement list.
#include "gtfs_command.h"

#include "base/file_set.h"
#include "base/message_language.h"
#include "core/fare_data_file.h"
#include "gtfs_convert.h"
#include "gtfs_patterns.h"

#include <QDir>

#include <cstdio>
#include <vector>

namespace gtfs_command {

namespace {

using message_language::pick;

void print(FILE *to, const QString &s) {
    std::fputs(s.toUtf8().constData(), to);
    std::fputc('\n', to);
}

void report(const std::vector<gtfs::Problem> &problems) {
    for (const gtfs::Problem &p : problems)
        print(stderr, (p.isError() ? pick("error: ", "エラー: ") : pick("warning: ", "警告: ")) + p.located());
}

struct Args {
    QString feed, outDir, number;
    bool list = false;
    gtfs::ConvertOptions options;
};

// Reads the arguments after "from-gtfs"; an empty text when they are usable.
QString parseArgs(QStringList args, Args &a) {
    auto value = [&](qsizetype i, QString &into) -> QString {
        if (i + 1 >= args.size()) return pick("%1 needs a value.", "%1 の値がありません。").arg(args.at(i));
        into = args.at(i + 1);
        args.remove(i, 2);
        return {};
    };
    for (qsizetype i = 0; i < args.size();) {
        const QString &o = args.at(i);
        QString why, v;
        if (o == QLatin1String("--list")) {
            a.list = true;
            args.remove(i);
            continue;
        }
        if (o == QLatin1String("--route")) why = value(i, a.options.route);
        else if (o == QLatin1String("--out")) why = value(i, a.outDir);
        else if (o == QLatin1String("--number")) why = value(i, a.number);
        else if (o == QLatin1String("--direction")) {
            why = value(i, v);
            if (why.isEmpty() && v != QLatin1String("0") && v != QLatin1String("1"))
                why = pick("--direction is 0 or 1.", "--direction は 0 か 1 です。");
            a.options.direction = v.toInt();
        } else if (o == QLatin1String("--pattern")) {
            why = value(i, v);
            bool ok = false;
            a.options.pattern = v.toInt(&ok);
            if (why.isEmpty() && (!ok || a.options.pattern < 1)) why = pick("--pattern is a number from 1.", "--pattern は1以上の番号です。");
        } else if (o.startsWith(QLatin1String("--"))) {
            why = pick("unknown option \"%1\".", "不明なオプション「%1」です。").arg(o);
        } else {
            ++i;
            continue;
        }
        if (!why.isEmpty()) return why;
    }
    if (args.size() != 1) return pick("from-gtfs takes one GTFS folder or zip file.", "from-gtfs には GTFSのフォルダかzipファイルを1つ指定します。");
    a.feed = args.first();
    if (a.list) return {};
    if (a.options.route.isEmpty()) return pick("give --route (a route_id; --list lists them).", "--route（route_id）を指定してください（--list で一覧）。");
    if (a.outDir.isEmpty()) return pick("give --out (the folder to write to).", "--out（書き出すフォルダ）を指定してください。");
    bool ok = false;
    const int n = a.number.toInt(&ok);
    if (!ok || n < 0 || n > 99999 || a.number.size() > 5)
        return pick("--number is a route number (0..99999).", "--number は系統番号（0～99999）です。");
    a.number = QString::number(n);  // the file name has no leading zeros
    return {};
}

}  // namespace

int run(const QStringList &arguments, int usageStatus) {
    Args a;
    const QString why = parseArgs(arguments, a);
    if (!why.isEmpty()) {
        print(stderr, QStringLiteral("hy3tool: ") + why);
        print(stderr, pick("See hy3tool --help.", "詳しくは hy3tool --help を見てください。"));
        return usageStatus;
    }
    const gtfs::Feed feed = gtfs::read(a.feed);
    if (a.list) {
        report(feed.problems);
        if (!feed.ok()) return 1;
        for (const QString &line : gtfs::listing(feed)) print(stdout, line);
        return 0;
    }
    const gtfs::Conversion c = gtfs::convert(feed, a.options);
    report(c.problems);
    if (!c.ok()) {
        print(stderr, pick("%1: because of the problems, the files of route %2 were not made.", "%1: 問題があるため、系統%2のファイルは作りませんでした。").arg(a.feed, a.number));
        return 1;
    }
    if (!QDir().mkpath(a.outDir)) {
        print(stderr, pick("Cannot make the folder \"%1\".", "フォルダ「%1」を作れません。").arg(a.outDir));
        return 1;
    }
    const QString hy3 = QDir(a.outDir).filePath(a.number + QStringLiteral(".hy3"));
    const QString tape = QDir(a.outDir).filePath(a.number + QStringLiteral("tp.csv"));
    QByteArray fareBytes;
    QString encodeError;
    if (!fare_file::encode(c.rows, fareBytes, &encodeError)) {
        print(stderr, encodeError);
        return 1;
    }
    if (const QString why = file_set::writeAll({{hy3, fareBytes}, {tape, c.announcementFile()}}); !why.isEmpty()) {
        print(stderr, why);
        print(stderr, pick("%1: the files of route %2 were not made.", "%1: 系統%2のファイルは作りませんでした。").arg(a.feed, a.number));
        return 1;
    }
    // The checks every fare data file gets (a fare too large to double late at night, ...).
    for (const FareFileProblem &p : fare_file::lint(c.rows))
        print(stderr, pick("warning: %1: %2", "警告: %1: %2").arg(hy3, p.located()));
    print(stdout, pick("%1 → %2 (%3 rows), %4 (%5 announcements)", "%1 → %2（%3行）、%4（放送%5件）").arg(c.chosen, hy3).arg(c.rows.size()).arg(tape)
                      .arg(c.announcements.size()));
    return 0;
}

}  // namespace gtfs_command
