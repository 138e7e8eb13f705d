#pragma once
// Opening a document with the desktop's default program.
#include <functional>
#include <string>
#include <vector>

namespace platform {

// Asks the desktop to open the file: `xdg-open <path>` started with an argument
// vector (no shell), not waited for. False when the opener could not be started.
bool openDocument(const std::string& path);

// Starts argv[0] (searched in PATH) with the arguments as given and reaps it in
// the background when it ends. False when it cannot be started.
bool spawnDetached(const std::vector<std::string>& argv);

// Tests replace the starter (to record the argument vector); an empty function
// puts spawnDetached back.
using Spawner = std::function<bool(const std::vector<std::string>& argv)>;
void setSpawnerForTests(Spawner spawner);

}  // namespace platform
