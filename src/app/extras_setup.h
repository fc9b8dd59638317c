#pragma once
// What the command line asks for beyond the board and the panel: a recording from
// the start, the trip running by itself; and the board menu's entries for both.
struct StartupOptions;

// False (the message printed) when the recording asked for cannot start.
bool installExtras(const StartupOptions &opt);
