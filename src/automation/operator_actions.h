#pragma once
// What an operator can do with the mouse and keyboard, done on the real widgets:
// the same events reach the same handlers as a person's clicks and typing would. A
// control that a person could not reach right now (hidden, disabled, covered, or
// behind an open modal dialog) is left alone.
#include "automation/script_parser.h"

#include <QPoint>
#include <QString>

class QWidget;

namespace automation {

// The outcome of one action. Faults of the script itself (a list position out of
// range, a value the control cannot take, a control of the wrong kind) are found
// before anything is done and reported in `error`; `reached` is false when the
// operator could not reach the control (nothing was done, which is not a fault).
struct ActionResult {
    QString error;
    bool reached = true;
    static ActionResult fault(const QString &why) { return {why, false}; }
    static ActionResult unreachable() { return {QString(), false}; }
};

// True when a person could use the widget now: shown, enabled (with all its
// containers), and not in a window blocked by another window's modal dialog.
bool reachable(QWidget *w);

// Left click (press and release) on the control.
ActionResult click(QWidget *w);
// Double click on the control's own surface (a frame is hit beside its children).
ActionResult doubleClick(QWidget *w);
// Right button press and release, with the context-menu request in between.
ActionResult rightClick(QWidget *w);
// Clicks list position `row` of a list, or chooses it from a combo box's list; -1
// clears the choice (no click reaction, as no click can do that).
ActionResult selectRow(QWidget *w, int row);
// Presses the left button on the control, moves the mouse by `delta` and releases.
ActionResult drag(QWidget *w, QPoint delta);
// Moves a window to `topLeft` on the screen, as a window manager moves it.
ActionResult moveWindow(QWidget *w, QPoint topLeft);
// Presses and releases each key in turn, to the window's focused control.
ActionResult pressKeys(QWidget *window, const QList<QKeyCombination> &keys);
// Types VALUE into cell (row, column) of a table, counted from 1, and commits it as
// Enter does: the cell is clicked, its editor opened, the text typed over it.
ActionResult typeIntoCell(QWidget *w, int row, int column, const QString &value);
// Types a text box's text, moves a scroll bar, or brings a check box to a state.
ActionResult setValue(QWidget *w, const script::Token &value);

}  // namespace automation
