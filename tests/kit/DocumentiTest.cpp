// Documents that the desktop cannot open: one "Quotara" message names them
// and their folder, so the user can open them by hand.
#include "kit/Documenti.h"

#include <filesystem>

#include "support/ShellFixture.h"
#include "kit/Risorse.h"
#include "support/Apritore.h"

namespace shell::testing {
namespace {

using namespace forms;

class DocumentiTest : public ShellTest {};

TEST_F(DocumentiTest, TheMessageNamesTheFilesAndTheirFolder) {
  const struct {
    std::vector<std::string> file;
    std::string testo;
  } casi[] = {
      {{"/tmp/quotara-1000/comunetasi.pdf"},
       "Non è stato trovato un programma per aprire il file \"comunetasi.pdf\".\r\n"
       "Il file si trova nella cartella:\r\n/tmp/quotara-1000\r\n"
       "Apritelo da lì con il programma che preferite."},
      {{"/home/anna/dati/datiF24/f24_2.pdf", "/home/anna/dati/datiF24/f24_1.pdf"},
       "Non è stato trovato un programma per aprire i file \"f24_2.pdf\" e \"f24_1.pdf\".\r\n"
       "I file si trovano nella cartella:\r\n/home/anna/dati/datiF24\r\n"
       "Apriteli da lì con il programma che preferite."},
      {{"/a/uno.pdf", "/b/due.pdf", "/b/tre.pdf"},
       "Non è stato trovato un programma per aprire i file \"/a/uno.pdf\", \"/b/due.pdf\" e \"/b/tre.pdf\".\r\n"
       "Apriteli da lì con il programma che preferite."},
  };
  for (const auto& c : casi) EXPECT_EQ(TestoDocumentoNonAperto(c.file), c.testo);
}

// A file of the private temporary folder is removed when the program closes:
// the message says so, to keep a copy elsewhere.
TEST_F(DocumentiTest, AFileOfTheTemporaryFolderIsSaidToGoAtTheEnd) {
  const std::string cartella = std::filesystem::path(temp("x")).parent_path().string();
  EXPECT_EQ(TestoDocumentoNonAperto({temp("comunetasi.pdf")}),
            "Non è stato trovato un programma per aprire il file \"comunetasi.pdf\".\r\n"
            "Il file si trova nella cartella:\r\n" +
                cartella +
                "\r\n"
                "Apritelo da lì con il programma che preferite.\r\n"
                "Il file verrà eliminato alla chiusura del programma: se vi serve, salvatelo in un'altra cartella.");
  EXPECT_EQ(
      TestoDocumentoNonAperto({temp("a_2.pdf"), temp("a_1.pdf")}),
      "Non è stato trovato un programma per aprire i file \"a_2.pdf\" e \"a_1.pdf\".\r\n"
      "I file si trovano nella cartella:\r\n" +
          cartella +
          "\r\n"
          "Apriteli da lì con il programma che preferite.\r\n"
          "I file verranno eliminati alla chiusura del programma: se vi servono, salvateli in un'altra cartella.");
}

TEST_F(DocumentiTest, FilesOpenedTogetherFailWithOneMessageOnTheEventLoop) {
  desk.setOpening(HeadlessDesktop::Opening::Fail);
  const std::vector<std::string> file{temp("a_2.pdf"), temp("a_1.pdf")};
  ApriDocumenti(file);
  EXPECT_EQ(desk.openedDocuments(), file);
  EXPECT_TRUE(desk.msgBoxes().empty());  // never inside the call
  desk.expectMsgBox(vbOK, {.prompt = TestoDocumentoNonAperto(file), .title = "Quotara", .icon = vbExclamation});
  desk.DoEvents();
  EXPECT_EQ(desk.msgBoxes().size(), 1u);
  desk.DoEvents();
  EXPECT_EQ(desk.msgBoxes().size(), 1u);
}

TEST_F(DocumentiTest, AHelpPageNobodyOpensIsNamedWithItsFolder) {
  for (const std::optional<int> uscita : {std::optional<int>(1), std::optional<int>()}) {
    SCOPED_TRACE(uscita ? "xdg-open exits 1" : "no xdg-open");
    quotara::testing::ApritoreFinto apritore(cartella() / (uscita ? "bin1" : "bin"), uscita);
    desk.setOpening(HeadlessDesktop::Opening::RealOpener);
    ApriRisorsaHtml("tasiguida.htm", 101);
    desk.expectMsgBox(vbOK, {.prompt = TestoDocumentoNonAperto({temp("tasiguida.htm")})});
    desk.waitForOpeners();
    EXPECT_EQ(desk.pendingAnswers(), 0u);
  }
}

TEST_F(DocumentiTest, AnOpenerThatEndsWellSaysNothing) {
  quotara::testing::ApritoreFinto apritore(cartella() / "bin", 0);
  desk.setOpening(HeadlessDesktop::Opening::RealOpener);
  ApriDocumento(temp("quotara.pdf"));
  desk.waitForOpeners();
  EXPECT_TRUE(desk.msgBoxes().empty());
}

}  // namespace
}  // namespace shell::testing
