// The remote dialog started near the screen's bottom-right corner.
#include "app/application.h"
#include "remote/remote_control.h"
#include "remote/remote_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTcpServer>
#include <gtest/gtest.h>

TEST(RemoteDialog, GrowsOnTheScreenAndKeepsTheLoopbackAddressFromPhones) {
    Application app;
    remote::RemoteControl remote(app.board(), app.panel());
    remote::RemoteDialog dialog(nullptr, &remote);
    dialog.show();
    QApplication::processEvents();
    const QRect area = dialog.screen()->availableGeometry();
    const QRect small = dialog.frameGeometry();
    dialog.move(area.right() - small.width(), area.bottom() - small.height());
    QApplication::processEvents();

    QTcpServer probe;  // a free loopback port
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const int port = probe.serverPort();
    probe.close();
    dialog.findChild<QSpinBox *>(QStringLiteral("spnRemotePort"))->setValue(port);
    dialog.findChild<QPushButton *>(QStringLiteral("cmdRemoteStart"))->click();
    QApplication::processEvents();
    ASSERT_TRUE(remote.running()) << qPrintable(remote.error());

    const QRect grown = dialog.frameGeometry();
    EXPECT_GT(grown.height(), small.height());
    EXPECT_TRUE(area.contains(grown)) << grown.x() << ',' << grown.y() << ' ' << grown.width() << 'x' << grown.height();
    EXPECT_TRUE(dialog.findChild<QLabel *>(QStringLiteral("lblRemotePhone"))->isVisible());
    EXPECT_FALSE(dialog.findChild<QLabel *>(QStringLiteral("picRemoteQr"))->isVisible());
    remote.stop();
}
