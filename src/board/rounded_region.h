#pragma once
// A rectangle with its corners cut by a 2 x 2 rounding: what a window region made with
// a 2 x 2 corner ellipse covers (the board window, the keypad buttons).
#include <QRect>
#include <QRegion>

inline QRegion roundedRegion(const QRect &r) {
    QRegion region(r);
    for (const QPoint &corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
        region -= QRegion(corner.x(), corner.y(), 1, 1);
    return region;
}
