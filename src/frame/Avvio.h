#pragma once
// The start of the program: one running copy only, the screen test, the
// municipality table, the splash window, then the calculation page inside
// the frame window.
namespace platform {
class InstanceLock;
}

namespace shell {

// The program's entry, run inside the application object: ends at once and
// silently when `istanza` is held by another running copy; refuses a screen
// of exactly 640 x 480 pixels with a message; writes the municipality table;
// then AvviaProgramma. True when the frame window is open and the desktop's
// event loop is to run, false when the program has ended.
bool Main(platform::InstanceLock& istanza);

// The splash window for 2000 ms (topmost), while another thread reads
// "tasi.dat" for the calculation page (PreparaAvvio); then the calculation
// page reset and shown inside the frame. An archive that cannot be read is
// said once the frame is up. A failure is shown
// in a message box ("Errore durante il caricamento dell'applicazione"),
// every window is closed and the result is false.
bool AvviaProgramma();

// The session ends (a logout, a shutdown, Ctrl+C in a terminal): the program
// ends as when its frame window is closed, the temporary files deleted. The
// frame is unloaded with vbAppWindows; when no frame is open yet, or a window
// kept it open, the files are deleted and the program ends all the same.
void FineSessione();

// From now on SIGTERM, SIGHUP and SIGINT run FineSessione on the desktop's
// event loop, between two events: an archive write under way finishes first.
// A second signal while the program is ending ends it at once.
void AscoltaFineSessione();

// What the start-up reads while the splash shows: "tasi.dat" and what the
// calculation page offers from it. Touches no window; false when the file
// cannot be read.
bool PreparaAvvio();

}  // namespace shell
