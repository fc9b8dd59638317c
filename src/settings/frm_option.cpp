// Placeholder: the complete options dialog replaces this file.
#include "settings/frm_option.h"

#include <QPushButton>

FrmOption::FrmOption(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmOption"));
    setWindowTitle(QStringLiteral("オプション"));
    setFixedSize(638, 374);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command4"));
    ok->setGeometry(540, 340, 90, 26);
    connect(ok, &QPushButton::clicked, this, [this] {
        SetProp();
        hide();
    });
}

QString FrmOption::fareDataDir() const { return {}; }
QString FrmOption::tapeDataDir() const { return {}; }
QString FrmOption::soundFile(int) const { return {}; }
bool FrmOption::stepSoundAlways() const { return true; }
int FrmOption::stepSoundColumnIndex() const { return 0; }
bool FrmOption::stepSoundSync() const { return false; }
bool FrmOption::tapeSoundAlways() const { return true; }
bool FrmOption::tapeSoundSync() const { return true; }
int FrmOption::ticketDateMode() const { return 0; }
QString FrmOption::fixedDate() const { return {}; }
bool FrmOption::usePreview() const { return false; }
QString FrmOption::pluginPath() const { return {}; }
InfoCellOptions FrmOption::infoCells() const { return {}; }
COLORREF FrmOption::labelColor(int state) const {
    static const COLORREF defaults[3] = {RGB(0, 128, 0), RGB(0, 192, 0), RGB(192, 255, 192)};
    return state >= 0 && state < 3 ? defaults[state] : defaults[0];
}
bool FrmOption::panelEach() const { return false; }
bool FrmOption::panelUser(int) const { return false; }
QString FrmOption::panelFile(int) const { return {}; }
void FrmOption::GetOptionInfo(IniData &) const {}
void FrmOption::SetOptionInfo(const IniData &) {}
void FrmOption::SetProp() {}
