// What keeps a ticket plug-in from hanging or freezing the program.
#include "bounded_call.h"
#include "ticket/ticket_barcode.h"
#include "ticket/ticket_check.h"
#include "ticket/ticket_draw.h"
#include "ticket/ticket_plugin_api.h"
#include "ticket/ticket_svg.h"
#include "ticket/ticket_template.h"
#include "ticket_support.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

void writePng(const QString &path, QColor colour) {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, "PNG"));
}

QByteArray svgWithImages(const QStringList &hrefs) {
    QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' width='120' height='20'>";
    for (int i = 0; i < hrefs.size(); ++i)
        svg += QStringLiteral("<image x='%1' y='0' width='20' height='20' xlink:href='%2'/>").arg(i * 20).arg(hrefs[i]).toUtf8();
    return svg + "</svg>";
}

// Ten levels of ten <use> each: ten thousand million elements once expanded.
QByteArray useBomb(int levels) {
    QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' width='10' height='10'>"
                     "<defs><rect id='l0' width='1' height='1'/>";
    for (int l = 1; l <= levels; ++l) {
        svg += "<g id='l" + QByteArray::number(l) + "'>";
        for (int i = 0; i < 10; ++i) svg += "<use xlink:href='#l" + QByteArray::number(l - 1) + "'/>";
        svg += "</g>";
    }
    return svg + "</defs><use xlink:href='#l" + QByteArray::number(levels) + "'/></svg>";
}

}  // namespace

TEST(TicketSvg, PictureLinksOnlyToRegularFilesInTheFolder) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("plugin"));
    ASSERT_TRUE(QDir().mkpath(folder));
    writePng(folder + QStringLiteral("/red.png"), Qt::red);
    writePng(dir.filePath(QStringLiteral("outside.png")), Qt::blue);
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("outside.png")), folder + QStringLiteral("/link.png")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), folder + QStringLiteral("/zero.png")));
    const QString fifo = folder + QStringLiteral("/fifo.png");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    writeBytes(folder + QStringLiteral("/bg.svg"),
               svgWithImages({"red.png", "../outside.png", "link.png", "zero.png", "fifo.png", "/etc/passwd"}));

    ticket::Plugin p;
    p.info.PrevWidth = 1800;
    p.info.PrevHeight = 300;
    p.folder = folder;
    p.background = folder + QStringLiteral("/bg.svg");
    const auto drawn = finishesWithin(5000, fifo, [&] {
        QString problem;
        const QImage image = ticket::renderBackground(p, &problem);
        return std::pair{image, problem};
    });
    ASSERT_TRUE(drawn) << "drawing the background waited on the FIFO";
    const auto &[image, problem] = *drawn;
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::red));  // the picture inside the folder is drawn
    for (int x : {30, 50, 70, 90, 110}) EXPECT_EQ(image.pixelColor(x, 10).alpha(), 0) << x;
    for (const char *name : {"../outside.png", "link.png", "zero.png", "fifo.png", "/etc/passwd"})
        EXPECT_TRUE(problem.contains(QLatin1String(name))) << name << ": " << problem.toStdString();

    // Linked pictures together within their budget; the first that passes it is left out.
    ticket::SvgLimits small;
    small.maxLinkedPictureBytes = QFileInfo(folder + QStringLiteral("/red.png")).size() + 10;
    const ticket::SafeSvg budget = ticket::makeSafeSvg(svgWithImages({"red.png", "red.png"}), folder, small);
    EXPECT_TRUE(budget.ok);
    EXPECT_EQ(budget.bytes.count("data:image/png;base64,"), 1);
    EXPECT_TRUE(budget.problem.contains(QStringLiteral("larger than"))) << budget.problem.toStdString();
}

TEST(TicketSvg, DrawingsThatExpandTooFarAreRefusedAndTheCheckSaysSo) {
    QTemporaryDir dir;
    ticket::SvgLimits limits;
    limits.maxElements = 1200;
    EXPECT_TRUE(ticket::makeSafeSvg(useBomb(2), dir.path(), limits).ok);  // 1 + 1 + 11 + 111 ... well within
    const ticket::SafeSvg three = ticket::makeSafeSvg(useBomb(3), dir.path(), limits);
    EXPECT_FALSE(three.ok);
    EXPECT_TRUE(three.problem.contains(QStringLiteral("<use>"))) << three.problem.toStdString();
    const QByteArray selfUse = "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink'>"
                               "<g id='a'><use xlink:href='#a'/></g></svg>";
    EXPECT_FALSE(ticket::makeSafeSvg(selfUse, dir.path()).ok);
    EXPECT_FALSE(ticket::makeSafeSvg("<!DOCTYPE svg [<!ENTITY a 'aaaa'>]><svg>&a;</svg>", dir.path()).ok);

    // The built-in limits on the ten-level bomb: refused, and named by the check.
    writeBytes(dir.filePath(QStringLiteral("bomb.svg")), useBomb(10));
    writeBytes(dir.filePath(QStringLiteral("bomb.4SP")), json(plugin(info({{"CorpCount", 0}}), {}, {{"background", "bomb.svg"}})));
    bool named = false;
    for (const ticket::Problem &p : ticket::checkPluginFile(dir.filePath(QStringLiteral("bomb.4SP"))))
        named = named || (p.place == QStringLiteral("background") && p.message.contains(QStringLiteral("expands")));
    EXPECT_TRUE(named);
}

