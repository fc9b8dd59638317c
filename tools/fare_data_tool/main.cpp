// hy3tool: makes and checks fare data files (*.hy3) for the simulator.
//   hy3tool to-hy3 TABLE.csv ROUTE.hy3
//   hy3tool to-csv ROUTE.hy3 TABLE.csv [--encoding utf8-bom|utf8|cp932]
//   hy3tool check ROUTE.hy3...
//   hy3tool from-gtfs FEED --list | --route ID [--direction 0|1] [--pattern N] --number N --out DIR
#include "base/message_language.h"
#include "core/fare_data_file.h"
#include "fare_csv.h"
#include "gtfs_command.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <cstdio>

namespace {

enum Exit { Ok = 0, Refused = 1, Usage = 2 };

void out(const QString &s) {
    std::fputs(s.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}
void err(const QString &s) {
    std::fputs(s.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

const char *const HelpText =
    "使い方: hy3tool <コマンド> [引数]\n"
    "\n"
    "運賃データファイル（系統番号.hy3）を表計算ソフトのCSVから作り、CSVに戻し、検査します。\n"
    "\n"
    "コマンド:\n"
    "  to-hy3 入力.csv 出力.hy3\n"
    "      CSVを運賃データに変換します。CSVは UTF-8（BOMの有無は問わない）または\n"
    "      CP932（Shift_JIS）で、文字コードは自動で判別します。1行目は見出し行、\n"
    "      2行目から1停留所1行で、列は 停留所名, 整理券番号, データ1..データ150。\n"
    "      データ1..32は運賃表示器の1..32コマの運賃（-1は深夜料金でも2倍にしない印）、\n"
    "      33..150はその他のデータです。足りない列・空の欄は0になります。\n"
    "      問題があれば行番号つきで全部表示し、出力ファイルは作りません。\n"
    "  to-csv 入力.hy3 出力.csv [--encoding utf8-bom|utf8|cp932]\n"
    "      運賃データをCSVに戻します（既定は utf8-bom、改行は CR LF）。\n"
    "      出力に - を指定すると標準出力に書きます。\n"
    "  check ファイル.hy3 [ファイル.hy3 ...]\n"
    "      運賃データを検査し、問題を行番号つきで全部表示します。\n"
    "      エラー（読み込めないファイル）があれば終了コード1、警告だけなら0です。\n"
    "\n"
    "オプション:\n"
    "  -h, --help    この説明を表示します。\n"
    "\n"
    "終了コード: 0 成功, 1 変換や検査で問題あり, 2 使い方の誤り\n"
    "制限: 1ファイル最大301行、各値は -32768～32767 の整数。\n";

const char *const HelpTextEnglish =
    "usage: hy3tool <command> [arguments]\n"
    "\n"
    "Makes fare data files (route number.hy3) from a spreadsheet's CSV, turns them back\n"
    "into CSV, and checks them.\n"
    "\n"
    "Commands:\n"
    "  to-hy3 IN.csv OUT.hy3\n"
    "      Converts a CSV table into fare data. The CSV is UTF-8 (with or without BOM)\n"
    "      or CP932 (Shift_JIS), detected by itself. Row 1 is a header; from row 2 one\n"
    "      stop a row, columns: stop name, ticket number, data 1..150. Data 1..32 are\n"
    "      the fares of the board's cells 1..32 (-1: not doubled late at night), 33..150\n"
    "      other data. Missing columns and empty cells are 0; full-width digits are read\n"
    "      as digits. Every problem is listed with its row, and no file is written.\n"
    "  to-csv IN.hy3 OUT.csv [--encoding utf8-bom|utf8|cp932]\n"
    "      Turns fare data back into CSV (utf8-bom by default, CR LF line ends).\n"
    "      OUT - writes to standard output.\n"
    "  check FILE.hy3 [FILE.hy3 ...]\n"
    "      Checks fare data and lists every problem with its row. Exit status 1 when\n"
    "      there are errors (files that cannot be read), 0 with warnings only.\n"
    "  from-gtfs FEED --list | --route ID [--direction 0|1] [--pattern N] --number N --out DIR\n"
    "      Lists a GTFS-JP feed's routes, or makes one trip pattern into N.hy3 and Ntp.csv.\n"
    "\n"
    "Options:\n"
    "  -h, --help    shows this text.\n"
    "\n"
    "Exit status: 0 success, 1 problems in a conversion or check, 2 wrong usage\n"
    "Limits: at most 301 rows a file, each value a whole number -32768..32767.\n";

QString pick(const char *english, const char *japanese) { return message_language::pick(english, japanese); }

int usage(const QString &why) {
    err(QStringLiteral("hy3tool: ") + why);
    err(pick("See hy3tool --help.", "詳しくは hy3tool --help を見てください。"));
    return Usage;
}

// The file stays open (and mapped) as long as `file` lives.
bool mapFile(QFile &f, QByteArray &bytes) {
    const QString path = f.fileName();
    // Opening a FIFO would wait for a writer forever; a device never ends.
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile()) {
        err(pick("\"%1\" is not a regular file.", "「%1」は通常のファイルではありません。").arg(path));
        return false;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        err(pick("Cannot open \"%1\": %2", "「%1」を開けません: %2").arg(path, f.errorString()));
        return false;
    }
    // Mapped, not read: the reader looks only at the rows a fare data file can hold, so
    // a huge table costs no memory for the part past the row limit.
    if (const uchar *mapped = f.size() > 0 ? f.map(0, f.size()) : nullptr)
        bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(mapped), f.size());
    else
        bytes = f.readAll();
    return true;
}

int toHy3(const QString &in, const QString &outPath) {
    QFile file(in);
    QByteArray bytes;
    if (!mapFile(file, bytes)) return Refused;
    const fare_csv::ReadResult csv = fare_csv::read(bytes);
    if (!csv.ok()) {
        for (const QString &e : csv.errors) err(QStringLiteral("%1: %2").arg(in, e));
        err(pick("%1: %2 problems, so \"%3\" was not made.", "%1: %2件の問題があるため、「%3」は作りませんでした。")
                .arg(in).arg(csv.errors.size()).arg(outPath));
        return Refused;
    }
    QString why;
    if (!fare_file::writeFile(outPath, csv.rows, &why)) {
        err(why);
        return Refused;
    }
    for (const FareFileProblem &p : fare_file::lint(csv.rows))
        err(pick("%1: warning: %2", "%1: 警告: %2").arg(in, p.located()));
    out(pick("%1 (%2) → %3: %4 rows", "%1 (%2) → %3: %4行").arg(in, fare_csv::encodingName(csv.encoding), outPath)
            .arg(csv.rows.size()));
    return Ok;
}

int toCsv(const QString &in, const QString &outPath, fare_csv::Encoding encoding) {
    const FareFileContents file = fare_file::readFile(in);
    for (const FareFileProblem &p : file.problems)
        if (!p.isError()) err(pick("%1: warning: %2", "%1: 警告: %2").arg(in, p.located()));
    if (!file.ok()) {
        err(file.errorMessage());
        return Refused;
    }
    const QByteArray bytes = fare_csv::write(file.rows, encoding);
    if (outPath == QLatin1String("-")) {
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
        return Ok;
    }
    QSaveFile f(outPath);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        err(pick("Cannot write \"%1\": %2", "「%1」に書き込めません: %2").arg(outPath, f.errorString()));
        return Refused;
    }
    out(pick("%1 → %2 (%3): %4 rows", "%1 → %2 (%3): %4行").arg(in, outPath, fare_csv::encodingName(encoding))
            .arg(file.rows.size()));
    return Ok;
}

int check(const QStringList &paths) {
    int result = Ok;
    for (const QString &path : paths) {
        const FareFileContents file = fare_file::readFile(path);
        std::vector<FareFileProblem> problems = file.problems;
        for (const FareFileProblem &p : fare_file::lint(file.rows)) problems.push_back(p);
        int errors = 0, warnings = 0;
        for (const FareFileProblem &p : problems) {
            if (p.isError()) {
                ++errors;
                out(pick("%1: error: %2", "%1: エラー: %2").arg(path, p.located()));
            } else {
                ++warnings;
                out(pick("%1: warning: %2", "%1: 警告: %2").arg(path, p.located()));
            }
        }
        if (file.countRead && file.declaredCount == 0) {
            ++warnings;
            out(pick("%1: warning: the row count is 0 (the route counts as not registered).", "%1: 警告: 行数が0です（この系統は「未登録」として扱われます）。").arg(path));
        }
        out(pick("%1: %2 rows, %3 errors, %4 warnings", "%1: %2行, エラー%3件, 警告%4件").arg(path).arg(file.rows.size())
                .arg(errors).arg(warnings));
        if (errors > 0) result = Refused;
    }
    return result;
}

}  // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    // Everything this tool says is a command-line message, the file problems included.
    message_language::followLocaleEverywhere();
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) return usage(pick("no command given.", "コマンドがありません。"));
    if (args.contains(QStringLiteral("-h")) || args.contains(QStringLiteral("--help")) ||
        args.first() == QLatin1String("help")) {
        std::fputs(message_language::japanese() ? HelpText : HelpTextEnglish, stdout);
        return Ok;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("from-gtfs")) return gtfs_command::run(args, Usage);

    fare_csv::Encoding encoding = fare_csv::Encoding::Utf8Bom;
    const qsizetype e = args.indexOf(QStringLiteral("--encoding"));
    if (e >= 0) {
        if (command != QLatin1String("to-csv"))
            return usage(pick("--encoding is an option of to-csv only.", "--encoding は to-csv だけのオプションです。"));
        if (e + 1 >= args.size()) return usage(pick("--encoding needs a value.", "--encoding の値がありません。"));
        const QString v = args.at(e + 1).toLower();
        if (v == QLatin1String("utf8-bom"))
            encoding = fare_csv::Encoding::Utf8Bom;
        else if (v == QLatin1String("utf8") || v == QLatin1String("utf-8"))
            encoding = fare_csv::Encoding::Utf8;
        else if (v == QLatin1String("cp932") || v == QLatin1String("sjis") ||
                 v == QLatin1String("shift_jis"))
            encoding = fare_csv::Encoding::Cp932;
        else
            return usage(pick("unknown encoding \"%1\".", "不明な文字コード「%1」です。").arg(args.at(e + 1)));
        args.remove(e, 2);
    }
    for (const QString &a : args)
        if (a.startsWith(QLatin1String("--"))) return usage(pick("unknown option \"%1\".", "不明なオプション「%1」です。").arg(a));

    if (command == QLatin1String("to-hy3")) {
        if (args.size() != 2) return usage(pick("to-hy3 needs IN.csv and OUT.hy3.", "to-hy3 には 入力.csv と 出力.hy3 が必要です。"));
        return toHy3(args[0], args[1]);
    }
    if (command == QLatin1String("to-csv")) {
        if (args.size() != 2) return usage(pick("to-csv needs IN.hy3 and OUT.csv.", "to-csv には 入力.hy3 と 出力.csv が必要です。"));
        return toCsv(args[0], args[1], encoding);
    }
    if (command == QLatin1String("check")) {
        if (args.isEmpty()) return usage(pick("check needs the files to check.", "check には検査するファイルが必要です。"));
        return check(args);
    }
    return usage(pick("unknown command \"%1\".", "不明なコマンド「%1」です。").arg(command));
}
