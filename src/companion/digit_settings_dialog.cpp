// The digit settings dialog: how a digit display treats zero, how far its digits
// are shifted to the left and how many leading zeros it fills in.
#include "companion/companion.h"
#include "companion/dialog_common.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QJsonObject>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kName = QStringLiteral("Call_dlg100");
const QString kTitle = QStringLiteral("表示桁の設定");

// The four zero modes, in the order of their values.
const char *const kZeroModes[] = {
    "0：0は表示しない",
    "1：0を表示する",
    "2：-1を0と表示し、0は表示しない",
    "3：-1も0も0と表示する",
};

QJsonObject valuesJson(int zeroMode, int shift, int fillZero) {
    return {{"ZeroMode", zeroMode}, {"Shift", shift}, {"FillZero", fillZero}};
}

}  // namespace

int Call_dlg100(QWidget *owner, int keta, std::int16_t &zeroMode, std::int16_t &shift, std::int16_t &fillZero) {
    auto *dlg = new QDialog(owner);
    companion::prepareDialog(dlg, kName, kTitle);

    // The display accepts a shift of 0..Keta-1 and a fill of 0..Keta; a stored value
    // outside that (or an odd Keta) is shown at the nearest allowed value.
    const int shiftMax = std::max(0, keta - 1);
    const int fillMax = std::max(0, keta);

    auto *ketaLabel = new QLabel(QString::number(keta), dlg);
    ketaLabel->setObjectName(QStringLiteral("Keta"));

    auto *zeroBox = new QComboBox(dlg);
    zeroBox->setObjectName(QStringLiteral("ZeroMode"));
    for (const char *text : kZeroModes) zeroBox->addItem(QString::fromUtf8(text));
    zeroBox->setCurrentIndex(zeroMode >= 0 && zeroMode <= 3 ? zeroMode : 0);

    auto *shiftBox = new QSpinBox(dlg);
    shiftBox->setObjectName(QStringLiteral("Shift"));
    shiftBox->setRange(0, shiftMax);
    shiftBox->setValue(std::clamp<int>(shift, 0, shiftMax));
    shiftBox->setSuffix(QStringLiteral(" 桁"));

    auto *fillBox = new QSpinBox(dlg);
    fillBox->setObjectName(QStringLiteral("FillZero"));
    fillBox->setRange(0, fillMax);
    fillBox->setValue(std::clamp<int>(fillZero, 0, fillMax));
    fillBox->setSuffix(QStringLiteral(" 桁"));
    fillBox->setSpecialValueText(QStringLiteral("しない"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("表示桁数："), ketaLabel);
    form->addRow(QStringLiteral("0の表示(&Z)："), zeroBox);
    form->addRow(QStringLiteral("シフト(&S)："), shiftBox);
    form->addRow(QStringLiteral("ゼロ埋め(&F)："), fillBox);

    auto *hint = new QLabel(QStringLiteral("シフト：数字を右端から何桁左へ寄せるか\n"
                                           "ゼロ埋め：この桁数になるまで頭に0を付ける"),
                            dlg);
    hint->setEnabled(false);  // a quiet, greyed explanation

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dlg);
    companion::nameButtons(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dlg, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dlg, &QDialog::reject);

    auto *layout = new QVBoxLayout(dlg);
    layout->addLayout(form);
    layout->addWidget(hint);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Read before the dialog goes: runDialog deletes it.
    int newZero = zeroMode, newShift = shift, newFill = fillZero;
    QObject::connect(dlg, &QDialog::accepted, dlg, [&] {
        newZero = zeroBox->currentIndex();
        newShift = shiftBox->value();
        newFill = fillBox->value();
    });
    const bool ok = companion::runDialog(dlg);
    if (ok) {
        zeroMode = static_cast<std::int16_t>(newZero);
        shift = static_cast<std::int16_t>(newShift);
        fillZero = static_cast<std::int16_t>(newFill);
    }
    companion::recordDialog(kName, kTitle, QStringLiteral("表示桁数：%1").arg(keta), ok,
                            valuesJson(zeroMode, shift, fillZero));
    return ok ? 1 : 0;
}
