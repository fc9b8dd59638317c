// Where the program keeps its files, given the folders it finds.
#include "base/program_paths.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using program_paths::Facts;

namespace {

Facts facts(bool writable, const QString &installedDemo, const QString &override = QString()) {
    return {QStringLiteral("207_000"), QStringLiteral("/opt/m/bin"), writable, installedDemo, QStringLiteral("/h/.config"),
            QStringLiteral("/h/.local/share"), override};
}

}  // namespace

TEST(ProgramPaths, SettingsFileAndFirstStartByWhereTheProgramRuns) {
    const QString demo = QStringLiteral("/opt/m/share/mitra/demo");
    struct Case {
        const char *what;
        Facts facts;
        const char *settings;
        bool demoOnFirstStart;
    } cases[] = {
        {"own folder, writable: beside the executable", facts(true, {}), "/opt/m/bin/207_000.in4", false},
        {"own folder, read-only: per-user", facts(false, {}), "/h/.config/mitra/207_000.in4", false},
        {"installed, folder writable (a prefix in the home)", facts(true, demo), "/h/.config/mitra/207_000.in4", true},
        {"installed, read-only", facts(false, demo), "/h/.config/mitra/207_000.in4", true},
        {"--settings wins, and an installed program then starts as told", facts(false, demo, "/t/s.in4"), "/t/s.in4", false},
        {"--settings in a writable own folder", facts(true, {}, "/t/s.in4"), "/t/s.in4", false},
    };
    for (const Case &c : cases) {
        const program_paths::Paths p = program_paths::choose(c.facts);
        EXPECT_EQ(p.settingsFile, QLatin1String(c.settings)) << c.what;
        EXPECT_EQ(p.demoOnFirstStart, c.demoOnFirstStart) << c.what;
        EXPECT_EQ(p.demoDir, c.facts.installedDemo) << c.what;
        EXPECT_EQ(p.userConfigDir, QStringLiteral("/h/.config/mitra")) << c.what;
        EXPECT_EQ(p.userRoutesDir, QStringLiteral("/h/.local/share/mitra/routes")) << c.what;
    }
    Facts other = facts(true, {});
    other.exeName = QStringLiteral("207_001");  // the model number names the file
    EXPECT_EQ(program_paths::choose(other).settingsFile, QStringLiteral("/opt/m/bin/207_001.in4"));
}

TEST(ProgramPaths, XdgBaseTakesOnlyAnAbsoluteVariable) {
    const char *cases[][3] = {{"/x/cfg/", "/.config", "/x/cfg"}, {"", "/.config", "/h/.config"}, {"rel/cfg", "/.local/share", "/h/.local/share"}};
    for (const auto &[variable, fallback, base] : cases)
        EXPECT_EQ(program_paths::xdgBase(QLatin1String(variable), QStringLiteral("/h"), QLatin1String(fallback)), QLatin1String(base)) << variable;
}

TEST(ProgramPaths, InstalledDemoIsFoundFromTheExecutableOnly) {
    QTemporaryDir dir;
    const QDir root(dir.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("usr/bin")));
    const QString bin = root.filePath(QStringLiteral("usr/bin"));
    EXPECT_EQ(program_paths::installedDemoDir(bin, QStringLiteral("../share/mitra")), QString()) << "nothing installed";
    ASSERT_TRUE(root.mkpath(QStringLiteral("usr/share/mitra/demo")));
    EXPECT_EQ(program_paths::installedDemoDir(bin, QStringLiteral("../share/mitra")), root.filePath(QStringLiteral("usr/share/mitra/demo")));
    EXPECT_EQ(program_paths::installedDemoDir(bin, QStringLiteral("../lib/mitra")), QString()) << "another data folder";
}
