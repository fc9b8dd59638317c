// The ticket preview and the plug-in box in the real program: a stored plug-in listed
// at start-up, the preview widened and drawn at every stop with the chosen company,
// the copy to the clipboard, a refused choice, the preview option off leaving a white
// picture that copies as such; and a stored plug-in that no longer loads.
#include "automation/clipboard_state.h"
#include "demo_run.h"

#include <QImage>

namespace {

void runInDemo(const QTemporaryDir &dir, const QString &script) {
    const ProgramRun run = runProgram(dir, script, QStringLiteral("t.script"), demoDir());
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
}

QImage whitePreview() {
    QImage white(230, 128, QImage::Format_RGB32);
    white.fill(Qt::white);
    return white;
}

QStringList texts(const QJsonValue &list) {
    QStringList out;
    for (const QJsonValue &v : list.toArray()) out << v.toString();
    return out;
}

QString clipboardDigest(const QJsonObject &dump) {
    return dump.value(QStringLiteral("clipboard")).toObject().value(QStringLiteral("image")).toObject().value(QStringLiteral("sha1")).toString();
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

    const QJsonObject loaded = readJson(dir.filePath(QStringLiteral("loaded.json")));
    EXPECT_EQ(texts(control(loaded, QStringLiteral("frmOption.List1")).value(QStringLiteral("items"))).size(), 10);
    EXPECT_TRUE(control(loaded, QStringLiteral("frmOption.txtPlginComment")).value(QStringLiteral("text")).toString().startsWith(QStringLiteral("共同運行路線")));
    EXPECT_EQ(texts(control(loaded, QStringLiteral("frmCtl.Combo1")).value(QStringLiteral("items"))),
              QStringList({"みとら交通", "みとら観光バス", "コミュニティバス みとら号"}));
    const QJsonObject preview = control(loaded, QStringLiteral("frmCtl.picSeirikenPrev"));
    EXPECT_EQ(preview.value(QStringLiteral("width")).toInt() * 100 + preview.value(QStringLiteral("height")).toInt(), 230 * 100 + 128);
    EXPECT_EQ(window(loaded, "frmCtl").value(QStringLiteral("width")).toInt(), 353);

    const QJsonObject open = readJson(dir.filePath(QStringLiteral("open.json")));
    EXPECT_EQ(window(open, "frmCtl").value(QStringLiteral("width")).toInt(), 594);  // 9000 twips less the frame
    EXPECT_EQ(control(open, QStringLiteral("frmCtl.Check4")).value(QStringLiteral("caption")).toString(), QStringLiteral("<<"));
    EXPECT_EQ(control(open, QStringLiteral("frmCtl.Check4")).value(QStringLiteral("toolTip")).toString(), QStringLiteral("整理券プレビューを隠します"));

    const QJsonObject drawn = readJson(dir.filePath(QStringLiteral("drawn.json")));
    const QJsonArray tickets = eventsOf(drawn, QStringLiteral("ticket"));
    ASSERT_EQ(tickets.size(), 3);  // route set and two steps
    EXPECT_EQ(tickets.at(2).toObject().value(QStringLiteral("outcome")).toString(), QStringLiteral("drawn"));
    const QJsonObject last = drawn.value(QStringLiteral("seirikenDraw")).toObject();
    EXPECT_EQ(last.value(QStringLiteral("stopName")).toString(), QStringLiteral("本町一丁目"));
    EXPECT_EQ(last.value(QStringLiteral("ticketNo")).toInt() * 1000 + last.value(QStringLiteral("row")).toInt() * 10 +
                  last.value(QStringLiteral("corpIndex")).toInt(),
              3 * 1000 + 3 * 10 + 2);
    EXPECT_EQ(last.value(QStringLiteral("routeNo")).toInt(), 1);
    EXPECT_TRUE(QDate::fromString(last.value(QStringLiteral("date")).toString(), QStringLiteral("MM-dd-yyyy")).isValid());
    EXPECT_TRUE(QDate::fromString(last.value(QStringLiteral("dateOut")).toString(), QStringLiteral("yyyy.MM.dd")).isValid());
    EXPECT_FALSE(drawn.value(QStringLiteral("controls")).toObject().value(QStringLiteral("frmCtl.MnuHide")).toObject().value(QStringLiteral("visible")).toBool());

    const QImage ticket(dir.filePath(QStringLiteral("ticket.png")));
    ASSERT_FALSE(ticket.isNull());
    const QJsonObject copied = readJson(dir.filePath(QStringLiteral("copied.json")));
    EXPECT_EQ(clipboardDigest(copied), automation::imageDigest(ticket));

    const QJsonObject refused = readJson(dir.filePath(QStringLiteral("refused.json")));
    const QJsonArray messages = eventsOf(refused, QStringLiteral("message"));
    ASSERT_FALSE(messages.isEmpty());
    const QJsonObject box = messages.last().toObject();
    EXPECT_EQ(box.value(QStringLiteral("title")).toString() + box.value(QStringLiteral("text")).toString() +
                  box.value(QStringLiteral("icon")).toString(),
              QStringLiteral("プラグインロードエラー指定したファイルはプラグインでないか、内容が不正ですcritical"));
    EXPECT_TRUE(texts(control(refused, QStringLiteral("frmCtl.Combo1")).value(QStringLiteral("items"))).isEmpty());
    EXPECT_TRUE(control(refused, QStringLiteral("frmOption.txtSeiriPlgDir")).value(QStringLiteral("text")).toString().endsWith(QStringLiteral("companies.4SP")));
    EXPECT_EQ(texts(control(refused, QStringLiteral("frmOption.List1")).value(QStringLiteral("items"))).size(), 10);
    EXPECT_EQ(window(refused, "frmCtl").value(QStringLiteral("width")).toInt(), 353);
    EXPECT_EQ(control(refused, QStringLiteral("frmCtl.Check4")).value(QStringLiteral("toolTip")).toString(), QStringLiteral("整理券プレビューを開きます"));

    const QJsonObject off = readJson(dir.filePath(QStringLiteral("off.json")));
    EXPECT_EQ(eventsOf(off, QStringLiteral("ticket")).size(), 3);
    EXPECT_EQ(clipboardDigest(off), automation::imageDigest(whitePreview()));
}

TEST(TicketProgram, StoredPathThatNoLongerLoadsIsKeptSilently) {
    QTemporaryDir dir;
    writePreviewSettings(dir, dir.filePath(QStringLiteral("gone.4SP")));
    runInDemo(dir, kListRouteSet + QStringLiteral("click frmCtl.Command2(1)\n"
                                              "dump @/d.json\n"));
    const QJsonObject d = readJson(dir.filePath(QStringLiteral("d.json")));
    EXPECT_EQ(control(d, QStringLiteral("frmOption.txtSeiriPlgDir")).value(QStringLiteral("text")).toString(), dir.filePath(QStringLiteral("gone.4SP")));
    EXPECT_TRUE(texts(control(d, QStringLiteral("frmOption.List1")).value(QStringLiteral("items"))).isEmpty());
    EXPECT_EQ(eventsOf(d, QStringLiteral("ticket")).last().toObject().value(QStringLiteral("outcome")).toString(), QStringLiteral("not a plug-in"));
}
