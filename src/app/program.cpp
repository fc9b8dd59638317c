#include "app/program.h"

#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>

namespace {
QString &settingsOverride() {
    static QString path;
    return path;
}
}  // namespace

namespace program {

QString exeName() {
    const QString path = QCoreApplication::applicationFilePath();
    if (path.isEmpty()) return QStringLiteral("207_000");
    return QFileInfo(path).completeBaseName();
}

QString title() { return QStringLiteral("ミトラ"); }

QString version() {
    return QStringLiteral("%1.%2.%3").arg(MITRA_VERSION_MAJOR).arg(MITRA_VERSION_MINOR).arg(MITRA_VERSION_PATCH);
}

void setSettingsPathOverride(const QString &path) { settingsOverride() = path; }

QString settingsPath() {
    if (!settingsOverride().isEmpty()) return settingsOverride();
    const QString fileName = exeName() + QStringLiteral(".in4");
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QFileInfo dirInfo(exeDir);
    if (dirInfo.isDir() && dirInfo.isWritable()) return QDir(exeDir).filePath(fileName);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(config);
    return QDir(config).filePath(fileName);
}

namespace {
std::vector<std::function<void()>> &finishers() {
    static std::vector<std::function<void()>> all;
    return all;
}
}  // namespace

void atEnd(std::function<void()> finish) { finishers().push_back(std::move(finish)); }

void endNow(int status) {
    for (const auto &finish : finishers()) finish();
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}

}  // namespace program
