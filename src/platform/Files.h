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
// `Impossibile scrivere il file "/home/anna/.local/share/quotara/tasi.dat": No space left on device`.
class FileError : public std::system_error {
 public:
  FileError(int errnum, const std::string& azione, std::string path);
  const std::string& path() const noexcept { return path_; }

 private:
  std::string path_;
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

// The bytes of a file and the stamp of what was read (one open file).
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
// file when missing. When the file does not end with a line break, CR LF is
// written first, so the new line never joins the last one. A failed append
// leaves the file as it was.
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

// Replaces a set of files as one step. Every new file is written beside the
// file it replaces (".<file>.nuovo"; beside the file a link points to, so a
// link stays a link) and flushed to disk; then, when `journalFolder` is not
// empty, a journal there names the set (with `label`); then the files are put
// in place one after the other and the journal goes. A file that exists keeps
// its permissions. `done` receives the paths put in place, in order.
// A failure before anything is put in place leaves every file as it was; a
// failure after that leaves the files already put in place; either way no
// new file waits and no journal stays. A kill at any point is mended by
// finishInterruptedReplacement, then removeInterruptedWrites.
void replaceFiles(const std::vector<NewFile>& files, const std::string& journalFolder, const std::string& label,
                  std::vector<std::string>& done);

// A replacement that the start finished: its label and the paths of its set.
struct FinishedReplacement {
  std::string label;
  std::vector<std::string> paths;
};

// At start, after taking the instance lock and before any archive is read: a
// journal in `folder` means a replacement was interrupted after all its new
// files had been written; each one still waiting is put in place and the
// journal goes. Nothing when there is no journal. A failure leaves the journal
// (the next start tries again) and throws.
std::optional<FinishedReplacement> finishInterruptedReplacement(const std::string& folder);

// Removes the files that writes interrupted by a crash or a power cut left in
// `folder`, and beside the files that the links of `folder` point to: the
// temporary files of rewrites (".<file>.<pid>-<n>.tmp") and, when no journal
// is left in `folder` (finishInterruptedReplacement runs first), the new files
// of a replacement (".<file>.nuovo"). Only while no other instance can be
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
