// The colour chooser: Qt's own colour dialog in Japanese, started at the caller's
// colour and showing the caller's custom colours.
#include "companion/companion.h"
#include "widgets/qcolor_ref.h"
#include "companion/dialog_common.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

namespace {

const QString kName = QStringLiteral("Qv3ChooseColor");
const QString kTitle = QStringLiteral("色の設定");

// The dialog carries 16 custom colours; the table's 17th entry is kept as it is.
constexpr int kDialogSlots = 16;

struct Caption {
    const char *english;  // as the dialog sets it
    const char *japanese;
    const char *buddyName;  // objectName for the field the label belongs to, if any
};

const Caption kCaptions[] = {
    {"&Basic colors", "基本色(&B)", nullptr},
    {"&Custom colors", "作成した色(&C)", nullptr},
    {"&Add to Custom Colors", "作成した色に追加(&A)", nullptr},
    {"&Pick Screen Color", "画面から取得(&P)", nullptr},
    {"Hu&e:", "色合い(&E):", "Hue"},
    {"&Sat:", "鮮やかさ(&S):", "Sat"},
    {"&Val:", "明るさ(&V):", "Val"},
    {"&Red:", "赤(&R):", "Red"},
    {"&Green:", "緑(&G):", "Green"},
    {"Bl&ue:", "青(&U):", "Blue"},
    {"&HTML:", "HTML(&H):", "Html"},
};

// Japanese captions and stable names for the scripted operation. A caption this Qt
// words differently stays as it is; the dialog still works.
void localise(QColorDialog *dlg) {
    QHash<QString, const Caption *> byEnglish;
    for (const Caption &c : kCaptions) {
        byEnglish.insert(QString::fromUtf8(c.english), &c);
        // With Qt's own Japanese translation loaded the dialog already shows its words.
        byEnglish.insert(QColorDialog::tr(c.english), &c);
    }
    for (QLabel *label : dlg->findChildren<QLabel *>()) {
        const Caption *c = byEnglish.value(label->text());
        if (!c) continue;
        label->setText(QString::fromUtf8(c->japanese));
        if (c->buddyName && label->buddy()) label->buddy()->setObjectName(QString::fromUtf8(c->buddyName));
    }
    for (QAbstractButton *button : dlg->findChildren<QAbstractButton *>()) {
        const Caption *c = byEnglish.value(button->text());
        if (!c) continue;
        if (QLatin1String(c->english) == QLatin1String("&Add to Custom Colors")) button->setObjectName(QStringLiteral("AddCustom"));
        button->setText(QString::fromUtf8(c->japanese));
    }
    if (auto *box = dlg->findChild<QDialogButtonBox *>()) companion::nameButtons(box);

    // The "#rrggbb" field: the one line edit that is not part of a spin box.
    for (QLineEdit *edit : dlg->findChildren<QLineEdit *>()) {
        if (qobject_cast<QAbstractSpinBox *>(edit->parentWidget())) continue;
        edit->setObjectName(QStringLiteral("Html"));
        // The dialog follows this field only when typed into; a complete colour put
        // there by a script (or pasted) is taken over as well.
        static const QRegularExpression full(QStringLiteral("^#?[0-9A-Fa-f]{6}$"));
        QObject::connect(edit, &QLineEdit::textChanged, dlg, [dlg](const QString &text) {
            if (!full.match(text).hasMatch()) return;
            const QColor c = QColor::fromString(text.startsWith(QLatin1Char('#')) ? text : QLatin1Char('#') + text);
            if (c.isValid() && c.rgb() != dlg->currentColor().rgb()) dlg->setCurrentColor(c);
        });
        break;
    }
}

}  // namespace

int Qv3ChooseColor(QWidget *owner, COLORREF &rgb, CustomColors &custColors) {
    for (int i = 0; i < kDialogSlots; ++i) QColorDialog::setCustomColor(i, toQColor(custColors[i]));

    auto *dlg = new QColorDialog(owner);
    dlg->setOption(QColorDialog::DontUseNativeDialog);
    companion::prepareDialog(dlg, kName, kTitle);
    dlg->setCurrentColor(toQColor(rgb));
    localise(dlg);

    QColor picked;
    QObject::connect(dlg, &QDialog::accepted, dlg, [&] { picked = dlg->currentColor(); });
    const bool ok = companion::runDialog(dlg) && picked.isValid();
    if (ok) rgb = fromQColor(picked);

    // Custom colours the user added count even when no colour was chosen in the end.
    // An entry whose colour did not change keeps its exact stored value.
    for (int i = 0; i < kDialogSlots; ++i) {
        const COLORREF now = fromQColor(QColorDialog::customColor(i));
        if (now != (custColors[i] & 0x00FFFFFFu)) custColors[i] = now;
    }
    companion::recordDialog(kName, kTitle, QString(), ok, ok ? QJsonValue(picked.name()) : QJsonValue());
    return ok ? 1 : 0;
}
