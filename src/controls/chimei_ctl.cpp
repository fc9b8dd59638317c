// Placeholder: the complete stop-name display replaces this file.
#include "controls/chimei_ctl.h"

ChimeiCtl_B::ChimeiCtl_B(QWidget *parent) : QWidget(parent) {}
COLORREF ChimeiCtl_B::BackColor() const { return backColor_; }
void ChimeiCtl_B::setBackColor(COLORREF c) { backColor_ = c; }
COLORREF ChimeiCtl_B::ForeColor() const { return foreColor_; }
void ChimeiCtl_B::setForeColor(COLORREF c) { foreColor_ = c; }
int ChimeiCtl_B::Speed() const { return speed_; }
void ChimeiCtl_B::setSpeed(int v) { speed_ = v; }
int ChimeiCtl_B::ScrollStartWait() const { return scrollStartWait_; }
void ChimeiCtl_B::setScrollStartWait(int v) { scrollStartWait_ = v; }
int ChimeiCtl_B::Mode() const { return mode_; }
void ChimeiCtl_B::setMode(int v) { mode_ = v; }
int ChimeiCtl_B::Appearance() const { return appearance_; }
void ChimeiCtl_B::setAppearance(int v) { appearance_ = v; }
int ChimeiCtl_B::FontMode() const { return fontMode_; }
void ChimeiCtl_B::setFontMode(int v) { fontMode_ = v; }
bool ChimeiCtl_B::FontBold() const { return fontBold_; }
void ChimeiCtl_B::setFontBold(bool v) { fontBold_ = v; }
void ChimeiCtl_B::SetChimei(const QString &strText) { text_ = strText; }
void ChimeiCtl_B::Refresh() { update(); }
QJsonObject ChimeiCtl_B::dumpState() const { return {{"text", text_}}; }
