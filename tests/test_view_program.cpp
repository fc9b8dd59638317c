// The board view through the real program: keys press the panel's buttons (and
// nothing while a button could not be pressed), zoom shows the 1x layout scaled: the
// stop-name dots by whole pixels, the digits redrawn sharp.
#include "dump_query.h"
#include "program_run.h"

#include <QImage>

#include <algorithm>
#include <cstdlib>

namespace {

const QString kDemoDir = QStringLiteral(MITRA_BINARY_DIR "/demo");

QJsonValue dumped(const QTemporaryDir &dir, const char *name, const char *path) {
    return at(readJson(dir.filePath(QLatin1String(name))), QLatin1String(path));
}

QImage picture(const QTemporaryDir &dir, const char *name) {
    return QImage(dir.filePath(QLatin1String(name))).convertToFormat(QImage::Format_RGB32);
}

// Share of pixels whose colours agree within `tolerance` on every channel. Edges
// antialiased at 1x are partly lit pixels; redrawn sharp they are lit or not.
double agreement(const QImage &a, const QImage &b, int tolerance) {
    if (a.size() != b.size() || a.isNull()) return 0.0;
    qint64 same = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            same += std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))}) <= tolerance;
        }
    return double(same) / (double(a.width()) * a.height());
}

// Each f x f block averaged into one pixel: the sharp picture seen at 1x.
QImage boxDown(const QImage &img, int f) {
    QImage out(img.width() / f, img.height() / f, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            int sum[3] = {0, 0, 0};
            for (int v = 0; v < f; ++v)
                for (int u = 0; u < f; ++u) {
                    const QRgb p = img.pixel(x * f + u, y * f + v);
                    sum[0] += qRed(p), sum[1] += qGreen(p), sum[2] += qBlue(p);
                }
            out.setPixel(x, y, qRgb(sum[0] / (f * f), sum[1] / (f * f), sum[2] / (f * f)));
        }
    return out;
}

}  // namespace

TEST(ViewProgram, KeysPressTheButtonsOfBothWindows) {
    QTemporaryDir dir;
    const ProgramRun run = runProgram(dir,
        QStringLiteral("key frmCtl Right PageDown\n"  // stepping is disabled before a route
                       "key frmCtl 1\n"               // the keypad is behind the digit lists
                       "dump @/before.json\n"
                       "dblclick frmCtl.Frame1(0)\n"
                       "key frmCtl / 1 * 1 Return\n"  // route 1, section 1, リセット
                       "key Form1 Right Space\n"      // held until the route-selecting pause is over
                       "dump @/stepped.json\n"
                       "key Form1 Left B\n"
                       "key frmCtl PageDown\n"        // locked while blank
                       "dump @/blank.json\n"
                       "key frmCtl B N L L\n"
                       "dump @/final.json\n"
                       "key frmCtl A\n"             // the announcements: 送り twice, 戻し once, ■
                       "idle\n"
                       "key Form1 A\n"
                       "idle\n"
                       "key frmCtl Shift+A S\n"
                       "idle\n"
                       "dump @/tape.json\n"),
        QStringLiteral("t.script"), kDemoDir);
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.errors);

    EXPECT_EQ(dumped(dir, "before.json", "trip/RowCount"), 0);
    EXPECT_EQ(dumped(dir, "before.json", "controls/frmCtl.Label2(2)/caption"), "");
    EXPECT_EQ(dumped(dir, "before.json", "controls/frmCtl.Command2(1)/toolTip"), "キー: → / Space / PageDown");
    EXPECT_EQ(dumped(dir, "stepped.json", "trip/RouteNo"), "1");
    EXPECT_EQ(dumped(dir, "stepped.json", "trip/CurIndex"), 2);
    EXPECT_EQ(dumped(dir, "blank.json", "trip/CurIndex"), 1);
    EXPECT_EQ(dumped(dir, "blank.json", "controls/frmCtl.Check1/value"), 1);
    EXPECT_EQ(dumped(dir, "final.json", "controls/frmCtl.Check1/value"), 0);
    EXPECT_EQ(dumped(dir, "final.json", "controls/frmCtl.Check2/value"), 1);
    EXPECT_EQ(dumped(dir, "final.json", "controls/frmCtl.Option4(2)/value"), true);
    EXPECT_EQ(dumped(dir, "tape.json", "tape/TapePos"), 1);
}

