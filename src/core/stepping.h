#pragma once
// Stepping the trip one stop back or forward, and the choice of the step sound,
// without widgets. The control panel plays the chosen sound and redraws the board.
#include "core/fare_table.h"
#include "core/trip.h"

#include <optional>

namespace stepping {

inline constexpr int Back = 0;     // Command2(0) "データ戻し"
inline constexpr int Forward = 1;  // Command2(1) "データ送り"

// The CurIndex a step would lead to, or nothing at an end: back stops at the
// first row, forward at the last row of the trip, and never beyond the rows the
// table holds whatever RowCount says. Any other index does not move.
std::optional<qint16> target(const Trip &trip, int index);

// Moves CurIndex by one step when it can; true when it moved.
bool step(Trip &trip, int index);

// The index of the options' sound name (txtSelectSound) to play after a step to
// `newRow`, or nothing. `always` plays 7 on every step; otherwise cell `column`
// (1..150) of the new row picks 8, 9 or 10 for the values 1, 2, 3, and any other
// value or column plays nothing.
std::optional<int> soundIndex(const FareRow &newRow, bool always, int column);

}  // namespace stepping
