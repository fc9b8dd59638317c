#pragma once
// A window restored to where it was on another screen layout may land where no
// screen shows it, and a frameless board could then never be dragged back.
class QWidget;
class QPoint;

// True when some part of a window of `w`'s size at `topLeft` would be on a screen.
bool onSomeScreen(const QWidget *w, const QPoint &topLeft);
