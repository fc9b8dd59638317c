#include "core/settings.h"

#include "core/ini_codec.h"

Settings::Settings(QObject *parent) : QObject(parent) {}

template <class Block>
void Settings::setBlock(Block &block, const Block &value, void (Settings::*changed)()) {
    if (block == value) return;
    block = value;
    emit(this->*changed)();
}

void Settings::setDataDir(const DataDirInfo &v) { setBlock(record_.dataDir, v, &Settings::dataDirChanged); }
void Settings::setPanel(const PanelInfo &v) { setBlock(record_.panel, v, &Settings::panelChanged); }
void Settings::setDegit(const DegitInfo &v) { setBlock(record_.degit, v, &Settings::degitChanged); }
void Settings::setChimei(const ChimeiInfo &v) { setBlock(record_.chimei, v, &Settings::chimeiChanged); }
void Settings::setSound(const SoundInfo &v) { setBlock(record_.sound, v, &Settings::soundChanged); }
void Settings::setSeiriken(const SeirikenInfo &v) { setBlock(record_.seiriken, v, &Settings::seirikenChanged); }
void Settings::setCtrl(const CtrlInfo &v) { setBlock(record_.ctrl, v, &Settings::ctrlChanged); }
void Settings::setForm(const FormInfo &v) { setBlock(record_.form, v, &Settings::formChanged); }
void Settings::setCustColors(const std::array<COLORREF, 17> &v) {
    setBlock(record_.CustColors, v, &Settings::custColorsChanged);
}
void Settings::setDegitSet(const std::array<DegitSetRecord, 32> &v) {
    setBlock(record_.DegitSet, v, &Settings::degitSetChanged);
}

void Settings::setRecord(const IniData &r) {
    // Copied first: a listener of an early block may write a later one.
    const IniData wanted = r;
    setDataDir(wanted.dataDir);
    setPanel(wanted.panel);
    setDegit(wanted.degit);
    setChimei(wanted.chimei);
    setSound(wanted.sound);
    setSeiriken(wanted.seiriken);
    setCtrl(wanted.ctrl);
    setForm(wanted.form);
    setCustColors(wanted.CustColors);
    setDegitSet(wanted.DegitSet);
}

QByteArray Settings::fileBytes() const { return inicodec::encode(record_); }

void Settings::adopt(const IniData &r) {
    setRecord(r);
    emit loaded();
}

QString Settings::soundFile(int slot) const {
    const SoundInfo &s = record_.sound;
    switch (slot) {
    case 0: return s.RouteSetSound;
    case 1: return s.ResetSound;
    case 3: return s.TapeSound;
    case 4: return s.TapeSound1;
    case 5: return s.TapeSound2;
    case 6: return s.TapeSound3;
    case 7: return s.StepSound;
    case 8: return s.StepSound1;
    case 9: return s.StepSound2;
    case 10: return s.StepSound3;
    default: return {};
    }
}

int Settings::ticketDateMode() const {
    const SeirikenInfo &k = record_.seiriken;
    if (k.DateNow != 0) return 0;
    if (k.DateRouteSet != 0) return 1;
    return k.DateFixed != 0 ? 2 : 0;
}

InfoCellOptions Settings::infoCells() const {
    const DegitInfo &d = record_.degit;
    InfoCellOptions o;
    o.stopOrder = {d.ShowStopOrder == 1, d.StopOrderCell + 1};
    o.countFromZero = d.CountFromZero == 1;
    o.ticketNo = {d.ShowSeiriNum == 1, d.SeiriNumCell + 1};
    o.routeNo = {d.ShowRouteNo == 1, d.RouteNoCell + 1};
    o.dataColumn = {d.ShowDataColumn == 1, d.DataColumnCell + 1};
    o.sourceColumn = d.DataColumn + 1;
    return o;
}

namespace {
int stateIndex(int state) { return state >= 0 && state < 3 ? state : 0; }
}  // namespace

COLORREF Settings::labelColor(int state) const { return record_.panel.SeiriNumColor[stateIndex(state)]; }

bool Settings::panelUser(int state) const {
    const PanelInfo &p = record_.panel;
    const std::int16_t user[3] = {p.PanelOffUser, p.PanelOn1User, p.PanelOn2User};
    return user[stateIndex(state)] != 0;
}

QString Settings::panelFile(int state) const { return record_.panel.PanelFile[stateIndex(state)]; }

COLORREF Settings::degitColor(int which) const {
    const DegitInfo &d = record_.degit;
    const COLORREF colours[3] = {d.DegitBackColor, d.DegitBaseColor, d.DegitLitColor};
    return colours[stateIndex(which)];
}

COLORREF Settings::chimeiColor(int which) const {
    return which == 1 ? record_.chimei.ChimeiForeColor : record_.chimei.ChimeiBackColor;
}
