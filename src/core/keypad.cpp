#include "core/keypad.h"

void pressKey(KeypadState &state, int index) {
    if (index == kKeyRoute) {
        state.toRoute = true;
        state.route.clear();
        return;
    }
    if (index == kKeySection) {
        state.toRoute = false;
        state.section.clear();
        return;
    }
    if (index < 0 || index > 9) return;
    QString &display = state.toRoute ? state.route : state.section;
    const int limit = state.toRoute ? kRouteDigits : kSectionDigits;
    if (display.size() >= limit) return;
    display += QString::number(index);
}
