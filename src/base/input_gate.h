#pragma once
// The program's blocking pauses (the route-set pause, a synchronous sound) keep the
// windows painting but hold back the operator's input. A script acts as the operator,
// so it holds back too: such a pause keeps an InputHold for as long as it lasts, and
// the scripted operation does not act while inputHeld() is true.

class InputHold {
public:
    InputHold();
    ~InputHold();
    InputHold(const InputHold &) = delete;
    InputHold &operator=(const InputHold &) = delete;
};

// True while at least one InputHold exists (pauses may nest).
bool inputHeld();
