#pragma once
// The board's layout: the routines that put the board into a defined state.
#include "core/colorref.h"

#include <array>

class Form1;
class FrmOption;
class Settings;
class QLabel;

namespace board_layout {
// The 32 fare displays start blank in the board's digit face.
void placeDisplays(Form1 &board);
// Built-in panel defaults: labels shown, label colours (into Settings), built-in
// pictures, then the options' applyToWindows.
void setDefaultPanel(Form1 &board, Settings &settings, FrmOption &options);
// Captions of the 32 ticket-number labels for a numbering style (0..11).
void numberTicketLabels(Form1 &board, int style, int zero);
// The options dialog's applyToWindows: the label, digit and stop-name settings onto the
// board, in this order, then the picture of the panel's backlight state `backlight`.
void applyOptions(Form1 &board, const Settings &settings, int backlight);

// Text colour of a ticket-number label; kept in its "ForeColor" property too.
void setLabelForeColor(QLabel *label, COLORREF color);
}  // namespace board_layout
