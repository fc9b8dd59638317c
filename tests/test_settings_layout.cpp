// The options dialog's pages read cleanly: every caption fits its control, every
// control lies inside its frame; and the board's labels are drawn in their colour.
#include "panel/backlight.h"
#include "widgets/qcolor_ref.h"
#include "panel/board_layout.h"
#include "app/startup.h"
#include "test_windows.h"
#include "board/form1.h"
#include "options/frm_option.h"
#include "core/ini_data.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

// The program maps the Windows font names before any window exists; so do the tests,
// whichever of them creates the windows first.
class FontEnvironment : public testing::Environment {
public:
    void SetUp() override { installFontSubstitutes(); }
};
const auto *const kFonts = testing::AddGlobalTestEnvironment(new FontEnvironment);

void clickOption(const QString &name) {
    auto *b = testOptions()->findChild<QRadioButton *>(name);
    ASSERT_NE(b, nullptr) << name.toStdString();
    b->click();
}

}  // namespace

TEST(SettingsDialogLayout, CaptionsFitAndControlsStayInsideTheirFrames) {
    FrmOption *dlg = testOptions();
    // Show every dependent frame so that it is measured too.
    dlg->findChild<QCheckBox *>(QStringLiteral("Check1"))->setChecked(true);
    clickOption(QStringLiteral("Option3(1)"));
    dlg->findChild<QCheckBox *>(QStringLiteral("chkUseSeiriPrev"))->setChecked(true);

    for (QWidget *w : dlg->findChildren<QWidget *>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
        const std::string name = w->objectName().toStdString();
        QWidget *parent = w->parentWidget();
        EXPECT_TRUE(parent->rect().contains(w->geometry())) << name << " leaves its frame";
        if (auto *label = qobject_cast<QLabel *>(w)) {
            if (label->text().isEmpty()) continue;
            const QFontMetrics fm(label->font());
            const int needed = label->wordWrap()
                                   ? fm.boundingRect(label->contentsRect(), Qt::TextWordWrap, label->text()).height()
                                   : fm.height();
            EXPECT_LE(needed, label->height()) << name << " is cut at the bottom";
            if (!label->wordWrap()) EXPECT_LE(fm.horizontalAdvance(label->text()), label->width()) << name;
        } else if (auto *box = qobject_cast<QGroupBox *>(w)) {
            const QFontMetrics fm(box->font());
            EXPECT_LE(fm.horizontalAdvance(box->title()) + 16, box->width()) << name << " title is cut";
        } else if (auto *b = qobject_cast<QAbstractButton *>(w)) {
            if (b->text().isEmpty()) continue;
            if (b->sizePolicy().hasHeightForWidth()) {
                EXPECT_LE(b->heightForWidth(b->width()), b->height()) << name << " is cut at the bottom";
            } else if (qobject_cast<QCheckBox *>(b) || qobject_cast<QRadioButton *>(b)) {
                if (b->metaObject()->className() == QByteArray("GraphicalOption")) continue;
                EXPECT_LE(b->sizeHint().width(), b->width()) << name << " is cut";
            } else {
                EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()) + 8, b->width()) << name << " is cut";
            }
        }
    }
}

TEST(SettingsDialogLayout, BoardLabelsShowTheBacklightColours) {
    Form1 *board = testBoard();
    board_layout::placeDisplays(*testBoard());
    board_layout::setDefaultPanel(*testBoard(), testSettings(), *testOptions());
    for (int k = 0; k < 3; ++k) {
        applyBacklight(*testBoard(), testSettings(), k);
        const QImage shot = board->grab().toImage();
        // Some pixel of label 11's caption is drawn in the state's colour.
        const QColor want = toQColor(testSettings().labelColor(k));
        const QRect r = board->ticketLabel(11)->geometry();
        bool found = false;
        for (int y = r.top(); y <= r.bottom() && !found; ++y)
            for (int x = r.left(); x <= r.right() && !found; ++x) {
                const QColor c = shot.pixelColor(x, y);
                found = qAbs(c.red() - want.red()) + qAbs(c.green() - want.green()) + qAbs(c.blue() - want.blue()) < 12;
            }
        EXPECT_TRUE(found) << "state " << k;
    }
    testOptions()->takeOptionBlocks(IniData());
    testOptions()->applyToWindows();
}