TEST(TicketTemplate, DateAndTimeFormatsHaveALimit) {
    const QString longest(ticket::kMaxFormatLength, QLatin1Char('y'));
    EXPECT_TRUE(ticket::templateProblems(QStringLiteral("{date:%1}").arg(longest)).isEmpty());
    EXPECT_EQ(ticket::templateProblems(QStringLiteral("{time:%1y}").arg(longest)).size(), 1);
    EXPECT_EQ(ticket::templateProblems(QString(ticket::kMaxTemplateLength + 1, QLatin1Char('x'))).size(), 1);
    // A format past the limit prints with the plug-in's own format, at once.
    const ticket::Values v{QString(), QStringLiteral("12-24-2026"), QString(), 1, 1, 1, QString()};
    const QString huge = QStringLiteral("{date:%1}").arg(QString(1 << 20, QLatin1Char('y')));
    EXPECT_EQ(ticket::expand(huge, v, ticket::Allowed{}, ticket::Formats{QStringLiteral("yyyy"), QString()}), QStringLiteral("2026"));

    QTemporaryDir dir;
    auto read = [&](const QString &format) {
        return ticket::readPlugin(json(plugin(info({{"CorpCount", 0}}), {}, {{"dateFormat", format}})), dir.path());
    };
    EXPECT_TRUE(read(longest).plugin.has_value());
    // Too long: an error the check lists, and the ticket keeps the built-in format.
    const ticket::ReadResult tooLong = read(longest + QLatin1Char('y'));
    ASSERT_TRUE(tooLong.plugin.has_value());
    EXPECT_EQ(tooLong.plugin->dateFormat, ticket::Plugin{}.dateFormat);
    ASSERT_EQ(tooLong.problems.size(), 1u);
    EXPECT_EQ(tooLong.problems.front().place, QStringLiteral("dateFormat"));
    EXPECT_EQ(tooLong.problems.front().severity, ticket::Problem::Error);
}

// Twenty digits of ITF need 189 modules: in a 400-pixel box full quiet zones would
// leave 1-pixel modules, so they narrow to keep 2; a 300-pixel box cannot, and the
// check warns at the item.
TEST(TicketBarcode, ModulesOfTwoPixelsWhereTheBoxAllowsAndAWarningWhereNot) {
    const QString data = QStringLiteral("01234567890123456789");
    EXPECT_EQ(ticket::barcodeModulePx(ticket::Symbology::Itf, data, QRectF(0, 0, 400, 40)), 2.0);
    EXPECT_EQ(ticket::barcodeModulePx(ticket::Symbology::Itf, data, QRectF(0, 0, 1000, 40)), 4.0);
    EXPECT_LT(*ticket::barcodeModulePx(ticket::Symbology::Itf, data, QRectF(0, 0, 300, 40)), 2.0);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("small.4SP"));
    QJsonArray items;
    for (const int y : {0, 50})
        items.append(QJsonObject{{"type", "barcode"}, {"symbology", "itf"}, {"data", data}, {"x", 0}, {"y", y}, {"width", 400 - 2 * y}, {"height", 40}});
    writeBytes(path, json(plugin(info({{"BarcodeCount", 2}, {"StopRangeLow", 0}, {"CorpCount", 0}, {"PrevWidth", 6000}}), items)));
    QStringList warned;
    for (const ticket::Problem &p : ticket::checkPluginFile(path))
        if (p.message.contains(QStringLiteral("too small"))) warned << p.place;
    EXPECT_EQ(warned, QStringList{QStringLiteral("items[1]")});

    // At a ticket number of 0 nobody boards: the preview stays white, with no error box.
    PlgInfo info;
    ASSERT_EQ(Qv4_GetPlgInfo(path, info), 1);
    QImage preview(400, 128, QImage::Format_RGB32);
    preview.fill(Qt::white);
    const QImage white = preview;
    QString stop = QStringLiteral("終点"), date = QStringLiteral("12-24-2026");
    EXPECT_EQ(Qv4_DrawSeiriken(path, &preview, stop, date, QStringLiteral("08:00:00"), 1, 0, 9, 0), 1);
    EXPECT_EQ(preview, white);
    // Out of the plug-in's range (route 2): the barcodes are left out, nothing is drawn in their place.
    EXPECT_EQ(Qv4_DrawSeiriken(path, &preview, stop, date, QStringLiteral("08:00:00"), 2, 1, 9, 0), 1);
    EXPECT_EQ(preview, white);
    EXPECT_FALSE(ticket::lastDrawProblems().isEmpty());
}

// 4sptool as a designer runs it: a ticket drawn larger with --scale, and the check of a
// plug-in whose background links a FIFO answers at once.
TEST(TicketTool, RenderScaleAndCheckOfAFifoLink) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pic.png"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    writeBytes(dir.filePath(QStringLiteral("bg.svg")), svgWithImages({"pic.png"}));
    const QString file = dir.filePath(QStringLiteral("t.4SP"));
    writeBytes(file, json(plugin(info({{"CorpCount", 0}}), {stopNameText()}, {{"background", "bg.svg"}})));
    auto run = [&](const QStringList &args) {
        QProcess p;
        p.start(QStringLiteral(TICKET_TOOL_EXE), args);
        const bool done = p.waitForFinished(20000);
        if (!done) p.kill();
        return std::pair{done ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError())};
    };
    const auto [checked, said] = run({QStringLiteral("check"), file});
    EXPECT_EQ(checked, 0) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("background: warning:")) && said.contains(QStringLiteral("pic.png"))) << said.toStdString();
    const QString png = dir.filePath(QStringLiteral("t.png"));
    EXPECT_EQ(run({QStringLiteral("render"), file, png, QStringLiteral("--scale"), QStringLiteral("3")}).first, 0);
    EXPECT_EQ(QImage(png).size(), QSize(690, 384));
    EXPECT_EQ(run({QStringLiteral("render"), file, png, QStringLiteral("--scale"), QStringLiteral("9")}).first, 2);
}
