#include "remote/remote_dialog.h"

#include "board/screen_fit.h"
#include "remote/qr_code.h"
#include "remote/remote_control.h"

#include <QComboBox>
#include <QAction>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

namespace remote {

namespace {

constexpr int kDefaultPort = 8207;

// "リモート操作..." in the panel's right-button menu, after the panel's own entries.
class PanelMenu : public QObject {
public:
    PanelMenu(QWidget *panel, RemoteControl *remote) : QObject(panel), panel_(panel), remote_(remote) {
        auto *separator = new QAction(this);
        separator->setSeparator(true);
        auto *open = new QAction(QStringLiteral("リモート操作..."), this);
        open->setObjectName(QStringLiteral("mnuRemoteOpen"));
        connect(open, &QAction::triggered, this, &PanelMenu::showDialog);
        for (QAction *a : {separator, open}) {
            a->setProperty("panelMenu", true);
            panel->addAction(a);
        }
    }

private:
    void showDialog() {
        if (!dialog_) dialog_ = new RemoteDialog(panel_, remote_);
        dialog_->show();
        dialog_->raise();
        dialog_->activateWindow();
    }

    QWidget *panel_;
    RemoteControl *remote_;
    QPointer<RemoteDialog> dialog_;
};

}  // namespace

RemoteDialog::RemoteDialog(QWidget *parent, RemoteControl *remote)
    : QDialog(parent), remote_(remote), reach_(new QComboBox(this)), port_(new QSpinBox(this)),
      startStop_(new QPushButton(this)), status_(new QLabel(this)), url_(new QLineEdit(this)), qr_(new QLabel(this)),
      phoneNote_(new QLabel(QStringLiteral("この URL はこのコンピュータでだけ開けます。スマートフォンやタブレットから"
                                           "使うには、停止して「ネットワーク全体」で開始してください。"),
                            this)) {
    setObjectName(QStringLiteral("dlgRemote"));
    setWindowTitle(QStringLiteral("リモート操作"));
    reach_->setObjectName(QStringLiteral("cboRemoteReach"));
    reach_->addItem(QStringLiteral("このコンピュータのみ"), QStringLiteral("127.0.0.1"));
    reach_->addItem(QStringLiteral("ネットワーク全体"), QStringLiteral("0.0.0.0"));
    port_->setObjectName(QStringLiteral("spnRemotePort"));
    port_->setRange(1, 65535);
    port_->setValue(kDefaultPort);
    startStop_->setObjectName(QStringLiteral("cmdRemoteStart"));
    url_->setObjectName(QStringLiteral("txtRemoteUrl"));
    url_->setReadOnly(true);
    url_->setMinimumWidth(360);
    status_->setObjectName(QStringLiteral("lblRemoteStatus"));
    status_->setWordWrap(true);
    qr_->setObjectName(QStringLiteral("picRemoteQr"));
    qr_->setAlignment(Qt::AlignCenter);
    phoneNote_->setObjectName(QStringLiteral("lblRemotePhone"));
    phoneNote_->setWordWrap(true);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("接続元"), reach_);
    form->addRow(QStringLiteral("ポート"), port_);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(startStop_);
    layout->addWidget(status_);
    layout->addWidget(url_);
    layout->addWidget(qr_);
    layout->addWidget(phoneNote_);
    connect(startStop_, &QPushButton::clicked, this, &RemoteDialog::toggle);
    connect(remote_, &RemoteControl::runningChanged, this, &RemoteDialog::refresh);
    refresh();
}

void RemoteDialog::toggle() {
    RemoteControl *rc = remote_;
    if (rc->running()) {
        rc->stop();
        return refresh();
    }
    ListenAddress where;
    where.address = QHostAddress(reach_->currentData().toString());
    where.port = static_cast<quint16>(port_->value());
    // A fresh token at each start, unless one was fixed on the command line.
    rc->start(where, QString());
    refresh();
}

void RemoteDialog::refresh() {
    RemoteControl *rc = remote_;
    const bool on = rc->running();
    startStop_->setText(on ? QStringLiteral("停止") : QStringLiteral("開始"));
    reach_->setEnabled(!on);
    port_->setEnabled(!on);
    if (on) {
        reach_->setCurrentIndex(isLoopbackOnly(rc->where().address) ? 0 : 1);
        port_->setValue(rc->where().port);
    }
    status_->setText(on ? (isLoopbackOnly(rc->where().address)
                               ? QStringLiteral("動作中: このコンピュータからのみ接続できます。")
                               : QStringLiteral("動作中: ネットワーク上の機器から接続できます。URL を知る人は誰でも操作できます。"))
                        : rc->error().isEmpty() ? QStringLiteral("停止中") : rc->error());
    url_->setText(on ? rc->pageUrl() : QString());
    url_->setVisible(on);
    // A loopback address in a phone's camera leads nowhere: the phone is not this computer.
    const bool forPhones = on && !isLoopbackOnly(rc->where().address);
    const QImage code = forPhones ? qrCode(rc->pageUrl(), 4) : QImage();
    qr_->setPixmap(code.isNull() ? QPixmap() : QPixmap::fromImage(code));
    qr_->setVisible(forPhones);
    phoneNote_->setVisible(on && !forPhones);
    fitOnScreen();
}

void RemoteDialog::fitOnScreen() {
    // Grown in place after 開始, the dialog would run off the screen's edge: it is
    // kept on the screen as the panel is.
    const QSize before = size();
    QRect frame = frameGeometry();
    adjustSize();
    if (!isVisible() || !screen()) return;
    frame.setSize(frame.size() + size() - before);
    const QPoint fitted = keptInside(frame, screen()->availableGeometry());
    if (fitted != frame.topLeft()) move(fitted);
}

void RemoteDialog::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    fitOnScreen();
}

void attachToPanel(QWidget *panel, RemoteControl *remote) { new PanelMenu(panel, remote); }

}  // namespace remote
