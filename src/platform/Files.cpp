#include "platform/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include <time.h>

#include <atomic>
#include <memory>
#include <cerrno>

#include "platform/Cp1252.h"
#include "platform/Lines.h"
#include "platform/Memory.h"

namespace platform {
namespace {

constexpr const char* kLeggere = "Impossibile leggere il file";
constexpr const char* kScrivere = "Impossibile scrivere il file";

// Closes the descriptor on every path out of a function.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  // Closes now and reports the result (a delayed write error shows here).
  int close() {
    const int rc = ::close(fd_);
    fd_ = -1;
    return rc;
  }

 private:
  int fd_;
};

bool writeAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

std::string encodeLines(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines) bytes += utf8ToCp1252(line) + "\r\n";
  return bytes;
}

namespace {

// Renames and new names reach the disk only with their folder.
void syncFolder(const std::string& folder, const std::string& reported) {
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() < 0 || (::fsync(dir.get()) != 0 && errno != EINVAL)) throw FileError(errno, kScrivere, reported);
}

constexpr std::string_view kWaitingSuffix = ".nuovo";

// Where the new content of `target` (a file, not a link) waits until it is put in place.
std::string waitingPath(const std::string& target) {
  const std::string folder = folderOf(target);
  return (folder == "/" ? "" : folder) + "/." + target.substr(target.rfind('/') + 1) + std::string(kWaitingSuffix);
}

// The file that the new file of a replacement named `name` belongs to
// (".<file>.nuovo"); "" when `name` is no such file.
std::string waitingFile(const std::string& name) {
  if (name.size() <= 1 + kWaitingSuffix.size() || name[0] != '.' || !name.ends_with(kWaitingSuffix)) return "";
  return name.substr(1, name.size() - 1 - kWaitingSuffix.size());
}

// Writes `bytes` as a new file at `path`, with the permissions of `modeOf`
// when that is a file, and flushes it to disk. Whatever had that name goes
// first; a link there is never followed. A failure removes the file.
void writeNewFile(const std::string& path, const std::string& bytes, const std::string& modeOf) {
  ::unlink(path.c_str());
  Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666));
  if (fd.get() < 0) throw FileError(errno, kScrivere, path);
  struct stat st {};
  const bool keepMode = ::stat(modeOf.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  if (!((!keepMode || ::fchmod(fd.get(), st.st_mode & 07777) == 0) && writeAll(fd.get(), bytes) &&
        ::fsync(fd.get()) == 0 && fd.close() == 0)) {
    const int err = errno;
    ::unlink(path.c_str());
    throw FileError(err, kScrivere, path);
  }
}

// The journal: the label, then the path and the file it finally points to of
// every file of the set, each ended by a NUL (no path holds one).
std::string encodeJournal(const std::string& label, const std::vector<std::pair<std::string, std::string>>& set) {
  std::string bytes = label + '\0';
  for (const auto& [path, target] : set) bytes += path + '\0' + target + '\0';
  return bytes;
}

// What a journal holds, read as far as it can be: `whole` only when every
// field is ended and every entry complete and absolute.
struct Journal {
  std::string label;
  std::vector<std::pair<std::string, std::string>> set;
  bool whole = false;
};

Journal decodeJournal(const std::string& bytes) {
  Journal journal;
  std::vector<std::string> fields;
  size_t start = 0;
  bool ended = true;
  while (start < bytes.size()) {
    const size_t end = bytes.find('\0', start);
    if (end == std::string::npos) {
      // A label cut short is still the step the journal was for.
      if (fields.empty()) journal.label = bytes.substr(start);
      ended = false;
      break;
    }
    fields.push_back(bytes.substr(start, end - start));
    start = end + 1;
  }
  if (fields.empty()) return journal;
  journal.label = std::move(fields[0]);
  bool entries = true;
  for (size_t i = 1; i + 1 < fields.size(); i += 2) {
    if (fields[i].empty() || fields[i + 1].empty() || fields[i][0] != '/' || fields[i + 1][0] != '/') {
      entries = false;
      break;
    }
    journal.set.emplace_back(fields[i], fields[i + 1]);
  }
  journal.whole = ended && entries && fields.size() >= 3 && fields.size() % 2 == 1;
  return journal;
}

}  // namespace

FileError::FileError(int errnum, const std::string& azione, std::string path)
    : std::system_error(errnum, std::generic_category(), azione + " \"" + path + "\""), path_(std::move(path)) {}

FileError::FileError(int errnum, const std::string& azione, std::string path, const std::string& reason)
    : FileError(errnum, azione, std::move(path)) {
  text_ = azione + " \"" + path_ + "\": " + reason;
}

