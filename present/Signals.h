// Design unit: BromSignals.
// How the program ends when it is asked to from outside: SIGTERM, SIGINT and
// SIGHUP (a desktop logging out, Ctrl+C in a terminal, a closed terminal) end
// the game promptly in every state, and whoever started it sees which signal
// ended it (a shell reports 128 + its number). The game's loop is asked to
// end and woken; a state that does not come back to the loop soon (a message
// box waiting for its OK) is ended by the signal itself. A process a library
// starts for the program (the window system's message box) ends with it, so
// nothing is left on screen.
#pragma once

// Takes over the three signals for the whole process; called first in the
// program's entry, before any thread starts, so that every thread inherits
// them blocked and one watching thread alone receives them.
void EndOnSignals();
// The signal that asked the program to end; 0 when none has.
int EndingSignal();
// Ends the process by the signal that asked it to end, its default action
// restored; returns at once when none has.
void EndBySignal();
