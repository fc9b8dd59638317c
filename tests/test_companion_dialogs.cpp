// The companion library's own dialogs, driven as an operator would: the digit
// settings, the information box and the date chooser.
#include "companion/companion.h"
#include "test_companion_support.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

using namespace companion_test;

TEST(CompanionDigitDialog, OkWritesBackAndOddValuesAreShownClampedAndKeptOnCancel) {
    std::int16_t zero = 1, shift = 0, fill = 0;
    int shiftMax = -1, fillMax = -1;
    onNextDialog([&](QWidget *d) {
        EXPECT_EQ(d->findChild<QComboBox *>(QStringLiteral("ZeroMode"))->currentIndex(), 1);
        auto *shiftBox = d->findChild<QSpinBox *>(QStringLiteral("Shift"));
        auto *fillBox = d->findChild<QSpinBox *>(QStringLiteral("FillZero"));
        shiftMax = shiftBox->maximum();
        fillMax = fillBox->maximum();
        d->findChild<QComboBox *>(QStringLiteral("ZeroMode"))->setCurrentIndex(3);
        shiftBox->setValue(2);
        fillBox->setValue(9);  // beyond Keta: the box keeps it at Keta
        press(d, "OK");
    });
    EXPECT_EQ(Call_dlg100(nullptr, 4, zero, shift, fill), 1);
    EXPECT_EQ(std::vector<int>({shiftMax, fillMax, zero, shift, fill}), std::vector<int>({3, 4, 3, 2, 4}));
    EXPECT_EQ(lastEvent().value("value").toObject(), (QJsonObject{{"ZeroMode", 3}, {"Shift", 2}, {"FillZero", 4}}));

    // Values no dialog would produce, and a digit count below 1: shown clamped, kept on cancel.
    for (int keta : {0, -5, 4, 15}) {
        zero = 7, shift = -3, fill = 99;
        int shown[3] = {-1, -1, -1};
        onNextDialog([&](QWidget *d) {
            shown[0] = d->findChild<QComboBox *>(QStringLiteral("ZeroMode"))->currentIndex();
            shown[1] = d->findChild<QSpinBox *>(QStringLiteral("Shift"))->value();
            shown[2] = d->findChild<QSpinBox *>(QStringLiteral("FillZero"))->value();
            d->findChild<QSpinBox *>(QStringLiteral("Shift"))->setValue(1);
            press(d, "Cancel");
        });
        EXPECT_EQ(Call_dlg100(nullptr, keta, zero, shift, fill), 0) << keta;
        EXPECT_EQ(std::vector<int>({zero, shift, fill}), std::vector<int>({7, -3, 99})) << keta;
        EXPECT_EQ(std::vector<int>(shown, shown + 3), std::vector<int>({0, 0, std::max(0, keta)})) << keta;
    }
    // Confirming what was shown hands back the shown (valid) values.
    zero = -2, shift = 20, fill = -1;
    onNextDialog([](QWidget *d) { press(d, "OK"); });
    EXPECT_EQ(Call_dlg100(nullptr, 4, zero, shift, fill), 1);
    EXPECT_EQ(std::vector<int>({zero, shift, fill}), std::vector<int>({0, 3, 0}));
}

TEST(CompanionInfoBox, ShowsTheLinesAsPlainTextAndReturnsOne) {
    QString shown;
    int textFormat = -1;
    onNextDialog([&](QWidget *d) {
        auto *label = d->findChild<QLabel *>(QStringLiteral("Text"));
        ASSERT_NE(label, nullptr);
        shown = label->text();
        textFormat = label->textFormat();
        qobject_cast<QDialog *>(d)->reject();  // closing it any other way still counts as read
    });
    EXPECT_EQ(Call_dlg110(nullptr, 1, QStringLiteral("型番：207_000\r\n\r\n<b>配布</b>\r\n")), 1);
    EXPECT_EQ(shown, QStringLiteral("型番：207_000\n\n<b>配布</b>"));
    EXPECT_EQ(textFormat, Qt::PlainText);  // markup-looking text is not interpreted
}

TEST(CompanionDateDialog, ConfirmedDateFillsTheRecordAndCancelKeepsIt) {
    SystemTime t;
    t.wYear = 2024;
    t.wMonth = 2;
    t.wDay = 29;
    t.wHour = 13;
    QDate startedAt;
    onNextDialog([&](QWidget *d) {
        auto *cal = d->findChild<QCalendarWidget *>(QStringLiteral("Calendar"));
        ASSERT_NE(cal, nullptr);
        startedAt = cal->selectedDate();
        cal->setSelectedDate(QDate(2031, 12, 31));
        press(d, "OK");
    });
    EXPECT_NE(Call_dlg111(nullptr, t), 0);
    EXPECT_EQ(startedAt, QDate(2024, 2, 29));
    EXPECT_EQ(std::vector<int>({t.wYear, t.wMonth, t.wDay, t.wDayOfWeek, t.wHour}), std::vector<int>({2031, 12, 31, 3, 0}));  // a Wednesday
    EXPECT_EQ(lastEvent().value("value").toString(), QStringLiteral("2031/12/31"));

    // A date that cannot be starts today; cancel keeps the record as it was.
    t.wMonth = 13;
    t.wDay = 40;
    onNextDialog([&](QWidget *d) {
        auto *cal = d->findChild<QCalendarWidget *>(QStringLiteral("Calendar"));
        startedAt = cal->selectedDate();
        cal->setSelectedDate(QDate(2020, 1, 1));
        press(d, "Cancel");
    });
    const QDate before = QDate::currentDate();
    EXPECT_EQ(Call_dlg111(nullptr, t), 0);
    EXPECT_TRUE(startedAt >= before && startedAt <= QDate::currentDate());
    EXPECT_EQ(std::vector<int>({t.wYear, t.wMonth, t.wDay, t.wDayOfWeek}), std::vector<int>({2031, 13, 40, 3}));
}
