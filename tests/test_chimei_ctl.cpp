#include "widgets/chimei_ctl.h"
#include "widgets/qcolor_ref.h"
#include "widgets/glyph_source.h"

#include <QJsonArray>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

namespace {

using Dots = std::set<std::pair<int, int>>;  // (column, row) of lit dots in a cell

// The lit dots of the cell whose top-left dot is at canvas pixel (x, y).
Dots dotsAt(const ChimeiCtl_B &c, int x, int y) {
    Dots out;
    const QImage &img = c.canvasImage();
    const QRgb back = toQColor(c.BackColor()).rgb();
    for (int gy = 0; gy < 16; ++gy)
        for (int gx = 0; gx < 16; ++gx) {
            const int px = x + 2 * gx, py = y + 2 * gy;
            if (px < img.width() && py < img.height() && img.pixel(px, py) != back) out.insert({gx, gy});
        }
    return out;
}

Dots drawOne(const QString &text, int fontMode = 0, bool bold = false) {
    ChimeiCtl_B c;
    c.setFontMode(fontMode);
    c.setFontBold(bold);
    c.SetChimei(text);
    return dotsAt(c, 2, 80);
}

Dots shifted(const Dots &d, int dx) {
    Dots out;
    for (auto [x, y] : d)
        if (x + dx < 16) out.insert({x + dx, y});
    return out;
}

QWidget *child(ChimeiCtl_B &c, const char *name) { return c.findChild<QWidget *>(QString::fromLatin1(name)); }

}  // namespace

TEST(ChimeiCtl, ColoursAppearanceAndStoredProperties) {
    ChimeiCtl_B c;
    QWidget *viewport = child(c, "Picture2");
    ASSERT_TRUE(viewport && child(c, "Picture1") && child(c, "Picture3"));
    EXPECT_FALSE(c.propertiesChanged());

    // ForeColor counts from the next drawing on; BackColor erases the dots at once.
    c.SetChimei(QStringLiteral("駅"));
    c.setForeColor(RGB(0, 255, 0));
    EXPECT_TRUE(c.propertiesChanged());
    const Dots before = dotsAt(c, 2, 80);
    ASSERT_FALSE(before.empty());
    const auto [gx, gy] = *before.begin();
    EXPECT_EQ(c.canvasImage().pixel(2 + 2 * gx, 80 + 2 * gy), qRgb(255, 192, 128));
    QStringList changed;
    QObject::connect(&c, &ChimeiCtl_B::propertyChanged, [&changed](const QString &n) { changed << n; });
    c.setBackColor(RGB(10, 20, 30));
    EXPECT_EQ(changed, QStringList{QStringLiteral("BackColor")});
    EXPECT_TRUE(dotsAt(c, 2, 80).empty());
    EXPECT_EQ(viewport->palette().color(QPalette::Window), QColor(10, 20, 30));
    c.SetChimei(QStringLiteral("駅"));
    EXPECT_EQ(dotsAt(c, 2, 80), before);
    EXPECT_EQ(c.canvasImage().pixel(2 + 2 * gx, 80 + 2 * gy), qRgb(0, 255, 0));
    // The empty text blanks the strip.
    c.SetChimei(QString());
    EXPECT_TRUE(dotsAt(c, 2, 80).empty());
    EXPECT_TRUE(c.dumpState()["cells"].toArray().isEmpty());

    // Appearance resizes the viewport; bold reaches the glyph box at once.
    for (const auto &[look, size] : {std::pair{0, QSize(35, 185)}, std::pair{1, QSize(37, 195)}}) {
        c.setAppearance(look);
        EXPECT_EQ(viewport->size(), size) << look;
    }
    c.setFontBold(true);
    EXPECT_TRUE(child(c, "Picture3")->font().bold());

    // Stored settings: missing keys take the stored defaults, and Appearance
    // reaches the border without a resize.
    ChimeiCtl_B s;
    s.ReadProperties({{"Appearance", 0}, {"Speed", 9}});
    EXPECT_EQ(child(s, "Picture2")->size(), QSize(36, 192));
    EXPECT_EQ(std::vector<qint64>({s.BackColor(), s.Speed(), s.Appearance(), s.propertiesChanged()}),
              std::vector<qint64>({8421504, 9, 0, false}));
    const QVariantMap saved = s.WriteProperties();
    EXPECT_EQ(std::pair(saved.value("Appearance").toInt(), saved.value("BackColor").toUInt()), std::pair(0, 8421504u));
}

