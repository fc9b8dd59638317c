#include "base/input_gate.h"

namespace {
int g_holds = 0;  // the window thread is the only one
int g_unfinished = 0;
}  // namespace

InputHold::InputHold() { ++g_holds; }
InputHold::~InputHold() { --g_holds; }

bool inputHeld() { return g_holds > 0; }

UnfinishedAction::UnfinishedAction() { ++g_unfinished; }
UnfinishedAction::~UnfinishedAction() { --g_unfinished; }

bool actionUnfinished() { return g_unfinished > 0; }
