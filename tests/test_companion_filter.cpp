#include "companion/companion.h"
#include "companion/file_filter.h"

#include <QSysInfo>
#include <gtest/gtest.h>

namespace {

QString nul(const char *text) {
    // "|" stands for the NUL character, which a string literal cannot carry through QString.
    return QString::fromUtf8(text).replace(QLatin1Char('|'), QChar(u'\0'));
}

}  // namespace

TEST(CompanionFileFilter, ReadsDescriptionAndPatternPairs) {
    const auto f = parseFileFilter(nul("Waveサウンド(*.wav)|*.wav|MP3サウンド(*.mp3)|*.mp3|MIDIシーケンス(*.mid)|*.mid||"));
    ASSERT_EQ(f.size(), 3);
    EXPECT_EQ(f[0], (FileFilter{QStringLiteral("Waveサウンド(*.wav)"), {QStringLiteral("*.wav")}}));
    EXPECT_EQ(f[2], (FileFilter{QStringLiteral("MIDIシーケンス(*.mid)"), {QStringLiteral("*.mid")}}));
    EXPECT_EQ(qtNameFilters(f),
              (QStringList{QStringLiteral("Waveサウンド(*.wav) (*.wav)"), QStringLiteral("MP3サウンド(*.mp3) (*.mp3)"),
                           QStringLiteral("MIDIシーケンス(*.mid) (*.mid)")}));
}

TEST(CompanionFileFilter, MalformedListsGiveWhatIsUsable) {
    const FileFilter plugin{QStringLiteral("整理券プラグイン(*.4SP)"), {QStringLiteral("*.4SP")}};
    // Final NUL missing, or both missing.
    EXPECT_EQ(parseFileFilter(nul("整理券プラグイン(*.4SP)|*.4SP|")), QList<FileFilter>{plugin});
    EXPECT_EQ(parseFileFilter(nul("整理券プラグイン(*.4SP)|*.4SP")), QList<FileFilter>{plugin});
    // An odd number of parts: the description without a pattern is dropped.
    EXPECT_EQ(parseFileFilter(nul("整理券プラグイン(*.4SP)|*.4SP|画像|")), QList<FileFilter>{plugin});
    EXPECT_EQ(parseFileFilter(nul("画像")), QList<FileFilter>{});
    // The list ends at the first empty entry, as the double NUL marks the end.
    EXPECT_EQ(parseFileFilter(nul("整理券プラグイン(*.4SP)|*.4SP||B|*.b||")), QList<FileFilter>{plugin});
    EXPECT_EQ(parseFileFilter(nul("A||B|*.b||")), QList<FileFilter>{});
    EXPECT_EQ(parseFileFilter(nul("|*.b||")), QList<FileFilter>{});
    EXPECT_EQ(parseFileFilter(QString()), QList<FileFilter>{});
    EXPECT_EQ(parseFileFilter(nul("||")), QList<FileFilter>{});
    // A pattern made only of spaces or parentheses is no pattern.
    EXPECT_EQ(parseFileFilter(nul("A| ( ) |")), QList<FileFilter>{});
    // Without a usable filter the chooser still offers every file.
    EXPECT_EQ(qtNameFilters({}), QStringList{QStringLiteral("すべてのファイル (*)")});
}

TEST(CompanionFileFilter, PatternListsAreNormalised) {
    const auto f = parseFileFilter(nul("画像|*.bmp;*.dib; *.BMP ;*.bmp|すべて|*.*|括弧|(*.x)||"));
    ASSERT_EQ(f.size(), 3);
    EXPECT_EQ(f[0].patterns, (QStringList{QStringLiteral("*.bmp"), QStringLiteral("*.dib"), QStringLiteral("*.BMP")}));
    EXPECT_EQ(f[1].patterns, QStringList{QStringLiteral("*")});  // files without a dot too
    EXPECT_EQ(f[2].patterns, QStringList{QStringLiteral("*.x")});
    EXPECT_EQ(qtNameFilters(f).first(), QStringLiteral("画像 (*.bmp *.dib *.BMP)"));
    // A line break in a description would split the dialog's list entry.
    EXPECT_EQ(qtNameFilters(parseFileFilter(nul("a\r\nb|*.a||"))).first(), QStringLiteral("a  b (*.a)"));
}

TEST(CompanionOsInfo, NamesTheSystem) {
    EXPECT_FALSE(GetOsInfo().isEmpty());
    EXPECT_EQ(GetOsInfo(), QSysInfo::prettyProductName());
}
