// `cmake --install` into a temporary folder with DESTDIR, then the installed program
// run from there as a new user would: its first start on the installed demo, its
// settings in the per-user folder, its desktop files valid.
#include "program_run.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QStandardPaths>

namespace {

struct Done {
    bool finished = false;
    int exitCode = -1;
    QString output;
};

Done runTool(const QString &program, const QStringList &args, const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    Done d;
    d.finished = p.waitForFinished(120000);
    if (!d.finished) p.kill();
    d.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    d.output = QString::fromUtf8(p.readAll());
    return d;
}

QString text(const QJsonObject &dump, const QString &name) { return control(dump, name).value(QStringLiteral("text")).toString(); }

}  // namespace

TEST(InstallTree, InstalledProgramStartsOnItsDemoAndKeepsSettingsPerUser) {
    QTemporaryDir dir;
    const QString cmake = QStandardPaths::findExecutable(QStringLiteral("cmake"));
    ASSERT_FALSE(cmake.isEmpty());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DESTDIR"), dir.filePath(QStringLiteral("stage")));
    const Done install = runTool(cmake, {QStringLiteral("--install"), QStringLiteral(MITRA_BINARY_DIR), QStringLiteral("--prefix"), QStringLiteral("/usr")}, env);
    ASSERT_EQ(install.exitCode, 0) << qPrintable(install.output);

    const QDir usr(dir.filePath(QStringLiteral("stage/usr")));
    for (const char *file : {"bin/207_000", "bin/hy3tool", "bin/4sptool", "share/mitra/demo/1.hy3", "share/mitra/demo/1tp.csv",
                             "share/mitra/demo/21.hy3", "share/mitra/demo/22tp.csv", "share/mitra/demo/chime.wav",
                             "share/mitra/demo/step.mid", "share/mitra/demo/tickets/barcode.4SP",
                             "share/applications/mitra.desktop", "share/metainfo/example.mitra.Mitra.metainfo.xml",
                             "share/icons/hicolor/scalable/apps/mitra.svg", "share/man/man1/207_000.1.gz",
                             "share/man/man1/hy3tool.1.gz", "share/man/man1/4sptool.1.gz", "share/doc/mitra/copyright"})
        EXPECT_TRUE(QFileInfo(usr.filePath(QLatin1String(file))).isFile()) << file;
    // The modules loaded when first used: the recorder's encoder and the sound output.
    for (const char *module : {"mitra_encoder.so", "mitra_sound.so"})
        EXPECT_TRUE(QFileInfo(usr.filePath(QStringLiteral(MITRA_MODULE_INSTALL_DIR "/") + QLatin1String(module))).isFile()) << module;
    for (int size : {48, 128, 256}) {
        QImageReader png(usr.filePath(QStringLiteral("share/icons/hicolor/%1x%1/apps/mitra.png").arg(size)));
        EXPECT_EQ(png.size(), QSize(size, size)) << size;
    }
    EXPECT_FALSE(QFileInfo::exists(usr.filePath(QStringLiteral("share/mitra/demo/demo.in4")))) << "the build tree's own settings";

    const Done desktop = runTool(QStringLiteral("desktop-file-validate"), {usr.filePath(QStringLiteral("share/applications/mitra.desktop"))});
    EXPECT_EQ(desktop.exitCode, 0) << qPrintable(desktop.output);
    EXPECT_TRUE(desktop.output.isEmpty()) << qPrintable(desktop.output);
    const Done appstream = runTool(QStringLiteral("appstreamcli"),
                                   {QStringLiteral("validate"), QStringLiteral("--no-net"), usr.filePath(QStringLiteral("share/metainfo/example.mitra.Mitra.metainfo.xml"))});
    EXPECT_EQ(appstream.exitCode, 0) << qPrintable(appstream.output);

    // A new user: home and XDG folders of their own, no settings yet.
    const QString home = dir.filePath(QStringLiteral("home"));
    ASSERT_TRUE(QDir().mkpath(home));
    const QString config = dir.filePath(QStringLiteral("xdg-config")), data = dir.filePath(QStringLiteral("xdg-data"));
    QProcessEnvironment user = QProcessEnvironment::systemEnvironment();
    user.insert(QStringLiteral("HOME"), home);
    user.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    user.insert(QStringLiteral("XDG_DATA_HOME"), data);
    user.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    user.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    const QString script = dir.filePath(QStringLiteral("first.script"));
    QFile s(script);
    ASSERT_TRUE(s.open(QIODevice::WriteOnly));
    s.write(QStringLiteral("select frmCtl.List2(0) 0\n"  // route 0 0 0 0 1
                           "select frmCtl.List2(1) 0\n"
                           "select frmCtl.List2(2) 0\n"
                           "select frmCtl.List2(3) 0\n"
                           "select frmCtl.List2(4) 1\n"
                           "select frmCtl.List3(2) 1\n"  // section 0 0 1
                           "click frmCtl.Command1(0)\n"  // リセット
                           "idle\n"
                           "click frmCtl.Command2(1)\n"  // データ送り
                           "dump %1\n"
                           "close\n"
                           "answer Yes\n")
                .arg(dir.filePath(QStringLiteral("first.json")))
                .toUtf8());
    s.close();
    const QString exe = usr.filePath(QStringLiteral("bin/207_000"));
    const Done first = runTool(exe, {QStringLiteral("--script"), script}, user);
    ASSERT_EQ(first.exitCode, 0) << qPrintable(first.output);

    const QString demo = usr.filePath(QStringLiteral("share/mitra/demo"));
    const QJsonObject dump = readJson(dir.filePath(QStringLiteral("first.json")));
    const QJsonObject trip = dump.value(QStringLiteral("trip")).toObject();
    expectHas(trip, {{"RouteNo", "00001"}, {"CurIndex", 1}});
    EXPECT_EQ(dump.value(QStringLiteral("chimei")).toObject().value(QStringLiteral("text")).toString(), QStringLiteral("市役所前"));
    EXPECT_EQ(dump.value(QStringLiteral("degits")).toObject().value(QStringLiteral("Form1.Degit(1)")).toObject().value(QStringLiteral("lit")).toString(),
              QStringLiteral("170"));
    EXPECT_EQ(text(dump, QStringLiteral("frmOption.Text2(0)")), demo);
    EXPECT_EQ(text(dump, QStringLiteral("frmOption.Text2(1)")), demo);
    EXPECT_EQ(text(dump, QStringLiteral("frmOption.txtSelectSound(0)")), demo + QStringLiteral("/chime.mp3"));
    const QJsonArray settings = eventsOf(dump, QStringLiteral("settings"));
    ASSERT_FALSE(settings.isEmpty());
    const QString settingsFile = config + QStringLiteral("/mitra/207_000.in4");
    expectHas(settings.at(0).toObject(), {{"action", "load"}, {"path", settingsFile}, {"outcome", "missing"}});

    EXPECT_TRUE(QFileInfo(settingsFile).isFile()) << "saved on exit in the per-user folder";
    EXPECT_FALSE(QFileInfo::exists(usr.filePath(QStringLiteral("bin/207_000.in4")))) << "never beside an installed program";
    EXPECT_TRUE(QFileInfo(data + QStringLiteral("/mitra/routes")).isDir());

    // The second start reads what the first one saved, demo folders included; it
    // records, so the installed program finds its encoder.
    QFile s2(script);
    ASSERT_TRUE(s2.open(QIODevice::WriteOnly));
    s2.write(QStringLiteral("record %1\nrecord off\ndump %2\n")
                 .arg(dir.filePath(QStringLiteral("second.mkv")), dir.filePath(QStringLiteral("second.json")))
                 .toUtf8());
    s2.close();
    const Done second = runTool(exe, {QStringLiteral("--script"), script}, user);
    ASSERT_EQ(second.exitCode, 0) << qPrintable(second.output);
    const QJsonObject again = readJson(dir.filePath(QStringLiteral("second.json")));
    expectHas(eventsOf(again, QStringLiteral("settings")).at(0).toObject(), {{"path", settingsFile}, {"outcome", "ok"}});
    EXPECT_EQ(text(again, QStringLiteral("frmOption.Text2(0)")), demo);
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("second.mkv"))).size() > 0) << qPrintable(second.output);
    EXPECT_FALSE(second.output.contains(QStringLiteral("sound: "))) << qPrintable(second.output);
}
