#pragma once
// Opening a document with the desktop's default program.
#include <functional>
#include <string>
#include <vector>

namespace platform {

// How an opener ended: true when it exited with status 0.
using OpenerEnded = std::function<void(bool opened)>;

// Asks the desktop to open the file: `xdg-open <path>` started with an argument
// vector (no shell), never waited for. False when the opener could not be
// started (none on PATH). `ended`, when given, is called once: at once with
// false when the opener could not be started, otherwise from a background
// thread when the opener ends, which may be long after (an opener that runs
// the viewer itself ends with the viewer).
bool openDocument(const std::string& path, OpenerEnded ended = {});

// Starts argv[0] (searched in PATH) with the arguments as given and reaps it in
// the background when it ends, then calls `ended` (when given) from that
// background thread. False when it cannot be started; `ended` is then not called.
bool spawnDetached(const std::vector<std::string>& argv, OpenerEnded ended = {});

// Tests replace the starter (to record the argument vector); an empty function
// puts spawnDetached back. With a replaced starter, `ended` of openDocument is
// called at once with what the starter returned.
using Spawner = std::function<bool(const std::vector<std::string>& argv)>;
void setSpawnerForTests(Spawner spawner);

}  // namespace platform
