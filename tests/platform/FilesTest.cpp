#include "platform/Files.h"

#include "platform/Cp1252.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <set>

#include "Scratch.h"
#include "support/Guasti.h"

using namespace platform;
using Lines = std::vector<std::string>;

namespace {

// Runs `write` in a child process whose files cannot grow beyond `limit` bytes;
// true when the write reported the failure with a FileError.
bool failsBeyondFileSize(rlim_t limit, const std::function<void()>& write) {
  const pid_t pid = fork();
  if (pid == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit rl{limit, limit};
    setrlimit(RLIMIT_FSIZE, &rl);
    try {
      write();
    } catch (const FileError&) {
      _exit(0);
    }
    _exit(1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

size_t filesIn(const std::string& dir) {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

}  // namespace

TEST(ReadLines, AcceptsEveryLineEndingAndDecodesWindows1252) {
  const struct {
    const char* name;
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"CR LF", "a;b\r\nc\r\n", {"a;b", "c"}},
      {"LF", "a\nb\n", {"a", "b"}},
      {"CR", "a\rb\r", {"a", "b"}},
      {"mixed", "a\r\nb\nc\rd\r\n", {"a", "b", "c", "d"}},
      {"CR then CR LF", "a\r\r\nb", {"a", "", "b"}},
      {"no final line break", "a\r\nb", {"a", "b"}},
      {"empty lines kept", "a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"only a line break", "\r\n", {""}},
      {"empty file", "", {}},
      {"accented", "CITT\xC0;citt\xE0\r\n\x80 1.234,56\r\n", {"CITTÀ;città", "€ 1.234,56"}},
  };
  const std::string path = scratchFolder("readlines") + "/tasi.dat";
  for (const auto& c : cases) {
    putBytes(path, c.bytes);
    EXPECT_EQ(readLines(path), c.lines) << c.name;
  }
}

TEST(ReadLines, MissingFileIsReportedWithItsPath) {
  const std::string path = scratchFolder("readmissing") + "/tasi.dat";
  try {
    readLines(path);
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), path);
    EXPECT_EQ(e.code(), std::errc::no_such_file_or_directory);
    EXPECT_NE(std::string(e.what()).find("Impossibile leggere il file \"" + path + "\""), std::string::npos);
  }
  EXPECT_THROW(readLines(scratchFolder("readfolder")), FileError);
}

// A text file is decoded piece by piece as it is read: a file of several
// pieces, accented letters and a line break across their boundaries, decodes
// as the whole of its bytes at once, with the stamp of what was read.
TEST(ReadTextFile, DecodesAFileOfManyPiecesAsAWhole) {
  const std::string path = scratchFolder("readtext") + "/tasi.dat";
  for (size_t dimensione : {size_t{0}, size_t{5}, (size_t{1} << 20) - 1, size_t{1} << 20, (size_t{3} << 20) + 7}) {
    std::string bytes;
    for (size_t i = 0; bytes.size() < dimensione; ++i) bytes += i % 3 ? "CITT\xC0;citt\xE0\r\n" : "\x80 1.234,56\r";
    bytes.resize(dimensione);
    putBytes(path, bytes);
    FileStamp letto;
    EXPECT_EQ(readTextFile(path, letto), cp1252ToUtf8(bytes)) << dimensione;
    EXPECT_EQ(letto, fileStamp(path));
    EXPECT_EQ(letto.size, static_cast<long long>(dimensione));
  }
  FileStamp letto;
  EXPECT_THROW(readTextFile(path + ".manca", letto), FileError);
  EXPECT_THROW(readTextFile(scratchFolder("readtextfolder"), letto), FileError);
}

TEST(WriteLinesAtomic, WritesWindows1252WithCrLfAndReplacesTheWholeFile) {
  const std::string dir = scratchFolder("writelines");
  const std::string path = dir + "/tasi.dat";
  putBytes(path, std::string(1000, 'x'));
  chmod(path.c_str(), 0640);

  writeLinesAtomic(path, {"Rossi;VIA ROMA 1;Città", "", "€"});

  EXPECT_EQ(getBytes(path), "Rossi;VIA ROMA 1;Citt\xE0\r\n\r\n\x80\r\n");
  EXPECT_EQ(readLines(path), (Lines{"Rossi;VIA ROMA 1;Città", "", "€"}));
  struct stat st {};
  stat(path.c_str(), &st);
  EXPECT_EQ(st.st_mode & 07777, 0640u) << "the replaced file keeps its permissions";
  EXPECT_EQ(filesIn(dir), 1u) << "no temporary file left";

  writeLinesAtomic(path, {});
  EXPECT_EQ(getBytes(path), "");
}

TEST(WriteLinesAtomic, AFailedWriteLeavesTheOriginalWhole) {
  const std::string dir = scratchFolder("writefail");
  const std::string path = dir + "/tasi.dat";
  const std::string original = "a;b;c\r\nd;e;f\r\n";
  putBytes(path, original);

  EXPECT_TRUE(failsBeyondFileSize(100, [&] { writeLinesAtomic(path, Lines(50, "una riga abbastanza lunga")); }));

  EXPECT_EQ(getBytes(path), original);
  EXPECT_EQ(filesIn(dir), 1u) << "the temporary file is removed";
}

// Root writes into read-only folders: run as root, the check runs as an
// ordinary user.
TEST(WriteLinesAtomic, AReadOnlyFolderIsReportedAndTheOriginalStays) {
  const std::string dir = scratchFolder("readonly");
  const std::string path = dir + "/tasi.dat";
  putBytes(path, "a\r\n");
  EXPECT_EQ(quotara::testing::ComeUtenteQualunque(dir,
                                                  [&]() -> std::string {
                                                    chmod(dir.c_str(), 0500);
                                                    std::string fault = "no error";
                                                    try {
                                                      writeLinesAtomic(path, {"b"});
                                                    } catch (const FileError& e) {
                                                      fault = e.code().value() == EACCES ? "" : e.what();
                                                    }
                                                    chmod(dir.c_str(), 0700);
                                                    return fault;
                                                  }),
            "");
  EXPECT_EQ(getBytes(path), "a\r\n");
  EXPECT_EQ(filesIn(dir), 1u);
}

TEST(WriteLinesAtomic, MissingFolderIsReported) {
  EXPECT_THROW(writeLinesAtomic(scratchFolder("nofolder") + "/manca/tasi.dat", {"a"}), FileError);
}

TEST(AppendLine, EndsTheLastLineFirstWhenItHasNoLineBreak) {
  const struct {
    const char* name;
    const char* before;  // nullptr: no file
    std::string after;
  } cases[] = {
      {"missing file", nullptr, "x;\xE8\r\n"},         {"empty file", "", "x;\xE8\r\n"},
      {"ends with CR LF", "a\r\n", "a\r\nx;\xE8\r\n"}, {"no final line break", "a", "a\r\nx;\xE8\r\n"},
      {"ends with LF", "a\n", "a\nx;\xE8\r\n"},        {"ends with CR", "a\r", "a\rx;\xE8\r\n"},
  };
  const std::string dir = scratchFolder("append");
  for (const auto& c : cases) {
    const std::string path = dir + "/tasicat.dat";
    std::filesystem::remove(path);
    if (c.before) putBytes(path, c.before);
    appendLine(path, "x;è");
    EXPECT_EQ(getBytes(path), c.after) << c.name;
  }
}

TEST(AppendLine, AFailedAppendLeavesTheFileAsItWas) {
  const std::string path = scratchFolder("appendfail") + "/tasi.dat";
  putBytes(path, "a;b");
  EXPECT_TRUE(failsBeyondFileSize(8, [&] { appendLine(path, std::string(100, 'z')); }));
  EXPECT_EQ(getBytes(path), "a;b");
  EXPECT_THROW(appendLine(scratchFolder("appendnofolder") + "/manca/tasi.dat", "a"), FileError);
  // The file an append made for its line goes with the line.
  const std::string nuovo = scratchFolder("appendnew") + "/tasif24.dat";
  EXPECT_TRUE(failsBeyondFileSize(8, [&] { appendLine(nuovo, std::string(100, 'z')); }));
  EXPECT_FALSE(std::filesystem::exists(nuovo));
}

// A file an append creates, and a file removed, reach the disk only with
// their folder: the folder is flushed after the file, before the call
// returns; an append to a file already there needs no folder flush.
TEST(Durability, CreatingAndRemovingAFileFlushTheFolder) {
  const std::string dir = scratchFolder("durevole");
  const std::string path = dir + "/tasi.dat";
  const auto flushes = [&](const std::function<void()>& step) {
    quotara::testing::FlushRegistrati registro;
    step();
    Lines mine;
    for (const std::string& p : registro.Percorsi())
      if (p == dir || p == path) mine.push_back(p == dir ? "folder" : "file");
    return mine;
  };
  EXPECT_EQ(flushes([&] { appendLine(path, "primo"); }), (Lines{"file", "folder"}));
  EXPECT_EQ(flushes([&] { appendLine(path, "secondo"); }), Lines{"file"});
  EXPECT_EQ(getBytes(path), "primo\r\nsecondo\r\n");
  EXPECT_EQ(flushes([&] { removeFileDurably(path); }), Lines{"folder"});
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_NO_THROW(removeFileDurably(path)) << "a missing file is no error";
  std::filesystem::create_directories(path + "/dentro");
  EXPECT_THROW(removeFileDurably(path), FileError);
}

// What a power cut can leave at the end of an appended file: NUL bytes, cut;
// text stays as it is.
TEST(TrimTrailingNuls, CutsOnlyTheNulTail) {
  const std::string dir = scratchFolder("nul");
  const struct {
    const char* name;
    std::string before, after;
  } cases[] = {
      {"no tail", "a;b\r\n", "a;b\r\n"},
      {"a block of NULs", "a;b\r\n" + std::string(4096, '\0'), "a;b\r\n"},
      {"NULs beyond one read", "a;b\r\n" + std::string(200000, '\0'), "a;b\r\n"},
      {"a torn line", "a;b\r\nc;" + std::string(3, '\0'), "a;b\r\nc;"},
      {"a NUL inside stays", std::string("a\0b\r\n", 5) + '\0', std::string("a\0b\r\n", 5)},
      {"only NULs", std::string(10, '\0'), ""},
      {"empty", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    putBytes(dir + "/tasi.dat", c.before);
    EXPECT_EQ(trimTrailingNuls(dir + "/tasi.dat"), static_cast<long long>(c.before.size() - c.after.size()));
    EXPECT_EQ(getBytes(dir + "/tasi.dat"), c.after);
  }
}

TEST(BinaryFiles, RoundTripAndCopyByteForByte) {
  const std::string dir = scratchFolder("binary");
  std::string bytes;
  for (int i = 0; i < 70000; ++i) bytes += static_cast<char>(i * 7);
  writeFileAtomic(dir + "/f24tasi.pdf", bytes);
  EXPECT_EQ(readFile(dir + "/f24tasi.pdf"), bytes);

  putBytes(dir + "/copia.pdf", std::string(200000, 'x'));
  copyFile(dir + "/f24tasi.pdf", dir + "/copia.pdf");
  EXPECT_EQ(getBytes(dir + "/copia.pdf"), bytes);
  EXPECT_THROW(copyFile(dir + "/manca.pdf", dir + "/copia.pdf"), FileError);
  EXPECT_EQ(getBytes(dir + "/copia.pdf"), bytes);
}

TEST(FileTests, ReadableFolderAndInUse) {
  const std::string dir = scratchFolder("tests");
  putBytes(dir + "/file.pdf", "x");
  mkfifo((dir + "/fifo").c_str(), 0600);
  symlink("file.pdf", (dir + "/link.pdf").c_str());
  symlink("manca.pdf", (dir + "/broken.pdf").c_str());

  const struct {
    const char* name;
    bool readable;
    bool folder;
    int inUse;
  } cases[] = {
      {"file.pdf", true, false, 0},       {"link.pdf", true, false, 0}, {"manca.pdf", false, false, -999},
      {"broken.pdf", false, false, -999}, {"", false, true, -1},        {"fifo", false, false, -1},
  };
  for (const auto& c : cases) {
    const std::string path = dir + "/" + c.name;
    EXPECT_EQ(fileReadable(path), c.readable) << c.name;
    EXPECT_EQ(folderExists(path), c.folder) << c.name;
    EXPECT_EQ(fileInUse(path), c.inUse) << c.name;
  }
}

TEST(FileTests, AFileLockedByAnotherProgramIsInUse) {
  const std::string path = scratchFolder("locked") + "/quotara.pdf";
  putBytes(path, "x");
  const int fd = open(path.c_str(), O_RDONLY);
  ASSERT_EQ(flock(fd, LOCK_EX), 0);
  EXPECT_EQ(fileInUse(path), -1);
  close(fd);
  EXPECT_EQ(fileInUse(path), 0);
}

// Root opens read-only files for writing: run as root, the check runs as an
// ordinary user.
TEST(FileTests, AReadOnlyFileIsInUse) {
  const std::string dir = scratchFolder("readonlyfile");
  const std::string path = dir + "/quotara.pdf";
  putBytes(path, "x");
  EXPECT_EQ(quotara::testing::ComeUtenteQualunque(dir,
                                                  [&]() -> std::string {
                                                    chmod(path.c_str(), 0400);
                                                    if (fileInUse(path) != -1) return "a read-only file is free";
                                                    if (!fileReadable(path)) return "a read-only file is unreadable";
                                                    return "";
                                                  }),
            "");
}

// A named pipe or a device is never read (the open does not wait for a
// writer) and is refused.
TEST(ReadFile, OnlyARegularFileIsRead) {
  const std::string dir = scratchFolder("fifo");
  ASSERT_EQ(mkfifo((dir + "/imucat.dat").c_str(), 0600), 0);
  const struct {
    std::string path;
    int error;
  } cases[] = {{dir + "/imucat.dat", EINVAL}, {"/dev/zero", EINVAL}, {dir, EISDIR}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      readFile(c.path);
      ADD_FAILURE() << "read";
    } catch (const FileError& e) {
      EXPECT_EQ(e.code().value(), c.error);
    }
    EXPECT_FALSE(fileReadable(c.path));
  }
}

TEST(RemoveFile, ReportsWhetherTheFileWent) {
  const std::string path = scratchFolder("remove") + "/a.pdf";
  putBytes(path, "x");
  EXPECT_TRUE(removeFile(path));
  EXPECT_FALSE(removeFile(path));
}

// A rewrite through a symbolic link replaces the file it points to; the link stays.
TEST(WriteLinesAtomic, ASymbolicLinkStaysALink) {
  const std::string dir = scratchFolder("link");
  std::filesystem::create_directories(dir + "/altrove");
  putBytes(dir + "/altrove/vero.dat", "a\r\n");
  std::filesystem::create_symlink("altrove/vero.dat", dir + "/tasi.dat");
  writeLinesAtomic(dir + "/tasi.dat", {"b", "c"});
  EXPECT_TRUE(std::filesystem::is_symlink(dir + "/tasi.dat"));
  EXPECT_EQ(getBytes(dir + "/altrove/vero.dat"), "b\r\nc\r\n");
  appendLine(dir + "/tasi.dat", "d");
  EXPECT_TRUE(std::filesystem::is_symlink(dir + "/tasi.dat"));
  EXPECT_EQ(getBytes(dir + "/altrove/vero.dat"), "b\r\nc\r\nd\r\n");
  // No temporary file is left beside the link or the file.
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir))
    EXPECT_NE(e.path().filename().string().front(), '.') << e.path();
}

