// The ticket preview and the plug-in box in the real program: a stored plug-in listed
// at start-up, the preview widened and drawn at every stop with the chosen company,
// the copy to the clipboard, a refused choice, the preview option off leaving a white
// picture that copies as such; and a stored plug-in that no longer loads.
#include "automation/clipboard_state.h"
#include "demo_run.h"
#include "dump_query.h"

#include <QImage>

namespace {

void runInDemo(const QTemporaryDir &dir, const QString &script) {
    const ProgramRun run = runProgram(dir, script, QStringLiteral("t.script"), demoDir());
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
}

QJsonObject dumped(const QTemporaryDir &dir, const char *name) { return readJson(dir.filePath(QLatin1String(name))); }

qsizetype itemCount(const QJsonObject &dump, const char *list) {
    return at(dump, QStringLiteral("controls/%1/items").arg(QLatin1String(list))).toArray().size();
}

}  // namespace

TEST(TicketProgram, StoredPluginPreviewDrawingCopyAndRefusedChoice) {
    QTemporaryDir dir;
    writePreviewSettings(dir, demoDir() + QStringLiteral("/tickets/companies.4SP"));
    runInDemo(dir,
        QStringLiteral("dump @/loaded.json\n"
                       "click frmCtl.Check4\n"
                       "dump @/open.json\n") + kListRouteSet +
            QStringLiteral("click frmCtl.Command2(1)\n"
                           "select frmCtl.Combo1 2\n"
                           "click frmCtl.Command2(1)\n"
                           "grab frmCtl.picSeirikenPrev @/ticket.png\n"
                           "click frmCtl.picSeirikenPrev\n"   // a left click does nothing
                           "dump @/drawn.json\n"
                           "rclick frmCtl.picSeirikenPrev\n"
                           "answer コピー\n"
                           "dump @/copied.json\n"
                           "click frmCtl.Command4\n"
                           "click frmOption.Option1(5)\n"
                           "click frmOption.Command1\n"
                           "answer Cancel\n"                   // no file: the load error
                           "answer OK\n"
                           "click frmOption.Command4\n"
                           "click frmCtl.Check4\n"
                           "dump @/refused.json\n"
                           "click frmCtl.Command4\n"
                           "click frmOption.chkUseSeiriPrev\n"  // preview off: a white picture at each step
                           "click frmOption.Command4\n"
                           "click frmCtl.Command2(1)\n"
                           "click frmCtl.Check4\n"
                           "rclick frmCtl.picSeirikenPrev\n"
                           "answer コピー\n"
                           "dump @/off.json\n"));

    const QJsonObject loaded = dumped(dir, "loaded.json");
    EXPECT_EQ(itemCount(loaded, "frmOption.List1"), 10);
    EXPECT_TRUE(at(loaded, "controls/frmOption.txtPlginComment/text").toString().startsWith(QStringLiteral("共同運行路線")));
    EXPECT_EQ(at(loaded, "controls/frmCtl.Combo1/items"), QJsonArray({"みとら交通", "みとら観光バス", "コミュニティバス みとら号"}));
    EXPECT_EQ(at(loaded, "controls/frmCtl.picSeirikenPrev/width").toInt() * 1000 + at(loaded, "controls/frmCtl.picSeirikenPrev/height").toInt(),
              230 * 1000 + 128);
    EXPECT_EQ(at(loaded, "windows/frmCtl/width"), 353);

    const QJsonObject open = dumped(dir, "open.json");
    EXPECT_EQ(at(open, "windows/frmCtl/width"), 594);  // 9000 twips less the frame
    expectHas(control(open, QStringLiteral("frmCtl.Check4")), {{"caption", "<<"}, {"toolTip", "整理券プレビューを隠します"}});

    const QJsonObject drawn = dumped(dir, "drawn.json");
    const QJsonArray tickets = eventsOf(drawn, QStringLiteral("ticket"));
    ASSERT_EQ(tickets.size(), 3);  // route set and two steps
    EXPECT_EQ(at(tickets, "2/outcome"), "drawn");
    const QJsonObject last = drawn.value(QStringLiteral("seirikenDraw")).toObject();
    expectHas(last, {{"stopName", "本町一丁目"}, {"ticketNo", 3}, {"row", 3}, {"corpIndex", 2}, {"routeNo", 1}});
    EXPECT_TRUE(QDate::fromString(last.value(QStringLiteral("date")).toString(), QStringLiteral("MM-dd-yyyy")).isValid());
    EXPECT_TRUE(QDate::fromString(last.value(QStringLiteral("dateOut")).toString(), QStringLiteral("yyyy.MM.dd")).isValid());
    EXPECT_EQ(at(drawn, "controls/frmCtl.MnuHide/visible"), false);

    const QImage ticket(dir.filePath(QStringLiteral("ticket.png")));
    ASSERT_FALSE(ticket.isNull());
    EXPECT_EQ(at(dumped(dir, "copied.json"), "clipboard/image/sha1"), automation::imageDigest(ticket));

    const QJsonObject refused = dumped(dir, "refused.json");
    const QJsonArray messages = eventsOf(refused, QStringLiteral("message"));
    ASSERT_FALSE(messages.isEmpty());
    expectHas(messages.last().toObject(),
              {{"title", "プラグインロードエラー"}, {"text", "指定したファイルはプラグインでないか、内容が不正です"}, {"icon", "critical"}});
    EXPECT_EQ(itemCount(refused, "frmCtl.Combo1"), 0);
    EXPECT_TRUE(at(refused, "controls/frmOption.txtSeiriPlgDir/text").toString().endsWith(QStringLiteral("companies.4SP")));
    EXPECT_EQ(itemCount(refused, "frmOption.List1"), 10);
    EXPECT_EQ(at(refused, "windows/frmCtl/width"), 353);
    EXPECT_EQ(at(refused, "controls/frmCtl.Check4/toolTip"), "整理券プレビューを開きます");

    const QJsonObject off = dumped(dir, "off.json");
    EXPECT_EQ(eventsOf(off, QStringLiteral("ticket")).size(), 3);
    QImage white(230, 128, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(at(off, "clipboard/image/sha1"), automation::imageDigest(white));
}

TEST(TicketProgram, StoredPathThatNoLongerLoadsIsKeptSilently) {
    QTemporaryDir dir;
    writePreviewSettings(dir, dir.filePath(QStringLiteral("gone.4SP")));
    runInDemo(dir, kListRouteSet + QStringLiteral("click frmCtl.Command2(1)\n"
                                              "dump @/d.json\n"));
    const QJsonObject d = dumped(dir, "d.json");
    EXPECT_EQ(at(d, "controls/frmOption.txtSeiriPlgDir/text"), dir.filePath(QStringLiteral("gone.4SP")));
    EXPECT_EQ(itemCount(d, "frmOption.List1"), 0);
    EXPECT_EQ(at(eventsOf(d, QStringLiteral("ticket")).last(), "outcome"), "not a plug-in");
}
