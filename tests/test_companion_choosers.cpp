#include "companion/companion.h"
#include "file_bytes.h"
#include "test_companion_support.h"

#include <QColorDialog>
#include <QFileDialog>
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

TEST(CompanionColorDialog, ChosenColourAndTheCustomColoursComeBack) {
    COLORREF rgb = RGB(10, 20, 30);
    CustomColors table = sampleTable();
    QColor startedAt, customShown;
    onNextDialog([&](QWidget *d) {
        startedAt = qobject_cast<QColorDialog *>(d)->currentColor();
        customShown = QColorDialog::customColor(5);
        d->findChild<QLineEdit *>(QStringLiteral("Html"))->setText(QStringLiteral("#123456"));  // as a script sets it
        press(d, "OK");
    });
    EXPECT_NE(Qv3ChooseColor(nullptr, rgb, table), 0);
    EXPECT_EQ(startedAt, QColor(10, 20, 30));
    EXPECT_EQ(customShown, QColor(50, 205, 15));
    EXPECT_EQ(rgb, RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(table, sampleTable());  // nothing edited: the table is exactly as it was

    // Cancel keeps the colour, but custom colours the user set are written into the table.
    onNextDialog([](QWidget *d) {
        d->findChild<QSpinBox *>(QStringLiteral("Red"))->setValue(200);
        QColorDialog::setCustomColor(0, QColor(9, 8, 7));
        QColorDialog::setCustomColor(15, QColor(255, 0, 255));
        press(d, "Cancel");
    });
    EXPECT_EQ(Qv3ChooseColor(nullptr, rgb, table), 0);
    EXPECT_EQ(rgb, RGB(0x12, 0x34, 0x56));
    CustomColors expected = sampleTable();
    expected[0] = RGB(9, 8, 7);
    expected[15] = RGB(255, 0, 255);
    EXPECT_EQ(table, expected);  // entry 17 untouched

    // The next chooser starts from its table, not from what an earlier one left
    // behind; a half-typed colour in the HTML field changes nothing.
    CustomColors other{};
    QColor first;
    onNextDialog([&](QWidget *d) {
        first = QColorDialog::customColor(0);
        d->findChild<QSpinBox *>(QStringLiteral("Green"))->setValue(255);
        d->findChild<QLineEdit *>(QStringLiteral("Html"))->setText(QStringLiteral("#12"));
        press(d, "OK");
    });
    EXPECT_NE(Qv3ChooseColor(nullptr, rgb, other), 0);
    EXPECT_EQ(first, QColor(0, 0, 0));
    EXPECT_EQ(other, CustomColors{});
    EXPECT_EQ(rgb, RGB(0x12, 0xFF, 0x56));
}

TEST(CompanionFileDialog, ChoosesAFileUnderTheCallersFilters) {
    QTemporaryDir dir;
    const QString chime = dir.filePath(QStringLiteral("CHIME.WAV"));
    writeBytes(chime, QByteArray());

    bool caseSensitive = true;
    QString title, openCaption, okCaption;
    onNextDialog([&](QWidget *d) {
        auto *fd = qobject_cast<QFileDialog *>(d);
        ASSERT_NE(fd, nullptr);
        caseSensitive = fd->filter().testFlag(QDir::CaseSensitive);
        title = d->windowTitle();
        d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(chime);
        okCaption = d->findChild<QAbstractButton *>(QStringLiteral("OK"))->text();
        press(d, "OK");
    });
    const QString filter = QStringLiteral("Waveサウンド(*.wav)|*.wav|MP3サウンド(*.mp3)|*.mp3||").replace(u'|', QChar(u'\0'));
    EXPECT_EQ(Qv3FileDlg(nullptr, 0, filter, QString(), QStringLiteral("サウンドの選択")), chime);
    // (How the filter list reads is the filter parser's own test.)
    EXPECT_FALSE(caseSensitive);
    EXPECT_EQ(std::pair(title, okCaption), std::pair(QStringLiteral("サウンドの選択"), QStringLiteral("OK")));

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
}

TEST(CompanionFolderDialog, ChoosesAFolderWithThePromptAsTitle) {
    QTemporaryDir dir;
    const QString sub = dir.filePath(QStringLiteral("音声"));
    ASSERT_TRUE(QDir().mkpath(sub));
    QString title;
    onNextDialog([&](QWidget *d) {
        title = d->windowTitle();
        d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(sub);
        press(d, "OK");
    });
    EXPECT_EQ(Qv3FolderDlg(nullptr, QStringLiteral("フォルダーを選択してください")), sub);
    EXPECT_EQ(title, QStringLiteral("フォルダーを選択してください"));

    onNextDialog([](QWidget *d) { press(d, "Cancel"); });
    EXPECT_EQ(Qv3FolderDlg(nullptr, QStringLiteral("フォルダーを選択してください")), QString());
}
