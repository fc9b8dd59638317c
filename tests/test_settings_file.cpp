// Loading and saving the settings file through the real windows: missing and damaged
// files apply nothing, and a save that fails half way leaves the old file whole.
#include "app/settings_file.h"
#include "base/program.h"
#include "test_windows.h"
#include "board/form1.h"
#include "widgets/chimei_ctl.h"
#include "widgets/m_degit.h"
#include "options/frm_option.h"
#include "core/ini_codec.h"
#include "core/ini_data.h"
#include "test_settings_reference.h"
#include "file_bytes.h"
#include "program_run.h"
#include "test_settings_support.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/resource.h>
#include <unistd.h>

using settings_test::eventCount;
using settings_test::eventsSince;
using settings_test::ModalAnswerer;

namespace {

class SettingsFile : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("207_000.in4"));
        program::setSettingsPathOverride(path_);
    }
    void TearDown() override {
        program::setSettingsPathOverride(QString());
        testOptions()->takeOptionBlocks(IniData());
        testOptions()->applyToWindows();
        testSettings().setRecord(IniData());
    }
    void writeFile(const QByteArray &bytes) { writeBytes(path_, bytes); }
    // Loading and saving as the program does, its message boxes answered.
    static void load() {
        ModalAnswerer answer;
        settings_file::load(testSettings());
    }
    static void save() {
        ModalAnswerer answer;
        testApp().saveSettings();
    }
    // The one settings event recorded since `from`.
    static QJsonObject onlySettingsEvent(qsizetype from) {
        const auto all = eventsSince(from, QStringLiteral("settings"));
        EXPECT_EQ(all.size(), 1);
        return all.value(0);
    }
    QByteArray readFile() {
        QFile f(path_);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Something recognisable in each kind of holder, to see that it stays.
    void putMarkers() {
        testOptions()->findChild<QLineEdit *>(QStringLiteral("Text2(0)"))->setText(QStringLiteral("marker"));
        testBoard()->fareDisplay(1)->setBackColor(RGB(1, 2, 3));
        testBoard()->stopStrip()->setForeColor(RGB(4, 5, 6));
        auto colours = testSettings().custColors();
        colours[3] = 0x123456;
        testSettings().setCustColors(colours);
    }
    void expectMarkers() {
        EXPECT_EQ(testSettings().fareDataDir(), QStringLiteral("marker"));
        EXPECT_EQ(testBoard()->fareDisplay(1)->BackColor(), RGB(1, 2, 3));
        EXPECT_EQ(testBoard()->stopStrip()->ForeColor(), RGB(4, 5, 6));
        EXPECT_EQ(testSettings().custColors()[3], 0x123456u);
    }

    QTemporaryDir dir_;
    QString path_;
};

}  // namespace

TEST_F(SettingsFile, DamagedOrUnreadableFilesApplyNothingAndDamagedOnesAreKept) {
    IniData badList = settings_reference::sample();
    badList.sound.StepColumn = 150;

    struct Case {
        const char *what;
        QByteArray bytes;
        int code;  // of the message; 0: silent
        const char *outcome;
        const char *kept;  // the copy a refused file leaves beside itself
    };
    // The decoder's own refusals are tested with the codec; here, what the program does with them.
    const std::vector<Case> cases = {
        {"missing", QByteArray(), 0, "missing", nullptr},
        {"empty", QByteArray(), 62, "corrupt", ".damaged"},
        {"list position", inicodec::encode(badList), 380, "corrupt", ".damaged.2"},
        {"a folder", QByteArray(), 75, "error", nullptr},
        {"a FIFO", QByteArray(), 75, "error", nullptr},
        {"a link to a device", QByteArray(), 75, "error", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(path_);
        const QByteArray what(c.what);
        if (what == "a folder") ASSERT_TRUE(QDir().mkpath(path_));
        else if (what == "a FIFO") ASSERT_EQ(mkfifo(QFile::encodeName(path_).constData(), 0600), 0);
        else if (what == "a link to a device") ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path_));
        else if (c.code) writeFile(c.bytes);
        putMarkers();
        const IniData before = testSettings().record();
        const auto from = eventCount();
        load();
        expectMarkers();
        EXPECT_EQ(testSettings().record(), before);

        expectHas(onlySettingsEvent(from), {{"outcome", c.outcome}, {"path", path_}});
        const auto messages = eventsSince(from, QStringLiteral("message"));
        ASSERT_EQ(messages.size(), c.code ? 1 : 0);
        if (!c.code) continue;
        const QString text = messages[0].value(QStringLiteral("text")).toString();
        EXPECT_TRUE(text.startsWith(QStringLiteral("エラー Code:%1\r\n内容:").arg(c.code))) << text.toStdString();
        EXPECT_TRUE(text.endsWith(QStringLiteral("\r\nモジュール:mdlIniIo.LoadIni()"))) << text.toStdString();
        EXPECT_TRUE(text.contains(path_));
        EXPECT_EQ(messages[0].value(QStringLiteral("title")).toString(), program::title());
        // A damaged file is kept beside itself under a name no earlier copy has.
        const QString kept = c.kept ? path_ + QLatin1String(c.kept) : QString();
        EXPECT_EQ(text.contains(QStringLiteral(".damaged")), c.kept != nullptr);
        if (c.kept) {
            EXPECT_TRUE(text.contains(kept)) << text.toStdString();
            QFile copy(kept);
            ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
            EXPECT_EQ(copy.readAll(), c.bytes);
        }
        QDir(path_).removeRecursively();
    }
}

