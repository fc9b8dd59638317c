#include "companion/file_filter.h"

#include <gtest/gtest.h>

namespace {

QString nul(const char *text) {
    // "|" stands for the NUL character, which a string literal cannot carry through QString.
    return QString::fromUtf8(text).replace(QLatin1Char('|'), QChar(u'\0'));
}

}  // namespace

TEST(CompanionFileFilter, ReadsDescriptionAndPatternPairsAndNormalisesPatterns) {
    const auto f = parseFileFilter(nul("Waveサウンド(*.wav)|*.wav|MIDIシーケンス(*.mid)|*.mid||"));
    ASSERT_EQ(f.size(), 2);
    EXPECT_EQ(f[1], (FileFilter{QStringLiteral("MIDIシーケンス(*.mid)"), {QStringLiteral("*.mid")}}));
    EXPECT_EQ(qtNameFilters(f), (QStringList{QStringLiteral("Waveサウンド(*.wav) (*.wav)"),
                                             QStringLiteral("MIDIシーケンス(*.mid) (*.mid)")}));

    const auto g = parseFileFilter(nul("画像|*.bmp;*.dib; *.BMP ;*.bmp|すべて|*.*|括弧|(*.x)||"));
    ASSERT_EQ(g.size(), 3);
    EXPECT_EQ(g[0].patterns, (QStringList{QStringLiteral("*.bmp"), QStringLiteral("*.dib"), QStringLiteral("*.BMP")}));
    EXPECT_EQ(g[1].patterns, QStringList{QStringLiteral("*")});  // files without a dot too
    EXPECT_EQ(g[2].patterns, QStringList{QStringLiteral("*.x")});
    EXPECT_EQ(qtNameFilters(g).first(), QStringLiteral("画像 (*.bmp *.dib *.BMP)"));
    // A line break in a description would split the dialog's list entry.
    EXPECT_EQ(qtNameFilters(parseFileFilter(nul("a\r\nb|*.a||"))).first(), QStringLiteral("a  b (*.a)"));
}

TEST(CompanionFileFilter, MalformedListsGiveWhatIsUsable) {
    const QList<FileFilter> plugin{{QStringLiteral("整理券プラグイン(*.4SP)"), {QStringLiteral("*.4SP")}}};
    // Final NUL or both missing; an odd part dropped; the list ends at the first empty entry.
    for (const char *text : {"整理券プラグイン(*.4SP)|*.4SP|", "整理券プラグイン(*.4SP)|*.4SP",
                             "整理券プラグイン(*.4SP)|*.4SP|画像|", "整理券プラグイン(*.4SP)|*.4SP||B|*.b||"})
        EXPECT_EQ(parseFileFilter(nul(text)), plugin) << text;
    // Nothing usable: no pattern, an empty first entry, or a pattern of spaces and parentheses.
    for (const char *text : {"画像", "A||B|*.b||", "|*.b||", "", "||", "A| ( ) |"})
        EXPECT_EQ(parseFileFilter(nul(text)), QList<FileFilter>{}) << text;
    // Without a usable filter the chooser still offers every file.
    EXPECT_EQ(qtNameFilters({}), QStringList{QStringLiteral("すべてのファイル (*)")});
}
