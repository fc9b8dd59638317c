#include "panel/held_wait.h"

#include "media/sound_wait.h"

void waitHoldingInput(int ms) { waitHoldingInputWhile([] { return true; }, ms); }
