// Loading and saving the settings file through the real windows: missing, short and
// damaged files (nothing applied), and a save that fails half way (the old file
// stays whole). The full round trip is proven through the real program.
#include "app/ini_file.h"
#include "app/program.h"
#include "app/windows.h"
#include "board/form1.h"
#include "controls/chimei_ctl.h"
#include "controls/m_degit.h"
#include "settings/frm_option.h"
#include "settings/ini_codec.h"
#include "settings/ini_data.h"
#include "test_settings_reference.h"
#include "test_settings_support.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

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
        frmOption()->SetOptionInfo(IniData());
        frmOption()->SetProp();
        iniData() = IniData();
    }
    void writeFile(const QByteArray &bytes) {
        QFile f(path_);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readFile() {
        QFile f(path_);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Something recognisable in each kind of holder, to see that it stays.
    void putMarkers() {
        frmOption()->findChild<QLineEdit *>(QStringLiteral("Text2(0)"))->setText(QStringLiteral("marker"));
        form1()->Degit(1)->setBackColor(RGB(1, 2, 3));
        form1()->ChimeiCtl()->setForeColor(RGB(4, 5, 6));
        iniData().CustColors[3] = 0x123456;
    }
    void expectMarkers() {
        EXPECT_EQ(frmOption()->fareDataDir(), QStringLiteral("marker"));
        EXPECT_EQ(form1()->Degit(1)->BackColor(), RGB(1, 2, 3));
        EXPECT_EQ(form1()->ChimeiCtl()->ForeColor(), RGB(4, 5, 6));
        EXPECT_EQ(iniData().CustColors[3], 0x123456u);
    }

    QTemporaryDir dir_;
    QString path_;
};

}  // namespace

TEST_F(SettingsFile, ShortDamagedOrUnreadableFilesApplyNothing) {
    const QByteArray good = settings_reference::referenceEncode(settings_reference::sample());
    QByteArray overrun = good;
    overrun[0] = char(0xFF);
    overrun[1] = char(0xFF);
    IniData badList = settings_reference::sample();
    badList.sound.StepColumn = 150;

    struct Case {
        const char *what;
        QByteArray bytes;
        int code;  // of the message; 0: silent
        const char *outcome;
    };
    const std::vector<Case> cases = {
        {"missing", QByteArray(), 0, "missing"},
        {"short", good.left(300), 62, "corrupt"},
        {"empty", QByteArray(), 62, "corrupt"},
        {"string past the end", overrun, 62, "corrupt"},
        {"list position", settings_reference::referenceEncode(badList), 380, "corrupt"},
        {"a folder", QByteArray(), 75, "error"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(path_);
        if (QByteArray(c.what) == "a folder") ASSERT_TRUE(QDir().mkpath(path_));
        else if (c.code) writeFile(c.bytes);
        putMarkers();
        const IniData before = iniData();
        const auto from = eventCount();
        {
            ModalAnswerer answer;
            mdlIniIo::LoadIni();
        }
        expectMarkers();
        EXPECT_EQ(iniData(), before);

        const auto loads = eventsSince(from, QStringLiteral("settings"));
        ASSERT_EQ(loads.size(), 1);
        EXPECT_EQ(loads[0].value(QStringLiteral("outcome")).toString(), QLatin1String(c.outcome));
        EXPECT_EQ(loads[0].value(QStringLiteral("path")).toString(), path_);
        const auto messages = eventsSince(from, QStringLiteral("message"));
        ASSERT_EQ(messages.size(), c.code ? 1 : 0);
        if (!c.code) continue;
        const QString text = messages[0].value(QStringLiteral("text")).toString();
        EXPECT_TRUE(text.startsWith(QStringLiteral("エラー Code:%1\r\n内容:").arg(c.code))) << text.toStdString();
        EXPECT_TRUE(text.endsWith(QStringLiteral("\r\nモジュール:mdlIniIo.LoadIni()"))) << text.toStdString();
        EXPECT_TRUE(text.contains(path_));
        EXPECT_EQ(messages[0].value(QStringLiteral("title")).toString(), program::title());
        QDir(path_).removeRecursively();
    }
}

TEST_F(SettingsFile, FailedSaveLeavesTheOldFileWhole) {
    const QByteArray old = settings_reference::referenceEncode(settings_reference::sample());
    writeFile(old);
    frmOption()->SetOptionInfo(IniData());

    // Let no file grow past 100 bytes: the new file fails half written.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 100;
    auto *oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto from = eventCount();
    {
        ModalAnswerer answer;
        mdlIniIo::SaveIni();
    }
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
    const auto saves = eventsSince(from, QStringLiteral("settings"));
    ASSERT_EQ(saves.size(), 1);
    EXPECT_EQ(saves[0].value(QStringLiteral("outcome")).toString(), QStringLiteral("error"));

    // With the limit lifted the same save goes through.
    mdlIniIo::SaveIni();
    EXPECT_EQ(readFile().size(), inicodec::kEmptyFileSize + iniData().seiriken.FixedDate.size());
}