const char* FileError::what() const noexcept { return text_.empty() ? std::system_error::what() : text_.c_str(); }

namespace {

long long nanoseconds(const timespec& t) { return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec; }

FileStamp stampOf(const struct stat& st) {
  return {static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino),
          static_cast<long long>(st.st_size), nanoseconds(st.st_mtim), nanoseconds(st.st_ctim)};
}

}  // namespace

std::optional<FileStamp> fileStamp(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return stampOf(st);
}

long long fileClockNow() {
  timespec t{};
  ::clock_gettime(CLOCK_REALTIME_COARSE, &t);
  return nanoseconds(t);
}

bool recentlyChanged(const FileStamp& stamp, long long since) {
  return stamp.modified >= since || stamp.changed >= since;
}

std::string readFile(const std::string& path) {
  FileStamp stamp;
  return readFile(path, stamp);
}

namespace {

// Reads a regular file piece by piece, each piece handed to `piece`; the size
// the file had when opened is handed to `sized` first.
template <class Sized, class Piece>
void readPieces(const std::string& path, FileStamp& stamp, Sized sized, Piece piece) {
  // O_NONBLOCK: a named pipe or a device given as a file must not hang the
  // program; it is refused below, unread.
  Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd.get() < 0) throw FileError(errno, kLeggere, path);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) throw FileError(errno, kLeggere, path);
  stamp = stampOf(st);
  if (!S_ISREG(st.st_mode)) throw FileError(S_ISDIR(st.st_mode) ? EISDIR : EINVAL, kLeggere, path);
  sized(static_cast<size_t>(st.st_size));
  constexpr size_t kPezzo = size_t{1} << 20;
  const std::unique_ptr<char[]> buf(new char[kPezzo]);
  for (;;) {
    const ssize_t n = ::read(fd.get(), buf.get(), kPezzo);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError(errno, kLeggere, path);
    }
    if (n == 0) break;
    piece(std::string_view(buf.get(), static_cast<size_t>(n)));
  }
}

}  // namespace

std::string readFile(const std::string& path, FileStamp& stamp) {
  std::string bytes;
  readPieces(
      path, stamp, [&](size_t size) { bytes.reserve(size); }, [&](std::string_view p) { bytes.append(p); });
  return bytes;
}

std::string readTextFile(const std::string& path, FileStamp& stamp) {
  std::string text;
  // An accented letter takes two bytes, a few signs three: the buffer grows
  // only for a file full of them.
  readPieces(
      path, stamp,
      [&](size_t size) {
        text.reserve(size + size / 16 + 64);
        preferHugePages(text.data(), text.capacity());
      },
      [&](std::string_view p) { appendCp1252AsUtf8(text, p); });
  return text;
}

std::vector<std::string> readLines(const std::string& path) {
  const std::string bytes = readFile(path);
  const std::vector<std::string_view> raw = splitLines(bytes);
  std::vector<std::string> lines;
  lines.reserve(raw.size());
  for (const std::string_view line : raw) lines.push_back(cp1252ToUtf8(line));
  return lines;
}

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  // One allocation: a line ends at each LF (a file of CR alone grows).
  lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  preferHugePages(lines.data(), lines.capacity() * sizeof(std::string_view));
  LineReader reader(text);
  for (std::string_view line; reader.next(line);) lines.push_back(line);
  return lines;
}

std::string finalTarget(const std::string& path) {
  std::string target = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
    std::string link(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096), '\0');
    const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
    if (n <= 0) break;
    link.resize(static_cast<size_t>(n));
    target = link[0] == '/' ? link : folderOf(target) + "/" + link;
  }
  return target;
}

// The file that the temporary file of a rewrite named `name` belongs to
// (".<file>.<pid>-<n>.tmp"); "" when `name` is no such file.
std::string rewrittenFile(const std::string& name) {
  constexpr std::string_view suffix = ".tmp";
  if (name.size() < 2 || name[0] != '.' || !name.ends_with(suffix)) return "";
  const std::string stem = name.substr(1, name.size() - 1 - suffix.size());
  const size_t dot = stem.rfind('.');
  if (dot == std::string::npos || dot == 0) return "";
  const std::string number = stem.substr(dot + 1);
  const size_t dash = number.find('-');
  if (dash == std::string::npos || dash == 0 || dash + 1 == number.size() ||
      number.find_first_not_of("0123456789-") != std::string::npos || number.find('-', dash + 1) != std::string::npos)
    return "";
  return stem.substr(0, dot);
}

