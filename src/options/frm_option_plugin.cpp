// The options dialog's plug-in box (Frame10): choosing a ticket plug-in, listing what
// it can print and passing its preview size and company names to the panel.
#include "companion/companion.h"
#include "ticket/ticket_plugin_api.h"
#include "options/frm_option.h"
#include "options/plugin_lines.h"
#include "options/ticket_panel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const QString kPluginFilter =
    QStringLiteral("整理券プラグイン(*.4SP)") + QChar(0) + QStringLiteral("*.4SP") + QChar(0) + QChar(0);

}  // namespace

void FrmOption::setTicketPanel(TicketPanel *panel) { ticketPanel_ = panel; }

int FrmOption::takePlugin(const QString &path) {
    if (path.isEmpty()) return 0;
    PlgInfo info;
    if (Qv4_GetPlgInfo(path, info) == 0) return 0;
    Qv4_SetPlgComment(path, txtPlginComment_);
    List1_->clear();
    List1_->addItems(plgInfoLines(info));
    if (ticketPanel_) {
        ticketPanel_->setPreviewSize(info.PrevWidth, info.PrevHeight);
        if (info.CorpCount >= 1) Qv4_SetCorpAddList(path, ticketPanel_->companyList());
    }
    return 2;
}

void FrmOption::choosePlugin() {
    const QString path = Qv3FileDlg(this, 0, kPluginFilter, QString(), QStringLiteral("プラグインの選択"));
    if (ticketPanel_) ticketPanel_->companyList()->clear();
    if (takePlugin(path) != 0) {
        txtSeiriPlgDir_->setText(path);
        return;
    }
    emit errorBoxRequested(QStringLiteral("指定したファイルはプラグインでないか、内容が不正です"),
                           QStringLiteral("プラグインロードエラー"));
}
