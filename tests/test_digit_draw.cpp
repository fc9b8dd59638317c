// What the digit display puts on its picture: which positions light, where the
// unlit eights stay visible, and that every face keeps to its positions.
#include "widgets/digit_faces.h"
#include "widgets/qcolor_ref.h"
#include "widgets/m_degit.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

constexpr COLORREF kLit = RGB(248, 210, 114);
constexpr COLORREF kUnlit = RGB(150, 150, 150);
constexpr COLORREF kBack = RGB(128, 128, 128);

int countColour(const QImage &img, int x0, int x1, COLORREF colour) {
    const QRgb want = toQColor(colour).rgb();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = qMax(0, x0); x < qMin(img.width(), x1); ++x)
            if (img.pixel(x, y) == want) ++n;
    return n;
}

// One character per position: 'L' lit, '.' not lit.
QString litPositions(const M_Degit &d) {
    const int w = digit_faces::sizeStep(d.DegitSize()).cellWidth;
    QString out;
    for (int i = 0; i < d.Keta(); ++i)
        out.append(countColour(d.picture(), i * w, (i + 1) * w, d.DegitForeColor()) > 0 ? QLatin1Char('L')
                                                                                          : QLatin1Char('.'));
    return out;
}

// A glyph drawn alone on a transparent sheet, its cell at x = cellWidth.
QImage glyphAlone(QChar c, int size, int style, bool bold = true) {
    const digit_faces::SizeStep step = digit_faces::sizeStep(size);
    QImage img(step.cellWidth * 3, step.height + 4, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    digit_faces::drawText(p, QString(c), step.cellWidth, 2 - 1, size, style, bold, 0, Qt::white);
    return img;
}

}  // namespace

TEST(DigitDraw, EveryFaceAndSizeLightsTheRightPositions) {
    for (int style = 0; style < 3; ++style) {
        for (int size = 0; size < 4; ++size) {
            SCOPED_TRACE(testing::Message() << "style " << style << " size " << size);
            M_Degit d;
            d.setDegitSize(size);
            d.setDegitStyle(style);
            d.setKeta(6);
            d.ResetDegit(true);
            EXPECT_EQ(litPositions(d), QStringLiteral("LLLLLL"));
            // Lit eights hide the unlit ones completely.
            EXPECT_EQ(countColour(d.picture(), 0, d.width(), kUnlit), 0);
            d.ResetDegit(false);
            EXPECT_EQ(countColour(d.picture(), 0, d.width(), kLit), 0);
            EXPECT_GT(countColour(d.picture(), 0, d.width(), kUnlit), 6 * 10);
            // "-1" lights two positions; "005 " three, the shifted one dark.
            d.setKeta(4);
            d.setValue(-1);
            EXPECT_EQ(litPositions(d), QStringLiteral("..LL"));
            d.setFillZero(3);
            d.setShift(1);
            d.setValue(5);
            EXPECT_EQ(litPositions(d), QStringLiteral("LLL."));
            // The shifted-off position still shows its unlit eight; a cut value lights all.
            const int w = digit_faces::sizeStep(size).cellWidth;
            EXPECT_GT(countColour(d.picture(), 3 * w, 4 * w, kUnlit), 10);
            d.setShift(0);
            d.setValue(123456);
            EXPECT_EQ(litPositions(d), QStringLiteral("LLLL"));
        }
    }
}