// What rewrites and replacements interrupted by a kill leave behind goes at
// the next start (the new copies of a replacement when no journal names them);
// nothing else does.
TEST(RemoveInterruptedWrites, RemovesOnlyWhatInterruptedWritesLeft) {
  const std::string dir = scratchFolder("interrotte");
  std::filesystem::create_directories(dir + "/dati");
  std::filesystem::create_directories(dir + "/altrove");
  const struct {
    const char* file;
    bool removed;
  } files[] = {
      {"dati/.tasi.dat.1234-1.tmp", true},
      {"dati/.tasicat.dat.99-12.tmp", true},
      {"dati/.a.b.dat.7-3.tmp", true},
      {"dati/tasi.dat", false},
      {"dati/.tasi.dat.tmp", false},
      {"dati/.tasi.dat.12-x.tmp", false},
      {"dati/tasi.dat.1-1.tmp", false},
      {"dati/.tasi.dat.1-1.tmp.bak", false},
      {"altrove/.vero.dat.5-1.tmp", true},
      {"altrove/.altro.dat.5-1.tmp", false},
      {"altrove/vero.dat", false},
      {"dati/.tasi.dat.nuovo", true},
      {"dati/.tasif24.dat.nuovo", true},
      {"dati/tasi.dat.nuovo", false},
      {"dati/.nuovo", false},
      {"dati/.tasi.dat.nuovo.bak", false},
      {"altrove/.vero.dat.nuovo", true},
      {"altrove/.altro.dat.nuovo", false},
  };
  for (const auto& f : files) putBytes(dir + "/" + f.file, "x");
  std::filesystem::create_symlink("../altrove/vero.dat", dir + "/dati/tasif24.dat");
  EXPECT_EQ(removeInterruptedWrites(dir + "/dati"), 7);
  for (const auto& f : files) EXPECT_EQ(std::filesystem::exists(dir + "/" + f.file), !f.removed) << f.file;
  EXPECT_TRUE(std::filesystem::is_symlink(dir + "/dati/tasif24.dat"));
}

