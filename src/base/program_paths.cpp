#include "base/program_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

// The install's bin folder to its data folder, given by the build from GNUInstallDirs.
#ifndef MITRA_BIN_TO_DATA
#define MITRA_BIN_TO_DATA "../share/mitra"
#endif

namespace program_paths {

namespace {
const QString kFolder = QStringLiteral("mitra");
}

Paths choose(const Facts &facts) {
    Paths p;
    p.userConfigDir = QDir(facts.configHome).filePath(kFolder);
    p.userRoutesDir = QDir(QDir(facts.dataHome).filePath(kFolder)).filePath(QStringLiteral("routes"));
    p.demoDir = facts.installedDemo;
    const QString fileName = facts.exeName + QStringLiteral(".in4");
    if (!facts.settingsOverride.isEmpty()) p.settingsFile = facts.settingsOverride;
    else if (facts.installedDemo.isEmpty() && facts.exeDirWritable) p.settingsFile = QDir(facts.exeDir).filePath(fileName);
    else p.settingsFile = QDir(p.userConfigDir).filePath(fileName);
    p.demoOnFirstStart = facts.settingsOverride.isEmpty() && !facts.installedDemo.isEmpty();
    return p;
}

QString xdgBase(const QString &variable, const QString &home, const QString &fallback) {
    if (!variable.isEmpty() && QDir::isAbsolutePath(variable)) return QDir::cleanPath(variable);
    return QDir::cleanPath(home + fallback);
}

QString installedDemoDir(const QString &exeDir, const QString &binToData) {
    const QString demo = QDir::cleanPath(QDir(exeDir).filePath(binToData + QStringLiteral("/demo")));
    return QFileInfo(demo).isDir() ? demo : QString();
}

Facts gather(const QString &exeName, const QString &settingsOverride) {
    Facts f;
    f.exeName = exeName;
    f.exeDir = QCoreApplication::applicationDirPath();
    const QFileInfo dir(f.exeDir);
    f.exeDirWritable = dir.isDir() && dir.isWritable();
    f.installedDemo = installedDemoDir(f.exeDir, QStringLiteral(MITRA_BIN_TO_DATA));
    const QString home = QDir::homePath();
    f.configHome = xdgBase(qEnvironmentVariable("XDG_CONFIG_HOME"), home, QStringLiteral("/.config"));
    f.dataHome = xdgBase(qEnvironmentVariable("XDG_DATA_HOME"), home, QStringLiteral("/.local/share"));
    f.settingsOverride = settingsOverride;
    return f;
}

}  // namespace program_paths
