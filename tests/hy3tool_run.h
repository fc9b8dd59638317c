#pragma once
// hy3tool run as a user runs it, with its exit status and both outputs.
#include <QFile>
#include <QProcess>
#include <QStringList>

#include <sys/resource.h>

struct ToolRun {
    int code = -1;
    QString out, err;
};

inline ToolRun hy3tool(const QStringList &args) {
    QProcess p;
    // The tool keeps at most a fare data file's rows, whatever it is given: 64 MB of
    // data is far more than it ever needs.
    p.setChildProcessModifier([] {
        const rlimit limit{64 << 20, 64 << 20};
        setrlimit(RLIMIT_DATA, &limit);
    });
    // Its messages follow the locale: these tests read the Japanese ones.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LC_MESSAGES"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("ja_JP.UTF-8"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(HY3TOOL_EXE), args);
    ToolRun r;
    if (!p.waitForFinished(60000)) return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

inline QByteArray readBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
