// The options dialog: the dependent enabling and showing on every page (by clicks and
// by loaded values), the settings exchange, applyToWindows's effects on the board, and closing.
#include "panel/frm_ctl.h"
#include "test_windows.h"
#include "board/form1.h"
#include "widgets/chimei_ctl.h"
#include "widgets/m_degit.h"
#include "options/frm_option.h"
#include "options/option_widgets.h"
#include "core/ini_data.h"
#include "core/settings.h"
#include "core/trip_session.h"
#include "test_settings_reference.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QDate>
#include <QImage>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

template <typename T>
T *ctl(const FrmOption *d, const QString &name) {
    T *w = d->findChild<T *>(name);
    if (!w) ADD_FAILURE() << "no control " << name.toStdString();
    return w;
}
QCheckBox *chk(const FrmOption *d, const char *n) { return ctl<QCheckBox>(d, QString::fromLatin1(n)); }
QRadioButton *opt(const FrmOption *d, const char *n) { return ctl<QRadioButton>(d, QString::fromLatin1(n)); }
QComboBox *combo(const FrmOption *d, const char *n) { return ctl<QComboBox>(d, QString::fromLatin1(n)); }
QGroupBox *frm(const FrmOption *d, const char *n) { return ctl<QGroupBox>(d, QString::fromLatin1(n)); }
QWidget *any(const FrmOption *d, const char *n) { return ctl<QWidget>(d, QString::fromLatin1(n)); }

// The dependent controls at a glance, in groups: the labels frame; the information
// lists; the per-state picture frames; the plug-in and date frames. Each control is
// 'E' enabled and shown, 'd' disabled but shown, 'h' enabled but hidden, '-' neither.
QString dependents(const FrmOption *d) {
    const std::vector<std::vector<const char *>> groups = {
        {"Frame3"}, {"Combo4(0)", "Combo4(1)", "Combo4(2)", "Combo4(3)", "Combo4(4)", "Check3(4)"},
        {"Frame6(0)", "Frame6(1)", "Frame6(2)"}, {"Frame10", "Frame7"}};
    QStringList out;
    for (const auto &group : groups) {
        QString g;
        for (const char *n : group) {
            const QWidget *w = any(d, n);
            g += w->isEnabled() ? (w->isHidden() ? u'h' : u'E') : (w->isHidden() ? u'-' : u'd');
        }
        out << g;
    }
    return out.join(u' ');
}
const QString kAllOff = QStringLiteral("d dddddd --- --");

void expectOptionBlocksEqual(const IniData &a, const IniData &b) {
    EXPECT_TRUE(std::tie(a.dataDir, a.panel, a.degit) == std::tie(b.dataDir, b.panel, b.degit));
    EXPECT_TRUE(std::tie(a.chimei, a.sound, a.seiriken) == std::tie(b.chimei, b.sound, b.seiriken));
}

// Loads `in` into the dialog: its option blocks read back unchanged.
void expectReadsBack(FrmOption *d, const IniData &in) {
    d->takeOptionBlocks(in);
    IniData back;
    d->readOptionBlocks(back);
    expectOptionBlocksEqual(back, in);
}

}  // namespace

