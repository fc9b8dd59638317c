#include "base/input_gate.h"

namespace {
int g_holds = 0;  // the window thread is the only one
}  // namespace

InputHold::InputHold() { ++g_holds; }
InputHold::~InputHold() { --g_holds; }

bool inputHeld() { return g_holds > 0; }
