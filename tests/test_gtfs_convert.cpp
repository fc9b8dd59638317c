// GTFS-JP feeds made into fare data and announcement lists: the bundled sample
// feed against fares worked out by hand, and every problem a feed can hold
// reported with its place, the output made or refused as the problem deserves.
#include "core/fare_data_file.h"
#include "core/cp932.h"
#include "core/csv_reader.h"
#include "gtfs_convert.h"
#include "hy3tool_run.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

namespace {

const QString SampleFeed = QStringLiteral(MITRA_SOURCE_DIR "/data/gtfs/hoshimi");

QHash<QString, QByteArray> sampleFiles() {
    QHash<QString, QByteArray> files;
    for (const QString &name : QDir(SampleFeed).entryList({QStringLiteral("*.txt")}, QDir::Files))
        files.insert(name, readBytes(QDir(SampleFeed).filePath(name)));
    return files;
}

// The sample feed zipped the way people zip a folder: the files inside "hoshimi/".
bool zipSample(const QString &zipPath) {
    int code = 0;
    zip_t *z = zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!z) return false;
    std::vector<QByteArray> keep;
    const QHash<QString, QByteArray> files = sampleFiles();
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        keep.push_back(it.value());
        zip_source_t *src = zip_source_buffer(z, keep.back().constData(), static_cast<zip_uint64_t>(keep.back().size()), 0);
        const QByteArray entry = ("hoshimi/" + it.key()).toUtf8();
        if (!src || zip_file_add(z, entry.constData(), src, ZIP_FL_ENC_UTF_8) < 0) return false;
    }
    return zip_close(z) == 0;
}

// Cells 1.. of each row as worked out by hand from fare_rules.txt: zones Z1 Z1
// Z2 Z2 Z3 Z3 on route 1 (170 within a zone, 210 one zone on, 250 two);
// route 2 is 100 flat, but free (-1: shows as 0) within Z1 and 210 from Z1 to Z3
// (zones Z1 Z1 Z2 Z3): the more specific rule wins even where it costs more.
QStringList located(const std::vector<gtfs::Problem> &problems) {
    QStringList said;
    for (const gtfs::Problem &p : problems) said << p.located();
    return said;
}

struct Expected {
    const char *route;
    int number;
    std::vector<const char16_t *> names;
    std::vector<std::vector<int>> fares;
    std::vector<const char16_t *> announcements;
};
const Expected Route1{"R1", 21,
                      {u"星見駅前", u"市役所前", u"本町３丁目", u"中央公園", u"星見総合病院", u"北団地"},
                      {{}, {170}, {210, 210}, {210, 210, 170}, {250, 250, 210, 210}, {250, 250, 210, 210, 170}},
                      {u"次は、しやくしょまえです。,1,1", u"次は、ほんまちさんちょうめです。,1,1", u"次は、中央公園です。,1,1",
                       u"次は、ほしみそうごうびょういんです。,1,1", u"次は、終点、きただんちです。,1,2"}};
const Expected Route2{"R2", 22,
                      {u"星見駅前", u"日之出町", u"丘の上ニュータウン西", u"丘の上団地"},
                      {{}, {-1}, {100, 100}, {210, 210, 100}},
                      {u"次は、ひのでちょうです。,1,1", u"次は、おかのうえにゅーたうんにしです。,1,1",
                       u"次は、終点、おかのうえだんちです。,1,2"}};

