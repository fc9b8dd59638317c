#include "app/windows.h"

#include "app/board_layout.h"
#include "panel/frm_ctl.h"
#include "panel/msg_box.h"
#include "base/dump_sections.h"
#include "board/form1.h"
#include "options/frm_option.h"

#include <QJsonValue>
#include <QTimer>

namespace {
Form1 *g_form1 = nullptr;
FrmCtl *g_frmCtl = nullptr;
FrmOption *g_frmOption = nullptr;
}  // namespace

// Each window is wired to the others as it is created. The others are asked for at
// the moment of the call, so that no window is created earlier than it used to be.

Form1 *form1() {
    if (!g_form1) {
        g_form1 = new Form1();
        QObject::connect(g_form1, &Form1::closeRequested, g_form1, [] { QTimer::singleShot(0, frmCtl(), &QWidget::close); });
        QObject::connect(g_form1, &Form1::digitDialogOpen, g_form1, [](bool open) { frmCtl()->setEnabled(!open); });
    }
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
        FrmOption *options = g_frmOption = new FrmOption();
        if (g_frmCtl) options->setTicketPanel(g_frmCtl);
        QObject::connect(options, &FrmOption::errorBoxRequested, options,
                         [options](const QString &text, const QString &title) {
                             msgbox::show(options, text, QMessageBox::Ok, msgbox::Icon::Critical, title);
                         });
        QObject::connect(options, &FrmOption::applyRequested, options,
                         [options] { mdl207_000::ApplyOptions(*options); });
        QObject::connect(options, &FrmOption::panelSettingsLoaded, options,
                         [] { frmCtl()->Option4_Click(frmCtl()->backlightIndex()); });
        // The dump always shows the program's own dialog, never a stray second one.
        dump::registerSection(QStringLiteral("frmOption"), [] { return QJsonValue(g_frmOption->dumpState()); });
    }
    return g_frmOption;
}
