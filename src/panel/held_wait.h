#pragma once
// A pause that keeps the windows painting and the clocks ticking but holds back the
// operator's input (clicks, keys, and the scripted operation, which acts as the
// operator). A frozen window would be reported as "not responding" by the desktop.
void waitHoldingInput(int ms);
