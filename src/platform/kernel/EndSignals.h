#pragma once
// The signals that end a session: SIGTERM (a logout, a shutdown, kill), SIGHUP (the terminal or
// the session going away) and SIGINT (Ctrl+C in the terminal). Caught, each is only noted in a
// pipe by its handler; a thread of the program waits on the pipe and ends the program in order
// from its message loop. A second one while the first is still being answered ends the process
// at once, as if none were caught. A signal the program was started to ignore (nohup, a
// background job) stays ignored. Programs the process starts get the default back (Process.h).

namespace win {

inline constexpr int kEndSignalCount = 3;
// SIGTERM, SIGHUP, SIGINT.
extern const int kEndSignals[kEndSignalCount];

// Installs the handlers; false when the pipe cannot be made (the signals then stay as they were).
// Called again while installed, it does nothing and returns true.
bool CatchEndSignals();
// Blocks until an end signal arrives and returns its number; 0 once ReleaseEndSignals was called
// (or when nothing is caught).
int WaitForEndSignal();
// The dispositions as they were before CatchEndSignals, and WaitForEndSignal returns 0.
void ReleaseEndSignals();

}  // namespace win
