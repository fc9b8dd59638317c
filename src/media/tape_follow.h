#pragma once
// Keeping the announcement list in step with the board (off unless asked for): a
// file of its own beside the settings file, `207_000.tape`, with the line
// `follow=1`. Then a route set and every manual step move the list to the entry
// whose step marks bring the board to its current row, so that 送り says the next
// stop of the board and not of the list.
#include "core/tape_list.h"

#include <QString>

#include <vector>

// The option file beside `settingsPath` (same folder and base name, ".tape").
QString tapeOptionsPath(const QString &settingsPath);

// True when the file says `follow=1` (or yes/on/true); a missing or unreadable file,
// or any other value, keeps the list as the operator walks it.
bool readFollowBoard(const QString &path);

// The list position after which the board has stepped `steps` rows from the route's
// first row: the entry that carries the `steps`-th step mark (0 for no steps; the
// last entry when the list has fewer marks).
int tapePosForSteps(const std::vector<TapeEntry> &list, int steps);
