#include "companion/companion.h"
#include "test_companion_support.h"

#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QJsonArray>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>

using namespace companion_test;

namespace {

CustomColors sampleTable() {
    CustomColors t{};
    for (int i = 0; i < 17; ++i) t[i] = RGB(i * 10, 255 - i * 10, i * 3);
    t[3] = 0x80000005u;  // a stored value with a high byte: kept while its colour is untouched
    t[16] = 0x00ABCDEFu;
    return t;
}

}  // namespace

TEST(CompanionColorDialog, ChosenColourComesBackAndCancelKeepsIt) {
    COLORREF rgb = RGB(10, 20, 30);
    CustomColors table = sampleTable();
    QColor startedAt;
    QColor customShown;
    onNextDialog([&](QWidget *d) {
        EXPECT_EQ(d->objectName(), QStringLiteral("Qv3ChooseColor"));
        startedAt = qobject_cast<QColorDialog *>(d)->currentColor();
        customShown = QColorDialog::customColor(5);
        auto *html = d->findChild<QLineEdit *>(QStringLiteral("Html"));
        ASSERT_NE(html, nullptr);
        html->setText(QStringLiteral("#123456"));  // as a script sets it, without typing
        press(d, "OK");
    });
    EXPECT_NE(Qv3ChooseColor(nullptr, rgb, table), 0);
    EXPECT_EQ(startedAt, QColor(10, 20, 30));
    EXPECT_EQ(customShown, QColor(50, 205, 15));
    EXPECT_EQ(rgb, RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(table, sampleTable());  // nothing edited: the table is exactly as it was
    EXPECT_EQ(lastEvent().value("dialog").toString(), QStringLiteral("Qv3ChooseColor"));
    EXPECT_EQ(lastEvent().value("value").toString(), QStringLiteral("#123456"));

    onNextDialog([](QWidget *d) {
        d->findChild<QSpinBox *>(QStringLiteral("Red"))->setValue(200);
        press(d, "Cancel");
    });
    EXPECT_EQ(Qv3ChooseColor(nullptr, rgb, table), 0);
    EXPECT_EQ(rgb, RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(lastEvent().value("answer").toString(), QStringLiteral("Cancel"));

    // The spin boxes are named too; a half-typed colour in the HTML field changes nothing.
    onNextDialog([](QWidget *d) {
        d->findChild<QSpinBox *>(QStringLiteral("Green"))->setValue(255);
        d->findChild<QLineEdit *>(QStringLiteral("Html"))->setText(QStringLiteral("#12"));
        press(d, "OK");
    });
    EXPECT_NE(Qv3ChooseColor(nullptr, rgb, table), 0);
    EXPECT_EQ(rgb, RGB(0x12, 0xFF, 0x56));
}

TEST(CompanionColorDialog, CustomColoursTheUserSetAreWrittenIntoTheTable) {
    COLORREF rgb = RGB(1, 2, 3);
    CustomColors table = sampleTable();
    onNextDialog([](QWidget *d) {
        // What "作成した色に追加" and the custom colour well do underneath.
        QColorDialog::setCustomColor(0, QColor(9, 8, 7));
        QColorDialog::setCustomColor(15, QColor(255, 0, 255));
        press(d, "Cancel");
    });
    EXPECT_EQ(Qv3ChooseColor(nullptr, rgb, table), 0);
    CustomColors expected = sampleTable();
    expected[0] = RGB(9, 8, 7);
    expected[15] = RGB(255, 0, 255);
    EXPECT_EQ(table, expected);  // kept although no colour was chosen; entry 17 untouched
    EXPECT_EQ(rgb, RGB(1, 2, 3));

    // The next chooser starts from the table, not from what an earlier one left behind.
    CustomColors other{};
    QColor first;
    onNextDialog([&](QWidget *d) {
        first = QColorDialog::customColor(0);
        press(d, "OK");
    });
    EXPECT_NE(Qv3ChooseColor(nullptr, rgb, other), 0);
    EXPECT_EQ(first, QColor(0, 0, 0));
    EXPECT_EQ(other, CustomColors{});
}

TEST(CompanionFileDialog, ChoosesAFileUnderTheCallersFilters) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString chime = dir.filePath(QStringLiteral("CHIME.WAV"));
    QFile f(chime);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    QStringList filters;
    bool caseSensitive = true;
    QString title, openCaption, okCaption;
    onNextDialog([&](QWidget *d) {
        auto *fd = qobject_cast<QFileDialog *>(d);
        ASSERT_NE(fd, nullptr);
        EXPECT_EQ(d->objectName(), QStringLiteral("Qv3FileDlg"));
        EXPECT_TRUE(fd->testOption(QFileDialog::DontUseNativeDialog));
        filters = fd->nameFilters();
        caseSensitive = fd->filter().testFlag(QDir::CaseSensitive);
        title = d->windowTitle();
        d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(chime);
        okCaption = d->findChild<QAbstractButton *>(QStringLiteral("OK"))->text();
        press(d, "OK");
    });
    const QString filter = QStringLiteral("Waveサウンド(*.wav)") + QChar(u'\0') + QStringLiteral("*.wav") + QChar(u'\0') +
                           QStringLiteral("MP3サウンド(*.mp3)") + QChar(u'\0') + QStringLiteral("*.mp3") + QChar(u'\0') +
                           QChar(u'\0');
    EXPECT_EQ(Qv3FileDlg(nullptr, 0, filter, QString(), QStringLiteral("サウンドの選択")), chime);
    EXPECT_EQ(filters, (QStringList{QStringLiteral("Waveサウンド(*.wav) (*.wav)"),
                                    QStringLiteral("MP3サウンド(*.mp3) (*.mp3)")}));
    EXPECT_FALSE(caseSensitive);
    EXPECT_EQ(title, QStringLiteral("サウンドの選択"));
    EXPECT_EQ(okCaption, QStringLiteral("OK"));
    EXPECT_EQ(lastEvent().value("value").toString(), chime);
    EXPECT_EQ(lastEvent().value("answer").toString(), QStringLiteral("OK"));

    // The next chooser opens where the last choice was made; cancel gives nothing.
    QString openedIn;
    onNextDialog([&](QWidget *d) {
        openedIn = qobject_cast<QFileDialog *>(d)->directory().absolutePath();
        // With a folder named, the button opens that folder and says so.
        d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(dir.path());
        openCaption = d->findChild<QAbstractButton *>(QStringLiteral("OK"))->text();
        press(d, "Cancel");
    });
    EXPECT_EQ(Qv3FileDlg(nullptr, 0, QString(), QString(), QStringLiteral("x")), QString());
    EXPECT_EQ(openedIn, QDir(dir.path()).absolutePath());
    EXPECT_EQ(openCaption, QStringLiteral("開く(&O)"));
    EXPECT_EQ(lastEvent().value("answer").toString(), QStringLiteral("Cancel"));
    EXPECT_EQ(lastEvent().value("value").toString(), QString());
}

TEST(CompanionFolderDialog, ChoosesAFolderWithThePromptAsTitle) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString sub = dir.filePath(QStringLiteral("音声"));
    ASSERT_TRUE(QDir().mkpath(sub));
    QString title;
    onNextDialog([&](QWidget *d) {
        EXPECT_EQ(d->objectName(), QStringLiteral("Qv3FolderDlg"));
        title = d->windowTitle();
        d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(sub);
        press(d, "OK");
    });
    EXPECT_EQ(Qv3FolderDlg(nullptr, QStringLiteral("フォルダーを選択してください")), sub);
    EXPECT_EQ(title, QStringLiteral("フォルダーを選択してください"));
    EXPECT_EQ(lastEvent().value("dialog").toString(), QStringLiteral("Qv3FolderDlg"));

    onNextDialog([](QWidget *d) { press(d, "Cancel"); });
    EXPECT_EQ(Qv3FolderDlg(nullptr, QStringLiteral("フォルダーを選択してください")), QString());
}
