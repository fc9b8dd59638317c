#pragma once
// A window restored to where it was on another screen layout may land where no
// screen shows it, and a frameless board could then never be dragged back.
class QWidget;
class QPoint;
class QRect;

// True when some part of a window of `w`'s size at `topLeft` would be on a screen.
bool onSomeScreen(const QWidget *w, const QPoint &topLeft);

// Where a window whose outer frame is `frame` goes so that it stays inside `area`:
// its left edge kept where that fits, else moved left just enough (never past the
// area's left edge); the same for the top.
QPoint keptInside(const QRect &frame, const QRect &area);
