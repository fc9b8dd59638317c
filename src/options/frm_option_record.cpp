// The options dialog and the settings record: which control holds which field. Each
// field is named once; a visitor decides the direction of the copy.
#include "options/frm_option.h"
#include "core/ini_data.h"
#include "core/settings.h"
#include "options/option_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

// Controls to record (saving).
struct ToRecord {
    template <class W> void text(const W *w, QString &field) { field = w->text(); }
    void check(const QCheckBox *c, std::int16_t &field) { field = optvalue::check(c); }
    void option(const QRadioButton *b, std::int16_t &field) { field = optvalue::option(b); }
    void list(const QComboBox *c, std::int16_t &field) { field = optvalue::listIndex(c); }
    void color(const ColorButton *b, COLORREF &field) { field = b->color(); }
};

// Record to controls (loading); the controls' change reactions run as for a person.
struct ToControls {
    template <class W> void text(W *w, const QString &field) { w->setText(field); }
    void check(QCheckBox *c, std::int16_t field) { optvalue::setCheck(c, field); }
    void option(QRadioButton *b, std::int16_t field) { optvalue::setOption(b, field); }
    void list(QComboBox *c, std::int16_t field) { optvalue::setListIndex(c, field); }
    void color(ColorButton *b, COLORREF field) { b->setColor(field); }
};

}  // namespace

template <class Visit, class Block>
void FrmOption::exchangeDataDir(Visit &v, Block &b) const {
    v.text(Text2_[0], b.FareDataDir);
    v.text(Text2_[1], b.TapeDataDir);
}

template <class Visit, class Block>
void FrmOption::exchangePanel(Visit &v, Block &p) const {
    v.check(Check1_, p.AutoSeiriNum);
    for (int s = 0; s < 3; ++s) v.color(Command5_[s], p.SeiriNumColor[s]);
    v.list(Combo2_, p.SeiriNumStyle);
    v.check(Check2_, p.SeiriNumZero);
    v.option(Option3_[0], p.PanelAuto);
    v.option(Option3_[1], p.PanelEach);
    v.option(Option3_[7], p.PanelOffBuiltIn);
    v.option(Option3_[6], p.PanelOffUser);
    v.option(Option3_[3], p.PanelOn1BuiltIn);
    v.option(Option3_[2], p.PanelOn1User);
    v.option(Option3_[4], p.PanelOn2BuiltIn);
    v.option(Option3_[5], p.PanelOn2User);
    for (int s = 0; s < 3; ++s) v.text(txtSelectPanel_[s], p.PanelFile[s]);
}

template <class Visit, class Block>
void FrmOption::exchangeDegit(Visit &v, Block &d) const {
    v.color(Command8_[0], d.DegitBackColor);
    v.color(Command8_[1], d.DegitBaseColor);
    v.color(Command8_[2], d.DegitLitColor);
    v.check(Check3_[0], d.ShowStopOrder);
    v.list(Combo4_[0], d.StopOrderCell);
    v.check(Check3_[4], d.CountFromZero);
    v.check(Check3_[1], d.ShowSeiriNum);
    v.list(Combo4_[1], d.SeiriNumCell);
    v.check(Check3_[2], d.ShowRouteNo);
    v.list(Combo4_[2], d.RouteNoCell);
    v.check(Check3_[3], d.ShowDataColumn);
    v.list(Combo4_[4], d.DataColumn);
    v.list(Combo4_[3], d.DataColumnCell);
}

template <class Visit, class Block>
void FrmOption::exchangeChimei(Visit &v, Block &c) const {
    v.color(Command9_[0], c.ChimeiBackColor);
    v.color(Command9_[1], c.ChimeiForeColor);
    v.list(Combo3_, c.ChimeiFontMode);
    v.check(Check4_, c.ChimeiBold);
}

template <class Visit, class Block>
void FrmOption::exchangeSound(Visit &v, Block &s) const {
    v.text(txtSelectSound_[0], s.RouteSetSound);
    v.text(txtSelectSound_[1], s.ResetSound);
    v.option(Option2_[0], s.StepAlways);
    v.option(Option2_[1], s.StepByColumn);
    v.option(Option6_[0], s.StepSync);
    v.option(Option6_[1], s.StepAsync);
    v.text(txtSelectSound_[7], s.StepSound);
    v.list(Combo1_, s.StepColumn);
    v.text(txtSelectSound_[8], s.StepSound1);
    v.text(txtSelectSound_[9], s.StepSound2);
    v.text(txtSelectSound_[10], s.StepSound3);
    v.option(Option2_[2], s.TapeAlways);
    v.option(Option2_[3], s.TapeByFlag);
    v.option(Option7_[0], s.TapeSync);
    v.option(Option7_[1], s.TapeAsync);
    v.text(txtSelectSound_[3], s.TapeSound);
    v.text(txtSelectSound_[4], s.TapeSound1);
    v.text(txtSelectSound_[5], s.TapeSound2);
    v.text(txtSelectSound_[6], s.TapeSound3);
}