TEST(OptionsDialog, DependentControlsFollowClicksOnEveryPage) {
    Settings settings;
    auto d = std::make_unique<FrmOption>(settings);
    // At load: every dependent control off, and the untouched dialog reads as the
    // record's own defaults.
    EXPECT_EQ(dependents(d.get()), kAllOff);
    IniData fromDialog, defaults;
    d->readOptionBlocks(fromDialog);
    defaults.seiriken.FixedDate = QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
    expectOptionBlocksEqual(fromDialog, defaults);

    // Pages and sub-pages.
    EXPECT_FALSE(frm(d.get(), "Frame1(0)")->isHidden());
    opt(d.get(), "Option1(3)")->click();
    opt(d.get(), "Option5(0)")->click();
    EXPECT_EQ(std::vector<bool>({frm(d.get(), "Frame1(3)")->isHidden(), frm(d.get(), "Frame1(0)")->isHidden(),
                                 frm(d.get(), "Frame2(0)")->isHidden(), frm(d.get(), "Frame2(1)")->isHidden()}),
              std::vector<bool>({false, true, false, true}));

    // Each switch turns on exactly its own controls, and off again.
    const std::pair<const char *, const char *> switches[] = {
        {"Check1", "E dddddd --- --"},    {"Check3(0)", "d EddddE --- --"}, {"Check3(1)", "d dEdddd --- --"},
        {"Check3(2)", "d ddEddd --- --"}, {"Check3(3)", "d dddEEd --- --"}, {"chkUseSeiriPrev", "d dddddd --- EE"}};
    for (const auto &[name, on] : switches) {
        chk(d.get(), name)->click();
        EXPECT_EQ(dependents(d.get()), QLatin1String(on)) << name;
        chk(d.get(), name)->click();
        EXPECT_EQ(dependents(d.get()), kAllOff) << name;
    }
    // Per-state pictures, kept by a per-state choice; counting from 0 enables nothing.
    const std::pair<QAbstractButton *, const char *> steps[] = {
        {opt(d.get(), "Option3(1)"), "d dddddd EEE --"}, {opt(d.get(), "Option3(6)"), "d dddddd EEE --"},
        {opt(d.get(), "Option3(0)"), "d dddddd --- --"}, {chk(d.get(), "Check3(0)"), "d EddddE --- --"},
        {chk(d.get(), "Check3(4)"), "d EddddE --- --"}};
    for (const auto &[button, shown] : steps) {
        button->click();
        EXPECT_EQ(dependents(d.get()), QLatin1String(shown)) << qPrintable(button->objectName());
    }

    // The plug-in and date frames keep their contents when hidden.
    chk(d.get(), "chkUseSeiriPrev")->click();
    ctl<QLineEdit>(d.get(), QStringLiteral("txtSeiriPlgDir"))->setText(QStringLiteral("/p.4SP"));
    opt(d.get(), "Option4(2)")->click();
    chk(d.get(), "chkUseSeiriPrev")->click();
    EXPECT_EQ(d->settings().pluginPath(), QStringLiteral("/p.4SP"));
    EXPECT_EQ(d->settings().ticketDateMode(), 2);

    // Removing the plug-in empties its box.
    chk(d.get(), "chkUseSeiriPrev")->click();
    ctl<QListWidget>(d.get(), QStringLiteral("List1"))->addItem(QStringLiteral("x"));
    ctl<QPlainTextEdit>(d.get(), QStringLiteral("txtPlginComment"))->setPlainText(QStringLiteral("y"));
    ctl<QPushButton>(d.get(), QStringLiteral("Command11"))->click();
    EXPECT_TRUE(d->settings().pluginPath().isEmpty());
    EXPECT_EQ(ctl<QListWidget>(d.get(), QStringLiteral("List1"))->count(), 0);
    EXPECT_TRUE(ctl<QPlainTextEdit>(d.get(), QStringLiteral("txtPlginComment"))->toPlainText().isEmpty());
}

TEST(OptionsDialog, PageButtonsNeverClearAnOptionOfAnotherGroup) {
    Settings settings;
    auto d = std::make_unique<FrmOption>(settings);
    auto others = [&] {
        std::map<QString, bool> out;
        for (const QRadioButton *b : d->findChildren<QRadioButton *>())
            if (!b->objectName().startsWith(QStringLiteral("Option1(")) && !b->objectName().startsWith(QStringLiteral("Option5(")))
                out[b->objectName()] = b->isChecked();
        return out;
    };
    const auto before = others();
    EXPECT_TRUE(before.at(QStringLiteral("Option3(0)")));
    for (int round = 0; round < 2; ++round)
        for (int page = 0; page < 6; ++page) {
            opt(d.get(), QStringLiteral("Option1(%1)").arg(page).toLatin1().constData())->click();
            if (page == 4) opt(d.get(), "Option5(0)")->click(), opt(d.get(), "Option5(1)")->click();
        }
    EXPECT_EQ(others(), before);
    EXPECT_TRUE(opt(d.get(), "Option1(5)")->isChecked()) << "a page button pressed again stays selected";
}

TEST(OptionsDialog, LoadedValuesRunTheReactionsAndReadBackUnchanged) {
    Settings settings;
    auto d = std::make_unique<FrmOption>(settings);
    const IniData changed = settings_reference::sample();  // every value away from its default
    expectReadsBack(d.get(), changed);
    EXPECT_EQ(dependents(d.get()), QStringLiteral("E EEEEEE EEE EE"));
    EXPECT_EQ(ctl<M_Degit>(d.get(), QStringLiteral("M_Degit1"))->BackColor(), changed.degit.DegitBackColor);

    // The accessors the panel uses read the same controls.
    EXPECT_EQ(d->settings().soundFile(1), QStringLiteral("reset.wav"));
    EXPECT_EQ(d->settings().soundFile(10), QStringLiteral("s3.mid"));
    EXPECT_EQ(d->settings().stepSoundColumnIndex(), 42);
    EXPECT_EQ(std::vector<bool>({d->settings().stepSoundSync(), d->settings().tapeSoundSync(), d->settings().panelUser(1), d->settings().panelUser(2)}),
              std::vector<bool>({true, false, false, true}));
    EXPECT_EQ(d->settings().labelColor(2), 0x00778899u);
    const InfoCellOptions cells = d->settings().infoCells();
    EXPECT_EQ(std::vector<int>({cells.stopOrder.cell, cells.countFromZero, cells.dataColumn.cell, cells.sourceColumn}),
              std::vector<int>({32, 1, 13, 150}));

    // Back to the defaults: everything dependent is disabled and hidden again.
    IniData defaults;
    defaults.seiriken.FixedDate = QStringLiteral("2020/01/01");
    expectReadsBack(d.get(), defaults);
    EXPECT_EQ(dependents(d.get()), kAllOff);

    // Option pairs stored as both cleared, and lists with nothing chosen, come back so.
    IniData none = changed;
    none.sound.StepAlways = none.sound.StepByColumn = none.panel.PanelAuto = none.panel.PanelEach = 0;
    none.sound.StepColumn = none.panel.SeiriNumStyle = -1;
    expectReadsBack(d.get(), none);
    // With neither panel mode chosen, automatic mode is not selected: the frames show.
    EXPECT_EQ(dependents(d.get()), QStringLiteral("E EEEEEE EEE EE"));

    // A check box stored as 2 shows greyed, is not checked, and is saved back as 2; a
    // text as long as the file allows is taken whole.
    IniData odd = changed;
    odd.panel.AutoSeiriNum = 2;
    odd.dataDir.FareDataDir = QString(40000, QLatin1Char('x'));
    expectReadsBack(d.get(), odd);
    EXPECT_EQ(chk(d.get(), "Check1")->checkState(), Qt::PartiallyChecked);
    EXPECT_FALSE(d->settings().autoSeiriNum());
    EXPECT_EQ(dependents(d.get()).left(1), QStringLiteral("d"));
}

