#include "companion/companion.h"
#include "test_companion_support.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QJsonArray>
#include <QLabel>
#include <QSpinBox>

using namespace companion_test;

TEST(CompanionDigitDialog, OkWritesTheEditedValuesBack) {
    std::int16_t zero = 1, shift = 0, fill = 0;
    int shiftMax = -1, fillMax = -1;
    QString ketaShown;
    onNextDialog([&](QWidget *d) {
        EXPECT_EQ(d->objectName(), QStringLiteral("Call_dlg100"));
        auto *zeroBox = d->findChild<QComboBox *>(QStringLiteral("ZeroMode"));
        auto *shiftBox = d->findChild<QSpinBox *>(QStringLiteral("Shift"));
        auto *fillBox = d->findChild<QSpinBox *>(QStringLiteral("FillZero"));
        auto *keta = d->findChild<QLabel *>(QStringLiteral("Keta"));
        ASSERT_TRUE(zeroBox && shiftBox && fillBox && keta);
        EXPECT_EQ(zeroBox->count(), 4);
        EXPECT_EQ(zeroBox->currentIndex(), 1);
        ketaShown = keta->text();
        shiftMax = shiftBox->maximum();
        fillMax = fillBox->maximum();
        zeroBox->setCurrentIndex(3);
        shiftBox->setValue(2);
        fillBox->setValue(9);  // beyond Keta: the box keeps it at Keta
        press(d, "OK");
    });
    EXPECT_EQ(Call_dlg100(nullptr, 4, zero, shift, fill), 1);
    EXPECT_EQ(ketaShown, QStringLiteral("4"));
    EXPECT_EQ(shiftMax, 3);
    EXPECT_EQ(fillMax, 4);
    EXPECT_EQ(zero, 3);
    EXPECT_EQ(shift, 2);
    EXPECT_EQ(fill, 4);

    const QJsonObject e = lastEvent();
    EXPECT_EQ(e.value("kind").toString(), QStringLiteral("dialog"));
    EXPECT_EQ(e.value("dialog").toString(), QStringLiteral("Call_dlg100"));
    EXPECT_EQ(e.value("answer").toString(), QStringLiteral("OK"));
    EXPECT_EQ(e.value("buttons").toArray(), (QJsonArray{"OK", "Cancel"}));
    EXPECT_EQ(e.value("value").toObject(), (QJsonObject{{"ZeroMode", 3}, {"Shift", 2}, {"FillZero", 4}}));
}

TEST(CompanionDigitDialog, CancelAndOddValuesLeaveTheCallersValuesAlone) {
    // Values no dialog would produce, and a digit count below 1: shown clamped, kept on cancel.
    for (int keta : {0, -5, 4, 15}) {
        std::int16_t zero = 7, shift = -3, fill = 99;
        int shownZero = -1, shownShift = -1, shownFill = -1;
        onNextDialog([&](QWidget *d) {
            shownZero = d->findChild<QComboBox *>(QStringLiteral("ZeroMode"))->currentIndex();
            shownShift = d->findChild<QSpinBox *>(QStringLiteral("Shift"))->value();
            shownFill = d->findChild<QSpinBox *>(QStringLiteral("FillZero"))->value();
            d->findChild<QSpinBox *>(QStringLiteral("Shift"))->setValue(1);
            press(d, "Cancel");
        });
        EXPECT_EQ(Call_dlg100(nullptr, keta, zero, shift, fill), 0) << keta;
        EXPECT_EQ(zero, 7);
        EXPECT_EQ(shift, -3);
        EXPECT_EQ(fill, 99);
        EXPECT_EQ(shownZero, 0);
        EXPECT_EQ(shownShift, 0);
        EXPECT_EQ(shownFill, std::max(0, keta));
        EXPECT_EQ(lastEvent().value("answer").toString(), QStringLiteral("Cancel"));
    }
    // Confirming what was shown hands back the shown (valid) values.
    std::int16_t zero = -2, shift = 20, fill = -1;
    onNextDialog([](QWidget *d) { press(d, "OK"); });
    EXPECT_EQ(Call_dlg100(nullptr, 4, zero, shift, fill), 1);
    EXPECT_EQ(zero, 0);
    EXPECT_EQ(shift, 3);
    EXPECT_EQ(fill, 0);
}

