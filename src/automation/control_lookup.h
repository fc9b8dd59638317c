#pragma once
// Finding the windows and controls a script names. Windows are the named top-level
// widgets (Form1, frmCtl, frmOption, and dialogs such as Call_dlg100 while they
// exist); controls are found by their object name anywhere inside their window.
#include "automation/script_parser.h"

#include <QList>
#include <QString>

class QObject;
class QWidget;

namespace automation {

// Names that Qt gives its own inner parts ("qt_...") or no name at all: never controls.
bool isInternalName(const QString &name);

// Every named top-level widget, in creation order.
QList<QWidget *> namedWindows();

// The window of that name; a visible one is preferred when several share a name.
QWidget *findWindow(const QString &name);

// The control (a widget, or a timer and the like) the reference names; the window
// itself when the reference names only a window. Null when there is none.
QObject *findControl(const script::ControlRef &ref);

// The controls of a window by name: widgets and timers with a usable name, each name
// once (the first in the window's tree order), the window itself not included.
QList<QObject *> namedControls(QWidget *window);

// "window.control" for a control, the plain name for a window.
QString fullName(const QObject *control);

// What kind of control it is, in the words the state dump uses: "button",
// "checkbox", "option", "list", "combo", "scrollbar", "slider", "textbox",
// "spinbox", "label", "frame", "tabs", "picture", "degit", "chimei", "menu",
// "progress", "timer", "window", or "other".
QString controlKind(const QObject *control);

}  // namespace automation
