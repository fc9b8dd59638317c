#include "automation/control_lookup.h"

#include "widgets/chimei_ctl.h"
#include "widgets/m_degit.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QTabBar>
#include <QTableView>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>

namespace automation {

bool isInternalName(const QString &name) { return name.isEmpty() || name.startsWith(QLatin1String("qt_")); }

QList<QWidget *> namedWindows() {
    QList<QWidget *> result;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        // A pop-up menu belongs to the window that owns it, as one of its controls.
        if (isInternalName(w->objectName()) || !w->isWindow() || qobject_cast<QMenu *>(w)) continue;
        const Qt::WindowType type = w->windowType();
        if (type == Qt::Popup || type == Qt::ToolTip || type == Qt::Desktop) continue;
        result.append(w);
    }
    return result;
}

QWidget *findWindow(const QString &name) {
    QWidget *found = nullptr;
    for (QWidget *w : namedWindows()) {
        if (w->objectName() != name) continue;
        if (w->isVisible()) return w;
        if (!found) found = w;
    }
    return found;
}

namespace {

bool isControl(const QObject *o) {
    if (isInternalName(o->objectName())) return false;
    if (o->isWidgetType()) return !static_cast<const QWidget *>(o)->isWindow() || qobject_cast<const QMenu *>(o);
    return qobject_cast<const QTimer *>(o) != nullptr;
}

// A window only in name: a widget shown inside a graphics view (the scaled board's
// face) belongs to the window that owns it.
bool embedded(const QWidget *w) { return w->graphicsProxyWidget() != nullptr && w->parent() != nullptr; }

// The window a control belongs to; a pop-up menu belongs to the window of its owner.
const QWidget *ownerWindow(const QObject *o) {
    for (const QObject *p = o->parent(); p; p = p->parent()) {
        if (!p->isWidgetType()) continue;
        const auto *w = static_cast<const QWidget *>(p);
        if (w->isWindow() && !qobject_cast<const QMenu *>(w) && !embedded(w)) return w;
    }
    return nullptr;
}

}  // namespace

QObject *findControl(const script::ControlRef &ref) {
    QWidget *window = findWindow(ref.window);
    if (!window) return nullptr;
    if (ref.control.isEmpty()) return window;
    for (QObject *o : window->findChildren<QObject *>(ref.control))
        if (isControl(o) && ownerWindow(o) == window) return o;
    return nullptr;
}

QList<QObject *> namedControls(QWidget *window) {
    QList<QObject *> result;
    QSet<QString> seen;
    for (QObject *o : window->findChildren<QObject *>()) {
        if (!isControl(o) || ownerWindow(o) != window) continue;  // not inside a window of its own
        if (seen.contains(o->objectName())) continue;
        seen.insert(o->objectName());
        result.append(o);
    }
    return result;
}

QString fullName(const QObject *control) {
    if (control->isWidgetType() && static_cast<const QWidget *>(control)->isWindow() && !qobject_cast<const QMenu *>(control))
        return control->objectName();
    if (const QWidget *window = ownerWindow(control)) return window->objectName() + QLatin1Char('.') + control->objectName();
    return control->objectName();
}

QString controlKind(const QObject *o) {
    auto is = [o](auto *typed) { return typed != nullptr; };
    if (qobject_cast<const QTimer *>(o)) return QStringLiteral("timer");
    if (!o->isWidgetType()) return QStringLiteral("other");
    const auto *w = static_cast<const QWidget *>(o);
    if (w->isWindow()) return QStringLiteral("window");
    if (is(qobject_cast<const M_Degit *>(o))) return QStringLiteral("degit");
    if (is(qobject_cast<const ChimeiCtl_B *>(o))) return QStringLiteral("chimei");
    if (is(qobject_cast<const QRadioButton *>(o))) return QStringLiteral("option");
    if (is(qobject_cast<const QCheckBox *>(o))) return QStringLiteral("checkbox");
    if (const auto *b = qobject_cast<const QAbstractButton *>(o))
        return b->isCheckable() ? QStringLiteral("checkbox") : QStringLiteral("button");  // push-style check boxes
    if (is(qobject_cast<const QComboBox *>(o))) return QStringLiteral("combo");
    if (is(qobject_cast<const QTableView *>(o))) return QStringLiteral("table");
    if (is(qobject_cast<const QAbstractItemView *>(o))) return QStringLiteral("list");
    if (is(qobject_cast<const QScrollBar *>(o))) return QStringLiteral("scrollbar");
    if (is(qobject_cast<const QAbstractSlider *>(o))) return QStringLiteral("slider");
    if (is(qobject_cast<const QLineEdit *>(o)) || is(qobject_cast<const QTextEdit *>(o)) ||
        is(qobject_cast<const QPlainTextEdit *>(o)))
        return QStringLiteral("textbox");
    if (is(qobject_cast<const QAbstractSpinBox *>(o))) return QStringLiteral("spinbox");
    if (is(qobject_cast<const QLabel *>(o))) return QStringLiteral("label");
    if (is(qobject_cast<const QMenu *>(o)) || is(qobject_cast<const QMenuBar *>(o))) return QStringLiteral("menu");
    if (is(qobject_cast<const QProgressBar *>(o))) return QStringLiteral("progress");
    if (is(qobject_cast<const QTabWidget *>(o)) || is(qobject_cast<const QTabBar *>(o))) return QStringLiteral("tabs");
    if (is(qobject_cast<const QGroupBox *>(o)) || is(qobject_cast<const QFrame *>(o))) return QStringLiteral("frame");
    // A plain widget holds other controls; a widget class of its own draws its own picture.
    if (o->metaObject() == &QWidget::staticMetaObject) return QStringLiteral("frame");
    return QStringLiteral("picture");
}

}  // namespace automation
