// The digit display as a control: property rules, which setters repaint, the lamp
// test, resizing, the settings dialog, and what it does with the mouse.
#include "widgets/m_degit.h"
#include "widgets/qcolor_ref.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include <functional>

namespace {

// The lit text and the picture together: what a person would see.
struct Shot {
    QString lit;
    QImage picture;
    bool operator==(const Shot &o) const { return lit == o.lit && picture == o.picture; }
};
Shot shot(const M_Degit &d) { return {d.litText(), d.picture()}; }

}  // namespace

TEST(DigitControl, SetterRules) {
    using Set = void (M_Degit::*)(int);
    using Get = int (M_Degit::*)() const;
    struct Rule {
        const char *what;
        Set set;
        Get get;
        int before, value, stored;  // `before` is set first, so that a refusal shows
    };
    const Rule rules[] = {
        {"FillZero above Keta", &M_Degit::setFillZero, &M_Degit::FillZero, 1, 9, 4},
        {"FillZero has no lower bound", &M_Degit::setFillZero, &M_Degit::FillZero, 1, -2, -2},
        {"Shift above Keta - 1", &M_Degit::setShift, &M_Degit::Shift, 1, 7, 3},
        {"Shift below 0", &M_Degit::setShift, &M_Degit::Shift, 1, -2, 0},
        {"ZeroMode 4", &M_Degit::setZeroMode, &M_Degit::ZeroMode, 1, 4, 0}, {"ZeroMode 3", &M_Degit::setZeroMode, &M_Degit::ZeroMode, 1, 3, 3},
        {"ZeroMode -1", &M_Degit::setZeroMode, &M_Degit::ZeroMode, 1, -1, -1}, {"Keta 0", &M_Degit::setKeta, &M_Degit::Keta, 7, 0, 4},
        {"Keta 16", &M_Degit::setKeta, &M_Degit::Keta, 7, 16, 4}, {"Keta 15", &M_Degit::setKeta, &M_Degit::Keta, 7, 15, 15},
        {"DegitSize 4", &M_Degit::setDegitSize, &M_Degit::DegitSize, 2, 4, 0},
        {"DegitSize 3", &M_Degit::setDegitSize, &M_Degit::DegitSize, 2, 3, 3},
        {"DegitStyle 7", &M_Degit::setDegitStyle, &M_Degit::DegitStyle, 0, 7, 7},
    };
    for (const Rule &r : rules) {
        M_Degit d;
        (d.*r.set)(r.before);
        (d.*r.set)(r.value);
        EXPECT_EQ((d.*r.get)(), r.stored) << r.what;
    }
    // The limits depend on Keta at the time of setting; later Keta changes keep them.
    M_Degit d;
    d.setKeta(6);
    d.setFillZero(6);
    d.setShift(5);
    d.setKeta(2);
    EXPECT_EQ(std::vector<int>({d.FillZero(), d.Shift()}), std::vector<int>({6, 5}));
    d.setValue(QStringLiteral("7"));
    EXPECT_EQ(d.Value().typeId(), QMetaType::QString);
}

TEST(DigitControl, OnlyTheMarkedSettersRepaint) {
    M_Degit d;
    d.setValue(5);
    const Shot before = shot(d);
    EXPECT_EQ(before.lit, QStringLiteral("5"));

    d.setFillZero(3);
    d.setZeroMode(1);
    d.setShift(1);
    d.setUserSet(false);
    EXPECT_TRUE(shot(d) == before);

    // Any repainting setter brings the stored settings into view.
    d.setDegitStyle(0);
    EXPECT_EQ(d.litText(), QStringLiteral("005 "));
    EXPECT_FALSE(d.picture() == before.picture);

    const auto repaints = [&](const std::function<void()> &set) {
        d.setFillZero(0);
        d.setShift(0);
        d.setValue(5);
        const Shot was = shot(d);
        d.setFillZero(2);
        set();
        return !(shot(d) == was);
    };
    EXPECT_TRUE(repaints([&] { d.setBaseForeColor(d.BaseForeColor()); }));
    EXPECT_TRUE(repaints([&] { d.setDegitForeColor(d.DegitForeColor()); }));
    EXPECT_TRUE(repaints([&] { d.setBackColor(d.BackColor()); }));
    EXPECT_TRUE(repaints([&] { d.setKeta(d.Keta()); }));
    EXPECT_TRUE(repaints([&] { d.setDegitSize(d.DegitSize()); }));
    EXPECT_TRUE(repaints([&] { d.setDegitStyle(d.DegitStyle()); }));
    EXPECT_TRUE(repaints([&] { d.setValue(d.Value()); }));
    EXPECT_FALSE(repaints([&] { d.setZeroMode(2); }));
    EXPECT_FALSE(repaints([&] { d.setShift(1); }));
    EXPECT_FALSE(repaints([&] { d.setUserSet(true); }));
}

