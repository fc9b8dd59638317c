// How the program starts and ends outside the windows: --help and --version with no
// display at all, a second program on a port in use, a message box answered from the
// remote, and SIGTERM ending it as a confirmed exit does.
#include "remote_client.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

struct Finished {
    bool normalExit = false;
    int code = -1;
    QString out, err;
};

Finished runToEnd(const QStringList &args, const QProcessEnvironment &env, int timeoutMs = 30000) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(MITRA_EXE), args);
    Finished f;
    if (!p.waitForFinished(timeoutMs)) p.kill(), p.waitForFinished(5000);
    f.normalExit = p.exitStatus() == QProcess::NormalExit;
    f.code = p.exitCode();
    f.out = QString::fromUtf8(p.readAllStandardOutput());
    f.err = QString::fromUtf8(p.readAllStandardError());
    return f;
}

}  // namespace

TEST(ExitProgram, HelpWithoutDisplayPortInUseMessageAnsweredAndSigterm) {
    QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) bare.remove(QLatin1String(name));
    const Finished help = runToEnd({QStringLiteral("--help")}, bare);
    EXPECT_TRUE(help.normalExit && help.code == 0) << qPrintable(help.err);
    EXPECT_TRUE(help.out.contains(QStringLiteral("usage: 207_000 "))) << qPrintable(help.out);
    const Finished version = runToEnd({QStringLiteral("--version")}, bare);
    EXPECT_EQ(version.code, 0);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^207_000 \\d+\\.\\d+\\.\\d+\\n$")).match(version.out).hasMatch()) << qPrintable(version.out);

    RemoteProgram prog;
    ASSERT_NE(prog.port, 0);

    // A second program on the same port says so and ends with status 2, not a crash.
    QTemporaryDir second;
    QProcessEnvironment offscreen = QProcessEnvironment::systemEnvironment();
    offscreen.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    offscreen.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    const Finished busy = runToEnd({QStringLiteral("--settings"), second.filePath(QStringLiteral("s.in4")), QStringLiteral("--remote"),
                                    QStringLiteral("127.0.0.1:%1").arg(prog.port)},
                                   offscreen);
    EXPECT_TRUE(busy.normalExit) << "the second program crashed";
    EXPECT_EQ(busy.code, 2);
    EXPECT_TRUE(busy.err.contains(QStringLiteral("cannot listen"))) << qPrintable(busy.err);
    EXPECT_FALSE(QFileInfo::exists(second.filePath(QStringLiteral("s.in4"))));

    // A route that cannot be loaded: the answer comes at once with the box's text and
    // id; the box waits for the remote's answer, and meanwhile the panel is out of reach.
    EXPECT_EQ(prog.act(R"({"action":"answer","button":"OK"})").status, 409);
    QElapsedTimer clock;
    clock.start();
    const HttpAnswer refused = prog.act(R"({"action":"route","route":"99","section":"1"})");
    EXPECT_LT(clock.elapsed(), 10000);
    ASSERT_EQ(refused.status, 200) << refused.body.constData();
    const QJsonObject answer = refused.json();
    EXPECT_TRUE(answer.value(QStringLiteral("message")).toString().startsWith(QStringLiteral("指定した系統のデータがありません")))
        << refused.body.constData();
    const int pending = answer.value(QStringLiteral("pending")).toInt();
    EXPECT_GT(pending, 0);
    const QJsonObject shown = prog.get("/api/state").json().value(QStringLiteral("message")).toObject();
    EXPECT_EQ(shown.value(QStringLiteral("pending")).toInt(), pending);
    EXPECT_EQ(shown.value(QStringLiteral("buttons")).toArray(), QJsonArray{QStringLiteral("OK")});
    EXPECT_EQ(prog.act(R"({"action":"lateNight"})").status, 409);
    EXPECT_EQ(prog.act(R"({"action":"answer","button":"Yes"})").status, 409);
    EXPECT_EQ(prog.act(QByteArray(R"({"action":"answer","button":"OK","pending":)") + QByteArray::number(pending) + "}").status, 200);
    EXPECT_FALSE(prog.get("/api/state").json().contains(QStringLiteral("message")));
    EXPECT_EQ(prog.act(R"({"action":"lateNight"})").status, 200);

    // SIGTERM ends it as a confirmed exit does: the settings written, status 0.
    const QString settings = prog.dir.filePath(QStringLiteral("207_000.in4"));
    ASSERT_FALSE(QFileInfo::exists(settings));
    prog.process.terminate();
    ASSERT_TRUE(prog.process.waitForFinished(20000));
    EXPECT_EQ(prog.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(prog.process.exitCode(), 0);
    EXPECT_GT(QFileInfo(settings).size(), 0);
    EXPECT_FALSE(QFileInfo::exists(prog.dir.filePath(QStringLiteral("end.json"))));
}