namespace {

// Every entry under `dir` (hidden ones included), as paths relative to it.
std::set<std::string> entriesUnder(const std::string& dir) {
  std::set<std::string> all;
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir))
    all.insert(e.path().lexically_relative(dir).string());
  return all;
}

}  // namespace

// A set of files replaced together: links stay links, permissions stay, and
// neither the new copies nor the journal are left behind.
TEST(ReplaceFiles, PutsTheWholeSetInPlaceKeepingLinksAndPermissions) {
  const std::string dir = scratchFolder("insieme");
  std::filesystem::create_directories(dir + "/dati");
  std::filesystem::create_directories(dir + "/condivisa");
  putBytes(dir + "/dati/tasi.dat", "vecchio 1\r\n");
  ::chmod((dir + "/dati/tasi.dat").c_str(), 0640);
  putBytes(dir + "/condivisa/catasto.dat", "vecchio 2\r\n");
  std::filesystem::create_symlink("../condivisa/catasto.dat", dir + "/dati/tasicat.dat");

  for (const std::string& journal : {dir + "/dati", std::string()}) {
    SCOPED_TRACE(journal.empty() ? "without a journal" : "with a journal");
    std::vector<std::string> done;
    const std::vector<NewFile> files{{dir + "/dati/tasi.dat", "nuovo 1" + journal + "\r\n"},
                                     {dir + "/dati/tasicat.dat", "nuovo 2" + journal + "\r\n"},
                                     {dir + "/dati/tasif24.dat", "nuovo 3" + journal + "\r\n"}};
    replaceFiles(files, journal, "ripristino", done);
    EXPECT_EQ(done, (Lines{files[0].path, files[1].path, files[2].path}));
    for (const auto& f : files) EXPECT_EQ(getBytes(f.path), f.bytes) << f.path;
    EXPECT_TRUE(isSymlink(dir + "/dati/tasicat.dat"));
    EXPECT_EQ(getBytes(dir + "/condivisa/catasto.dat"), files[1].bytes);
    struct stat st {};
    ASSERT_EQ(::stat((dir + "/dati/tasi.dat").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(entriesUnder(dir), (std::set<std::string>{"dati", "condivisa", "dati/tasi.dat", "dati/tasicat.dat",
                                                        "dati/tasif24.dat", "condivisa/catasto.dat"}));
  }
}

// A set that cannot be written whole leaves every file as it was, with no new
// copy and no journal left; a folder in place of a target stops it first.
TEST(ReplaceFiles, AFailureBeforeThePutInPlaceChangesNothing) {
  const std::string dir = scratchFolder("fallita");
  putBytes(dir + "/a.dat", "vecchio a");
  putBytes(dir + "/b.dat", "vecchio b");
  std::filesystem::create_directories(dir + "/c.dat");
  std::vector<std::string> done;
  try {
    replaceFiles({{dir + "/a.dat", "nuovo"}, {dir + "/b.dat", "nuovo"}, {dir + "/c.dat", "nuovo"}}, dir, "x", done);
    ADD_FAILURE() << "a folder was replaced";
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), dir + "/c.dat");
    EXPECT_EQ(e.code().value(), EISDIR);
  }
  std::filesystem::remove(dir + "/c.dat");
  EXPECT_TRUE(failsBeyondFileSize(4096, [&] {
    replaceFiles({{dir + "/a.dat", "nuovo"}, {dir + "/b.dat", std::string(8192, 'x')}}, dir, "x", done);
  }));
  EXPECT_TRUE(done.empty());
  EXPECT_EQ(getBytes(dir + "/a.dat"), "vecchio a");
  EXPECT_EQ(getBytes(dir + "/b.dat"), "vecchio b");
  EXPECT_EQ(entriesUnder(dir), (std::set<std::string>{"a.dat", "b.dat"}));
}

