#pragma once
// The two folders the program works in.
#include <string>

namespace platform {

// The user's home folder: $HOME when it is an absolute path, else the
// account's home ("/" when it has none).
std::string homeFolder();

// The per-user data folder that holds the archives: $XDG_DATA_HOME/quotara, or
// ~/.local/share/quotara, created with mode 0700 on first use; no trailing "/".
// Throws FileError when it cannot be created.
std::string programFolder();

// The private temporary folder for the reports, help pages and municipality
// table, always ending with "/": $XDG_RUNTIME_DIR/quotara, else
// /tmp/quotara-<uid> ($TMPDIR in place of /tmp when set). A folder that is a
// symlink, belongs to another user or is not mode 0700 is refused with a line
// on stderr, and a fresh folder made by mkdtemp under /tmp takes its place (the
// program folder when even that fails); that fresh folder is removed, with
// what it holds, when the program ends.
std::string tempFolder();

// At the end of the program, once its temporary files are deleted: the
// private temporary folder goes when it holds nothing more (never the program
// folder standing in for it; a fresh fallback folder goes with its contents
// in any case, at exit).
void removeTempFolder();

// `wanted` when it is (or has just been created as) a private folder of this
// user; otherwise a fresh mkdtemp folder (removed when the program ends), with
// the reason for the refusal put in `refusal`. "" when no private folder can be
// made. No trailing "/".
std::string makePrivateFolder(const std::string& wanted, std::string* refusal = nullptr);

// Tests point the two folders elsewhere; the folder is created when missing.
// An empty path forgets the choice: the next call looks at the environment again.
void setProgramFolderForTests(const std::string& path);
void setTempFolderForTests(const std::string& path);

}  // namespace platform