TEST(DigitDraw, ColoursAndBackgroundAreThoseSet) {
    M_Degit d;
    d.setValue(7);
    const QImage &img = d.picture();
    EXPECT_EQ(img.pixel(0, 0), toQColor(kBack).rgb());
    d.setBackColor(RGB(0, 0, 0));
    d.setBaseForeColor(RGB(40, 20, 0));
    d.setDegitForeColor(RGB(255, 160, 0));
    EXPECT_EQ(d.picture().pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_GT(countColour(d.picture(), 0, 39, RGB(40, 20, 0)), 0);
    EXPECT_GT(countColour(d.picture(), 39, 52, RGB(255, 160, 0)), 0);
    // Only the three colours and their blends: nothing else creeps in.
    for (int y = 0; y < d.picture().height(); ++y)
        for (int x = 0; x < d.picture().width(); ++x) EXPECT_EQ(qBlue(d.picture().pixel(x, y)), 0);
}

TEST(DigitFaces, EveryGlyphStaysInItsPositionAndUnderTheEight) {
    const QString chars = QStringLiteral("0123456789-_=AbCcdEFGHhIJLnoPqrtUuy");
    for (int combo = 0; combo < 3 * 4 * 2; ++combo) {
        const int style = combo % 3, size = combo / 3 % 4;
        const bool bold = combo < 12;
        const QString where = QStringLiteral(" style %1 size %2 bold %3").arg(style).arg(size).arg(bold);
        const digit_faces::SizeStep step = digit_faces::sizeStep(size);
        const QImage eight = glyphAlone(QLatin1Char('8'), size, style, bold);
        for (QChar c : chars) {
            const QImage g = glyphAlone(c, size, style, bold);
            const std::string what = QString(c + where).toStdString();
            int painted = 0;
            for (int y = 0; y < g.height(); ++y) {
                for (int x = 0; x < g.width(); ++x) {
                    if (qAlpha(g.pixel(x, y)) == 0) continue;
                    ++painted;
                    ASSERT_GE(x, step.cellWidth) << what;
                    ASSERT_LT(x, 2 * step.cellWidth) << what;
                    // Inside the control's height (the cell starts one row above it).
                    ASSERT_GE(y, 2) << what;
                    ASSERT_LT(y, 2 + step.height) << what;
                    ASSERT_GT(qAlpha(eight.pixel(x, y)), 0) << what << ": not under the 8";
                }
            }
            EXPECT_GT(painted, 0) << what;
        }
        // A space and an unknown character draw nothing, but still take a position.
        for (QChar c : {QLatin1Char(' '), QLatin1Char('#')}) {
            const QImage g = glyphAlone(c, size, style, bold);
            for (int y = 0; y < g.height(); ++y)
                for (int x = 0; x < g.width(); ++x) ASSERT_EQ(qAlpha(g.pixel(x, y)), 0);
        }
        EXPECT_EQ(digit_faces::textWidth(QStringLiteral("1 #"), size, 0), 3 * step.cellWidth);
        EXPECT_EQ(digit_faces::textWidth(QStringLiteral("1 #"), size, 1), 3 * step.cellWidth + 3);
    }
    // Full-width digits light like the half-width ones.
    EXPECT_EQ(digit_faces::segmentsFor(QChar(0xFF15)), digit_faces::segmentsFor(QLatin1Char('5')));
}

namespace {

// The display as painted onto a screen of twice the density.
QImage paintedAtTwice(M_Degit &d) {
    QImage img(d.size() * 2, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.scale(2, 2);
    d.render(&p, QPoint(), QRegion(), QWidget::DrawChildren);
    return img;
}

}  // namespace

TEST(DigitDraw, ADisplayDifferingInOneThingGetsItsOwnPicture) {
    using Change = void (*)(M_Degit &);
    const std::pair<const char *, Change> changes[] = {
        {"value", [](M_Degit &d) { d.setValue(18); }},
        {"lit colour", [](M_Degit &d) { d.setDegitForeColor(RGB(255, 0, 0)); }},
        {"unlit colour", [](M_Degit &d) { d.setBaseForeColor(RGB(0, 90, 0)); }},
        {"background", [](M_Degit &d) { d.setBackColor(RGB(0, 0, 60)); }},
        {"style", [](M_Degit &d) { d.setDegitStyle(2); }},
        {"size", [](M_Degit &d) { d.setDegitSize(2); }},
        {"positions", [](M_Degit &d) { d.setKeta(3); }},
    };
    for (const auto &[what, change] : changes) {
        SCOPED_TRACE(what);
        M_Degit a, b;
        a.setValue(170);
        b.setValue(170);
        const QImage first = paintedAtTwice(a);
        EXPECT_EQ(paintedAtTwice(b), first);
        change(b);
        const QImage changed = paintedAtTwice(b);
        EXPECT_NE(changed, first);
        // The same look again, on a display that never showed anything else.
        M_Degit c;
        c.setValue(170);
        change(c);
        EXPECT_EQ(paintedAtTwice(c), changed);
        EXPECT_EQ(paintedAtTwice(a), first);
    }
}
