// The route editor's files: a route read and saved without a change is the same
// bytes; a changed one is written in CP932 with CR LF; the GTFS import saves what
// hy3tool from-gtfs writes, and the CSV import what hy3tool to-hy3 writes, byte for byte.
#include "core/fare_data_file.h"
#include "core/cp932.h"
#include "core/route_files.h"
#include "editor/route_import.h"
#include "editor/route_session.h"
#include "gtfs_convert.h"
#include "gtfs_feed.h"
#include "gtfs_patterns.h"
#include "file_bytes.h"
#include "hy3tool_run.h"

#include <QDir>
#include <QTemporaryDir>

using namespace route;

TEST(RouteFiles, UnchangedRouteIsWrittenBackByteForByteAndAChangedOneInCp932WithCrLf) {
    QTemporaryDir dir;
    const Folders folders{dir.path(), dir.path()};
    const QString hy3Path = dir.filePath("5.hy3"), tapePath = dir.filePath("5Tp.csv");
    // "～" is 0x8160, which some codecs write otherwise.
    const std::vector<FareRow> rows{{"東駅", 1, {}}, {"～中町", 2, {}}, {"西町", 3, {230}}};
    QByteArray hy3;
    ASSERT_TRUE(fare_file::encode(rows, hy3, nullptr));
    hy3 += "tail";  // bytes after the last row, which a reader only warns about
    // A list as people write it by hand: quotes, blanks, an empty flag, LF line ends.
    const QByteArray tape = cp932::encode(QStringLiteral("\"次は、～中町です。\",1,\n  次は、西町です。 , 1 ,\n"));
    writeBytes(hy3Path, hy3);
    writeBytes(tapePath, tape);

    Session s;
    s.setFolders(folders);
    const Opened o = s.open(5);
    ASSERT_TRUE(o.ok()) << qPrintable(o.error);
    EXPECT_EQ(s.openedRoute(), 5);
    ASSERT_EQ(s.doc().tape.size(), 2u);
    EXPECT_EQ(s.doc().stops[1].reading, QString()) << "the announcement says the name itself";
    // An edit taken back is no change either.
    ASSERT_TRUE(s.setCell(Table::Fares, 2, 0, 240));
    s.undoStack()->undo();
    ASSERT_EQ(s.save(5), QString());
    EXPECT_EQ(readBytes(hy3Path), hy3);
    EXPECT_EQ(readBytes(tapePath), tape);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("5tp.csv"))) << "the list keeps its own name";

    // Changed: the tape is written anew, every line CP932 and CR LF.
    ASSERT_TRUE(s.setCell(Table::Tape, 1, tape_column::Sound, 2));
    ASSERT_TRUE(s.setCell(Table::Stops, 2, stop_column::Km, 3.5));
    ASSERT_EQ(s.save(5), QString());
    EXPECT_FALSE(s.modified());
    EXPECT_EQ(readBytes(hy3Path), hy3) << "the fares did not change";
    EXPECT_EQ(readBytes(tapePath), cp932::encode(QStringLiteral("次は、～中町です。,1,0\r\n次は、西町です。,1,2\r\n")));
    // The distance lives in the editor's notes and comes back with the route.
    Session again;
    again.setFolders(folders);
    ASSERT_TRUE(again.open(5).ok());
    EXPECT_EQ(again.doc().stops[2].km, 3.5);

    // A route that cannot be read says why; saving it is not saving "the route opened".
    writeBytes(dir.filePath("6.hy3"), QByteArray("\x05\x00\x01", 3));
    const Opened broken = again.open(6);
    EXPECT_TRUE(!broken.ok() && broken.error.contains("6.hy3")) << qPrintable(broken.error);
    EXPECT_EQ(again.openedRoute(), -1);
    EXPECT_EQ(readBytes(dir.filePath("6.hy3")), QByteArray("\x05\x00\x01", 3));
}

TEST(RouteFiles, GtfsImportSavesWhatHy3toolFromGtfsWrites) {
    QTemporaryDir dir;
    const QString feedPath = QStringLiteral(MITRA_SOURCE_DIR "/data/gtfs/hoshimi");
    const ToolRun tool = hy3tool({"from-gtfs", feedPath, "--route", "R1", "--pattern", "2", "--number", "31", "--out", dir.filePath("tool")});
    ASSERT_EQ(tool.code, 0) << tool.err.toStdString();

    const gtfs::Feed feed = gtfs::read(feedPath);
    const std::vector<GtfsChoice> choices = gtfsChoices(feed);
    const QStringList listing = gtfs::listing(feed);
    ASSERT_EQ(qsizetype(choices.size()), listing.size());
    const auto chosen = std::find_if(choices.begin(), choices.end(),
                                     [](const GtfsChoice &c) { return c.route == QLatin1String("R1") && c.pattern == 2; });
    ASSERT_NE(chosen, choices.end());
    EXPECT_EQ(chosen->text, listing[chosen - choices.begin()]);
    const Imported imported = fromGtfs(feed, {.route = chosen->route, .pattern = chosen->pattern});
    ASSERT_TRUE(imported.ok()) << qPrintable(imported.errors.join(QLatin1Char('\n')));
    EXPECT_FALSE(imported.doc.stops.back().reading.isEmpty()) << "readings come with the stops";

    Session s;
    s.setFolders({dir.filePath("ed"), dir.filePath("ed")});
    ASSERT_TRUE(QDir().mkpath(dir.filePath("ed")));
    s.startNew();
    s.replace(imported.doc, QStringLiteral("import"));
    ASSERT_EQ(s.save(31), QString());
    for (const char *name : {"31.hy3", "31tp.csv"})
        EXPECT_EQ(readBytes(dir.filePath("ed/" + QString(name))), readBytes(dir.filePath("tool/" + QString(name)))) << name;
}

TEST(RouteFiles, CsvImportSavesWhatHy3toolToHy3WritesAndABadTableChangesNothing) {
    QTemporaryDir dir;
    // As a spreadsheet saves it: a byte-order mark, full-width digits, a short row.
    const QByteArray csv = QByteArray("\xEF\xBB\xBF") + QStringLiteral("停留所名,整理券番号,1,2\r\n東駅,1\r\n中町,２,１８０\r\n西町,3,２３０,\" 180 \"\r\n").toUtf8();
    writeBytes(dir.filePath("in.csv"), csv);
    const ToolRun tool = hy3tool({"to-hy3", dir.filePath("in.csv"), dir.filePath("tool.hy3")});
    ASSERT_EQ(tool.code, 0) << tool.err.toStdString();

    const Announcement kept{QStringLiteral("次は、中町です。"), 1, 1};
    const Imported imported = fromCsv(csv, {kept});
    ASSERT_TRUE(imported.ok()) << qPrintable(imported.errors.join(QLatin1Char('\n')));
    EXPECT_EQ(imported.doc.tape, std::vector<Announcement>{kept}) << "the list stays as it was";
    Session s;
    s.setFolders({dir.path(), dir.path()});
    s.startNew();
    s.replace(imported.doc, QStringLiteral("import"));
    ASSERT_EQ(s.save(8), QString());
    EXPECT_EQ(readBytes(dir.filePath("8.hy3")), readBytes(dir.filePath("tool.hy3")));

    const Imported bad = fromCsv(QByteArray("停留所名,整理券番号,1\n東駅,1,abc\n"), {});
    EXPECT_FALSE(bad.ok());
    EXPECT_TRUE(bad.doc.stops.empty());
}
