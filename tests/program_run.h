#pragma once
// Runs the real program off screen with a script, its settings and working folder in
// a temporary folder, and reads the JSON dumps it writes.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

struct ProgramRun {
    int exitCode = -1;
    QString errors;  // the script's own lines of standard error
    QString stderrText;  // all of it
    bool finished = false;
};

inline ProgramRun runProgram(const QTemporaryDir &dir, const QString &scriptText,
                             const QString &scriptName = QStringLiteral("t.script"),
                             const QString &workingDir = QString(), const QStringList &environment = {},
                             const QStringList &extraArgs = {}, const std::function<void()> &childSetup = {},
                             int killAfterMs = 0) {
    const QString scriptPath = dir.filePath(scriptName);
    if (!scriptText.isNull()) {
        QFile f(scriptPath);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        // "@/" in a script stands for the temporary folder, whatever the working folder.
        f.write(QString(scriptText).replace(QStringLiteral("@/"), dir.path() + QLatin1Char('/')).toUtf8());
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    for (const QString &entry : environment) env.insert(entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(workingDir.isEmpty() ? dir.path() : workingDir);
    if (childSetup) p.setChildProcessModifier(childSetup);
    QStringList args{QStringLiteral("--settings"), dir.filePath(QStringLiteral("207_000.in4")), QStringLiteral("--script"), scriptPath};
    for (const QString &a : extraArgs) args << QString(a).replace(QStringLiteral("@/"), dir.path() + QLatin1Char('/'));
    p.start(QStringLiteral(MITRA_EXE), args);
    ProgramRun r;
    if (killAfterMs > 0) {
        p.waitForFinished(killAfterMs);
        p.kill();  // SIGKILL: nothing of the program's own ending runs
    }
    r.finished = p.waitForFinished(60000);
    if (!r.finished) p.kill();
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    // Only the script's own lines: the platform may add notes of its own.
    r.stderrText = QString::fromUtf8(p.readAllStandardError());
    for (const QString &line : r.stderrText.split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("script:"))) r.errors += line + QLatin1Char('\n');
    return r;
}

inline QJsonObject readJson(const QString &path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << qPrintable(path);
    QJsonParseError err{};
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &err);
    EXPECT_EQ(err.error, QJsonParseError::NoError) << qPrintable(err.errorString());
    return doc.object();
}

// The entry of one control in a dump's "controls".
inline QJsonObject control(const QJsonObject &dump, const QString &name) {
    return dump.value(QStringLiteral("controls")).toObject().value(name).toObject();
}

// The entry of one window in a dump's "windows".
inline QJsonObject window(const QJsonObject &dump, const char *name) {
    return dump.value(QStringLiteral("windows")).toObject().value(QLatin1String(name)).toObject();
}

// Each key of `want` holds its value in `got`.
inline void expectHas(const QJsonObject &got, const QJsonObject &want, const char *where = "") {
    for (auto it = want.begin(); it != want.end(); ++it) EXPECT_EQ(got.value(it.key()), it.value()) << where << " " << qPrintable(it.key());
}

// Events of one kind, in order.
inline QJsonArray eventsOf(const QJsonObject &dump, const QString &kind) {
    QJsonArray out;
    for (const QJsonValue &e : dump.value(QStringLiteral("events")).toArray())
        if (e.toObject().value(QStringLiteral("kind")).toString() == kind) out.append(e);
    return out;
}

// An off-screen platform with one screen of the given size (the default one is 800 x 600).
inline QString offscreenOfSize(const QTemporaryDir &dir, int width, int height) {
    const QString path = dir.filePath(QStringLiteral("screens.json"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral(R"({"screens":[{"name":"OS1","x":0,"y":0,"width":%1,"height":%2,"logicalDpi":96}]})")
                .arg(width).arg(height).toUtf8());
    return QStringLiteral("QT_QPA_PLATFORM=offscreen:configfile=") + path;
}
