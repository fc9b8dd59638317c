#include "core/byte_strings.h"
#include "widgets/chimei_layout.h"
#include "widgets/glyph_source.h"

#include <gtest/gtest.h>

#include <vector>

using namespace chimei;

namespace {

std::vector<int> tops(const Layout &l) {
    std::vector<int> out;
    for (const CellPlace &c : l.cells) out.push_back(c.y);
    return out;
}

QString fullWidth(int n) { return QString(n, QChar(0x99C5)); }  // 駅

}  // namespace

TEST(ChimeiLayout, CellTopsByCountAndMode) {
    struct Row {
        int cells, mode;
        std::vector<int> tops;
    };
    const std::vector<Row> table = {
        {0, 2, {}},
        {1, 2, {80}},
        {2, 2, {48, 112}},
        {2, 0, {32, 128}},
        {2, 1, {32, 128}},
        {3, 0, {16, 80, 144}},
        {4, 2, {8, 56, 104, 152}},
        {5, 0, {4, 42, 80, 118, 156}},
        {6, 2, {0, 32, 64, 96, 128, 160}},
        {7, 0, {0, 32, 64, 96, 128, 160, 192}},
    };
    for (const Row &r : table) {
        const Layout l = layoutText(fullWidth(r.cells), r.mode);
        EXPECT_EQ(tops(l), r.tops) << r.cells << " cells, Mode " << r.mode;
        EXPECT_EQ(l.cellCount, r.cells);
        EXPECT_EQ(l.scrolls, r.cells >= 7);
        EXPECT_EQ(l.canvasHeight, r.cells >= 7 ? 32 * r.cells : 192);
        for (const CellPlace &c : l.cells) EXPECT_EQ(c.x, 2);
    }
    // Three to seven cells ignore Mode.
    for (int n = 3; n <= 7; ++n) EXPECT_EQ(tops(layoutText(fullWidth(n), 2)), tops(layoutText(fullWidth(n), 0)));
}

TEST(ChimeiLayout, SingleBytesAndTheOddTrailingByte) {
    // "ABC": one cell by count, but "C" forms a second cell at the same top.
    Layout l = layoutText(QStringLiteral("ABC"), 2);
    EXPECT_EQ(l.bytes, 3);
    EXPECT_EQ(l.cellCount, 1);
    ASSERT_EQ(l.cells.size(), 2u);
    EXPECT_EQ(l.cells[0].text, QStringLiteral("AB"));
    EXPECT_EQ(l.cells[1].text, QStringLiteral("C"));
    EXPECT_EQ(tops(l), (std::vector<int>{80, 80}));

    l = layoutText(QStringLiteral("A"), 0);
    EXPECT_EQ(l.cellCount, 0);
    ASSERT_EQ(l.cells.size(), 1u);
    EXPECT_EQ(l.cells[0].y, 0);

    // The trailing byte goes one pitch below the last cell.
    EXPECT_EQ(layoutText(fullWidth(2) + "A", 2).cells.back().y, 176);
    EXPECT_EQ(layoutText(fullWidth(2) + "A", 0).cells.back().y, 224);
    EXPECT_EQ(layoutText(fullWidth(3) + "A", 0).cells.back().y, 208);
    EXPECT_TRUE(layoutText(QString(), 2).cells.empty());

    // Each cell is the two-byte range the companion library gives.
    const QString mixed = QStringLiteral("ｱA市役所ﾏｴ");
    l = layoutText(mixed, 2);
    for (size_t k = 0; k < l.cells.size(); ++k)
        EXPECT_EQ(l.cells[k].text, MidB_ASCII(mixed, int(2 * k + 1), 2)) << k;
    EXPECT_EQ(l.bytes, LenB_ASCII(mixed));
}

TEST(ChimeiLayout, AbsurdlyLongTextIsCutNotExploded) {
    const Layout l = layoutText(fullWidth(5000), 2);
    EXPECT_EQ(l.cellCount, 5000);
    EXPECT_EQ(l.cells.size(), 1000u);
    EXPECT_EQ(l.canvasHeight, 32000);
}