// Zoom keeps the 1x layout and scales the picture. A zoom that would run off the screen
// shows the largest that fits and says so: on standard error for the command line's,
// over the board for the menu's.
TEST(ViewProgram, ZoomScalesThePictureKeepsTheLayoutAndIsLimitedToTheScreen) {
    QTemporaryDir dir;
    QString script = QStringLiteral("dump @/start.json\n"
                                    "zoom 1\n"
                                    "call Form1.ChimeiCtl SetChimei \"市役所前\"\n"
                                    "prop Form1.Degit(1) Value 1230\n"
                                    "dump @/z1.json\n");
    for (const char *z : {"1", "2", "4"})
        script += QStringLiteral("zoom %1\ngrab Form1.ChimeiCtl @/c%1.png\ngrab Form1.Degit(1) @/d%1.png\n").arg(QLatin1String(z));
    script += QStringLiteral("dump @/z4.json\n"
                             "key Form1 Ctrl+-\n"
                             "dump @/z3.json\n"
                             "fullscreen 1\n"
                             "dump @/full.json\n"
                             "key Form1 Esc\n"
                             "zoom 8\n"
                             "dump @/eight.json\n"
                             "zoom 1\n"
                             "dump @/back.json\n");
    const ProgramRun run = runProgram(dir, script, QStringLiteral("t.script"), QString(), {offscreenOfSize(dir, 3000, 2000)},
                                      {QStringLiteral("--zoom"), QStringLiteral("8")});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.errors);
    EXPECT_TRUE(run.stderrText.contains(QStringLiteral("zoom 8 does not fit the screen (3000x2000): zoom 5")))
        << qPrintable(run.stderrText);
    EXPECT_EQ(dumped(dir, "start.json", "view/factor"), 5.0);

    const QJsonObject z1 = readJson(dir.filePath(QStringLiteral("z1.json")));
    const QJsonObject z4 = readJson(dir.filePath(QStringLiteral("z4.json")));
    EXPECT_EQ(at(z1, "view/hosted"), false);
    expectHas(at(z4, "view").toObject(), {{"factor", 4.0}, {"width", 4 * 564}});
    // Every existing check of the layout still holds at 4x.
    EXPECT_EQ(z4.value(QStringLiteral("controls")), z1.value(QStringLiteral("controls")));
    // The board is still the one window Form1, now 4x its size, and no other window shows it.
    EXPECT_EQ(z4.value(QStringLiteral("windows")).toObject().keys(), z1.value(QStringLiteral("windows")).toObject().keys());
    expectHas(at(z4, "windows/Form1").toObject(),
              {{"width", 4 * 564}, {"height", 4 * 234}, {"left", at(z4, "view/left")}, {"top", at(z4, "view/top")}});
    EXPECT_EQ(dumped(dir, "z3.json", "view/zoom"), 3);
    expectHas(dumped(dir, "full.json", "view").toObject(), {{"fullScreen", true}, {"screenNumber", 1}});
    const QJsonObject eight = readJson(dir.filePath(QStringLiteral("eight.json")));
    expectHas(at(eight, "view").toObject(), {{"zoom", 5}, {"width", 5 * 564}, {"fullScreen", false}});
    const QJsonArray status = eventsOf(eight, QStringLiteral("status"));
    ASSERT_EQ(status.size(), 1);  // the start's limit went to standard error only
    EXPECT_EQ(at(status, "0/text"), "8 倍は画面に収まらないため、5 倍で表示しています。");
    expectHas(dumped(dir, "back.json", "view").toObject(), {{"fullScreen", false}, {"hosted", false}});

    const QImage strip1 = picture(dir, "c1.png"), digit1 = picture(dir, "d1.png");
    for (int f : {2, 4}) {
        const QImage strip = picture(dir, f == 2 ? "c2.png" : "c4.png");
        const QImage digit = picture(dir, f == 2 ? "d2.png" : "d4.png");
        EXPECT_EQ(strip, strip1.scaled(strip1.size() * f, Qt::IgnoreAspectRatio, Qt::FastTransformation)) << f;
        const QImage blown = digit1.scaled(digit1.size() * f, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        // A third of the range: a partly lit edge pixel at 1x against lit or unlit.
        EXPECT_GE(agreement(digit, blown, 80), 0.97) << f;
        EXPECT_LT(agreement(digit, blown, 0), 0.9) << f;  // redrawn, not blown up
        EXPECT_EQ(agreement(boxDown(digit, f), digit1, 8), 1.0) << f;  // the same segments, sharper
    }
    QFile viewFile(dir.filePath(QStringLiteral("207_000.view")));
    ASSERT_TRUE(viewFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(viewFile.readAll().startsWith("zoom=1\nfullscreen=0\n"));
}
