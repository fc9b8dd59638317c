#pragma once
// The control panel's numeric keypad: which display receives digits, and how many
// each holds (five route digits, three section digits).
#include <QString>

struct KeypadState {
    bool toRoute = false;  // true: digits go to the route display
    QString route;         // Label2(0)
    QString section;       // Label2(2)
};

constexpr int kKeyRoute = 10;    // "系統"
constexpr int kKeySection = 11;  // "区間"
constexpr int kRouteDigits = 5;
constexpr int kSectionDigits = 3;

// Applies one key press (index 0..9 digits, 10 route, 11 section).
void pressKey(KeypadState &state, int index);
