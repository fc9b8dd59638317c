// The options dialog and the settings record: which control holds which field. Each
// field is named once; a visitor decides the direction of the copy.
#include "options/frm_option.h"
#include "core/ini_data.h"
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

template <class Visit, class Record>
void FrmOption::exchangeFoldersAndPanel(Visit &v, Record &ini) const {
    v.text(Text2_[0], ini.dataDir.FareDataDir);
    v.text(Text2_[1], ini.dataDir.TapeDataDir);
    auto &p = ini.panel;
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

template <class Visit, class Record>
void FrmOption::exchangeDigits(Visit &v, Record &ini) const {
    auto &d = ini.degit;
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

template <class Visit, class Record>
void FrmOption::exchangeNameSoundsPreview(Visit &v, Record &ini) const {
    v.color(Command9_[0], ini.chimei.ChimeiBackColor);
    v.color(Command9_[1], ini.chimei.ChimeiForeColor);
    v.list(Combo3_, ini.chimei.ChimeiFontMode);
    v.check(Check4_, ini.chimei.ChimeiBold);

    auto &s = ini.sound;
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

    auto &k = ini.seiriken;
    v.check(chkUseSeiriPrev_, k.UseSeiriPrev);
    v.text(txtSeiriPlgDir_, k.SeiriPlgPath);
    v.option(Option4_[0], k.DateNow);
    v.option(Option4_[1], k.DateRouteSet);
    v.option(Option4_[2], k.DateFixed);
    v.text(Label10_, k.FixedDate);
}

void FrmOption::GetOptionInfo(IniData &ini) const {
    ToRecord v;
    exchangeFoldersAndPanel(v, ini);
    exchangeDigits(v, ini);
    exchangeNameSoundsPreview(v, ini);
}

void FrmOption::SetOptionInfo(const IniData &ini) {
    ToControls v;
    exchangeFoldersAndPanel(v, ini);
    // The panel re-applies its backlight with the new panel settings.
    emit panelSettingsLoaded();
    exchangeDigits(v, ini);
    updateSampleDegit();
    exchangeNameSoundsPreview(v, ini);
    // A stored plug-in that no longer loads stays named, silently, with nothing listed.
    SetPlgin(ini.seiriken.SeiriPlgPath);
}
