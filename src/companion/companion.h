#pragma once
// The companion library: common dialogs and the OS probe, under the names and result
// conventions the rest of the program was written against. Every dialog is modal,
// owned by `owner` (may be null), named for the scripted operation (its objectName is
// the function's name), captions its buttons "OK" and "キャンセル" (objectNames "OK" and
// "Cancel"), and leaves one "dialog" event in the event log when it closes.
#include "core/colorref.h"

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

// Digit settings dialog: shows `keta`, edits the three values in place. 1 on OK (the
// values shown are written back; values outside the display's ranges are shown, and
// so confirmed, at the nearest allowed one), 0 on cancel (values untouched).
int Call_dlg100(QWidget *owner, int keta, std::int16_t &zeroMode, std::int16_t &shift, std::int16_t &fillZero);

// Modal information box showing `text` (lines joined by CR LF). Returns 1.
int Call_dlg110(QWidget *owner, int kind, const QString &text);

// Date chooser, starting at the date in `out` when it is a valid one, else today.
// Non-zero when confirmed: year, month, day and day of week (0 = Sunday) are filled,
// the time fields set to 0. On cancel `out` is untouched.
int Call_dlg111(QWidget *owner, SystemTime &out);

// Colour chooser. `rgb` in/out; non-zero when a colour was chosen (rgb updated), 0 on
// cancel (rgb untouched). Entries 1..16 of the table are the dialog's custom colours
// and are written back in place whatever the answer, since adding a custom colour is
// an act of its own; an entry whose colour did not change keeps its stored value
// exactly. The 17th entry is kept as it is.
int Qv3ChooseColor(QWidget *owner, COLORREF &rgb, CustomColors &custColors);

// File chooser for an existing file. `filter` holds description and pattern pairs, each
// ended by a NUL character, with one more NUL at the end (see file_filter.h); patterns
// match regardless of case. Opens in the folder of `initialFile` when given, else where
// the last choice was made. Returns the chosen path, empty on cancel.
QString Qv3FileDlg(QWidget *owner, int flags, const QString &filter, const QString &initialFile,
                   const QString &title);

// Folder chooser titled with `prompt`. Returns the chosen folder, empty on cancel.
QString Qv3FolderDlg(QWidget *owner, const QString &prompt);

// Name of the operating system.
QString GetOsInfo();
