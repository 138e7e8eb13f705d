// The frame of the reports: header, footer line, page numbers and page count,
// the file in the temporary folder, its opening, and a report that cannot be
// written (the report gives the reason; the window that asked shows it).
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "ReportsFixture.h"
#include "reports/Rapporto.h"
#include "reports/Stampe.h"
#include "calculation/MainForm.h"

namespace reports::testing {
namespace {

using namespace forms;
namespace fs = std::filesystem;

class Cornice : public ReportsTest {
 protected:
  // A report of `pagine` numbered pages, each with one line of its own.
  bool stampa(int pagine) {
    return MostraStampa(StampaRapporto(modello, desk.now(), [pagine](Rapporto& r) {
      for (int i = 1; i <= pagine; ++i) {
        r.NuovaPagina("Elenco di prova");
        r.pdf().DrawText(1.5f, 20, "riga " + std::to_string(i), "Fnt1", 10);
        r.FinePagina();
      }
    }));
  }

  ModelloRapporto modello{.NomeFile = "prova.pdf",
                          .TitoloDocumento = "Archivio immobili TASI",
                          .Fnt4Arial = true,
                          .YTitolo = 27.7f,
                          .YRiga = 27,
                          .NumeriPagina = true};
};

TEST_F(Cornice, EveryPageShowsItsNumberAndTheCountOfAllPages) {
  ASSERT_TRUE(stampa(12));
  const std::string file = temp("prova.pdf");
  EXPECT_EQ(ControllaPdf(file), "");
  for (int pagina : {1, 2, 12}) {
    SCOPED_TRACE(pagina);
    const auto parole = Parole(file, pagina);
    EXPECT_TRUE(TestoIn(parole, "pag. " + std::to_string(pagina), 19, 1, true));
    EXPECT_TRUE(TestoIn(parole, "di 12", 19.1, 1));
    EXPECT_TRUE(TestoIn(parole, "Stampato con Quotara - 2026", 1.5, 1));
    EXPECT_TRUE(TestoIn(parole, "Elenco di prova", 1.5, 27.7));
    EXPECT_TRUE(TestoIn(parole, "riga " + std::to_string(pagina), 1.5, 20));
    EXPECT_FALSE(ParolaPresente(parole, "dicembre"));  // no date in this header
  }
  EXPECT_EQ(desk.openedDocuments(), std::vector<std::string>{file});
}

TEST_F(Cornice, PrintingAgainReplacesTheFile) {
  ASSERT_TRUE(stampa(12));
  ASSERT_TRUE(stampa(1));
  const std::string file = temp("prova.pdf");
  EXPECT_EQ(ControllaPdf(file), "");
  EXPECT_EQ(TestoPagina(file, 2).find("riga"), std::string::npos);
  const auto parole = Parole(file);
  EXPECT_TRUE(TestoIn(parole, "pag. 1", 19, 1, true));
  EXPECT_TRUE(TestoIn(parole, "di 1", 19.1, 1));
  EXPECT_EQ(desk.openedDocuments().size(), 2u);
}

TEST_F(Cornice, AFileThatCannotBeCreatedIsReportedAndNothingIsOpened) {
  fs::create_directory(temp("prova.pdf"));  // a folder where the file should go
  desk.expectMsgBox(vbOK);
  EXPECT_FALSE(stampa(1));
  ASSERT_EQ(desk.msgBoxes().size(), 1u);
  const auto& m = desk.msgBoxes()[0];
  EXPECT_EQ(m.title, "Quotara");
  EXPECT_EQ(m.icon, vbExclamation);
  EXPECT_EQ(m.prompt.rfind("Impossibile stampare \"prova.pdf\":\r\n", 0), 0u) << m.prompt;
  EXPECT_NE(m.prompt.find(temp("prova.pdf")), std::string::npos) << m.prompt;
  EXPECT_TRUE(fs::is_directory(temp("prova.pdf")));
  EXPECT_TRUE(desk.openedDocuments().empty());
}

TEST_F(Cornice, AFailureWhileWritingRemovesTheHalfWrittenFile) {
  std::ofstream(temp("prova.pdf")) << "copia precedente";
  desk.expectMsgBox(vbOK, {.title = "Quotara", .icon = vbExclamation});
  const bool riuscito = MostraStampa(StampaRapporto(modello, desk.now(), [](Rapporto& r) {
    r.NuovaPagina("Elenco di prova");
    throw std::runtime_error("disco pieno");
  }));
  EXPECT_FALSE(riuscito);
  ASSERT_EQ(desk.msgBoxes().size(), 1u);
  EXPECT_EQ(desk.msgBoxes()[0].prompt, "Impossibile stampare \"prova.pdf\":\r\ndisco pieno");
  EXPECT_FALSE(fs::exists(temp("prova.pdf")));
  EXPECT_TRUE(desk.openedDocuments().empty());
}

TEST_F(Cornice, TheCalculationReportThatCannotBeWrittenLeavesNoFile) {
  fs::create_directory(temp("quotara.pdf"));
  desk.expectMsgBox(vbOK);
  MostraStampa(StampaCalcoloPdf(application.form<calculation::MainForm>().Scheda(), desk.now()));
  ASSERT_EQ(desk.msgBoxes().size(), 1u);
  EXPECT_EQ(desk.msgBoxes()[0].prompt.rfind("Impossibile stampare \"quotara.pdf\":", 0), 0u);
  EXPECT_FALSE(fs::is_regular_file(temp("quotara.pdf")));
  EXPECT_TRUE(desk.openedDocuments().empty());
}

// The report itself shows nothing and opens nothing: it gives the file it
// wrote, or the message for the user.
TEST_F(Cornice, TheReportGivesItsFileOrItsReasonAndShowsNothing) {
  const EsitoStampa scritto = StampaRapporto(modello, desk.now(), [](Rapporto& r) {
    r.NuovaPagina("Elenco di prova");
    r.FinePagina();
  });
  EXPECT_TRUE(scritto.Riuscita());
  EXPECT_EQ(scritto.Percorso, temp("prova.pdf"));
  EXPECT_EQ(ControllaPdf(scritto.Percorso), "");

  const EsitoStampa fallito = StampaRapporto(modello, desk.now(), [](Rapporto& r) {
    r.NuovaPagina("Elenco di prova");
    throw std::runtime_error("disco pieno");
  });
  EXPECT_FALSE(fallito.Riuscita());
  EXPECT_EQ(fallito.Errore, "Impossibile stampare \"prova.pdf\":\r\ndisco pieno");
  EXPECT_FALSE(fs::exists(temp("prova.pdf")));
  EXPECT_TRUE(desk.msgBoxes().empty());
  EXPECT_TRUE(desk.openedDocuments().empty());
}

}  // namespace
}  // namespace reports::testing
