#pragma once
// Byte-string routines of the companion library: lengths and ranges counted in
// CP932 bytes, as the stop-name display lays out its cells.
#include <QString>

// Length of the text in CP932 bytes.
int LenB_ASCII(const QString &text);

// Bytes start..start+count-1 (start is 1-based) of the CP932 form of the text,
// decoded back. Past the end gives less or nothing; never fails. A range that
// cuts a double-byte character in half decodes that half as U+FFFD.
QString MidB_ASCII(const QString &text, int start, int count);