// A rename that fails after the first file is in place: the journal and the
// files still waiting stay, so the next start finishes the set.
TEST(ReplaceFiles, ARenameFailureAfterTheFirstFileLeavesTheRestToTheNextStart) {
  const std::string dir = scratchFolder("rinomina");
  putBytes(dir + "/a.dat", "vecchio a");
  putBytes(dir + "/b.dat", "vecchio b");
  putBytes(dir + "/c.dat", "vecchio c");
  std::vector<std::string> done;
  {
    quotara::testing::RinominaImpossibile guasto("/b.dat", EIO);
    try {
      replaceFiles({{dir + "/a.dat", "nuovo a"}, {dir + "/b.dat", "nuovo b"}, {dir + "/c.dat", "nuovo c"}}, dir,
                   "ripristino", done);
      ADD_FAILURE() << "no failure reported";
    } catch (const FileError& e) {
      EXPECT_EQ(e.path(), dir + "/b.dat");
      EXPECT_EQ(e.code().value(), EIO);
    }
  }
  EXPECT_EQ(done, Lines{dir + "/a.dat"});
  EXPECT_EQ(getBytes(dir + "/a.dat"), "nuovo a");
  EXPECT_EQ(getBytes(dir + "/b.dat"), "vecchio b");
  EXPECT_TRUE(std::filesystem::exists(dir + "/" + kReplacementJournal));
  EXPECT_EQ(removeInterruptedWrites(dir), 0) << "what waits is the journal's";

  const auto finished = finishInterruptedReplacement(dir);
  ASSERT_TRUE(finished);
  EXPECT_EQ(finished->paths, (Lines{dir + "/a.dat", dir + "/b.dat", dir + "/c.dat"}));
  EXPECT_TRUE(finished->failed.empty());
  for (const char* f : {"a", "b", "c"}) EXPECT_EQ(getBytes(dir + "/" + f + ".dat"), std::string("nuovo ") + f);
  EXPECT_EQ(entriesUnder(dir), (std::set<std::string>{"a.dat", "b.dat", "c.dat"}));

  // Without a journal (a backup) nothing is left waiting.
  {
    quotara::testing::RinominaImpossibile guasto("/b.dat", EIO);
    done.clear();
    EXPECT_THROW(replaceFiles({{dir + "/a.dat", "x"}, {dir + "/b.dat", "y"}}, "", "", done), FileError);
  }
  EXPECT_EQ(done, Lines{dir + "/a.dat"});
  EXPECT_EQ(entriesUnder(dir), (std::set<std::string>{"a.dat", "b.dat", "c.dat"}));
}