void expectFiles(const QString &dir, const Expected &e, const char *how) {
    SCOPED_TRACE(how);
    const FareFileContents file = fare_file::readFile(QDir(dir).filePath(QString::number(e.number) + ".hy3"));
    ASSERT_TRUE(file.ok()) << file.errorMessage().toStdString();
    ASSERT_EQ(file.rows.size(), e.names.size());
    for (size_t r = 0; r < file.rows.size(); ++r) {
        const FareRow &row = file.rows[r];
        EXPECT_EQ(row.StopName, QString::fromUtf16(e.names[r])) << "row " << r + 1;
        EXPECT_EQ(row.TicketNo, static_cast<int>(r) + 1);
        for (int k = 1; k <= FareRow::CellCount; ++k) {
            const int want = static_cast<size_t>(k) <= e.fares[r].size() ? e.fares[r][static_cast<size_t>(k - 1)] : 0;
            EXPECT_EQ(row.Cell(k), want) << "row " << r + 1 << " cell " << k;
        }
    }
    QStringList want;
    for (const char16_t *a : e.announcements) want << QString::fromUtf16(a);
    const QByteArray tape = readBytes(QDir(dir).filePath(QString::number(e.number) + "tp.csv"));
    EXPECT_EQ(tape, cp932::encode(want.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

}  // namespace

TEST(GtfsConvert, SampleFeedFromFolderAndZipGivesHandWorkedFaresNamesAndAnnouncements) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString zip = dir.filePath(QStringLiteral("hoshimi.zip"));
    ASSERT_TRUE(zipSample(zip));

    const ToolRun list = hy3tool({"from-gtfs", zip, "--list"});
    ASSERT_EQ(list.code, 0) << list.err.toStdString();
    for (const char *line : {"系統 R1: 1 星見線", "パターン1: 方向0 「北団地」行き 6停留所 星見駅前 → 北団地（3便",
                                "パターン2: 方向0 「星見総合病院」行き 5停留所 星見駅前 → 星見総合病院（1便",
                                "パターン3: 方向1 「星見駅前」行き 6停留所 北団地 → 星見駅前（2便",
                                "パターン1: 方向なし 「丘の上団地」行き 4停留所 星見駅前 → 丘の上団地（2便"})
        EXPECT_TRUE(list.out.contains(line)) << line << "\n" << list.out.toStdString();

    for (const Expected *e : {&Route1, &Route2}) {
        for (const QString &feed : {SampleFeed, zip}) {
            const QString out = dir.filePath(feed == zip ? "z" : "f");
            const ToolRun r = hy3tool({"from-gtfs", feed, "--route", e->route, "--number", QStringLiteral("000%1").arg(e->number), "--out", out});
            ASSERT_EQ(r.code, 0) << r.err.toStdString();
            expectFiles(out, *e, feed == zip ? "zip" : "folder");
        }
    }
    // The way back (direction 1) ends at the station, whose reading is its parent station's.
    const ToolRun back = hy3tool({"from-gtfs", SampleFeed, "--route", "R1", "--direction", "1", "--number", "23", "--out", dir.path()});
    ASSERT_EQ(back.code, 0) << back.err.toStdString();
    EXPECT_TRUE(cp932::decode(readBytes(dir.filePath("23tp.csv"))).endsWith("次は、終点、ほしみえきまえです。,1,2\r\n"));
    EXPECT_EQ(fare_file::readFile(dir.filePath("23.hy3")).rows.at(1).Cell(1), 170);

    // Wrong usage is status 2; a feed that cannot be used is 1 and writes nothing.
    EXPECT_EQ(hy3tool({"from-gtfs", SampleFeed, "--route", "R1"}).code, 2);
    EXPECT_EQ(hy3tool({"from-gtfs", SampleFeed, "--list", "--pattern", "0"}).code, 2);
    const ToolRun none = hy3tool({"from-gtfs", SampleFeed, "--route", "R9", "--number", "9", "--out", dir.path()});
    EXPECT_EQ(none.code, 1);
    EXPECT_TRUE(none.err.contains("R1, R2")) << none.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("9.hy3")));

    // A feed file that is a FIFO is refused by name instead of waiting for a writer.
    const QString fifoFeed = dir.filePath("fifo");
    ASSERT_TRUE(QDir().mkpath(fifoFeed));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifoFeed + "/stops.txt").constData(), 0600), 0);
    const ToolRun fifo = hy3tool({"from-gtfs", fifoFeed, "--list"});
    EXPECT_TRUE(fifo.code == 1 && fifo.err.contains("stops.txt")) << fifo.err.toStdString();
}

