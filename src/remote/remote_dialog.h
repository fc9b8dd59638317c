#pragma once
// "リモート操作": where the remote-control server listens, start and stop, and the
// page's address with its token as text and, when the server is open to the
// network, as a QR code a phone can scan. Opened
// from the control panel's menu (a right click on the panel).
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace remote {

class RemoteControl;

class RemoteDialog : public QDialog {
    Q_OBJECT
public:
    RemoteDialog(QWidget *parent, RemoteControl *remote);

private:
    void toggle();
    void refresh();
    void fitOnScreen();
    void showEvent(QShowEvent *event) override;

    RemoteControl *remote_;
    QComboBox *reach_;
    QSpinBox *port_;
    QPushButton *startStop_;
    QLabel *status_;
    QLineEdit *url_;
    QLabel *qr_;
    QLabel *phoneNote_;
};

// Adds "リモート操作..." to the panel's right-button menu.
void attachToPanel(QWidget *panel, RemoteControl *remote);

}  // namespace remote
