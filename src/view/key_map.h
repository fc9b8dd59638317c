#pragma once
// The keyboard of both windows: which key does what. Every action stands for a
// button (or menu choice) of the program, whose own path the key then takes.
#include <QKeyCombination>
#include <QString>
#include <optional>
#include <vector>

namespace view {

enum class KeyAction {
    Forward,        // データ送り
    Back,           // データ戻し
    Blank,          // 表示消去
    LateNight,      // 深夜料金
    Backlight,      // バックライト OFF → ON1 → ON2 → OFF
    TapeNext,       // announcement 送り
    TapeBack,       // announcement 戻し
    TapeStop,       // stop speaking
    KeypadDigit,    // keypad 0..9 (the digit in KeyBinding::digit)
    KeypadRoute,    // keypad 系統
    KeypadSection,  // keypad 区間
    Reset,          // リセット
    FullScreen,     // full screen on / off
    LeaveFullScreen,
    ZoomIn,
    ZoomOut,
};

struct KeyHit {
    KeyAction action;
    int digit = -1;  // KeypadDigit only
};

// The action of a key press, or nothing. `onPanel`: the keypad keys (digits,
// "/", "*", Enter) belong to the control panel only. Keypad-number keys count
// as the same keys.
std::optional<KeyHit> actionForKey(QKeyCombination key, bool onPanel);

// One line per key group, "→ / Space / PageDown: データ送り", for the README and
// the buttons' tool tips.
struct KeyHelp {
    KeyAction action;
    QString keys;
    QString what;
};
const std::vector<KeyHelp> &keyHelp();
// The keys of one action as a tool tip reads them, e.g. "→ / Space / PageDown".
QString keysFor(KeyAction action);

}  // namespace view