namespace {

// A feed of one route through `stops` stops, each its own zone Z<i>, with a
// flat fare: for the limits of the board.
QHash<QString, QByteArray> longRoute(int stops) {
    QByteArray s = "stop_id,stop_name,zone_id\n", t = "trip_id,stop_id,stop_sequence\n";
    for (int i = 1; i <= stops; ++i) {
        s += QStringLiteral("P%1,停留所%1,Z%1\n").arg(i).toUtf8();
        t += QStringLiteral("T,P%1,%1\n").arg(i).toUtf8();
    }
    return {{QStringLiteral("stops.txt"), s},
            {QStringLiteral("routes.txt"), "route_id,route_short_name\nL,9\n"},
            {QStringLiteral("trips.txt"), "route_id,trip_id\nL,T\n"},
            {QStringLiteral("stop_times.txt"), t},
            {QStringLiteral("fare_attributes.txt"), "fare_id,price\nF,200\n"}};
}

// The sample with one file edited: `from` replaced by `to`; `from` empty: `to`
// appended; `from` null: the file is `to`, or gone when `to` is null too.
QHash<QString, QByteArray> edited(const char *file, const char *from, const char *to) {
    QHash<QString, QByteArray> files = sampleFiles();
    QByteArray &bytes = files[QString::fromLatin1(file)];
    if (!from && !to) files.remove(QString::fromLatin1(file));
    else if (!from) bytes = to;
    else if (*from == 0) bytes += to;
    else bytes.replace(from, to);
    return files;
}

}  // namespace

