// Placeholder: the complete digit display replaces this file.
#include "controls/m_degit.h"

#include <QPainter>

M_Degit::M_Degit(QWidget *parent)
    : QWidget(parent), baseForeColor_(RGB(150, 150, 150)), degitForeColor_(RGB(248, 210, 114)), value_(0),
      backColor_(RGB(128, 128, 128)) {}

COLORREF M_Degit::BaseForeColor() const { return baseForeColor_; }
void M_Degit::setBaseForeColor(COLORREF c) { baseForeColor_ = c; DrawDegit(); }
COLORREF M_Degit::DegitForeColor() const { return degitForeColor_; }
void M_Degit::setDegitForeColor(COLORREF c) { degitForeColor_ = c; DrawDegit(); }
int M_Degit::FillZero() const { return fillZero_; }
void M_Degit::setFillZero(int v) { fillZero_ = v; }
int M_Degit::ZeroMode() const { return zeroMode_; }
void M_Degit::setZeroMode(int v) { zeroMode_ = v; }
int M_Degit::Shift() const { return shift_; }
void M_Degit::setShift(int v) { shift_ = v; }
int M_Degit::Keta() const { return keta_; }
void M_Degit::setKeta(int v) { keta_ = v; DrawDegit(); }
int M_Degit::DegitSize() const { return degitSize_; }
void M_Degit::setDegitSize(int v) { degitSize_ = v; DrawDegit(); }
int M_Degit::DegitStyle() const { return degitStyle_; }
void M_Degit::setDegitStyle(int v) { degitStyle_ = v; DrawDegit(); }
QVariant M_Degit::Value() const { return value_; }
void M_Degit::setValue(const QVariant &v) { value_ = v; DrawDegit(); }
bool M_Degit::UserSet() const { return userSet_; }
void M_Degit::setUserSet(bool v) { userSet_ = v; }
COLORREF M_Degit::BackColor() const { return backColor_; }
void M_Degit::setBackColor(COLORREF c) { backColor_ = c; DrawDegit(); }
QString M_Degit::litText() const { return lit_; }
QJsonObject M_Degit::dumpState() const { return {}; }
int M_Degit::ShowSetDlg() { return 0; }
void M_Degit::ResetDegit(bool nMode) { setValue(nMode ? QString(keta_, QLatin1Char('8')) : QString()); }
void M_Degit::paintEvent(QPaintEvent *) {}
void M_Degit::mouseDoubleClickEvent(QMouseEvent *) { emit DblClick(); }
void M_Degit::DrawDegit() { lit_ = value_.toString(); update(); }
