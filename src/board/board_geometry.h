#pragma once
// Where everything sits on the board, in pixels (the design's twips divided by 15,
// rounded to the nearest pixel).
#include <QRect>

namespace board {

constexpr int kWidth = 564;
constexpr int kHeight = 234;

inline int px(int twips) { return (twips * 2 + 15) / 30; }  // nearest pixel, halves up

// Ticket-number label i (0..32); 0 is the hidden template.
QRect labelRect(int index);
// Fare display i (0..32); 0 is the hidden template.
QRect degitRect(int index);
// Clock displays: 0 hours, 1 minutes.
QRect timeDegitRect(int index);
QRect chimeiRect();

}  // namespace board
