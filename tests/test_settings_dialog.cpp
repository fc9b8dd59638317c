// The options dialog: its state at load, the dependent enabling and showing on every
// page (by clicks and by loaded values), the settings exchange, SetProp's order of
// effects, the board defaults, and closing.
#include "app/frm_ctl.h"
#include "app/windows.h"
#include "board/board_layout.h"
#include "board/form1.h"
#include "controls/chimei_ctl.h"
#include "controls/m_degit.h"
#include "settings/frm_option.h"
#include "settings/ini_data.h"
#include "settings/option_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDynamicPropertyChangeEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <functional>
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
COLORREF colorOf(const FrmOption *d, const char *n) { return any(d, n)->property("BackColor").toUInt(); }

// A record for blocks 1..6 with every value away from its default.
IniData changedOptions() {
    IniData d;
    d.dataDir = {QStringLiteral("/運賃"), QStringLiteral("/放送")};
    d.panel.AutoSeiriNum = 1;
    d.panel.SeiriNumColor = {RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9)};
    d.panel.SeiriNumStyle = 9;
    d.panel.SeiriNumZero = 1;
    d.panel.PanelAuto = 0;
    d.panel.PanelEach = -1;
    d.panel.PanelOffBuiltIn = 0;
    d.panel.PanelOffUser = -1;
    d.panel.PanelOn1BuiltIn = 0;
    d.panel.PanelOn1User = -1;
    d.panel.PanelOn2BuiltIn = -1;
    d.panel.PanelOn2User = 0;
    d.panel.PanelFile = {QStringLiteral("a.bmp"), QStringLiteral("ｂ.gif"), QStringLiteral("c.jpg")};
    d.degit = {RGB(10, 20, 30), RGB(40, 50, 60), RGB(70, 80, 90), 1, 31, 1, 1, 2, 1, 3, 1, 149, 4};
    d.chimei = {RGB(11, 12, 13), RGB(14, 15, 16), 3, 1};
    d.sound = {QStringLiteral("r.wav"), QStringLiteral("リセット.wav"), 0, -1, -1, 0, QStringLiteral("s.wav"), 77,
               QStringLiteral("1.wav"), QStringLiteral("2.mp3"), QStringLiteral("3.mid"), 0, -1, 0, -1,
               QStringLiteral("t.wav"), QStringLiteral("t1.wav"), QStringLiteral("t2.wav"), QStringLiteral("t3.wav")};
    d.seiriken = {1, QStringLiteral("/plg/x.4SP"), 0, 0, -1, QStringLiteral("2001/02/03")};
    return d;
}

void expectOptionBlocksEqual(const IniData &a, const IniData &b) {
    EXPECT_EQ(a.dataDir, b.dataDir);
    EXPECT_EQ(a.panel, b.panel);
    EXPECT_EQ(a.degit, b.degit);
    EXPECT_EQ(a.chimei, b.chimei);
    EXPECT_EQ(a.sound, b.sound);
    EXPECT_EQ(a.seiriken, b.seiriken);
}

// Runs a check when a watched object receives a given event.
class Watcher : public QObject {
public:
    Watcher(QObject *target, QEvent::Type type, std::function<void()> onEvent, QByteArray property = {})
        : target_(target), type_(type), onEvent_(std::move(onEvent)), property_(std::move(property)) {
        target_->installEventFilter(this);
    }
    ~Watcher() override { target_->removeEventFilter(this); }
    int hits = 0;

protected:
    bool eventFilter(QObject *o, QEvent *e) override {
        if (o == target_ && e->type() == type_) {
            if (!property_.isEmpty() && static_cast<QDynamicPropertyChangeEvent *>(e)->propertyName() != property_)
                return false;
            // Only the first arrival belongs to the step being checked.
            if (++hits == 1) onEvent_();
        }
        return false;
    }

private:
    QObject *target_;
    QEvent::Type type_;
    std::function<void()> onEvent_;
    QByteArray property_;
};

}  // namespace

