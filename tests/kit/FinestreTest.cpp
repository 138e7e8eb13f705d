// The dialogs through the desktop, the maximise flag and the file tests.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "forms/Forms.h"
#include "kit/Finestre.h"
#include "support/ShellFixture.h"

namespace shell::testing {
namespace {

using namespace forms;
namespace fs = std::filesystem;

const char* const kInUso =
    "Il file \xC3\xA8 gi\xC3\xA0 aperto e in uso.\r\nChiudere il file aperto e rilanciare la stampa.";

class FinestreTest : public ShellTest {};

// The hourglass comes down however the step ends, and a step inside
// another gives the outer one its hourglass back.
TEST_F(FinestreTest, TheHourglassComesDownEvenWhenTheStepThrows) {
  EXPECT_THROW(
      {
        Clessidra clessidra;
        EXPECT_EQ(desk.mousePointer(), vbHourglass);
        throw std::runtime_error("apertura non riuscita");
      },
      std::runtime_error);
  EXPECT_EQ(desk.mousePointer(), vbDefault);
  {
    Clessidra esterna;
    { Clessidra interna; }
    EXPECT_EQ(desk.mousePointer(), vbHourglass);
  }
  EXPECT_EQ(desk.pointerChanges(),
            (std::vector<int>{vbHourglass, vbDefault, vbHourglass, vbHourglass, vbHourglass, vbDefault}));
}

TEST_F(FinestreTest, TogliBarraRemovesOneTrailingSlash) {
  const std::pair<const char*, const char*> casi[] = {{"/home/anna/backup/", "/home/anna/backup"},
                                                      {"/home/anna/backup", "/home/anna/backup"},
                                                      {"/", ""},
                                                      {"", ""},
                                                      {"/a//", "/a/"}};
  for (const auto& [dato, atteso] : casi) EXPECT_EQ(TogliBarra(dato), atteso) << dato;
}

TEST_F(FinestreTest, TheDialogsGiveTheChoiceOrEmptyWhenCancelled) {
  desk.expectFolder("/media/chiavetta");
  desk.expectFolder(std::nullopt);
  EXPECT_EQ(SfogliaCartella("Scegli la cartella"), "/media/chiavetta");
  EXPECT_EQ(SfogliaCartella("Scegli la cartella"), "");
  desk.expectOpenFile("/home/anna/imucat.dat");
  desk.expectOpenFile(std::nullopt);
  EXPECT_EQ(DialogoFile("Importa", "Archivio (imucat.dat)|imucat.dat", "/home/anna"), "/home/anna/imucat.dat");
  EXPECT_EQ(DialogoFile("Importa", "Archivio (imucat.dat)|imucat.dat", "/home/anna"), "");
}

TEST_F(FinestreTest, EnableMaxButtonSwitchesTheWindowsFlag) {
  Form f;
  EXPECT_TRUE(f.MaxButton());
  EnableMaxButton(f, false);
  EXPECT_FALSE(f.MaxButton());
  EnableMaxButton(f, true);
  EXPECT_TRUE(f.MaxButton());
}

TEST_F(FinestreTest, FileTestsOfMissingFreeAndHeldFiles) {
  const std::string libero = temp("libero.pdf"), tenuto = temp("tenuto.pdf"), manca = temp("manca.pdf");
  std::ofstream(libero) << "x";
  std::ofstream(tenuto) << "x";
  const int fd = ::open(tenuto.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);

  EXPECT_EQ(FileBloccato(manca), -999);
  EXPECT_EQ(FileBloccato(libero), 0);
  EXPECT_EQ(FileBloccato(tenuto), -1);
  EXPECT_FALSE(FileEsiste(manca));
  EXPECT_TRUE(FileEsiste(libero));
  EXPECT_TRUE(FileEsiste((base / "temp").string()));

  EXPECT_FALSE(FileAperto(manca));
  EXPECT_FALSE(FileAperto(libero));
  desk.expectMsgBox(vbOK, {.prompt = kInUso, .title = "Quotara", .buttons = vbOKOnly, .icon = vbInformation});
  EXPECT_TRUE(FileAperto(tenuto));
  EXPECT_EQ(desk.msgBoxes().size(), 1u);
  ::close(fd);
}

TEST_F(FinestreTest, AFolderCannotBeRewrittenAsAFile) { EXPECT_EQ(FileBloccato((base / "temp").string()), -1); }

}  // namespace
}  // namespace shell::testing
