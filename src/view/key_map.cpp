#include "view/key_map.h"

namespace view {

namespace {

constexpr Qt::KeyboardModifiers kIgnored = Qt::KeypadModifier;

std::optional<KeyAction> plainAction(int key, Qt::KeyboardModifiers mods) {
    const bool shift = mods == Qt::ShiftModifier;
    const bool none = mods == Qt::NoModifier;
    const bool ctrl = mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier);
    if (ctrl) {
        // Ctrl and "+" is Ctrl+Shift+= on most layouts, Ctrl+"=" without Shift on some.
        if (key == Qt::Key_Plus || key == Qt::Key_Equal) return KeyAction::ZoomIn;
        if (key == Qt::Key_Minus || key == Qt::Key_Underscore) return KeyAction::ZoomOut;
        return std::nullopt;
    }
    if (shift && key == Qt::Key_A) return KeyAction::TapeBack;
    if (!none) return std::nullopt;
    switch (key) {
    case Qt::Key_Right:
    case Qt::Key_Space:
    case Qt::Key_PageDown: return KeyAction::Forward;
    case Qt::Key_Left:
    case Qt::Key_Backspace:
    case Qt::Key_PageUp: return KeyAction::Back;
    case Qt::Key_B: return KeyAction::Blank;
    case Qt::Key_N: return KeyAction::LateNight;
    case Qt::Key_L: return KeyAction::Backlight;
    case Qt::Key_A: return KeyAction::TapeNext;
    case Qt::Key_S: return KeyAction::TapeStop;
    case Qt::Key_F11: return KeyAction::FullScreen;
    case Qt::Key_Escape: return KeyAction::LeaveFullScreen;
    default: return std::nullopt;
    }
}

}  // namespace

std::optional<KeyHit> actionForKey(QKeyCombination combo, bool onPanel) {
    const int key = combo.key();
    const Qt::KeyboardModifiers mods = combo.keyboardModifiers() & ~kIgnored;
    if (onPanel && mods == Qt::NoModifier) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9) return KeyHit{KeyAction::KeypadDigit, key - Qt::Key_0};
        if (key == Qt::Key_Slash) return KeyHit{KeyAction::KeypadRoute};
        if (key == Qt::Key_Asterisk) return KeyHit{KeyAction::KeypadSection};
        if (key == Qt::Key_Return || key == Qt::Key_Enter) return KeyHit{KeyAction::Reset};
    }
    // "*" arrives with Shift on a main keyboard.
    if (onPanel && mods == Qt::ShiftModifier && key == Qt::Key_Asterisk) return KeyHit{KeyAction::KeypadSection};
    if (const auto action = plainAction(key, mods)) return KeyHit{*action};
    return std::nullopt;
}

const std::vector<KeyHelp> &keyHelp() {
    static const std::vector<KeyHelp> help{
        {KeyAction::Forward, QStringLiteral("→ / Space / PageDown"), QStringLiteral("データ送り")},
        {KeyAction::Back, QStringLiteral("← / Backspace / PageUp"), QStringLiteral("データ戻し")},
        {KeyAction::Blank, QStringLiteral("B"), QStringLiteral("表示消去")},
        {KeyAction::LateNight, QStringLiteral("N"), QStringLiteral("深夜料金")},
        {KeyAction::Backlight, QStringLiteral("L"), QStringLiteral("バックライト OFF → ON1 → ON2")},
        {KeyAction::TapeNext, QStringLiteral("A"), QStringLiteral("案内 送り")},
        {KeyAction::TapeBack, QStringLiteral("Shift+A"), QStringLiteral("案内 戻し")},
        {KeyAction::TapeStop, QStringLiteral("S"), QStringLiteral("案内 停止")},
        {KeyAction::KeypadDigit, QStringLiteral("0 … 9"), QStringLiteral("テンキー (操作盤)")},
        {KeyAction::KeypadRoute, QStringLiteral("/"), QStringLiteral("テンキーの 系統 (操作盤)")},
        {KeyAction::KeypadSection, QStringLiteral("*"), QStringLiteral("テンキーの 区間 (操作盤)")},
        {KeyAction::Reset, QStringLiteral("Enter"), QStringLiteral("リセット (操作盤)")},
        {KeyAction::FullScreen, QStringLiteral("F11"), QStringLiteral("全画面 / 元に戻す")},
        {KeyAction::LeaveFullScreen, QStringLiteral("Esc"), QStringLiteral("全画面を終える")},
        {KeyAction::ZoomIn, QStringLiteral("Ctrl++"), QStringLiteral("拡大")},
        {KeyAction::ZoomOut, QStringLiteral("Ctrl+-"), QStringLiteral("縮小")},
    };
    return help;
}

QString keysFor(KeyAction action) {
    for (const KeyHelp &h : keyHelp())
        if (h.action == action) return h.keys;
    return {};
}

}  // namespace view