TEST(OptionsDialog, StateAtLoad) {
    auto d = std::make_unique<FrmOption>();
    EXPECT_EQ(d->windowTitle(), QStringLiteral("オプション"));
    EXPECT_EQ(d->size(), QSize(638, 374));
    EXPECT_EQ(ctl<QPushButton>(d.get(), QStringLiteral("Command4"))->text(), QStringLiteral("OK"));

    // Lists: cells 1..32, columns 1..150, styles, fonts.
    for (const char *n : {"Combo4(0)", "Combo4(1)", "Combo4(2)", "Combo4(3)"}) {
        EXPECT_EQ(combo(d.get(), n)->count(), 32) << n;
        EXPECT_EQ(combo(d.get(), n)->itemText(31), QStringLiteral("32"));
        EXPECT_EQ(combo(d.get(), n)->currentIndex(), 0);
    }
    for (const char *n : {"Combo1", "Combo4(4)"}) {
        EXPECT_EQ(combo(d.get(), n)->count(), 150) << n;
        EXPECT_EQ(combo(d.get(), n)->itemText(0), QStringLiteral("1"));
        EXPECT_EQ(combo(d.get(), n)->itemText(149), QStringLiteral("150"));
        EXPECT_EQ(combo(d.get(), n)->currentIndex(), 0);
    }
    EXPECT_EQ(combo(d.get(), "Combo2")->count(), 12);
    EXPECT_EQ(combo(d.get(), "Combo2")->currentIndex(), 0);
    EXPECT_EQ(combo(d.get(), "Combo2")->itemText(0), QStringLiteral("1,2,3... 32 （既定の表示）"));
    EXPECT_EQ(combo(d.get(), "Combo3")->count(), 5);
    EXPECT_EQ(combo(d.get(), "Combo3")->itemText(2), QStringLiteral("漢字はゴシック、それ以外は明朝"));
    EXPECT_EQ(combo(d.get(), "Combo3")->currentIndex(), -1);

    for (const char *n : {"Option1(0)", "Option5(1)", "Option2(0)", "Option6(1)", "Option2(2)", "Option7(0)",
                          "Option4(0)", "Option3(0)", "Option3(7)", "Option3(3)", "Option3(4)"})
        EXPECT_TRUE(opt(d.get(), n)->isChecked()) << n;
    for (const char *n : {"Option1(1)", "Option5(0)", "Option2(1)", "Option6(0)", "Option2(3)", "Option7(1)",
                          "Option4(1)", "Option4(2)", "Option3(1)", "Option3(6)", "Option3(2)", "Option3(5)"})
        EXPECT_FALSE(opt(d.get(), n)->isChecked()) << n;
    for (QCheckBox *c : d->findChildren<QCheckBox *>()) EXPECT_FALSE(c->isChecked()) << c->objectName().toStdString();
    for (QLineEdit *t : d->findChildren<QLineEdit *>()) {
        if (t->objectName().isEmpty()) continue;  // a list's own edit
        EXPECT_TRUE(t->text().isEmpty()) << t->objectName().toStdString();
    }

    EXPECT_FALSE(frm(d.get(), "Frame3")->isEnabled());
    for (const char *n : {"Combo4(0)", "Combo4(1)", "Combo4(2)", "Combo4(3)", "Combo4(4)", "Check3(4)"})
        EXPECT_FALSE(any(d.get(), n)->isEnabled()) << n;
    for (const char *n : {"Frame6(0)", "Frame6(1)", "Frame6(2)", "Frame10", "Frame7"}) {
        EXPECT_FALSE(frm(d.get(), n)->isEnabled()) << n;
        EXPECT_TRUE(frm(d.get(), n)->isHidden()) << n;
    }
    EXPECT_FALSE(frm(d.get(), "Frame1(0)")->isHidden());
    EXPECT_TRUE(frm(d.get(), "Frame1(3)")->isHidden());

    EXPECT_EQ(colorOf(d.get(), "Command5(0)"), 0x008000u);
    EXPECT_EQ(colorOf(d.get(), "Command5(2)"), 0xC0FFC0u);
    EXPECT_EQ(colorOf(d.get(), "Command8(2)"), 0x72D2F8u);
    EXPECT_EQ(colorOf(d.get(), "Command9(1)"), 0x00FFFFu);
    EXPECT_EQ(ctl<QLabel>(d.get(), QStringLiteral("Label10"))->text(),
              QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
    auto *sample = ctl<M_Degit>(d.get(), QStringLiteral("M_Degit1"));
    EXPECT_EQ(sample->DegitSize(), 2);
    EXPECT_EQ(sample->DegitForeColor(), 0x72D2F8u);

    // A record read from the untouched dialog is the record's own defaults.
    IniData fromDialog;
    d->GetOptionInfo(fromDialog);
    IniData defaults;
    defaults.seiriken.FixedDate = QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
    expectOptionBlocksEqual(fromDialog, defaults);
}

TEST(OptionsDialog, DependentControlsFollowClicksOnEveryPage) {
    auto d = std::make_unique<FrmOption>();
    // Pages and sub-pages.
    opt(d.get(), "Option1(3)")->click();
    EXPECT_FALSE(frm(d.get(), "Frame1(3)")->isHidden());
    EXPECT_TRUE(frm(d.get(), "Frame1(0)")->isHidden());
    opt(d.get(), "Option5(0)")->click();
    EXPECT_FALSE(frm(d.get(), "Frame2(0)")->isHidden());
    EXPECT_TRUE(frm(d.get(), "Frame2(1)")->isHidden());

    // Page 1: labels group, per-state picture frames.
    chk(d.get(), "Check1")->click();
    EXPECT_TRUE(frm(d.get(), "Frame3")->isEnabled());
    chk(d.get(), "Check1")->click();
    EXPECT_FALSE(frm(d.get(), "Frame3")->isEnabled());
    opt(d.get(), "Option3(1)")->click();
    for (const char *n : {"Frame6(0)", "Frame6(1)", "Frame6(2)"}) {
        EXPECT_TRUE(frm(d.get(), n)->isEnabled()) << n;
        EXPECT_FALSE(frm(d.get(), n)->isHidden()) << n;
    }
    opt(d.get(), "Option3(6)")->click();  // a per-state choice keeps them shown
    EXPECT_FALSE(frm(d.get(), "Frame6(0)")->isHidden());
    opt(d.get(), "Option3(0)")->click();
    for (const char *n : {"Frame6(0)", "Frame6(1)", "Frame6(2)"}) {
        EXPECT_FALSE(frm(d.get(), n)->isEnabled()) << n;
        EXPECT_TRUE(frm(d.get(), n)->isHidden()) << n;
    }

    // Page 2: each information number enables exactly its own lists.
    const std::vector<std::vector<const char *>> enables = {
        {"Combo4(0)", "Check3(4)"}, {"Combo4(1)"}, {"Combo4(2)"}, {"Combo4(3)", "Combo4(4)"}};
    const std::vector<const char *> all = {"Combo4(0)", "Combo4(1)", "Combo4(2)", "Combo4(3)", "Combo4(4)", "Check3(4)"};
    for (int i = 0; i < 4; ++i) {
        QCheckBox *box = ctl<QCheckBox>(d.get(), QStringLiteral("Check3(%1)").arg(i));
        box->click();
        for (const char *n : all) {
            const bool mine = std::find_if(enables[i].begin(), enables[i].end(),
                                           [n](const char *m) { return QByteArray(m) == n; }) != enables[i].end();
            EXPECT_EQ(any(d.get(), n)->isEnabled(), mine) << "Check3(" << i << ") " << n;
        }
        box->click();
        for (const char *n : all) EXPECT_FALSE(any(d.get(), n)->isEnabled()) << n;
    }
    chk(d.get(), "Check3(0)")->click();
    chk(d.get(), "Check3(4)")->click();  // counting from 0 enables nothing
    EXPECT_TRUE(any(d.get(), "Combo4(0)")->isEnabled());
    EXPECT_FALSE(any(d.get(), "Combo4(1)")->isEnabled());

    // Page 5: plug-in and date frames; their contents stay when hidden.
    chk(d.get(), "chkUseSeiriPrev")->click();
    for (const char *n : {"Frame10", "Frame7"}) {
        EXPECT_TRUE(frm(d.get(), n)->isEnabled());
        EXPECT_FALSE(frm(d.get(), n)->isHidden());
    }
    ctl<QLineEdit>(d.get(), QStringLiteral("txtSeiriPlgDir"))->setText(QStringLiteral("/p.4SP"));
    opt(d.get(), "Option4(2)")->click();
    chk(d.get(), "chkUseSeiriPrev")->click();
    EXPECT_TRUE(frm(d.get(), "Frame10")->isHidden());
    EXPECT_FALSE(frm(d.get(), "Frame7")->isEnabled());
    EXPECT_EQ(d->pluginPath(), QStringLiteral("/p.4SP"));
    EXPECT_EQ(d->ticketDateMode(), 2);

    // Removing the plug-in empties its box.
    chk(d.get(), "chkUseSeiriPrev")->click();
    ctl<QListWidget>(d.get(), QStringLiteral("List1"))->addItem(QStringLiteral("x"));
    ctl<QPlainTextEdit>(d.get(), QStringLiteral("txtPlginComment"))->setPlainText(QStringLiteral("y"));
    ctl<QPushButton>(d.get(), QStringLiteral("Command11"))->click();
    EXPECT_TRUE(d->pluginPath().isEmpty());
    EXPECT_EQ(ctl<QListWidget>(d.get(), QStringLiteral("List1"))->count(), 0);
    EXPECT_TRUE(ctl<QPlainTextEdit>(d.get(), QStringLiteral("txtPlginComment"))->toPlainText().isEmpty());
}

TEST(OptionsDialog, LoadedValuesRunTheReactionsAndReadBackUnchanged) {
    auto d = std::make_unique<FrmOption>();
    const IniData changed = changedOptions();
    d->SetOptionInfo(changed);

    IniData back;
    d->GetOptionInfo(back);
    expectOptionBlocksEqual(back, changed);

    EXPECT_TRUE(frm(d.get(), "Frame3")->isEnabled());
    for (const char *n : {"Combo4(0)", "Combo4(1)", "Combo4(2)", "Combo4(3)", "Combo4(4)", "Check3(4)"})
        EXPECT_TRUE(any(d.get(), n)->isEnabled()) << n;
    for (const char *n : {"Frame6(0)", "Frame6(1)", "Frame6(2)", "Frame10", "Frame7"})
        EXPECT_FALSE(frm(d.get(), n)->isHidden()) << n;
    EXPECT_EQ(ctl<M_Degit>(d.get(), QStringLiteral("M_Degit1"))->BackColor(), RGB(10, 20, 30));

    // The accessors read the same controls.
    EXPECT_EQ(d->fareDataDir(), QStringLiteral("/運賃"));
    EXPECT_EQ(d->soundFile(1), QStringLiteral("リセット.wav"));
    EXPECT_EQ(d->soundFile(10), QStringLiteral("3.mid"));
    EXPECT_TRUE(d->soundFile(2).isEmpty());
    EXPECT_FALSE(d->stepSoundAlways());
    EXPECT_EQ(d->stepSoundColumnIndex(), 77);
    EXPECT_TRUE(d->stepSoundSync());
    EXPECT_FALSE(d->tapeSoundSync());
    EXPECT_TRUE(d->panelEach());
    EXPECT_TRUE(d->panelUser(0));
    EXPECT_TRUE(d->panelUser(1));
    EXPECT_FALSE(d->panelUser(2));
    EXPECT_EQ(d->panelFile(1), QStringLiteral("ｂ.gif"));
    EXPECT_EQ(d->labelColor(2), RGB(7, 8, 9));
    const InfoCellOptions cells = d->infoCells();
    EXPECT_EQ(cells.stopOrder.cell, 32);
    EXPECT_TRUE(cells.countFromZero);
    EXPECT_EQ(cells.dataColumn.cell, 5);
    EXPECT_EQ(cells.sourceColumn, 150);
    EXPECT_EQ(d->fixedDate(), QStringLiteral("2001/02/03"));

    // Back to the defaults: everything dependent is disabled and hidden again.
    IniData defaults;
    defaults.seiriken.FixedDate = QStringLiteral("2020/01/01");
    d->SetOptionInfo(defaults);
    EXPECT_FALSE(frm(d.get(), "Frame3")->isEnabled());
    EXPECT_FALSE(any(d.get(), "Combo4(4)")->isEnabled());
    for (const char *n : {"Frame6(0)", "Frame10", "Frame7"}) EXPECT_TRUE(frm(d.get(), n)->isHidden()) << n;
    d->GetOptionInfo(back);
    expectOptionBlocksEqual(back, defaults);

    // Option pairs stored as both cleared, and lists with nothing chosen, come back so.
    IniData none = changed;
    none.sound.StepAlways = 0;
    none.sound.StepByColumn = 0;
    none.panel.PanelAuto = 0;
    none.panel.PanelEach = 0;
    none.sound.StepColumn = -1;
    none.panel.SeiriNumStyle = -1;
    d->SetOptionInfo(none);
    d->GetOptionInfo(back);
    expectOptionBlocksEqual(back, none);
    // With neither panel mode chosen, automatic mode is not selected: the frames show.
    EXPECT_FALSE(frm(d.get(), "Frame6(1)")->isHidden());
}

TEST(OptionsDialog, SetPropAppliesItsStepsInOrder) {
    FrmOption *d = frmOption();
    Form1 *board = form1();
    const int k = frmCtl()->backlightIndex();
    const COLORREF oldDigit = RGB(1, 1, 1), newDigit = RGB(200, 10, 10);
    const COLORREF oldLabel = RGB(2, 2, 2), newLabel = RGB(10, 200, 10);
    const COLORREF oldChimei = RGB(3, 3, 3), newChimei = RGB(10, 10, 200);

    // Known "before" state on the board.
    chk(d, "Check1")->setChecked(false);
    combo(d, "Combo2")->setCurrentIndex(0);
    any(d, "Command8(0)")->setProperty("BackColor", uint(oldDigit));
    any(d, "Command9(0)")->setProperty("BackColor", uint(oldChimei));
    d->setLabelColor(k, oldLabel);
    d->SetProp();
    ASSERT_TRUE(board->lblSeiriNum(32)->isHidden());
    ASSERT_EQ(board->Degit(1)->BackColor(), oldDigit);

    chk(d, "Check1")->setChecked(true);
    combo(d, "Combo2")->setCurrentIndex(7);
    chk(d, "Check2")->setChecked(true);
    any(d, "Command8(0)")->setProperty("BackColor", uint(newDigit));
    any(d, "Command9(0)")->setProperty("BackColor", uint(newChimei));
    combo(d, "Combo3")->setCurrentIndex(1);
    chk(d, "Check4")->setChecked(true);
    d->setLabelColor(k, newLabel);

    {
        // Step 2 (label 1's font): labels already shown, colours not yet changed.
        Watcher atCaptions(board->lblSeiriNum(1), QEvent::FontChange, [&] {
            EXPECT_FALSE(board->lblSeiriNum(32)->isHidden());
            EXPECT_EQ(board->lblSeiriNum(32)->property("ForeColor").toUInt(), oldLabel);
            EXPECT_EQ(board->Degit(1)->BackColor(), oldDigit);
        });
        // Step 3 (colour of the last label): captions written, digits not yet recoloured.
        Watcher atColours(board->lblSeiriNum(32), QEvent::DynamicPropertyChange, [&] {
            EXPECT_EQ(board->lblSeiriNum(32)->text(), QStringLiteral("３２"));
            EXPECT_EQ(board->Degit(1)->BackColor(), oldDigit);
            EXPECT_EQ(board->ChimeiCtl()->BackColor(), oldChimei);
        }, "ForeColor");
        d->SetProp();
        EXPECT_GE(atCaptions.hits, 1);
        EXPECT_GE(atColours.hits, 1);
    }

    for (int i : {1, 17, 32}) {
        EXPECT_FALSE(board->lblSeiriNum(i)->isHidden());
        EXPECT_EQ(board->lblSeiriNum(i)->property("ForeColor").toUInt(), newLabel);
        EXPECT_EQ(board->Degit(i)->BackColor(), newDigit);
    }
    EXPECT_EQ(board->lblSeiriNum(1)->text(), QStringLiteral("券なし"));
    EXPECT_EQ(board->lblSeiriNum(5)->text(), QStringLiteral("０５"));
    EXPECT_EQ(board->TimeDegit(1)->BackColor(), newDigit);
    EXPECT_EQ(board->ChimeiCtl()->BackColor(), newChimei);
    EXPECT_EQ(board->ChimeiCtl()->FontMode(), 1);
    EXPECT_TRUE(board->ChimeiCtl()->FontBold());

    // Leave the shared dialog as found.
    d->SetOptionInfo(IniData());
    combo(d, "Combo3")->setCurrentIndex(-1);
    d->SetProp();
}

TEST(OptionsDialog, BoardDefaultsAndClosing) {
    FrmOption *d = frmOption();
    Form1 *board = form1();
    mdl207_000::SetDefaultPanel();
    EXPECT_TRUE(chk(d, "Check1")->isChecked());
    EXPECT_EQ(colorOf(d, "Command5(0)"), 0xFFFFFFu);
    EXPECT_EQ(colorOf(d, "Command5(1)"), 0xC0FFC0u);
    EXPECT_EQ(colorOf(d, "Command5(2)"), 0x80C0FFu);
    EXPECT_EQ(board->imgRes(1), board->imgRes(0));
    EXPECT_EQ(board->imgRes(2), board->imgRes(0));
    EXPECT_EQ(board->picture(), board->imgRes(0));
    EXPECT_FALSE(board->lblSeiriNum(8)->isHidden());  // SetProp ran
    EXPECT_EQ(board->lblSeiriNum(8)->property("ForeColor").toUInt(), d->labelColor(frmCtl()->backlightIndex()));

    // OK applies and hides; the values stay in the controls.
    d->show();
    chk(d, "Check1")->setChecked(false);
    ctl<QPushButton>(d, QStringLiteral("Command4"))->click();
    EXPECT_FALSE(d->isVisible());
    EXPECT_TRUE(board->lblSeiriNum(8)->isHidden());
    EXPECT_FALSE(chk(d, "Check1")->isChecked());

    // Closing by the frame hides too, keeps the values and applies them.
    d->show();
    chk(d, "Check1")->setChecked(true);
    ctl<QLineEdit>(d, QStringLiteral("Text2(0)"))->setText(QStringLiteral("/kept"));
    d->close();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->fareDataDir(), QStringLiteral("/kept"));
    EXPECT_FALSE(board->lblSeiriNum(8)->isHidden());
    EXPECT_EQ(frmOption(), d);

    d->SetOptionInfo(IniData());
    d->SetProp();
}