TEST(OptionsDialog, AppliedOptionsPutEveryLookOnTheBoard) {
    FrmOption *d = testOptions();
    Form1 *board = testBoard();
    const int k = testPanel()->session().backlight();
    // Values no board shows by default, so that each one seen there came from applyToWindows.
    const COLORREF newDigit = RGB(200, 10, 10), newLabel = RGB(10, 200, 10), newChimei = RGB(10, 10, 200);
    chk(d, "Check1")->setChecked(true);
    combo(d, "Combo2")->setCurrentIndex(7);
    chk(d, "Check2")->setChecked(true);
    any(d, "Command8(0)")->setProperty("BackColor", uint(newDigit));
    any(d, "Command9(0)")->setProperty("BackColor", uint(newChimei));
    combo(d, "Combo3")->setCurrentIndex(1);
    chk(d, "Check4")->setChecked(true);
    PanelInfo panel = d->settings().panel();
    panel.SeiriNumColor[k] = newLabel;
    d->settings().setPanel(panel);

    d->applyToWindows();

    for (int i : {1, 17, 32}) {
        EXPECT_FALSE(board->ticketLabel(i)->isHidden());
        EXPECT_EQ(board->ticketLabel(i)->property("ForeColor").toUInt(), newLabel);
        EXPECT_EQ(board->fareDisplay(i)->BackColor(), newDigit);
    }
    EXPECT_EQ(board->ticketLabel(1)->text(), QStringLiteral("券なし"));
    EXPECT_EQ(board->ticketLabel(5)->text(), QStringLiteral("０５"));
    EXPECT_EQ(board->clockDisplay(1)->BackColor(), newDigit);
    EXPECT_EQ(board->stopStrip()->BackColor(), newChimei);
    EXPECT_EQ(board->stopStrip()->FontMode(), 1);
    EXPECT_TRUE(board->stopStrip()->FontBold());

    // Leave the shared dialog as found.
    d->takeOptionBlocks(IniData());
    combo(d, "Combo3")->setCurrentIndex(-1);
    d->applyToWindows();
}

TEST(OptionsDialog, OkAndClosingHideApplyAndKeepTheValues) {
    FrmOption *d = testOptions();
    Form1 *board = testBoard();
    d->show();
    chk(d, "Check1")->setChecked(false);
    ctl<QPushButton>(d, QStringLiteral("Command4"))->click();
    EXPECT_FALSE(d->isVisible());
    EXPECT_TRUE(board->ticketLabel(8)->isHidden());
    EXPECT_FALSE(chk(d, "Check1")->isChecked());

    // Closing by the frame hides too, keeps the values and applies them.
    d->show();
    chk(d, "Check1")->setChecked(true);
    ctl<QLineEdit>(d, QStringLiteral("Text2(0)"))->setText(QStringLiteral("/kept"));
    d->close();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->settings().fareDataDir(), QStringLiteral("/kept"));
    EXPECT_FALSE(board->ticketLabel(8)->isHidden());
    EXPECT_EQ(testOptions(), d);

    d->takeOptionBlocks(IniData());
    d->applyToWindows();
}

// A colour button shows the colour it holds, set before it is first drawn or after.
TEST(OptionsDialog, ColorButtonShowsItsColourBeforeAndAfterItsFirstPicture) {
    ColorButton button(RGB(10, 200, 10), nullptr);
    button.resize(64, 24);
    button.setColor(RGB(200, 10, 10));
    const auto centre = [&button] { return button.grab().toImage().pixelColor(32, 12); };
    EXPECT_EQ(centre(), QColor(200, 10, 10));
    button.setColor(RGB(10, 10, 200));
    EXPECT_EQ(centre(), QColor(10, 10, 200));
}