TEST(CompanionInfoBox, ShowsTheLinesAsWrittenAndReturnsOne) {
    const QString text = QStringLiteral("型番：207_000\r\nバージョン：1.2.3\r\n\r\n<b>配布</b>\r\n");
    QString shown;
    int textFormat = -1;
    onNextDialog([&](QWidget *d) {
        EXPECT_EQ(d->objectName(), QStringLiteral("Call_dlg110"));
        auto *label = d->findChild<QLabel *>(QStringLiteral("Text"));
        ASSERT_NE(label, nullptr);
        shown = label->text();
        textFormat = label->textFormat();
        press(d, "OK");
    });
    EXPECT_EQ(Call_dlg110(nullptr, 1, text), 1);
    EXPECT_EQ(shown, QStringLiteral("型番：207_000\nバージョン：1.2.3\n\n<b>配布</b>"));
    EXPECT_EQ(textFormat, Qt::PlainText);  // markup-looking text is not interpreted
    const QJsonObject e = lastEvent();
    EXPECT_EQ(e.value("text").toString(), text);
    EXPECT_EQ(e.value("buttons").toArray(), QJsonArray{"OK"});
    EXPECT_EQ(e.value("answer").toString(), QStringLiteral("OK"));

    // Closing it any other way still counts as read.
    onNextDialog([](QWidget *d) { qobject_cast<QDialog *>(d)->reject(); });
    EXPECT_EQ(Call_dlg110(nullptr, 1, QString()), 1);
}

TEST(CompanionDateDialog, ConfirmedDateFillsTheRecord) {
    SystemTime t;
    t.wYear = 2024;
    t.wMonth = 2;
    t.wDay = 29;
    t.wHour = 13;
    QDate startedAt;
    onNextDialog([&](QWidget *d) {
        EXPECT_EQ(d->objectName(), QStringLiteral("Call_dlg111"));
        auto *cal = d->findChild<QCalendarWidget *>(QStringLiteral("Calendar"));
        ASSERT_NE(cal, nullptr);
        startedAt = cal->selectedDate();
        cal->setSelectedDate(QDate(2024, 5, 5));
        press(d, "OK");
    });
    EXPECT_NE(Call_dlg111(nullptr, t), 0);
    EXPECT_EQ(startedAt, QDate(2024, 2, 29));
    EXPECT_EQ(t.wYear, 2024);
    EXPECT_EQ(t.wMonth, 5);
    EXPECT_EQ(t.wDay, 5);
    EXPECT_EQ(t.wDayOfWeek, 0);  // a Sunday
    EXPECT_EQ(t.wHour, 0);
    EXPECT_EQ(lastEvent().value("value").toString(), QStringLiteral("2024/05/05"));

    onNextDialog([](QWidget *d) {
        d->findChild<QCalendarWidget *>(QStringLiteral("Calendar"))->setSelectedDate(QDate(2031, 12, 31));
        press(d, "OK");
    });
    EXPECT_NE(Call_dlg111(nullptr, t), 0);
    EXPECT_EQ(t.wDayOfWeek, 3);  // a Wednesday
}

TEST(CompanionDateDialog, CancelKeepsTheRecordAndABadDateStartsToday) {
    SystemTime t;
    t.wYear = 2023;
    t.wMonth = 13;  // no such month
    t.wDay = 40;
    t.wDayOfWeek = 5;
    QDate startedAt;
    onNextDialog([&](QWidget *d) {
        auto *cal = d->findChild<QCalendarWidget *>(QStringLiteral("Calendar"));
        startedAt = cal->selectedDate();
        cal->setSelectedDate(QDate(2020, 1, 1));
        press(d, "Cancel");
    });
    const QDate before = QDate::currentDate();
    EXPECT_EQ(Call_dlg111(nullptr, t), 0);
    EXPECT_TRUE(startedAt >= before && startedAt <= QDate::currentDate());
    EXPECT_EQ(t.wYear, 2023);
    EXPECT_EQ(t.wMonth, 13);
    EXPECT_EQ(t.wDay, 40);
    EXPECT_EQ(t.wDayOfWeek, 5);
    EXPECT_EQ(lastEvent().value("answer").toString(), QStringLiteral("Cancel"));
}
