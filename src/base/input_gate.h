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

// An action whose handler waits in a local event loop before it is done (a sound
// decoding before the board changes) keeps an UnfinishedAction: a script waits with
// every command, dumps and grabs too, so that it never sees a half-done action.
class UnfinishedAction {
public:
    UnfinishedAction();
    ~UnfinishedAction();
    UnfinishedAction(const UnfinishedAction &) = delete;
    UnfinishedAction &operator=(const UnfinishedAction &) = delete;
};

bool actionUnfinished();