TEST(DigitControl, FirstPictureAndResizingByKetaAndSize) {
    QWidget host;
    M_Degit d(&host);
    // A new control is only cleared: no unlit eights until a host repaints it.
    EXPECT_EQ(d.Value(), QVariant(0));
    EXPECT_EQ(d.litText(), QString());
    QImage blank(d.size(), QImage::Format_RGB32);
    blank.fill(toQColor(d.BackColor()));
    EXPECT_EQ(d.picture(), blank);

    d.move(140, 40);
    d.setKeta(15);
    EXPECT_EQ(d.geometry(), QRect(140, 40, 195, 20));
    // Each size step's cell; a size out of the steps is the first.
    const struct { int keta, size; QSize shown; } steps[] = {{15, 1, {17 * 15, 26}}, {3, 2, {19 * 3, 29}}, {3, 3, {11 * 3, 15}}, {3, 8, {13 * 3, 20}}};
    for (const auto &st : steps) {
        d.setKeta(st.keta);
        d.setDegitSize(st.size);
        EXPECT_EQ(d.size(), st.shown) << st.size;
    }
    EXPECT_EQ(d.pos(), QPoint(140, 40));
    EXPECT_EQ(d.picture().size(), d.size());
    // A host resizing the control keeps what is drawn; the new area shows the background.
    d.setValue(8);
    const QImage drawn = d.picture();
    d.resize(60, 24);
    EXPECT_EQ(d.picture().size(), QSize(60, 24));
    EXPECT_EQ(d.picture().copy(0, 0, drawn.width(), drawn.height()), drawn);
    EXPECT_EQ(d.picture().pixel(59, 23), toQColor(d.BackColor()).rgb());
}

TEST(DigitControl, LampTestBlankAndTheSettingsDialog) {
    M_Degit d;
    d.setShift(2);
    d.setZeroMode(3);
    d.setFillZero(2);
    d.setValue(7);
    d.ResetDegit(true);
    EXPECT_EQ(d.litText(), QStringLiteral("8888"));
    EXPECT_EQ(d.Value(), QVariant(QStringLiteral("8888")));
    EXPECT_EQ(std::vector<int>({d.Shift(), d.ZeroMode(), d.FillZero()}), std::vector<int>({2, 3, 2}));
    d.ResetDegit(false);
    EXPECT_EQ(d.litText(), QString());
    EXPECT_EQ(d.Value(), QVariant(QString()));
    EXPECT_EQ(d.Value().typeId(), QMetaType::QString);
    // The next repaint uses the restored settings again.
    d.setValue(7);
    EXPECT_EQ(d.litText(), QStringLiteral("07  "));

    // The settings dialog's values are taken back unchecked, even on cancel.
    static int seenKeta;
    static std::int16_t seen[3];
    d.setZeroMode(2);
    d.setShift(1);
    d.setFillZero(3);
    d.setValue(5);
    const Shot before = shot(d);
    QObject::connect(&d, &M_Degit::settingsDialogWanted, &d, [](DigitSettingsRequest &r) {
        seenKeta = r.keta;
        seen[0] = r.zeroMode, seen[1] = r.shift, seen[2] = r.fillZero;
        r.zeroMode = 7;  // out of every range, as a careless dialog could leave them
        r.shift = -4;
        r.fillZero = 40;
        r.result = 0;
    });
    EXPECT_EQ(d.ShowSetDlg(), 0);
    EXPECT_EQ(seenKeta, 4);
    EXPECT_EQ(seen[0] * 100 + seen[1] * 10 + seen[2], 213);
    EXPECT_EQ(std::vector<int>({d.ZeroMode(), d.Shift(), d.FillZero()}), std::vector<int>({7, -4, 40}));
    EXPECT_EQ(d.litText(), QStringLiteral("0005"));
    EXPECT_FALSE(shot(d) == before);

    // The lamp test brings the unchecked values back through the setters' rules.
    d.setKeta(6);
    d.ResetDegit(true);
    EXPECT_EQ(d.litText(), QStringLiteral("888888"));
    EXPECT_EQ(std::vector<int>({d.ZeroMode(), d.Shift(), d.FillZero()}), std::vector<int>({0, 0, 6}));
}

// Double clicks reach the digit settings through the program; here, that a press
// stays with the display instead of starting a drag of the board.
TEST(DigitControl, KeepsMousePresses) {
    struct Host : QWidget {
        int presses = 0;
        void mousePressEvent(QMouseEvent *) override { ++presses; }
    } host;
    M_Degit d(&host);
    const QPointF at(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, at, d.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&d, &press);
    EXPECT_TRUE(press.isAccepted());
    EXPECT_EQ(host.presses, 0);
}
