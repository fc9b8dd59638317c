#pragma once
// The companion library: common dialogs and the OS probe, under the names and result
// conventions the rest of the program was written against. Every dialog is modal,
// owned by `owner`, and recorded in the event log with its answer.
#include "controls/colorref.h"

#include <QString>
#include <array>
#include <cstdint>

class QWidget;

// Date and time in the field order of a Windows SYSTEMTIME.
struct SystemTime {
    std::int16_t wYear = 0, wMonth = 0, wDayOfWeek = 0, wDay = 0;
    std::int16_t wHour = 0, wMinute = 0, wSecond = 0, wMilliseconds = 0;
};

using CustomColors = std::array<COLORREF, 17>;

// Digit settings dialog: shows `keta`, edits the three values in place. 1 on OK, 0 on cancel.
int Call_dlg100(QWidget *owner, int keta, std::int16_t &zeroMode, std::int16_t &shift, std::int16_t &fillZero);

// Modal information box showing `text` (lines joined by CR LF). Returns 1.
int Call_dlg110(QWidget *owner, int kind, const QString &text);

// Date chooser. Non-zero when confirmed; year, month, day (and day of week) are filled.
int Call_dlg111(QWidget *owner, SystemTime &out);

// Colour chooser. `rgb` in/out; the 17 custom colours are shown and updated in place.
// Non-zero when a colour was chosen.
int Qv3ChooseColor(QWidget *owner, COLORREF &rgb, CustomColors &custColors);

// File chooser. `filter` holds description and pattern pairs, each ended by a NUL
// character, with one more NUL at the end. Returns the chosen path, empty on cancel.
QString Qv3FileDlg(QWidget *owner, int flags, const QString &filter, const QString &initialFile,
                   const QString &title);

// Folder chooser. Returns the chosen folder, empty on cancel.
QString Qv3FolderDlg(QWidget *owner, const QString &prompt);

// Name of the operating system.
QString GetOsInfo();
