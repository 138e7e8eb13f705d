#pragma once
// The signals that end a session: SIGTERM (logout, shutdown), SIGHUP (the
// session or the terminal went away) and SIGINT (Ctrl+C). Their handler does
// nothing but write a byte into a pipe (a self-pipe); the event loop reads the
// pipe between two events, so whatever the program is doing when a signal
// arrives (an archive write) finishes first. A second signal, once the first
// has arrived, ends the program at once with exit code 0.
namespace platform {

// Installs the handlers and unblocks the three signals (the first call; later
// calls change nothing; the program makes it first thing in main) and gives
// the file descriptor that becomes readable when a signal has arrived; -1 when
// no pipe can be made (the signals then keep their default action).
int watchEndSignals();

// Empties the pipe: the signals that arrived since the last call.
int takeEndSignals();

// Tests only: the default actions back, the pipe closed, as before the first
// watchEndSignals.
void resetEndSignalsForTests();

}  // namespace platform
