#include "board/board_geometry.h"

namespace board {

namespace {

constexpr int kLabelTops[4] = {375, 945, 1500, 2055};
constexpr int kDegitTops[4] = {600, 1170, 1740, 2280};
constexpr int kLabelLefts[8] = {1245, 2115, 2970, 3840, 4695, 5565, 6420, 7290};
constexpr int kLabelLeftsRow4[8] = {1245, 2108, 2971, 3834, 4697, 5560, 6423, 7286};
constexpr int kDegitLefts[8] = {1245, 2115, 2970, 3840, 4710, 5565, 6435, 7305};
constexpr int kDegitLeftsRow3[8] = {1245, 2110, 2975, 3840, 4705, 5570, 6435, 7300};

QRect twipsRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

}  // namespace

QRect labelRect(int index) {
    if (index <= 0 || index > 32) return twipsRect(1185, 45, 780, 240);
    const int row = (index - 1) / 8, col = (index - 1) % 8;
    const int left = row == 3 ? kLabelLeftsRow4[col] : kLabelLefts[col];
    return twipsRect(left, kLabelTops[row], 780, 240);
}

QRect degitRect(int index) {
    if (index <= 0 || index > 32) return twipsRect(2100, 30, 780, 300);
    const int row = (index - 1) / 8, col = (index - 1) % 8;
    const int left = row == 2 ? kDegitLeftsRow3[col] : kDegitLefts[col];
    return twipsRect(left, kDegitTops[row], 780, 300);
}

QRect timeDegitRect(int index) { return twipsRect(index == 0 ? 5445 : 5850, 30, 390, 300); }

QRect chimeiRect() { return twipsRect(420, 300, 525, 2880); }

}  // namespace board
