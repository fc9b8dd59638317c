// Ticket plug-ins: what the reader refuses, the problems the check lists with their
// places, the options' list lines, what a drawing prints and writes back, and that
// the barcodes drawn decode to their data.
#include "automation/clipboard_state.h"
#include "ticket/ticket_barcode.h"
#include "ticket/ticket_check.h"
#include "ticket/ticket_plugin_api.h"
#include "options/plugin_lines.h"
#include "ticket_support.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <set>

namespace {

const QString kSamples = QStringLiteral(MITRA_SOURCE_DIR "/data/demo/tickets/");

QString write(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes) {
    writeBytes(dir.filePath(name), bytes);
    return dir.filePath(name);
}
QString write(const QTemporaryDir &dir, const QString &name, const QJsonObject &o) { return write(dir, name, json(o)); }

QImage whiteImage(int w = 230, int h = 128) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

bool allWhite(const QImage &image) { return automation::imageDigest(image) == automation::imageDigest(whiteImage(image.width(), image.height())); }

// The ticket a plug-in file draws at the stop 市役所前.
QImage ticketOf(const QString &path, int route, int ticket) {
    PlgInfo out;
    EXPECT_EQ(Qv4_GetPlgInfo(path, out), 1) << qPrintable(path);
    QImage preview = whiteImage();
    QString stop = QStringLiteral("市役所前"), date = QStringLiteral("12-24-2026");
    Qv4_DrawSeiriken(path, &preview, stop, date, QStringLiteral("08:15:00"), route, ticket, 2, 0);
    return preview;
}

// zbarimg's reading of a picture, "" when it finds no code.
QString decode(const QImage &image, const QTemporaryDir &dir) {
    const QString zbar = QStandardPaths::findExecutable(QStringLiteral("zbarimg"));
    const QString png = dir.filePath(QStringLiteral("code.png"));
    EXPECT_TRUE(image.save(png));
    QProcess p;
    p.start(zbar, {QStringLiteral("--raw"), QStringLiteral("-q"), png});
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

}  // namespace

TEST(TicketPluginReader, RefusesEmptyGarbageDamagedAndForeignFiles) {
    QTemporaryDir dir;
    QFile sample(kSamples + QStringLiteral("barcode.4SP"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const QByteArray whole = sample.readAll();
    QJsonObject foreign = plugin(info());
    foreign.insert(QStringLiteral("format"), QStringLiteral("something-else"));
    QJsonObject newer = plugin(info());
    newer.insert(QStringLiteral("version"), 2);
    QJsonObject lacking = info();
    lacking.remove(QStringLiteral("CorpCount"));
    const std::vector<std::pair<const char *, QByteArray>> cases = {
        {"empty", QByteArray()},
        {"binary garbage", QByteArray("\x00\xff\x13\x37\x89PNG\r\n\x1a", 12)},
        {"truncated", whole.left(whole.size() / 2)},
        {"other format", json(foreign)},
        {"newer version", json(newer)},
        {"info field missing", json(plugin(lacking))},
        {"info field not whole", json(plugin(info())).replace("\"CanDate\": 1", "\"CanDate\": 1.5")},
        {"width 0", json(plugin(info({{"PrevWidth", 0}})))},
        {"negative height", json(plugin(info({{"PrevHeight", -15}})))},
        {"100 000 px wide", json(plugin(info({{"PrevWidth", 1500000}})))},
        {"a JSON list", QByteArray("[1, 2, 3]")},
    };
    for (const auto &[what, bytes] : cases) {
        const QString path = write(dir, QStringLiteral("t.4SP"), bytes);
        PlgInfo out;
        out.CanDate = 77;
        EXPECT_EQ(Qv4_GetPlgInfo(path, out), 0) << what;
        EXPECT_EQ(out.CanDate, 77) << what << ": the record is left alone";
        const std::vector<ticket::Problem> problems = ticket::checkPluginFile(path);
        EXPECT_TRUE(!problems.empty() && problems.front().severity == ticket::Problem::Error) << what;
    }
    PlgInfo out;
    EXPECT_EQ(Qv4_GetPlgInfo(QString(), out), 0);
    EXPECT_EQ(Qv4_GetPlgInfo(dir.filePath(QStringLiteral("missing.4SP")), out), 0);
    EXPECT_EQ(Qv4_GetPlgInfo(kSamples + QStringLiteral("barcode.4SP"), out), 1);
    EXPECT_EQ(out.PrevWidth, 3450);
}

TEST(TicketPluginReader, CheckListsEveryProblemWithItsPlace) {
    QTemporaryDir dir;
    const QJsonObject o = plugin(info(), {
        QJsonObject{{"type", "text"}, {"text", "{stopname}"}, {"x", 1}, {"y", 10}},
        QJsonObject{{"type", "box"}, {"x", 0}, {"y", 0}, {"width", 0}, {"height", 5}},
        QJsonObject{{"type", "text"}, {"text", "整理券"}, {"x", 1}, {"y", 20}, {"font", "No Such Font 42"}},
        QJsonObject{{"type", "barcode"}, {"symbology", "itf"}, {"data", "{stopName}"}, {"x", 0}, {"y", 0}, {"width", 100}, {"height", 20}},
        QJsonObject{{"type", "line"}, {"x1", 0}, {"y1", 0}, {"x2", 9}, {"y2", 0}, {"colour", "#ff0000"}},
        QJsonObject{{"type", "circle"}},
        QJsonObject{{"type", "text"}, {"text", "x"}, {"x", 500}, {"y", 10}, {"size", 100000}},
    }, {{"background", "missing.png"}, {"colour", "#ffffff"}});
    const QString path = write(dir, QStringLiteral("p.4SP"), o);

    std::set<std::pair<QString, bool>> found;  // place, is an error
    for (const ticket::Problem &p : ticket::checkPluginFile(path))
        if (!p.message.contains(QStringLiteral("left out"))) found.insert({p.place, p.severity == ticket::Problem::Error});
    const std::set<std::pair<QString, bool>> expected = {
        {"items[0].text", true},     {"items[1].width", true}, {"items[2].font", false},
        {"items[3].data", true},     {"items[4].colour", false}, {"items[5].type", true},
        {"items[6].size", true},     {"background", false},    {"colour", false},
        {"companies", false},
    };
    EXPECT_EQ(found, expected);
    // The file still loads: only the sound items are drawn.
    PlgInfo out;
    EXPECT_EQ(Qv4_GetPlgInfo(path, out), 1);
    for (const char *sample : {"classic.4SP", "barcode.4SP", "companies.4SP"})
        EXPECT_TRUE(ticket::checkPluginFile(kSamples + QLatin1String(sample)).empty()) << sample;
}

TEST(PlgInfoLines, CapabilitiesExactlyOneAndBarcodeLines) {
    PlgInfo plain{};
    plain.CanDate = 1;
    plain.CanRouteNo = 2;
    plain.CanBarcode = 2;
    EXPECT_EQ(plgInfoLines(plain), QStringList({"日付の印字 ---> 可能", "時刻の印字 ---> 不可", "系統番号の印字 ---> 不可",
                                                "停名の印字 ---> 不可", "バーコード印字 ---> 不可", "社名切り替え:---> 不可"}));
    PlgInfo coded{0, 3450, 1920, 0, 1, 0, 1, 1, 2, 999, 1, 1, 99, 3};
    EXPECT_EQ(plgInfoLines(coded),
              QStringList({"日付の印字 ---> 不可", "時刻の印字 ---> 可能", "系統番号の印字 ---> 不可", "停名の印字 ---> 可能",
                           "バーコード印字 ---> 可能", "バーコード本数 ---> 2", "バーコード系統方式 ---> 連番式",
                           "設定可能な系統範囲 ---> 1 ～ 999", "停留所認識範囲 ---> 1 ～ 99", "社名切り替え:---> 可能"}));
    coded.BarcodeScheme = 2;
    coded.CorpCount = 1;
    EXPECT_EQ(plgInfoLines(coded).at(6), QStringLiteral("バーコード系統方式 ---> 系統番号＋往復フラグ"));
    EXPECT_EQ(plgInfoLines(coded).at(9), QStringLiteral("社名切り替え:---> 可能"));
}

TEST(TicketDrawing, PrintsOnlyWhatItMayAndWritesBackStopNameAndDate) {
    QTemporaryDir dir;
    const QJsonArray items = {
        QJsonObject{{"type", "text"}, {"text", "{stopName}"}, {"x", 2}, {"y", 30}, {"size", 20}, {"maxLength", 4}},
        QJsonObject{{"type", "text"}, {"text", "{date}{time}{routeNo}"}, {"x", 2}, {"y", 60}, {"size", 20}},
        QJsonObject{{"type", "text"}, {"text", "{stopName}"}, {"x", 2}, {"y", 90}, {"size", 20}},
    };
    struct Case {
        int can;
        QString dateIn, stopOut, dateOut;
    } cases[] = {
        {1, "12-24-2026", "美術館・", "2026年12月24日"},
        {1, "2026/01/05", "美術館・", "2026年1月5日"},
        {0, "12-24-2026", "美術館・図書館前", "12-24-2026"},
        {2, "12-24-2026", "美術館・図書館前", "12-24-2026"},
    };
    for (const Case &c : cases) {
        const QString path = write(dir, QStringLiteral("d.4SP"),
                                   plugin(info({{"CanDate", c.can}, {"CanStopName", c.can}, {"CanTime", c.can}, {"CanRouteNo", c.can}}),
                                          items, {{"dateFormat", "yyyy年M月d日"}}));
        PlgInfo out;
        ASSERT_EQ(Qv4_GetPlgInfo(path, out), 1);
        QImage preview = whiteImage();
        QString stop = QStringLiteral("美術館・図書館前"), date = c.dateIn;
        EXPECT_EQ(Qv4_DrawSeiriken(path, &preview, stop, date, QStringLiteral("08:15:00"), 12, 6, 6, 0), 1);
        EXPECT_EQ(stop, c.stopOut) << c.can;
        EXPECT_EQ(date, c.dateOut) << c.can;
        EXPECT_EQ(allWhite(preview), c.can != 1) << "a plug-in that may print nothing of it prints nothing";
    }
    QImage preview = whiteImage();
    QString stop = QStringLiteral("x"), date = QStringLiteral("y");
    EXPECT_EQ(Qv4_DrawSeiriken(dir.filePath(QStringLiteral("none.4SP")), &preview, stop, date, QString(), 1, 1, 1, 0), 0);
    EXPECT_TRUE(allWhite(preview));
    EXPECT_EQ(stop + date, QStringLiteral("xy"));
}

TEST(TicketDrawing, BarcodesDecodeToTheirData) {
    QTemporaryDir dir;
    if (QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty()) GTEST_SKIP() << "zbarimg (zbar-tools) is not installed";
    const struct {
        ticket::Symbology symbology;
        const char *data;
    } codes[] = {{ticket::Symbology::Codabar, "A012034A"}, {ticket::Symbology::Itf, "012034"}, {ticket::Symbology::Qr, "012-034-261224"}};
    for (const auto &c : codes) {
        QImage image = whiteImage(230, 80);
        QPainter p(&image);
        EXPECT_EQ(ticket::drawBarcode(p, QRectF(5, 5, 220, 70), c.symbology, QLatin1String(c.data), Qt::black), QString());
        p.end();
        EXPECT_TRUE(decode(image, dir).contains(QLatin1String(c.data))) << c.data << ": " << decode(image, dir).toStdString();
    }
    // Data the symbology cannot carry: nothing drawn, and zint's reason.
    QImage refused = whiteImage(230, 80);
    QPainter p(&refused);
    EXPECT_FALSE(ticket::drawBarcode(p, QRectF(5, 5, 220, 70), ticket::Symbology::Itf, QStringLiteral("12AB"), Qt::black).isEmpty());
    p.end();
    EXPECT_TRUE(allWhite(refused));

    // On the sample tickets, within the plug-in's ranges and beyond them.
    const struct {
        const char *sample;
        int route, ticket;
        const char *expected;
    } tickets[] = {{"barcode.4SP", 12, 34, "A012034A"}, {"companies.4SP", 12, 34, "012-034-261224"}, {"barcode.4SP", 1000, 34, ""}};
    for (const auto &t : tickets) {
        const QString read = decode(ticketOf(kSamples + QLatin1String(t.sample), t.route, t.ticket), dir);
        EXPECT_TRUE(*t.expected ? read.contains(QLatin1String(t.expected)) : read.isEmpty()) << t.sample << ": " << read.toStdString();
    }

    // A barcode prints only where the plug-in says exactly 1 to barcodes.
    const QJsonArray barcode = {QJsonObject{{"type", "barcode"}, {"symbology", "codabar"}, {"data", "A{routeNo:3}{ticketNo:3}A"},
                                            {"x", 6}, {"y", 96}, {"width", 218}, {"height", 26}}};
    for (const int can : {1, 0, 2}) {
        const QString path = write(dir, QStringLiteral("b.4SP"), plugin(info({{"CanBarcode", can}, {"MaxRouteNo", 999}}), barcode));
        EXPECT_EQ(decode(ticketOf(path, 12, 1), dir), can == 1 ? QStringLiteral("A012001A") : QString()) << "CanBarcode " << can;
    }
}