void writeFileAtomic(const std::string& given, const std::string& bytes) {
  // A symbolic link stays one: the file it points to is replaced.
  const std::string path = finalTarget(given);
  const std::string folder = folderOf(path);
  const std::string base = path.substr(path.rfind('/') + 1);
  static std::atomic<unsigned> counter{0};
  std::string temp;
  int raw = -1;
  do {
    temp = folder + "/." + base + "." + std::to_string(::getpid()) + "-" + std::to_string(++counter) + ".tmp";
    raw = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  } while (raw < 0 && errno == EEXIST);
  if (raw < 0) throw FileError(errno, kScrivere, given);
  Fd fd(raw);

  struct stat st {};
  const bool keepMode = ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  const bool ok = (!keepMode || ::fchmod(fd.get(), st.st_mode & 07777) == 0) && writeAll(fd.get(), bytes) &&
                  ::fsync(fd.get()) == 0 && fd.close() == 0 && ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    const int err = errno;
    ::unlink(temp.c_str());
    throw FileError(err, kScrivere, given);
  }

  syncFolder(folder, given);
}

void writeLinesAtomic(const std::string& path, const std::vector<std::string>& lines) {
  writeFileAtomic(path, encodeLines(lines));
}

void appendLine(const std::string& path, const std::string& line) {
  // A file made here reaches the disk only with its folder's new name.
  bool created = false;
  int raw = ::open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (raw < 0 && errno == ENOENT) {
    raw = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666);
    created = raw >= 0;
  }
  Fd fd(raw);
  if (fd.get() < 0) throw FileError(errno, kScrivere, path);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) throw FileError(errno, kScrivere, path);
  if (!S_ISREG(st.st_mode)) throw FileError(EINVAL, kScrivere, path);

  std::string bytes = utf8ToCp1252(line) + "\r\n";
  if (st.st_size > 0) {
    char last = 0;
    if (::pread(fd.get(), &last, 1, st.st_size - 1) != 1) throw FileError(errno, kScrivere, path);
    if (last != '\n' && last != '\r') bytes.insert(0, "\r\n");
  }
  const auto undo = [&](int err) {
    // Take back a partial line, or the file made for it, so the file stays
    // as it was; the write error is the one reported.
    if (created) {
      ::unlink(finalTarget(path).c_str());
    } else {
      [[maybe_unused]] const int restored = ::ftruncate(fd.get(), st.st_size);
    }
    throw FileError(err, kScrivere, path);
  };
  if (!writeAll(fd.get(), bytes) || ::fsync(fd.get()) != 0) undo(errno);
  if (created) {
    try {
      syncFolder(folderOf(finalTarget(path)), path);
    } catch (const FileError& e) {
      undo(e.code().value());
    }
  }
  if (fd.close() != 0) throw FileError(errno, kScrivere, path);
}

void copyFile(const std::string& from, const std::string& to) { writeFileAtomic(to, readFile(from)); }

bool removeFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

void removeFileDurably(const std::string& path) {
  if (::unlink(path.c_str()) != 0) {
    if (errno == ENOENT) return;
    throw FileError(errno, "Impossibile eliminare il file", path);
  }
  syncFolder(folderOf(path), path);
}

long long trimTrailingNuls(const std::string& path) {
  Fd fd(::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (fd.get() < 0) throw FileError(errno, kScrivere, path);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) throw FileError(errno, kScrivere, path);
  if (!S_ISREG(st.st_mode)) throw FileError(EINVAL, kScrivere, path);
  // Back from the end, a block at a time, to the last byte that is not NUL.
  off_t end = st.st_size;
  char buf[65536];
  while (end > 0) {
    const off_t from = end > static_cast<off_t>(sizeof buf) ? end - static_cast<off_t>(sizeof buf) : 0;
    const ssize_t n = ::pread(fd.get(), buf, static_cast<size_t>(end - from), from);
    if (n != end - from) throw FileError(n < 0 ? errno : EIO, kLeggere, path);
    ssize_t i = n;
    while (i > 0 && buf[i - 1] == '\0') --i;
    end = from + i;
    if (i > 0) break;
  }
  if (end == st.st_size) return 0;
  if (::ftruncate(fd.get(), end) != 0 || ::fsync(fd.get()) != 0) throw FileError(errno, kScrivere, path);
  return st.st_size - end;
}