// Two paths of the set that are one file are refused before anything is written.
TEST(ReplaceFiles, TwoPathsToOneFileAreRefused) {
  const std::string dir = scratchFolder("stesso");
  std::filesystem::create_directories(dir + "/altra");
  putBytes(dir + "/a.dat", "vecchio");
  std::filesystem::create_symlink("a.dat", dir + "/link.dat");
  std::filesystem::create_hard_link(dir + "/a.dat", dir + "/altra/duro.dat");
  const struct {
    const char* name;
    std::string second;
  } cases[] = {
      {"a link to it", dir + "/link.dat"},
      {"a hard link", dir + "/altra/duro.dat"},
      {"another spelling", dir + "/altra/../a.dat"},
      {"a missing file twice", dir + "/altra/../manca.dat"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string first = c.second.ends_with("manca.dat") ? dir + "/manca.dat" : dir + "/a.dat";
    std::vector<std::string> done;
    try {
      replaceFiles({{first, "uno"}, {c.second, "due"}}, dir, "ripristino", done);
      ADD_FAILURE() << "accepted";
    } catch (const FileError& e) {
      EXPECT_EQ(e.path(), c.second);
      EXPECT_EQ(std::string(e.what()),
                "Impossibile scrivere il file \"" + c.second + "\": è lo stesso file di \"" + first + "\"");
    }
    EXPECT_TRUE(done.empty());
    EXPECT_EQ(getBytes(dir + "/a.dat"), "vecchio");
    EXPECT_EQ(entriesUnder(dir), (std::set<std::string>{"a.dat", "link.dat", "altra", "altra/duro.dat"}));
  }
}

// A start finds the journal of a replacement stopped after its new files were
// written, wherever it stopped, and puts in place every file still waiting.
TEST(FinishInterruptedReplacement, PutsInPlaceWhatStillWaitsAndRemovesTheJournal) {
  const struct {
    const char* stage;
    int placed;  // files already put in place when the program stopped
  } stages[] = {{"nothing put in place", 0}, {"one put in place", 1}, {"all put in place", 3}};
  for (const auto& s : stages) {
    SCOPED_TRACE(s.stage);
    const std::string dir = scratchFolder("ripresa");
    std::filesystem::create_directories(dir + "/dati");
    std::filesystem::create_directories(dir + "/condivisa");
    const std::string dati = dir + "/dati";
    putBytes(dati + "/tasi.dat", "vecchio 1");
    putBytes(dir + "/condivisa/catasto.dat", "vecchio 2");
    std::filesystem::create_symlink("../condivisa/catasto.dat", dati + "/tasicat.dat");
    // The state a replacement leaves once its journal is written.
    const std::string waiting[] = {dati + "/.tasi.dat.nuovo", dir + "/condivisa/.catasto.dat.nuovo",
                                   dati + "/.tasif24.dat.nuovo"};
    const std::string targets[] = {dati + "/tasi.dat", dir + "/condivisa/catasto.dat", dati + "/tasif24.dat"};
    for (int i = 0; i < 3; ++i) putBytes(i < s.placed ? targets[i] : waiting[i], "nuovo " + std::to_string(i + 1));
    std::string journal = std::string("ripristino") + '\0';
    for (int i = 0; i < 3; ++i) {
      const std::string name = std::string(i == 0 ? "tasi" : i == 1 ? "tasicat" : "tasif24") + ".dat";
      journal += dati + "/" + name + '\0' + targets[i] + '\0';
    }
    putBytes(dati + "/" + kReplacementJournal, journal);
    putBytes(dati + "/.tasi.dat.77-1.tmp", "avanzo");
    EXPECT_EQ(removeInterruptedWrites(dati), 1) << "the journal's files are kept";

    const auto finished = finishInterruptedReplacement(dati);
    ASSERT_TRUE(finished);
    EXPECT_EQ(finished->label, "ripristino");
    EXPECT_EQ(finished->paths, (Lines{dati + "/tasi.dat", dati + "/tasicat.dat", dati + "/tasif24.dat"}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(getBytes(targets[i]), "nuovo " + std::to_string(i + 1));
    EXPECT_TRUE(isSymlink(dati + "/tasicat.dat"));
    EXPECT_EQ(entriesUnder(dir), (std::set<std::string>{"dati", "condivisa", "dati/tasi.dat", "dati/tasicat.dat",
                                                        "dati/tasif24.dat", "condivisa/catasto.dat"}));
    EXPECT_FALSE(finishInterruptedReplacement(dati));
  }
}

// A journal the start cannot use never stops a start again: it is moved
// aside (an older one there replaced), and what it says as far as it can be
// read is given back.
TEST(FinishInterruptedReplacement, ADamagedJournalIsReportedAndSetAside) {
  const std::string dir = scratchFolder("giornale");
  const std::string journal = dir + "/" + kReplacementJournal;
  const std::string aside = journal + kDamagedJournalSuffix;
  const struct {
    std::string bytes;
    int error;
    Lines named;
  } damaged[] = {
      {"", ENODATA, {}},
      {"ripristino", EBADMSG, {}},
      {std::string("ripristino") + '\0', EBADMSG, {}},
      {std::string("ripristino") + '\0' + dir + "/tasi.dat" + '\0', EBADMSG, {}},
      {std::string("ripristino") + '\0' + dir + "/tasi.dat" + '\0' + dir + "/tasi.dat", EBADMSG, {}},
      {std::string("ripristino") + '\0' + dir + "/tasi.dat" + '\0' + dir + "/tasi.dat" + '\0' + "tasicat.dat" + '\0' +
           "x" + '\0',
       EBADMSG,
       {dir + "/tasi.dat"}},
  };
  for (const auto& d : damaged) {
    SCOPED_TRACE(d.bytes);
    putBytes(aside, "older");
    putBytes(journal, d.bytes);
    putBytes(dir + "/tasi.dat", "vecchio");
    putBytes(dir + "/.tasi.dat.nuovo", "nuovo");
    const auto finished = finishInterruptedReplacement(dir);
    ASSERT_TRUE(finished);
    EXPECT_EQ(finished->journalError, d.error);
    EXPECT_EQ(finished->label, d.bytes.starts_with("ripristino") ? "ripristino" : "");
    EXPECT_EQ(finished->named, d.named);
    EXPECT_TRUE(finished->paths.empty());
    EXPECT_EQ(finished->setAside, aside);
    EXPECT_EQ(getBytes(aside), d.bytes);
    EXPECT_FALSE(std::filesystem::exists(journal));
    EXPECT_EQ(getBytes(dir + "/tasi.dat"), "vecchio");
    EXPECT_EQ(std::filesystem::exists(dir + "/.tasi.dat.nuovo"), d.named.empty()) << "left to removeInterruptedWrites";
    EXPECT_FALSE(finishInterruptedReplacement(dir));
  }
  // A folder in its place goes aside as well.
  std::filesystem::create_directories(journal + "/x");
  const auto finished = finishInterruptedReplacement(dir);
  ASSERT_TRUE(finished);
  EXPECT_EQ(finished->journalError, EISDIR);
  EXPECT_TRUE(std::filesystem::is_directory(aside));
  EXPECT_FALSE(std::filesystem::exists(journal));
  EXPECT_FALSE(finishInterruptedReplacement(dir));
}

// A set is finished only with every file of it in place: a folder in place of
// a new file, or neither the new file nor the file, is said and the old file
// kept; the journal goes aside.
TEST(FinishInterruptedReplacement, AFileThatCannotBePutInPlaceIsSaidAndKept) {
  const std::string dir = scratchFolder("nonalposto");
  const std::string journal = dir + "/" + kReplacementJournal;
  putBytes(dir + "/a.dat", "vecchio a");
  putBytes(dir + "/.a.dat.nuovo", "nuovo a");
  putBytes(dir + "/b.dat", "vecchio b");
  std::filesystem::create_directories(dir + "/.b.dat.nuovo");
  std::string bytes = std::string("importazione") + '\0';
  for (const char* f : {"a.dat", "b.dat", "c.dat"}) bytes += dir + "/" + f + '\0' + dir + "/" + f + '\0';
  putBytes(journal, bytes);
  const auto finished = finishInterruptedReplacement(dir);
  ASSERT_TRUE(finished);
  EXPECT_EQ(finished->journalError, 0);
  EXPECT_EQ(finished->label, "importazione");
  EXPECT_EQ(finished->paths, Lines{dir + "/a.dat"});
  ASSERT_EQ(finished->failed.size(), 2u);
  EXPECT_EQ(finished->failed[0].path, dir + "/b.dat");
  EXPECT_EQ(finished->failed[0].error, EISDIR);
  EXPECT_EQ(finished->failed[1].path, dir + "/c.dat");
  EXPECT_EQ(finished->failed[1].error, ENOENT);
  EXPECT_EQ(getBytes(dir + "/a.dat"), "nuovo a");
  EXPECT_EQ(getBytes(dir + "/b.dat"), "vecchio b");
  EXPECT_FALSE(std::filesystem::exists(journal));
  EXPECT_EQ(getBytes(journal + kDamagedJournalSuffix), bytes);
  EXPECT_FALSE(finishInterruptedReplacement(dir));
}
