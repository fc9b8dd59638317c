// The board's right-button menu: zoom, full screen on each monitor, always on top.
#include "view/board_view.h"
#include "view/key_map.h"
#include "view/zoom.h"

#include <QActionGroup>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

namespace view {

QMenu *BoardView::buildMenu() {
    auto *menu = new QMenu;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    auto *sizes = new QActionGroup(menu);
    for (int z = kMinZoom; z <= kMaxZoom; ++z) {
        QAction *a = menu->addAction(QStringLiteral("%1 倍").arg(z));
        a->setCheckable(true);
        a->setChecked(!settings_.fullScreen && !settings_.fit && settings_.zoom == z);
        sizes->addAction(a);
        connect(a, &QAction::triggered, this, [this, z] { setZoom(z); });
    }
    QAction *fit = menu->addAction(QStringLiteral("画面に合わせる"));
    fit->setCheckable(true);
    fit->setChecked(!settings_.fullScreen && settings_.fit);
    sizes->addAction(fit);
    connect(fit, &QAction::triggered, this, &BoardView::setFit);
    QAction *bigger = menu->addAction(QStringLiteral("拡大\t%1").arg(keysFor(KeyAction::ZoomIn)));
    connect(bigger, &QAction::triggered, this, [this] { zoomBy(+1); });
    QAction *smaller = menu->addAction(QStringLiteral("縮小\t%1").arg(keysFor(KeyAction::ZoomOut)));
    connect(smaller, &QAction::triggered, this, [this] { zoomBy(-1); });
    bigger->setEnabled(!settings_.fullScreen);
    smaller->setEnabled(!settings_.fullScreen);

    menu->addSeparator();
    QMenu *screens = menu->addMenu(QStringLiteral("全画面表示\t%1").arg(keysFor(KeyAction::FullScreen)));
    const QList<QScreen *> all = QGuiApplication::screens();
    for (int i = 0; i < all.size(); ++i) {
        const QRect g = all.at(i)->geometry();
        QAction *a = screens->addAction(QStringLiteral("%1: %2 (%3 × %4)").arg(i + 1).arg(all.at(i)->name()).arg(g.width()).arg(g.height()));
        a->setCheckable(true);
        a->setChecked(settings_.fullScreen && shownWindow()->screen() == all.at(i));
        const QString number = QString::number(i + 1);
        connect(a, &QAction::triggered, this, [this, number] { setFullScreen(number); });
    }
    QAction *letterbox = menu->addAction(QStringLiteral("全画面で画面いっぱいに拡大"));
    letterbox->setCheckable(true);
    letterbox->setChecked(settings_.letterbox);
    connect(letterbox, &QAction::toggled, this, &BoardView::setLetterbox);
    QAction *leave = menu->addAction(QStringLiteral("全画面表示を終了\t%1").arg(keysFor(KeyAction::LeaveFullScreen)));
    leave->setEnabled(settings_.fullScreen);
    connect(leave, &QAction::triggered, this, &BoardView::leaveFullScreen);

    menu->addSeparator();
    QAction *onTop = menu->addAction(QStringLiteral("常に手前に表示"));
    onTop->setCheckable(true);
    onTop->setChecked(settings_.alwaysOnTop);
    connect(onTop, &QAction::toggled, this, &BoardView::setAlwaysOnTop);
    for (const auto &add : menuEntries_) add(menu);
    return menu;
}

void BoardView::showMenu(const QPoint &globalPos) { buildMenu()->popup(globalPos); }

}  // namespace view
