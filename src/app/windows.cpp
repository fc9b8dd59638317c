#include "app/windows.h"

#include "app/frm_ctl.h"
#include "board/form1.h"
#include "settings/frm_option.h"

namespace {
Form1 *g_form1 = nullptr;
FrmCtl *g_frmCtl = nullptr;
FrmOption *g_frmOption = nullptr;
}  // namespace

Form1 *form1() {
    if (!g_form1) g_form1 = new Form1();
    return g_form1;
}

FrmCtl *frmCtl() {
    if (!g_frmCtl) {
        g_frmCtl = new FrmCtl();
        // The options' plug-in box sizes the panel's preview and fills its company list.
        if (g_frmOption) g_frmOption->setTicketPanel(g_frmCtl);
    }
    return g_frmCtl;
}

FrmOption *frmOption() {
    if (!g_frmOption) {
        g_frmOption = new FrmOption();
        if (g_frmCtl) g_frmOption->setTicketPanel(g_frmCtl);
    }
    return g_frmOption;
}

bool frmOptionLoaded() { return g_frmOption != nullptr; }