TEST_F(SettingsFile, OnlyTheFormatsLargestFileIsRead) {
    // Every string at its longest: exactly the largest file the format allows.
    IniData longest;
    const QString full(0xFFFF, QLatin1Char('x'));
    longest.dataDir = {full, full};
    for (QString &f : longest.panel.PanelFile) f = full;
    for (QString *s : {&longest.sound.RouteSetSound, &longest.sound.ResetSound, &longest.sound.StepSound,
                       &longest.sound.StepSound1, &longest.sound.StepSound2, &longest.sound.StepSound3,
                       &longest.sound.TapeSound, &longest.sound.TapeSound1, &longest.sound.TapeSound2,
                       &longest.sound.TapeSound3, &longest.seiriken.SeiriPlgPath, &longest.seiriken.FixedDate})
        *s = full;
    EXPECT_EQ(inicodec::encode(longest).size(), inicodec::kMaxFileSize);

    // A good record followed by half a gigabyte (sparse) is read up to that size only.
    writeFile(inicodec::encode(settings_reference::sample()));
    ASSERT_TRUE(QFile::resize(path_, 512LL << 20));
    const auto from = eventCount();
    settings_file::load(testSettings());
    expectHas(onlySettingsEvent(from), {{"outcome", "ok"}, {"bytes", qint64(inicodec::kMaxFileSize)}});
}

// A huge damaged file (sparse) is kept as the bytes that were read, and only a few
// copies are kept however often it is refused.
TEST_F(SettingsFile, DamagedCopiesAreBoundedInSizeAndNumber) {
    IniData badList = settings_reference::sample();
    badList.sound.StepColumn = 150;
    writeFile(inicodec::encode(badList));
    ASSERT_TRUE(QFile::resize(path_, 300LL << 20));
    const auto from = eventCount();
    for (int start = 0; start < 5; ++start) load();
    const auto loads = eventsSince(from, QStringLiteral("settings"));
    ASSERT_EQ(loads.size(), 5);
    EXPECT_EQ(loads.last().value(QStringLiteral("outcome")).toString(), QStringLiteral("corrupt"));
    const QStringList copies = QDir(dir_.path()).entryList({QStringLiteral("*.damaged*")}, QDir::Files, QDir::Name);
    EXPECT_EQ(copies, QStringList({"207_000.in4.damaged", "207_000.in4.damaged.2", "207_000.in4.damaged.3"}));
    for (const QString &name : copies) EXPECT_EQ(QFileInfo(dir_.filePath(name)).size(), inicodec::kMaxFileSize) << qPrintable(name);
}

TEST_F(SettingsFile, FailedSaveLeavesTheOldFileWhole) {
    const QByteArray old = inicodec::encode(settings_reference::sample());
    writeFile(old);
    testOptions()->takeOptionBlocks(IniData());

    // Let no file grow past 100 bytes: the new file fails half written.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 100;
    auto *oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto from = eventCount();
    save();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(readFile(), old);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("207_000.in4")});
    const auto messages = eventsSince(from, QStringLiteral("message"));
    ASSERT_EQ(messages.size(), 1);
    const QString text = messages[0].value(QStringLiteral("text")).toString();
    EXPECT_TRUE(text.startsWith(QStringLiteral("エラー Code:61\r\n内容:"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("以前の設定ファイルはそのまま残っています。")));
    EXPECT_FALSE(text.contains(QStringLiteral("モジュール")));
    expectHas(onlySettingsEvent(from), {{"outcome", "error"}});

    // With the limit lifted the same save goes through.
    testApp().saveSettings();
    EXPECT_EQ(readFile().size(), inicodec::kEmptyFileSize + testSettings().seiriken().FixedDate.size());

    // A folder that takes no new file, over a file that may be written: written in place.
    testOptions()->findChild<QLineEdit *>(QStringLiteral("Text2(0)"))->setText(QStringLiteral("in place"));
    const bool root = geteuid() == 0;
    const QStringList lock = {root ? QStringLiteral("+i") : QString(), dir_.path()};
    ASSERT_EQ(root ? QProcess::execute(QStringLiteral("chattr"), lock) : chmod(QFile::encodeName(dir_.path()), 0555), 0);
    const auto before = eventCount();
    save();
    if (root) QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), dir_.path()});
    else chmod(QFile::encodeName(dir_.path()), 0755);
    EXPECT_TRUE(eventsSince(before, QStringLiteral("message")).isEmpty());
    EXPECT_TRUE(readFile().startsWith(QByteArray("\x08\x00in place", 10)));
}
