// Odd files where the program expects its own, and a speech child that hangs, through
// the real program.
#include "demo_run.h"
#include "ticket_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>

#include <signal.h>
#include <sys/stat.h>

namespace {

void makeFifo(const QString &path) { ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0) << qPrintable(path); }

bool gone(pid_t pid) {
    if (kill(pid, 0) != 0) return true;
    // Reparented and killed, but not yet reaped by whoever adopted it.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    return stat.open(QIODevice::ReadOnly) && stat.readAll().contains(") Z ");
}

}  // namespace

TEST(HostileFilesProgram, FifosInPlaceOfItsFilesHangNothing) {
    QTemporaryDir dir;
    makeFifo(dir.filePath(QStringLiteral("207_000.view")));
    makeFifo(dir.filePath(QStringLiteral("207_000.voice")));
    const QString tape = dir.filePath(QStringLiteral("tape"));
    ASSERT_TRUE(QDir().mkpath(tape));
    makeFifo(tape + QStringLiteral("/1tp.csv"));
    // A ticket whose SVG background links a FIFO in its folder.
    const QString ticketFile = dir.filePath(QStringLiteral("t/fifo.4SP"));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("t"))));
    makeFifo(dir.filePath(QStringLiteral("t/pic.png")));
    writeBytes(dir.filePath(QStringLiteral("t/bg.svg")),
               "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' width='230' height='128'>"
               "<rect width='230' height='128' fill='#ffe0e0'/><image xlink:href='pic.png' width='50' height='50'/></svg>");
    writeBytes(ticketFile, json(plugin(info({{"CanBarcode", 0}, {"MaxRouteNo", 999}, {"StopRangeHigh", 99}, {"CorpCount", 0}}),
                                       {stopNameText()}, {{"background", "bg.svg"}})));
    writePreviewSettings(dir, ticketFile, tape);

    QElapsedTimer clock;
    clock.start();
    const ProgramRun run = runProgram(dir, kListRouteSet + QStringLiteral("dump @/d.json\nquit\n"));
    ASSERT_TRUE(run.finished) << "start-up or the route set hung";
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.errors);
    EXPECT_LT(clock.elapsed(), 30000);
    const QJsonObject d = readJson(dir.filePath(QStringLiteral("d.json")));
    EXPECT_EQ(d.value(QStringLiteral("tape")).toObject().value(QStringLiteral("TapeCount")).toInt(), 0);
    const QJsonObject ticket = eventsOf(d, QStringLiteral("ticket")).last().toObject();
    EXPECT_EQ(ticket.value(QStringLiteral("outcome")).toString(), QStringLiteral("drawn with problems"));
    EXPECT_TRUE(ticket.value(QStringLiteral("problems")).toArray().first().toString().contains(QStringLiteral("pic.png")));
}

TEST(HostileFilesProgram, HangingSpeechChildEndsWithAKilledProgram) {
    if (QStandardPaths::findExecutable(QStringLiteral("open_jtalk")).isEmpty()) GTEST_SKIP() << "no speech engine installed";
    QTemporaryDir dir;
    // A synthesiser that never finishes: it notes its pid and sleeps.
    const QString bin = dir.filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    const QString pidFile = dir.filePath(QStringLiteral("child.pid"));
    writeBytes(bin + QStringLiteral("/open_jtalk"), ("#!/bin/sh\necho $$ > '" + pidFile + "'\nexec sleep 60\n").toUtf8());
    QFile::setPermissions(bin + QStringLiteral("/open_jtalk"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::copy(demoDir() + QStringLiteral("/demo.in4"), dir.filePath(QStringLiteral("207_000.in4")));
    writeBytes(dir.filePath(QStringLiteral("t.script")),
               (keypad({10, 1}) + QStringLiteral("click frmCtl.Command1(1)\nidle\nclick frmCtl.cmdTapeNext\nwait 30000\nquit\n")).toUtf8());
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    env.insert(QStringLiteral("PATH"), bin + QLatin1Char(':') + env.value(QStringLiteral("PATH")));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(demoDir());
    p.start(QStringLiteral(MITRA_EXE), {QStringLiteral("--settings"), dir.filePath(QStringLiteral("207_000.in4")),
                                        QStringLiteral("--script"), dir.filePath(QStringLiteral("t.script"))});
    ASSERT_TRUE(p.waitForStarted(10000));
    pid_t child = 0;
    for (int i = 0; i < 200 && child == 0; ++i) {
        QThread::msleep(100);
        QFile f(pidFile);
        if (f.open(QIODevice::ReadOnly)) child = f.readAll().trimmed().toInt();
    }
    ASSERT_GT(child, 0) << "the speech child never started";
    EXPECT_FALSE(gone(child));
    kill(static_cast<pid_t>(p.processId()), SIGKILL);
    p.waitForFinished(10000);
    bool ended = false;
    for (int i = 0; i < 50 && !(ended = gone(child)); ++i) QThread::msleep(100);
    EXPECT_TRUE(ended) << "the speech child outlived the program";
    if (!ended) kill(child, SIGKILL);
}
