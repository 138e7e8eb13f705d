#include "platform/Paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <vector>

#include "platform/Files.h"

namespace platform {

std::string homeFolder() {
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return home;
  const passwd* pw = ::getpwuid(::getuid());
  return pw && pw->pw_dir ? pw->pw_dir : "/";
}

namespace {

std::mutex mutex;
std::string programCache;
std::string tempCache;

std::string withoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// mkdir -p; the folders it creates get mode 0700.
void makeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
      throw FileError(errno, "Impossibile creare la cartella", part);
    if (slash == std::string::npos) break;
  }
  if (!folderExists(path)) throw FileError(ENOTDIR, "Impossibile creare la cartella", path);
}

std::string absoluteEnv(const char* name) {
  const char* value = std::getenv(name);
  return value && value[0] == '/' ? withoutTrailingSlash(value) : "";
}

// The system's folder for temporary files: $TMPDIR, else /tmp.
std::string systemTemp() {
  const std::string tmp = absoluteEnv("TMPDIR");
  return tmp.empty() ? "/tmp" : tmp;
}

// The fresh folders made in place of a refused one: removed, with what they
// hold, when the program ends.
std::vector<std::string> fallbackFolders;

void removeFallbackFolders() {
  std::lock_guard lock(mutex);
  for (const std::string& folder : fallbackFolders) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  fallbackFolders.clear();
}

std::string makeFallbackFolder() {
  std::string pattern = systemTemp() + "/quotara-XXXXXX";
  if (!::mkdtemp(pattern.data())) return "";
  std::lock_guard lock(mutex);
  static const bool registered = std::atexit(removeFallbackFolders) == 0;
  if (registered) fallbackFolders.push_back(pattern);
  return pattern;
}

}  // namespace

std::string programFolder() {
  std::lock_guard lock(mutex);
  if (programCache.empty()) {
    std::string base = absoluteEnv("XDG_DATA_HOME");
    if (base.empty()) base = withoutTrailingSlash(homeFolder()) + "/.local/share";
    const std::string folder = base + "/quotara";
    makeFolders(folder);
    programCache = folder;
  }
  return programCache;
}

std::string makePrivateFolder(const std::string& wanted, std::string* refusal) {
  std::string why;
  struct stat st {};
  if (::mkdir(wanted.c_str(), 0700) == 0) {
    // The umask may have taken bits away; the folder is ours and new.
    if (::chmod(wanted.c_str(), 0700) == 0) return wanted;
    why = std::strerror(errno);
  } else if (errno != EEXIST) {
    why = std::strerror(errno);
  } else if (::lstat(wanted.c_str(), &st) != 0) {
    why = std::strerror(errno);
  } else if (S_ISLNK(st.st_mode)) {
    why = "è un collegamento simbolico";
  } else if (!S_ISDIR(st.st_mode)) {
    why = "non è una cartella";
  } else if (st.st_uid != ::geteuid()) {
    why = "appartiene a un altro utente";
  } else if ((st.st_mode & 07777) != 0700) {
    why = "non ha i permessi 0700";
  } else {
    return wanted;
  }
  if (refusal) *refusal = why;
  return makeFallbackFolder();
}

std::string tempFolder() {
  {
    std::lock_guard lock(mutex);
    if (!tempCache.empty()) return tempCache;
  }
  const std::string runtime = absoluteEnv("XDG_RUNTIME_DIR");
  const std::string wanted =
      runtime.empty() ? systemTemp() + "/quotara-" + std::to_string(::geteuid()) : runtime + "/quotara";
  std::string refusal;
  std::string folder = makePrivateFolder(wanted, &refusal);
  if (!refusal.empty()) std::cerr << "Quotara: cartella temporanea \"" << wanted << "\" rifiutata: " << refusal << "\n";
  if (folder.empty()) folder = programFolder();

  std::lock_guard lock(mutex);
  if (tempCache.empty()) tempCache = folder + "/";
  return tempCache;
}

void removeTempFolder() {
  std::string folder, program;
  {
    std::lock_guard lock(mutex);
    if (tempCache.empty()) return;  // never asked for: nothing was made
    folder = withoutTrailingSlash(tempCache);
    program = programCache;
  }
  if (folder == program) return;
  if (::rmdir(folder.c_str()) == 0) {
    std::lock_guard lock(mutex);
    tempCache.clear();
  }
}

void setProgramFolderForTests(const std::string& path) {
  const std::string folder = withoutTrailingSlash(path);
  if (!folder.empty()) makeFolders(folder);
  std::lock_guard lock(mutex);
  programCache = folder;
}

void setTempFolderForTests(const std::string& path) {
  const std::string folder = withoutTrailingSlash(path);
  if (!folder.empty()) makeFolders(folder);
  std::lock_guard lock(mutex);
  tempCache = folder.empty() ? "" : folder + "/";
}

}  // namespace platform