TEST(ChimeiCtl, SpecialCharactersOnTheDots) {
    // "ー" becomes a vertical stroke: one column, nearly full height.
    Dots bar = drawOne(QStringLiteral("ー"));
    std::set<int> columns;
    int minRow = 16, maxRow = -1;
    for (auto [x, y] : bar) {
        columns.insert(x);
        minRow = std::min(minRow, y);
        maxRow = std::max(maxRow, y);
    }
    EXPECT_LE(columns.size(), 2u);
    EXPECT_GE(maxRow - minRow, 12);

    // "→" turned points down: its head (the widest row) is in the lower half.
    const Dots arrow = drawOne(QStringLiteral("→"));
    int widestRow = -1;
    size_t widest = 0;
    for (int y = 0; y < 16; ++y) {
        size_t n = 0;
        for (auto [dx, dy] : arrow) n += dy == y;
        if (n > widest) widest = n, widestRow = y;
    }
    EXPECT_GE(widestRow, 8);

    // "（" turned opens downward: its topmost dots are in the middle columns.
    const Dots paren = drawOne(QStringLiteral("（"));
    ASSERT_FALSE(paren.empty());
    int top = 16;
    for (auto [x, y] : paren) top = std::min(top, y);
    for (auto [x, y] : paren) EXPECT_TRUE(y != top || (x >= 4 && x <= 11)) << x;
    // ... and its ends, the leftmost and rightmost dots, hang lower.
    auto [left, right] = std::minmax_element(paren.begin(), paren.end());
    EXPECT_GT(left->second, top + 3);
    EXPECT_GT(right->second, top + 3);

    // "。" and "、" sit in the top right quarter.
    for (const char *mark : {"。", "、"}) {
        const Dots d = drawOne(QString::fromUtf8(mark));
        ASSERT_FALSE(d.empty()) << mark;
        for (auto [x, y] : d) {
            EXPECT_GE(x, 8) << mark;
            EXPECT_LT(y, 8) << mark;
        }
    }
}

TEST(ChimeiCtl, FaceShiftAndBoldOnTheDots) {
    // Which mode takes which face and shift is the layout's table; here, that the
    // face, the shift and bold reach the dots.
    for (const char *k : {"山", "申"}) {
        const QString t = QString::fromUtf8(k);
        const Dots unshifted = drawOne(t, -1);  // gothic, no shift
        EXPECT_EQ(drawOne(t, 0), shifted(unshifted, 1)) << k;
        EXPECT_EQ(drawOne(t, 3), drawOne(t, 1)) << k;  // mincho, no shift
        EXPECT_NE(drawOne(t, 1), unshifted) << k;
    }
    const QString kana = QStringLiteral("あ"), kanji = QStringLiteral("駅"), half = QStringLiteral("Ag");
    EXPECT_NE(drawOne(kana, 0), drawOne(kana, 1));
    EXPECT_EQ(drawOne(kana, 2), drawOne(kana, 1));  // kana follow the face rule the other way round
    EXPECT_NE(drawOne(half, 1), drawOne(half, 0));
    EXPECT_GT(drawOne(kanji, 0, true).size(), drawOne(kanji, 0).size());
    EXPECT_GT(drawOne(kana, 1, true).size(), drawOne(kana, 1).size());

    // Two single-byte characters sit side by side; a split double-byte half is blank.
    const Dots ab = drawOne(QStringLiteral("AB"));
    EXPECT_TRUE(std::any_of(ab.begin(), ab.end(), [](auto p) { return p.first < 8; }));
    EXPECT_TRUE(std::any_of(ab.begin(), ab.end(), [](auto p) { return p.first >= 8; }));
    ChimeiCtl_B c;
    c.SetChimei(QStringLiteral("Aあ"));  // cells "A" + half, and the other half
    const Dots split = dotsAt(c, 2, 80);
    EXPECT_FALSE(split.empty());
    for (auto [x, y] : split) EXPECT_LT(x, 8);
}

