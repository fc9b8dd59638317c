#include "app/held_wait.h"

#include "sound/sound_wait.h"

void waitHoldingInput(int ms) { waitHoldingInputWhile([] { return true; }, ms); }