TEST(GtfsConvert, EveryProblemIsReportedWhereItIsAndTheOutputIsUsefulOrNotMade) {
    struct Case {
        const char *name;
        QHash<QString, QByteArray> files;
        const char *route;
        bool made;
        QStringList mustSay;  // each within one reported problem
        std::function<void(const gtfs::Conversion &)> check = nullptr;
    };
    const Case cases[] = {
        {"clean", sampleFiles(), "R1", true, {}},
        {"not cp932", edited("stops.txt", "S04,,中央公園,", "S04,,中央公園🌸,"), "R1", true,
         {QStringLiteral("stops.txt 7行目: 停留所名「中央公園🌸」の 🌸 はCP932")},
         [](const gtfs::Conversion &c) { EXPECT_EQ(c.rows[3].StopName, QStringLiteral("中央公園〓")); }},
        {"long name scrolls", sampleFiles(), "R2", true, {QStringLiteral("stops.txt 11行目: 停留所名「丘の上ニュータウン西」は10文字")}},
        {"visited twice", edited("stop_times.txt", "", "R2_1000,10:20:00,10:20:00,S07,5,,0,0,,0\n"), "R2", true,
         {QStringLiteral("stop_times.txt 45行目: 停留所「日之出町」をこの便は2回通ります（38行目と45行目、表示器の2行目と5行目）")},
         [](const gtfs::Conversion &c) {
             ASSERT_EQ(c.rows.size(), 5u);
             EXPECT_EQ(c.rows[4].Cell(2), -1);  // Z1 to Z1 again: the feed's own (free) fare
         }},
        {"33 boarding stops", longRoute(40), "L", true,
         {QStringLiteral("stop_times.txt 34行目: 乗車できる停留所が整理券番号33番の「停留所３３」から先に7か所")},
         [](const gtfs::Conversion &c) {
             ASSERT_EQ(c.rows.size(), 40u);
             EXPECT_EQ(c.rows[39].TicketNo, 40);
             EXPECT_EQ(c.rows[39].Cell(32), 200);
             EXPECT_EQ(c.rows[39].Cell(33), 0);  // further data, never a fare
         }},
        {"33 stops is fine", longRoute(33), "L", true, {}},
        {"302 stops", longRoute(302), "L", false,
         {QStringLiteral("stop_times.txt 303行目: この便は302停留所を通りますが、運賃データは301行")}},
        {"no zone", edited("stops.txt", "S03,,本町3丁目,,35.006000,139.004000,Z2,", "S03,,本町3丁目,,35.006000,139.004000,,"),
         "R1", true, {QStringLiteral("stops.txt 6行目: 停留所「本町3丁目」に zone_id がありません")},
         [](const gtfs::Conversion &c) {
             EXPECT_EQ(c.rows[2].Cell(1), 0);
             EXPECT_EQ(c.rows[3].Cell(3), 0);
             EXPECT_EQ(c.rows[3].Cell(2), 210);
         }},
        {"zone without rule", edited("stops.txt", "139.006000,Z2,", "139.006000,Z9,"), "R1", true,
         {QStringLiteral("stops.txt 7行目: 「中央公園」（整理券4番、zone_id「Z9」）から 星見総合病院（5行目）、北団地（6行目） までの運賃"),
          QStringLiteral("stops.txt 3行目: 「星見駅前」（整理券1番、zone_id「Z1」）から 中央公園（4行目） まで"),
          QStringLiteral("運賃の分からない乗車・降車の組が5組")}},
        {"bad price", edited("fare_attributes.txt", "F250,250,", "F250,250.5,"), "R1", true,
         {QStringLiteral("fare_attributes.txt 4行目: 運賃「F250」の price「250.5」"), QStringLiteral("北団地（6行目）")}},
        {"old translations", edited("translations.txt", nullptr, "trans_id,lang,translation\n中央公園,ja-Hrkt,ちゅうおうこうえん\n"), "R1", true, {},
         [](const gtfs::Conversion &c) { EXPECT_EQ(c.announcements[2], QStringLiteral("次は、ちゅうおうこうえんです。,1,1")); }},
        {"unknown stop", edited("stop_times.txt", ",S04,4,", ",S44,4,"), "R1", false,
         {QStringLiteral("stop_times.txt 5行目: stop_id「S44」は stops.txt にありません")}},
        {"unclosed quote", edited("stop_times.txt", "", "R2_1400,14:20:00,14:20:00,S07,9,\"丘,0,0,,0\n"), "R2", false,
         {QStringLiteral("stop_times.txt 45行目: 引用符")}},
        {"not utf-8", edited("routes.txt", "丘めぐり線", "\xFF"), "R2", false,
         {QStringLiteral("routes.txt 3行目: UTF-8 として読めない")}},
        {"no stop_times", edited("stop_times.txt", nullptr, nullptr), "R1", false,
         {QStringLiteral("stop_times.txt: ファイルがありません")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const gtfs::Conversion conv = gtfs::convert(gtfs::parse(c.files), {.route = c.route});
        const QStringList said = located(conv.problems);
        EXPECT_EQ(conv.ok(), c.made) << said.join('\n').toStdString();
        for (const QString &s : c.mustSay)
            EXPECT_TRUE(std::any_of(said.begin(), said.end(), [&](const QString &p) { return p.contains(s); }))
                << s.toStdString() << "\n--- said:\n" << said.join('\n').toStdString();
        if (c.mustSay.isEmpty() && c.check == nullptr) { EXPECT_TRUE(said.isEmpty()) << said.join('\n').toStdString(); }
        if (c.made && c.check) c.check(conv);
    }
    // Half-width text would split the strip's two-byte cells: made full-width.
    EXPECT_EQ(gtfs::boardText(QStringLiteral(" A-1 ｶﾞｰﾄﾞ下 "), nullptr), QStringLiteral("Ａ－１　ガード下"));
}

TEST(CsvReader, Rfc4180RecordsWithTheirLines) {
    struct Case {
        const char *in;
        std::vector<std::vector<std::string>> records;
        std::vector<int> lines;
        int unclosed = 0;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBF" "a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        {"a,\"b,c\",\"say \"\"hi\"\"\"\nx", {{"a", "b,c", "say \"hi\""}, {"x"}}, {1, 2}},
        {"\"two\r\nlines\",z\rnext,\n\n", {{"two\nlines", "z"}, {"next", ""}, {""}}, {1, 3, 4}},
        {"a\"b,\"c\"d,", {{"a\"b", "cd", ""}}, {1}},
        {"ok\n\"open,\nrest", {{"ok"}, {"open,\nrest"}}, {1, 2}, 2},
        {"", {}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in);
        csv::Reader reader(c.in);
        std::vector<std::string_view> fields;
        std::vector<std::vector<std::string>> got;
        std::vector<int> lines;
        while (reader.next(fields)) {
            got.emplace_back(fields.begin(), fields.end());
            lines.push_back(reader.line());
        }
        EXPECT_EQ(got, c.records);
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(reader.unclosedQuoteLine(), c.unclosed);
    }
}

// The feed's limits, lowered so the feeds stay small: rows of a file, problems of one
// kind (the rest counted in one line), and the bytes all files may take uncompressed.
TEST(GtfsConvert, LimitsBoundTheFeedAndItsProblems) {
    const gtfs::Feed rows = gtfs::parse(longRoute(11), {.maxRows = 10});
    ASSERT_TRUE(!rows.ok() && !rows.problems.empty());
    EXPECT_EQ(rows.problems.front().located(), QStringLiteral("stops.txt 12行目: 行が多すぎます（10行まで）。ここから先は読みません。"));

    QByteArray times = "trip_id,stop_id,stop_sequence\n";
    for (int i = 1; i <= 30; ++i) times += QStringLiteral("T,X%1,%1\n").arg(i).toUtf8();
    auto unknown = longRoute(3);
    unknown["stop_times.txt"] = times;
    const QStringList said = located(gtfs::parse(unknown, {.maxProblemsPerKind = 4}).problems);
    ASSERT_EQ(said.size(), 5) << said.join('\n').toStdString();
    EXPECT_TRUE(said[3].startsWith(QStringLiteral("stop_times.txt 5行目: stop_id「X4」"))) << said[3].toStdString();
    EXPECT_EQ(said[4], QStringLiteral("stop_times.txt: ほかにもエラーが26件あります（表示は4件まで）。"));

    // All the files together: the sample is a few kilobytes, from a folder and a zip.
    QTemporaryDir dir;
    const QString zip = dir.filePath("hoshimi.zip");
    ASSERT_TRUE(zipSample(zip));
    qint64 total = 0;
    for (const QString &name : gtfs::fileNames()) total += sampleFiles().value(name).size();
    for (const QString &feed : {SampleFeed, zip}) {
        SCOPED_TRACE(feed.toStdString());
        EXPECT_TRUE(gtfs::read(feed, {.maxBytes = total}).ok());
        const gtfs::Feed big = gtfs::read(feed, {.maxBytes = total - 1});
        ASSERT_FALSE(big.ok());
        EXPECT_TRUE(big.problems.front().text.startsWith("大きすぎます")) << big.problems.front().located().toStdString();
    }
}

// The fare data file and the announcement list are written both or neither: a target
// that cannot be written leaves the other one as it was.
TEST(GtfsConvert, OutputIsBothFilesOrNeither) {
    QTemporaryDir dir;
    const QString out = dir.filePath("out");
    ASSERT_TRUE(QDir().mkpath(out + "/1tp.csv"));
    auto run = [&] { return hy3tool({"from-gtfs", SampleFeed, "--route", "R1", "--number", "1", "--out", out}); };
    const ToolRun folder = run();
    EXPECT_TRUE(folder.code == 1 && folder.err.contains("1tp.csv")) << folder.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(out + "/1.hy3"));

    // The other way round: a folder where the fare data file goes, and no list is written.
    ASSERT_TRUE(QDir(out).rmdir("1tp.csv") && QDir().mkpath(out + "/1.hy3"));
    EXPECT_EQ(run().code, 1);
    EXPECT_FALSE(QFileInfo::exists(out + "/1tp.csv"));
    ASSERT_TRUE(QDir(out).rmdir("1.hy3"));
    EXPECT_EQ(run().code, 0);
    EXPECT_TRUE(QFileInfo(out + "/1.hy3").isFile() && QFileInfo(out + "/1tp.csv").isFile());
}