TEST(ChimeiCtl, GlyphsWithoutTheBitmapFonts) {
    GlyphSource none(QStringLiteral("/nonexistent"));
    none.prefetch(chimei::Face::Gothic, false);
    EXPECT_FALSE(none.hasBitmapFont(chimei::Face::Gothic, false));
    // Fonts unpacked ahead on another thread draw as those read when first needed.
    for (const bool bold : {false, true}) {
        GlyphSource ahead, when;
        ahead.prefetch(chimei::Face::Gothic, bold);
        QImage a(48, 16, QImage::Format_RGB32), b(48, 16, QImage::Format_RGB32);
        a.fill(Qt::white);
        b.fill(Qt::white);
        ahead.draw(a, QStringLiteral("駅A前"), chimei::Face::Gothic, bold, 0, 0);
        when.draw(b, QStringLiteral("駅A前"), chimei::Face::Gothic, bold, 0, 0);
        EXPECT_EQ(a, b);
        int black = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 48; ++x) black += a.pixel(x, y) == qRgb(0, 0, 0);
        EXPECT_GT(black, 40);
    }
    EXPECT_TRUE(GlyphSource::shared().hasBitmapFont(chimei::Face::Mincho, true));
    QImage box(16, 16, QImage::Format_RGB32);
    box.fill(Qt::white);
    none.draw(box, QStringLiteral("A"), chimei::Face::Gothic, false, 0, 0);
    int black = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (box.pixel(x, y) == qRgb(0, 0, 0)) {
                ++black;
                EXPECT_LT(x, 8);
            }
    EXPECT_GT(black, 5);
}

// The scroll's timing is the model's; here, what the control does with it.
TEST(ChimeiCtl, ScrollStatesThroughTheControl) {
    const QString seven = QStringLiteral("市民病院前北口");
    ChimeiCtl_B c;
    c.ReadProperties({{"Appearance", 0}});  // flat: the viewport is 192 tall
    c.SetChimei(seven);
    EXPECT_TRUE(c.dumpState()["scrolling"].toBool());
    EXPECT_EQ(c.dumpState()["canvasHeight"].toInt(), 224);
    const qint64 drawn = c.canvasImage().cacheKey();

    // Frames only move the retained canvas; nothing is drawn again.
    c.advanceScroll(1500 + 1000);
    EXPECT_EQ(child(c, "Picture1")->y(), 142);
    for (int i = 0; i < 600; ++i) c.advanceScroll(1000.0 / 60);
    EXPECT_EQ(c.canvasImage().cacheKey(), drawn);

    // A short text, or the empty one, ends it for good.
    for (const QString &text : {QStringLiteral("駅前"), QString()}) {
        c.SetChimei(seven);
        c.advanceScroll(3000);
        c.SetChimei(text);
        EXPECT_FALSE(c.dumpState()["scrolling"].toBool());
        c.advanceScroll(60000);
        EXPECT_EQ(c.dumpState()["canvasTop"].toInt(), 0);
    }

    // Speed 0 becomes 1 through the control's own setter, which reports it.
    c.setSpeed(0);
    c.SetChimei(seven);
    QStringList changed;
    QObject::connect(&c, &ChimeiCtl_B::propertyChanged, [&changed](const QString &n) { changed << n; });
    c.advanceScroll(1500);
    EXPECT_EQ(c.Speed(), 1);
    EXPECT_EQ(changed, QStringList{QStringLiteral("Speed")});
}
