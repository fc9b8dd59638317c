// Loading and saving the settings file through the real windows: a missing file, a
// full round trip, short and damaged files (nothing applied, a message), and a save
// that fails half way (the old file stays whole).
#include "app/program.h"
#include "app/windows.h"
#include "board/form1.h"
#include "controls/chimei_ctl.h"
#include "controls/m_degit.h"
#include "settings/frm_option.h"
#include "settings/ini_codec.h"
#include "settings/ini_data.h"
#include "settings/ini_file.h"
#include "test_settings_reference.h"
#include "test_settings_support.h"

#include <QDir>
#include <QFile>
#include <QLabel>
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

// The per-digit settings within the ranges the digit displays accept.
DegitSetRecord digitRecord(int i) {
    return {std::int16_t(i % 4), std::int16_t((i + 1) % 4), std::int16_t(i % 5)};
}

}  // namespace

TEST_F(SettingsFile, MissingFileChangesNothingAndSaysNothing) {
    putMarkers();
    const auto from = eventCount();
    mdlIniIo::LoadIni();
    expectMarkers();
    EXPECT_TRUE(eventsSince(from, QStringLiteral("message")).isEmpty());
    const auto loads = eventsSince(from, QStringLiteral("settings"));
    ASSERT_EQ(loads.size(), 1);
    EXPECT_EQ(loads[0].value(QStringLiteral("action")).toString(), QStringLiteral("load"));
    EXPECT_EQ(loads[0].value(QStringLiteral("outcome")).toString(), QStringLiteral("missing"));
    EXPECT_EQ(loads[0].value(QStringLiteral("path")).toString(), path_);
}

TEST_F(SettingsFile, SaveThenLoadBringsEveryHolderBack) {
    const IniData wanted = settings_reference::sample();
    FrmOption *options = frmOption();
    Form1 *board = form1();
    options->SetOptionInfo(wanted);
    for (int i = 1; i <= 32; ++i) {
        const DegitSetRecord r = digitRecord(i);
        board->Degit(i)->setShift(r.Shift);
        board->Degit(i)->setZeroMode(r.ZeroMode);
        board->Degit(i)->setFillZero(r.FillZero);
    }
    board->move(33, 44);
    iniData().CustColors = wanted.CustColors;

    auto from = eventCount();
    mdlIniIo::SaveIni();
    const QByteArray bytes = readFile();
    // The file is exactly the collected record, laid out as the block tables say.
    EXPECT_EQ(bytes.toHex(' '), settings_reference::referenceEncode(iniData()).toHex(' '));
    auto saves = eventsSince(from, QStringLiteral("settings"));
    ASSERT_EQ(saves.size(), 1);
    EXPECT_EQ(saves[0].value(QStringLiteral("outcome")).toString(), QStringLiteral("ok"));
    EXPECT_EQ(saves[0].value(QStringLiteral("bytes")).toInteger(), bytes.size());
    EXPECT_EQ(iniData().form.BoardLeft, 33 * 15);
    EXPECT_EQ(iniData().DegitSet[6], digitRecord(7));

    // Scramble every holder, then load.
    options->SetOptionInfo(IniData());
    for (int i = 1; i <= 32; ++i) {
        board->Degit(i)->setShift(0);
        board->Degit(i)->setZeroMode(0);
        board->Degit(i)->setFillZero(0);
        board->Degit(i)->setValue(123);
    }
    board->move(0, 0);
    iniData() = IniData();

    from = eventCount();
    mdlIniIo::LoadIni();
    EXPECT_TRUE(eventsSince(from, QStringLiteral("message")).isEmpty());
    auto loads = eventsSince(from, QStringLiteral("settings"));
    ASSERT_EQ(loads.size(), 1);
    EXPECT_EQ(loads[0].value(QStringLiteral("outcome")).toString(), QStringLiteral("ok"));
    EXPECT_EQ(loads[0].value(QStringLiteral("bytes")).toInteger(), bytes.size());

    IniData shown;
    options->GetOptionInfo(shown);
    EXPECT_EQ(shown.dataDir, wanted.dataDir);
    EXPECT_EQ(shown.panel, wanted.panel);
    EXPECT_EQ(shown.degit, wanted.degit);
    EXPECT_EQ(shown.chimei, wanted.chimei);
    EXPECT_EQ(shown.sound, wanted.sound);
    EXPECT_EQ(shown.seiriken, wanted.seiriken);
    EXPECT_EQ(iniData().CustColors, wanted.CustColors);
    EXPECT_EQ(board->pos(), QPoint(33, 44));
    for (int i = 1; i <= 32; ++i) {
        const M_Degit *d = board->Degit(i);
        const DegitSetRecord r = digitRecord(i);
        EXPECT_EQ(d->Shift(), r.Shift) << i;
        EXPECT_EQ(d->ZeroMode(), r.ZeroMode) << i;
        EXPECT_EQ(d->FillZero(), r.FillZero) << i;
        EXPECT_EQ(d->Value().toString(), QStringLiteral(" ")) << i;
        EXPECT_EQ(d->BackColor(), wanted.degit.DegitBackColor);
        EXPECT_EQ(d->DegitForeColor(), wanted.degit.DegitLitColor);
    }
    EXPECT_EQ(board->TimeDegit(1)->BaseForeColor(), wanted.degit.DegitBaseColor);
    EXPECT_EQ(board->ChimeiCtl()->BackColor(), wanted.chimei.ChimeiBackColor);
    EXPECT_EQ(board->ChimeiCtl()->FontMode(), wanted.chimei.ChimeiFontMode);
    // SetProp ran last: labels shown, numbered in style 11 with the zero prefix.
    EXPECT_FALSE(board->lblSeiriNum(3)->isHidden());
    EXPECT_EQ(board->lblSeiriNum(1)->text(), QString());
    EXPECT_EQ(board->lblSeiriNum(3)->text(), QStringLiteral("０３"));

    // A second save with shorter strings leaves no stale bytes behind.
    options->SetOptionInfo(IniData());
    mdlIniIo::SaveIni();
    EXPECT_EQ(readFile().size(), inicodec::kEmptyFileSize + iniData().seiriken.FixedDate.size());
}

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
        int code;
        const char *outcome;
    };
    const std::vector<Case> cases = {
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
        else writeFile(c.bytes);
        putMarkers();
        const IniData before = iniData();
        const auto from = eventCount();
        {
            ModalAnswerer answer;
            mdlIniIo::LoadIni();
        }
        expectMarkers();
        EXPECT_EQ(iniData(), before);

        const auto messages = eventsSince(from, QStringLiteral("message"));
        ASSERT_EQ(messages.size(), 1);
        const QString text = messages[0].value(QStringLiteral("text")).toString();
        EXPECT_TRUE(text.startsWith(QStringLiteral("エラー Code:%1\r\n内容:").arg(c.code))) << text.toStdString();
        EXPECT_TRUE(text.endsWith(QStringLiteral("\r\nモジュール:mdlIniIo.LoadIni()"))) << text.toStdString();
        EXPECT_TRUE(text.contains(path_));
        EXPECT_EQ(messages[0].value(QStringLiteral("title")).toString(), program::title());
        const auto loads = eventsSince(from, QStringLiteral("settings"));
        ASSERT_EQ(loads.size(), 1);
        EXPECT_EQ(loads[0].value(QStringLiteral("outcome")).toString(), QLatin1String(c.outcome));
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
