#pragma once
// The waits of a synchronous sound: the windows keep painting and the clocks keep
// ticking, but the operator's input (and the scripted operation, which acts as the
// operator) is held back until the wait ends.
#include <functional>

// Waits while `busy` answers true, at most `maxMs` milliseconds (0 or less: no wait).
void waitHoldingInputWhile(const std::function<bool()> &busy, int maxMs);
