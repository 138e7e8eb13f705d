#pragma once
// Files at the boundary of the program. Text files are Windows-1252 with CR LF
// after every line; inside the program their lines are UTF-8.
// Every failure throws FileError; nothing is swallowed.
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace platform {

// A failed file operation: what() reads, for example,
// `Impossibile scrivere il file "/home/anna/.local/share/quotara/tasi.dat": No space left on device`,
// or, given a reason of its own, that reason after the colon.
class FileError : public std::system_error {
 public:
  FileError(int errnum, const std::string& azione, std::string path);
  FileError(int errnum, const std::string& azione, std::string path, const std::string& reason);
  const std::string& path() const noexcept { return path_; }
  const char* what() const noexcept override;

 private:
  std::string path_;
  std::string text_;
};

// The lines of a Windows-1252 text file as UTF-8. CR LF, LF and CR all end a
// line; the line ending of the last line adds no empty line.
std::vector<std::string> readLines(const std::string& path);

// The lines of a text as readLines splits a file: CR LF, LF and CR end a line;
// the line ending of the last line adds no empty line. Views into `text`.
std::vector<std::string_view> splitLines(std::string_view text);

// What tells one state of a file from another without reading it: its device
// and inode (a rename over it gives another), its size and its modification
// and change times to the nanosecond.
struct FileStamp {
  unsigned long long device = 0, inode = 0;
  long long size = 0;
  long long modified = 0, changed = 0;  // nanoseconds since 1970
  bool operator==(const FileStamp&) const = default;
};

// The stamp of the file `path` (after symbolic links); none when it cannot be
// looked at (missing included).
std::optional<FileStamp> fileStamp(const std::string& path);

// The bytes of a file and the stamp of what was read (one open file). Only a
// regular file is read: a folder (EISDIR) or a named pipe, device or socket
// (EINVAL) is refused without a read, and the open never waits.
std::string readFile(const std::string& path, FileStamp& stamp);
// The text of a Windows-1252 file as UTF-8, decoded while it is read into one
// buffer, and the stamp of what was read.
std::string readTextFile(const std::string& path, FileStamp& stamp);

// Whether a change of the file within the same tick of the file system's
// clock as `stamp` could leave the stamp as it is: a file changed at or after
// `since` (the coarse clock when its reading began), whose next change may
// not move its times.
bool recentlyChanged(const FileStamp& stamp, long long since);
// The coarse real-time clock that stamps files, in nanoseconds since 1970.
long long fileClockNow();

// The bytes of a text file of `lines`: each converted to Windows-1252 and
// ended by CR LF.
std::string encodeLines(const std::vector<std::string>& lines);

// Replaces the file with `lines`, each converted to Windows-1252 and ended by CR LF.
// Atomic: see writeFileAtomic.
void writeLinesAtomic(const std::string& path, const std::vector<std::string>& lines);

// Appends one line (Windows-1252, CR LF) and flushes it to disk; creates the
// file when missing, and then flushes its folder too, so that the file lasts
// with its line. When the file does not end with a line break, CR LF is
// written first, so the new line never joins the last one. A failed append
// leaves the file as it was (a file it made is removed).
void appendLine(const std::string& path, const std::string& line);

// The bytes of a file.
std::string readFile(const std::string& path);

// Replaces the file with `bytes`: a temporary file in the same folder is written,
// flushed to disk and renamed over the original, and the folder is flushed. A
// failure leaves the original whole and removes the temporary file. An existing
// file keeps its permissions; a path that is a symbolic link stays one (the file
// it points to is replaced, beside which the temporary file is written).
void writeFileAtomic(const std::string& path, const std::string& bytes);

// Copies a file byte for byte, replacing the target atomically.
void copyFile(const std::string& from, const std::string& to);

// Removes a file; false when it could not be removed (missing included).
bool removeFile(const std::string& path);

// Removes a file and flushes its folder, so that the removal lasts; a
// missing file is no error.
void removeFileDurably(const std::string& path);

// Cuts the NUL bytes at the end of a file (what a power cut during an append
// can leave; never text) and flushes it; how many went.
long long trimTrailingNuls(const std::string& path);

// The file that `path` finally points to, following symbolic links; `path`
// itself when it is no link.
std::string finalTarget(const std::string& path);

// One file of a set replaced as one step: where it goes and its new bytes.
struct NewFile {
  std::string path;
  std::string bytes;
};

// The name of the journal that a replacement with a journal keeps in its folder.
inline constexpr const char* kReplacementJournal = "quotara.journal";

// The name a journal that the start cannot use is moved to, beside it.
inline constexpr const char* kDamagedJournalSuffix = ".guasto";

// Replaces a set of files as one step. Every new file is written beside the
// file it replaces (".<file>.nuovo"; beside the file a link points to, so a
// link stays a link) and flushed to disk; then, when `journalFolder` is not
// empty, a journal there names the set (with `label`); then the files are put
// in place one after the other and the journal goes. A file that exists keeps
// its permissions. `done` receives the paths put in place, in order.
// Two paths that are one file, or a target that is no file, are refused
// before anything is written. A failure before anything is put in place
// leaves every file as it was, with no new file waiting and no journal. A
// failure after the first file is in place keeps the journal and the files
// still waiting (with a journal), so the next start finishes the set; without
// a journal the files already put in place stay. A kill at any point is
// mended by finishInterruptedReplacement, then removeInterruptedWrites.
void replaceFiles(const std::vector<NewFile>& files, const std::string& journalFolder, const std::string& label,
                  std::vector<std::string>& done);

// What the start made of the journal of an interrupted replacement.
struct FinishedReplacement {
  struct Failure {
    std::string path;
    int error = 0;  // ENOENT: neither its new file nor the file itself; EISDIR: a folder in place of the new file
  };
  std::string label;               // as the journal names it ("" when unreadable)
  std::vector<std::string> paths;  // the files of the set now in place, in order
  std::vector<Failure> failed;     // the files that could not be put in place: they are as they were
  // The journal could not be used (0 when it could): ENODATA empty, EBADMSG
  // not a journal or cut short, EISDIR a folder, EINVAL no file, or why it
  // could not be read. Nothing was put in place then.
  int journalError = 0;
  std::vector<std::string> named;  // every path the journal names, as far as it can be read
  // A journal that could not be used or finished is moved here (or removed:
  // "" and setAsideError 0); setAsideError when it stays where it was.
  std::string setAside;
  int setAsideError = 0;
};

// At start, after taking the instance lock and before any archive is read: a
// journal in `folder` means a replacement was interrupted after all its new
// files had been written; each one still waiting is put in place and the
// journal goes. Nothing when there is no journal. A journal that cannot be
// read, or a set that cannot be put in place whole, never stops a start
// again: the journal is moved aside (kDamagedJournalSuffix) and the new files
// it names are removed; the result says what was and was not done. Never
// throws.
std::optional<FinishedReplacement> finishInterruptedReplacement(const std::string& folder);

// Removes the files that writes interrupted by a crash or a power cut left in
// `folder`, and beside the files that the links of `folder` point to: the
// temporary files of rewrites (".<file>.<pid>-<n>.tmp") and, when no journal
// is left in `folder` (finishInterruptedReplacement runs first), the new files
// of a replacement (".<file>.nuovo"; an empty folder of that name too). Only while no other instance can be
// writing (after taking the instance lock). Gives how many it removed.
int removeInterruptedWrites(const std::string& folder);

// The path itself (not what it points to) is a symbolic link.
bool isSymlink(const std::string& path);

// The path is a regular file (after symlinks) that can be opened for reading.
bool fileReadable(const std::string& path);

// The path is a folder (after symlinks).
bool folderExists(const std::string& path);

// Whether a file may be rewritten: -999 nothing of that name exists, -1 it exists
// but cannot be opened for writing or another program holds a lock on it, 0 free.
int fileInUse(const std::string& path);

}  // namespace platform