namespace {

// Whether two targets are one file: the same file on disk, or, when either is
// missing, the same name in the same folder.
bool sameFile(const std::string& a, const std::string& b) {
  struct stat sa {
  }, sb{};
  if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0)
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  const auto canonical = [](const std::string& path) {
    char* real = ::realpath(folderOf(path).c_str(), nullptr);
    std::string folder = real ? real : folderOf(path);
    std::free(real);
    return folder + "/" + path.substr(path.rfind('/') + 1);
  };
  return canonical(a) == canonical(b);
}

}  // namespace

void replaceFiles(const std::vector<NewFile>& files, const std::string& journalFolder, const std::string& label,
                  std::vector<std::string>& done) {
  if (files.empty()) return;
  struct Step {
    const NewFile* file;
    std::string target, waiting;
  };
  std::vector<Step> steps;
  std::vector<std::pair<std::string, std::string>> set;
  for (const NewFile& f : files) {
    Step s{&f, finalTarget(f.path), ""};
    s.waiting = waitingPath(s.target);
    // A target that is a folder (or anything but a file) would fail only when
    // put in place, after others had been replaced: it stops the set now.
    struct stat st {};
    if (::stat(s.target.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
      throw FileError(S_ISDIR(st.st_mode) ? EISDIR : EINVAL, kScrivere, f.path);
    // Two new contents for one file: whichever came last would win.
    for (const Step& before : steps)
      if (sameFile(before.target, s.target))
        throw FileError(EINVAL, kScrivere, f.path, "è lo stesso file di \"" + before.file->path + "\"");
    set.emplace_back(f.path, s.target);
    steps.push_back(std::move(s));
  }
  const auto folders = [&steps] {
    std::vector<std::string> all;
    for (const Step& s : steps)
      if (std::find(all.begin(), all.end(), folderOf(s.target)) == all.end()) all.push_back(folderOf(s.target));
    return all;
  }();
  const std::string journal = journalFolder.empty() ? "" : journalFolder + "/" + kReplacementJournal;

  size_t written = 0, placed = 0;
  try {
    for (const Step& s : steps) {
      try {
        writeNewFile(s.waiting, s.file->bytes, s.target);
      } catch (const FileError& e) {
        // The user knows the file, not its new copy beside it.
        throw FileError(e.code().value(), kScrivere, s.file->path);
      }
      ++written;
    }
    // Every new file is whole on disk before the journal says so.
    for (const std::string& folder : folders) syncFolder(folder, steps.front().file->path);
    if (!journal.empty()) writeFileAtomic(journal, encodeJournal(label, set));
    for (const Step& s : steps) {
      if (::rename(s.waiting.c_str(), s.target.c_str()) != 0) throw FileError(errno, kScrivere, s.file->path);
      ++placed;
      done.push_back(s.file->path);
    }
    for (const std::string& folder : folders) syncFolder(folder, steps.front().file->path);
    if (!journal.empty()) {
      ::unlink(journal.c_str());
      syncFolder(journalFolder, journal);
    }
  } catch (...) {
    // Part of the set is in place and a journal names it: the journal and
    // the files still waiting stay, so that the next start finishes the set
    // rather than leave it part old, part new.
    if (placed > 0 && placed < steps.size() && !journal.empty()) throw;
    // Otherwise what is reported is what the files hold: nothing is left to
    // finish later.
    for (size_t i = placed; i < written; ++i) ::unlink(steps[i].waiting.c_str());
    if (!journal.empty()) ::unlink(journal.c_str());
    throw;
  }
}

namespace {

// At start, where nothing can be done about a folder that cannot be flushed:
// what reaches the disk is what the next start finds, and it copes with both.
void syncQuietly(const std::string& folder) {
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
}

// Moves a journal that cannot be read or finished aside, replacing an older
// one there (removes it when it cannot be moved); where it went, "" when it is
// gone, or the error.
void setJournalAside(const std::string& folder, FinishedReplacement& finished) {
  const std::string journal = folder + "/" + kReplacementJournal;
  const std::string aside = journal + kDamagedJournalSuffix;
  std::error_code ignored;
  std::filesystem::remove_all(aside, ignored);
  if (::rename(journal.c_str(), aside.c_str()) == 0) {
    finished.setAside = aside;
  } else {
    finished.setAsideError = errno;
    std::error_code removed;
    if (std::filesystem::remove_all(journal, removed) > 0 && !removed) finished.setAsideError = 0;
  }
  syncQuietly(folder);
}

}  // namespace

std::optional<FinishedReplacement> finishInterruptedReplacement(const std::string& folder) {
  const std::string journal = folder + "/" + kReplacementJournal;
  struct stat st {};
  FinishedReplacement finished;
  // Every entry read (as far as readable) and the set to finish (a whole journal).
  std::vector<std::pair<std::string, std::string>> named, set;
  if (::lstat(journal.c_str(), &st) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
    finished.journalError = errno;
  } else if (S_ISDIR(st.st_mode)) {
    finished.journalError = EISDIR;
  } else if (!S_ISREG(st.st_mode)) {
    finished.journalError = EINVAL;
  } else {
    std::string bytes;
    try {
      bytes = readFile(journal);
    } catch (const FileError& e) {
      finished.journalError = e.code().value();
    }
    if (!finished.journalError) {
      Journal read = decodeJournal(bytes);
      finished.label = std::move(read.label);
      named = std::move(read.set);
      for (const auto& entry : named) finished.named.push_back(entry.first);
      if (bytes.empty())
        finished.journalError = ENODATA;
      else if (!read.whole)
        finished.journalError = EBADMSG;
      else
        set = named;
    }
  }

  std::vector<std::string> folders;
  for (const auto& [path, target] : set) {
    const std::string waiting = waitingPath(target);
    struct stat w {
    }, t{};
    int error = 0;
    if (::lstat(waiting.c_str(), &w) == 0) {
      if (!S_ISREG(w.st_mode))
        error = S_ISDIR(w.st_mode) ? EISDIR : EINVAL;
      else if (::rename(waiting.c_str(), target.c_str()) != 0)
        error = errno;
    } else if (::lstat(target.c_str(), &t) != 0) {
      // Neither the new file nor the archive: nothing was put in place.
      error = ENOENT;
    }
    // A new file already put in place no longer waits.
    if (error)
      finished.failed.push_back({path, error});
    else
      finished.paths.push_back(path);
    if (std::find(folders.begin(), folders.end(), folderOf(target)) == folders.end())
      folders.push_back(folderOf(target));
  }
  for (const std::string& f : folders) syncQuietly(f);

  if (finished.journalError || !finished.failed.empty()) {
    // A journal the start cannot use would stop every start: it goes aside,
    // and so do the new files it names, which can no longer be put in place.
    setJournalAside(folder, finished);
    for (const auto& [path, target] : named) {
      const std::string waiting = waitingPath(target);
      struct stat w {};
      if (::lstat(waiting.c_str(), &w) == 0 && S_ISREG(w.st_mode)) ::unlink(waiting.c_str());
    }
    return finished;
  }
  if (::unlink(journal.c_str()) != 0) setJournalAside(folder, finished);
  syncQuietly(folder);
  return finished;
}

bool fileReadable(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

bool folderExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int fileInUse(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return -999;
  // O_NONBLOCK: a FIFO without a reader must not hang the program.
  Fd fd(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd.get() < 0) return -1;
  if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return -1;
  return 0;
}

int removeInterruptedWrites(const std::string& folder) {
  int removed = 0;
  // The new files of a replacement that a journal names are not left over.
  struct stat journal {};
  const bool replacing = ::lstat((folder + "/" + kReplacementJournal).c_str(), &journal) == 0;
  // In `where`, what the writes of every file (`of` empty) or of file `of` left.
  const auto clean = [&removed, replacing](const std::string& where, const std::string& of) {
    DIR* dir = ::opendir(where.c_str());
    if (!dir) return;
    std::vector<std::string> found;
    while (const dirent* e = ::readdir(dir)) {
      std::string file = rewrittenFile(e->d_name);
      if (file.empty() && !replacing) file = waitingFile(e->d_name);
      if (!file.empty() && (of.empty() || file == of)) found.push_back(where + "/" + e->d_name);
    }
    ::closedir(dir);
    for (const std::string& path : found) {
      struct stat st {};
      if (::lstat(path.c_str(), &st) != 0) continue;
      // An empty folder in place of a new file would stop every later
      // restore of that file; one that holds anything is not ours to remove.
      if ((S_ISREG(st.st_mode) && ::unlink(path.c_str()) == 0) ||
          (S_ISDIR(st.st_mode) && !waitingFile(path.substr(path.rfind('/') + 1)).empty() && ::rmdir(path.c_str()) == 0))
        ++removed;
    }
  };
  clean(folder, "");
  // The rewrites of an archive that is a link happen beside the file it points to.
  std::vector<std::string> targets;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (const dirent* e = ::readdir(dir))
      if (isSymlink(folder + "/" + e->d_name)) targets.push_back(finalTarget(folder + "/" + e->d_name));
    ::closedir(dir);
  }
  for (const std::string& t : targets)
    if (folderOf(t) != folder) clean(folderOf(t), t.substr(t.rfind('/') + 1));
  return removed;
}

bool isSymlink(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

}  // namespace platform