template <class Visit, class Block>
void FrmOption::exchangeSeiriken(Visit &v, Block &k) const {
    v.check(chkUseSeiriPrev_, k.UseSeiriPrev);
    v.text(txtSeiriPlgDir_, k.SeiriPlgPath);
    v.option(Option4_[0], k.DateNow);
    v.option(Option4_[1], k.DateRouteSet);
    v.option(Option4_[2], k.DateFixed);
    v.text(Label10_, k.FixedDate);
}

void FrmOption::readOptionBlocks(IniData &ini) const {
    ToRecord v;
    exchangeDataDir(v, ini.dataDir);
    exchangePanel(v, ini.panel);
    exchangeDegit(v, ini.degit);
    exchangeChimei(v, ini.chimei);
    exchangeSound(v, ini.sound);
    exchangeSeiriken(v, ini.seiriken);
}

void FrmOption::takeOptionBlocks(const IniData &ini) {
    IniData wanted = settings_.record();
    wanted.dataDir = ini.dataDir;
    wanted.panel = ini.panel;
    wanted.degit = ini.degit;
    wanted.chimei = ini.chimei;
    wanted.sound = ini.sound;
    wanted.seiriken = ini.seiriken;
    settings_.setRecord(wanted);
    takeLoadedSettings();
}

void FrmOption::takeLoadedSettings() {
    emit panelSettingsLoaded();
    updateSampleDegit();
    // A stored plug-in that no longer loads stays named, silently, with nothing listed.
    takePlugin(settings_.pluginPath());
}

// ---------------------------------------------------------------- binding

void FrmOption::storeControls() {
    if (showing_ || storing_) return;
    IniData now = settings_.record();
    readOptionBlocks(now);
    storing_ = true;
    settings_.setRecord(now);
    storing_ = false;
}

// A block changed elsewhere: the controls take it (their own reactions running as
// for a person), and whatever they made of it goes back, so that Settings always
// holds what the controls hold (an option stored as 1 reads back as -1).
template <class Block, class Exchange>
void FrmOption::bindBlock(void (Settings::*changed)(), const Block &(Settings::*get)() const,
                          void (Settings::*set)(const Block &), Exchange exchange) {
    connect(&settings_, changed, this, [this, get, set, exchange] {
        if (storing_) return;
        Block value = (settings_.*get)();
        ToControls in;
        const bool wasShowing = showing_;
        showing_ = true;
        exchange(in, value);
        ToRecord out;
        exchange(out, value);
        storing_ = true;
        (settings_.*set)(value);
        storing_ = false;
        showing_ = wasShowing;
    });
}

void FrmOption::bindSettings() {
    using S = Settings;
    bindBlock(&S::dataDirChanged, &S::dataDir, &S::setDataDir, [this](auto &v, auto &b) { exchangeDataDir(v, b); });
    bindBlock(&S::panelChanged, &S::panel, &S::setPanel, [this](auto &v, auto &b) { exchangePanel(v, b); });
    bindBlock(&S::degitChanged, &S::degit, &S::setDegit, [this](auto &v, auto &b) { exchangeDegit(v, b); });
    bindBlock(&S::chimeiChanged, &S::chimei, &S::setChimei, [this](auto &v, auto &b) { exchangeChimei(v, b); });
    bindBlock(&S::soundChanged, &S::sound, &S::setSound, [this](auto &v, auto &b) { exchangeSound(v, b); });
    bindBlock(&S::seirikenChanged, &S::seiriken, &S::setSeiriken,
              [this](auto &v, auto &b) { exchangeSeiriken(v, b); });

    // Every edit of a control that holds a setting, whoever makes it (a person, a
    // script setting a property, the dialog's own buttons).
    auto edited = [this] { storeControls(); };
    for (QLineEdit *e : findChildren<QLineEdit *>()) connect(e, &QLineEdit::textChanged, this, edited);
    for (QCheckBox *c : findChildren<QCheckBox *>()) connect(c, &QCheckBox::stateChanged, this, edited);
    for (QRadioButton *b : findChildren<QRadioButton *>()) connect(b, &QRadioButton::toggled, this, edited);
    for (QComboBox *c : findChildren<QComboBox *>())
        connect(c, &QComboBox::currentIndexChanged, this, edited);
    for (ColorButton *b : findChildren<ColorButton *>()) connect(b, &ColorButton::colorChanged, this, edited);
    // The fixed date's label has no change signal: the date chooser stores it itself.
}
