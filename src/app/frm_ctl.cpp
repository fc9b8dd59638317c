// Placeholder while the panel is built.
#include "app/frm_ctl.h"

#include <QCloseEvent>
#include "app/program.h"
#include "app/windows.h"
#include "board/form1.h"

FrmCtl::FrmCtl(QWidget *parent) : QWidget(parent) { setObjectName(QStringLiteral("frmCtl")); }
void FrmCtl::Form_Load() { form1()->setWindowTitle(QStringLiteral("ミトラ - 型番:") + program::exeName()); }
void FrmCtl::DispData(int) {}
void FrmCtl::GetCtrlDataInfo(CtrlInfo &) const {}
void FrmCtl::SetCtrlDataInfo(const CtrlInfo &) {}
void FrmCtl::Option4_Click(int) {}
int FrmCtl::backlightIndex() const { return 0; }
void FrmCtl::closeEvent(QCloseEvent *event) { event->accept(); }
