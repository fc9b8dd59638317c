#include "base/program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {
QString &settingsOverride() {
    static QString path;
    return path;
}

// Chosen once: the settings are loaded from and saved to the same place.
std::optional<program_paths::Paths> &chosenPaths() {
    static std::optional<program_paths::Paths> paths;
    return paths;
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

void setSettingsPathOverride(const QString &path) {
    settingsOverride() = path;
    chosenPaths().reset();
}

const program_paths::Paths &paths() {
    if (!chosenPaths()) chosenPaths() = program_paths::choose(program_paths::gather(exeName(), settingsOverride()));
    return *chosenPaths();
}

QString settingsPath() {
    const program_paths::Paths &p = paths();
    // The per-user folder may not exist yet on a first start.
    if (p.settingsFile.startsWith(p.userConfigDir + QLatin1Char('/'))) QDir().mkpath(p.userConfigDir);
    return p.settingsFile;
}

void endNow(int status) {
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}

}  // namespace program
