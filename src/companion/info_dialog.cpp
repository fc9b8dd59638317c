// The information box: a few lines of text (the About box's model, version and
// credits) and an OK button.
#include "companion/companion.h"
#include "companion/dialog_common.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString kName = QStringLiteral("Call_dlg110");
const QString kTitle = QStringLiteral("バージョン情報");

// Lines arrive joined by CR LF, each ending with one; a trailing break only adds
// empty space at the bottom of the box.
QString displayText(const QString &text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    while (t.endsWith(QLatin1Char('\n'))) t.chop(1);
    return t;
}

}  // namespace

int Call_dlg110(QWidget *owner, int /*kind*/, const QString &text) {
    auto *dlg = new QDialog(owner);
    companion::prepareDialog(dlg, kName, kTitle);

    auto *icon = new QLabel(dlg);
    const QIcon appIcon = QApplication::windowIcon();
    const int iconSize = dlg->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, dlg);
    icon->setPixmap(appIcon.isNull() ? dlg->style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(iconSize)
                                     : appIcon.pixmap(iconSize));
    icon->setAlignment(Qt::AlignTop);

    auto *label = new QLabel(displayText(text), dlg);
    label->setObjectName(QStringLiteral("Text"));
    label->setTextFormat(Qt::PlainText);  // the text is shown as written, never as markup
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);  // the version can be copied
    label->setMinimumWidth(260);

    auto *row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(8);
    row->addWidget(label, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dlg);
    companion::nameButtons(buttons);
    buttons->setCenterButtons(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dlg, &QDialog::accept);

    auto *layout = new QVBoxLayout(dlg);
    layout->addLayout(row);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    companion::runDialog(dlg);
    // Closed by OK, Escape or the window's close button alike: the box only informs.
    companion::recordDialog(kName, kTitle, text, true, QJsonValue(QJsonValue::Undefined), {QStringLiteral("OK")});
    return 1;
}