// How the special cells look on the dots is tested with the control; here, which
// cells are special: the whole cell text is compared.
TEST(ChimeiLayout, SpecialCharacters) {
    for (const char *c : {"申", "山"})
        for (int mode : {-1, 0, 1, 2, 3, 4, 5})
            EXPECT_EQ(cellRule(QString::fromUtf8(c), mode).dx, (mode == 0 || mode == 2) ? 1 : 0) << c << " FontMode " << mode;
    const QStringList turned = QString::fromUtf8("（ ） 『 』 〔 〕 「 」 ［ ］ ＜ ＞ ｛ ｝ 〈 〉 《 》 【 】 ～ ＝ → ← ⇒ ⇔")
                                   .split(QLatin1Char(' '));
    for (const QString &t : turned) EXPECT_TRUE(cellRule(t, 0).turned) << t.toStdString();
    for (const char *c : {"駅", "AB", "(", "-", "｜", "→→"}) {
        const CellRule r = cellRule(QString::fromUtf8(c), 0);
        EXPECT_FALSE(r.turned) << c;
        EXPECT_EQ(r.drawn, QString::fromUtf8(c));
        EXPECT_EQ(r.dx, 0);
    }
}

TEST(ChimeiLayout, FaceByFontModeFromTheCp932Code) {
    EXPECT_EQ(firstCharCode(QStringLiteral("申")), 0x905C);
    EXPECT_EQ(firstCharCode(QStringLiteral("AB")), 0x41);
    EXPECT_EQ(firstCharCode(QStringLiteral("ｱ")), 0xB1);
    EXPECT_EQ(firstCharCode(QString()), 0);

    const Face G = Face::Gothic, M = Face::Mincho;
    // kanji, first kanji, kana, symbol, full-width digit, full-width z, single byte
    const QStringList chars = {"駅", "亜", "あ", "ー", "０", "ｚ", "A"};
    struct Row {
        int mode;
        std::vector<Face> faces;
    };
    const std::vector<Row> rows = {
        {-1, {G, G, G, G, G, G, G}}, {0, {G, G, G, G, G, G, G}}, {1, {M, M, M, M, M, M, M}},
        {2, {G, G, M, M, M, M, G}},  {3, {M, M, G, G, G, G, M}}, {4, {M, M, M, M, G, G, M}},
        {7, {G, G, G, G, G, G, G}},
    };
    for (const Row &r : rows)
        for (int i = 0; i < chars.size(); ++i)
            EXPECT_EQ(faceFor(chars[i], r.mode), r.faces[size_t(i)])
                << "FontMode " << r.mode << " " << chars[i].toStdString();
    EXPECT_EQ(faceName(G), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(faceName(M), QStringLiteral("ＭＳ 明朝"));
}

TEST(ChimeiGlyphs, Cp932ToJisRowAndCell) {
    EXPECT_EQ(GlyphSource::cp932ToJis(0x8140), 0x2121);  // ideographic space
    EXPECT_EQ(GlyphSource::cp932ToJis(0x889F), 0x3021);  // 亜
    EXPECT_EQ(GlyphSource::cp932ToJis(0x905C), 0x3F3D);  // 申: trail byte 0x5C
    EXPECT_EQ(GlyphSource::cp932ToJis(0x8E52), 0x3B33);  // 山
    EXPECT_EQ(GlyphSource::cp932ToJis(0x9FFC), 0x5E7E);
    EXPECT_EQ(GlyphSource::cp932ToJis(0xE040), 0x5F21);
    EXPECT_EQ(GlyphSource::cp932ToJis(0xEAA4), 0x7426);
    EXPECT_EQ(GlyphSource::cp932ToJis(0x8180), 0x2160);  // trail 0x80 skips 0x7F
    for (int bad : {0x41, 0x8100, 0x817F, 0xA0A0, 0xFA68}) EXPECT_EQ(GlyphSource::cp932ToJis(bad), 0) << bad;
}
