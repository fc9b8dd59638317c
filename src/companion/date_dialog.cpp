// The date chooser: a month calendar with OK and キャンセル.
#include "companion/companion.h"
#include "companion/dialog_common.h"

#include <QCalendarWidget>
#include <QDate>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

namespace {

const QString kName = QStringLiteral("Call_dlg111");
const QString kTitle = QStringLiteral("日付の選択");

QString longDate(const QDate &d) {
    static const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    return japanese.toString(d, QStringLiteral("yyyy年M月d日（ddd）"));
}

}  // namespace

int Call_dlg111(QWidget *owner, SystemTime &out) {
    auto *dlg = new QDialog(owner);
    companion::prepareDialog(dlg, kName, kTitle);

    auto *calendar = new QCalendarWidget(dlg);
    calendar->setObjectName(QStringLiteral("Calendar"));
    calendar->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    calendar->setFirstDayOfWeek(Qt::Sunday);
    calendar->setGridVisible(true);
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // A four-digit year: the date is written back as yyyy/mm/dd.
    calendar->setDateRange(QDate(1601, 1, 1), QDate(9999, 12, 31));
    // Start at the date handed in when it is one, else today.
    const QDate given(out.wYear, out.wMonth, out.wDay);
    calendar->setSelectedDate(given.isValid() && given >= calendar->minimumDate() ? given : QDate::currentDate());

    auto *chosen = new QLabel(longDate(calendar->selectedDate()), dlg);
    chosen->setObjectName(QStringLiteral("SelectedDate"));
    chosen->setAlignment(Qt::AlignCenter);
    QObject::connect(calendar, &QCalendarWidget::selectionChanged, chosen,
                     [calendar, chosen] { chosen->setText(longDate(calendar->selectedDate())); });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dlg);
    companion::nameButtons(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dlg, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dlg, &QDialog::reject);
    // A double click or Enter on a day confirms it.
    QObject::connect(calendar, &QCalendarWidget::activated, dlg, &QDialog::accept);

    auto *layout = new QVBoxLayout(dlg);
    layout->addWidget(calendar);
    layout->addWidget(chosen);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QDate picked;
    QObject::connect(dlg, &QDialog::accepted, dlg, [&] { picked = calendar->selectedDate(); });
    const bool ok = companion::runDialog(dlg) && picked.isValid();
    if (ok) {
        out.wYear = static_cast<std::int16_t>(picked.year());
        out.wMonth = static_cast<std::int16_t>(picked.month());
        out.wDay = static_cast<std::int16_t>(picked.day());
        out.wDayOfWeek = static_cast<std::int16_t>(picked.dayOfWeek() % 7);  // Sunday is 0
        out.wHour = out.wMinute = out.wSecond = out.wMilliseconds = 0;
    }
    companion::recordDialog(kName, kTitle, QString(), ok,
                            ok ? QJsonValue(picked.toString(QStringLiteral("yyyy/MM/dd"))) : QJsonValue());
    return ok ? 1 : 0;
}
