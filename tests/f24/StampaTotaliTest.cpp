// "Stampa" on the totals page, from the frame's toolbar command: the list
// tested first, the question, the report's file held by another program,
// and the variant chosen by "Soluzione unica".
#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

#include "support/CasiTotali.h"
#include "VerificaFixture.h"
#include "frame/Principale.h"
#include "support/Pdf.h"

namespace f24::testing {
namespace {

using namespace forms;
using quotara::testing::ControllaPdf;
using quotara::testing::NumeroPagine;
using quotara::testing::ParolaPresente;
using quotara::testing::Parole;

const char* const kDomanda = "Vuoi stampare il Quotara per il contribuente ed il comune selezionato?";

class StampaTotali : public VerificaTest {
 protected:
  StampaTotali() {
    quotara::testing::ScriviRighe(
        dati("tasi.dat"),
        Righe(Riga{.imposta = "40,00", .acconto = "20,00", .saldo = "20,00"}, Riga{.indirizzo = "VIA PO 2",
                                                                                   .tipologia = "0",
                                                                                   .principale = "1",
                                                                                   .imposta = "60,00",
                                                                                   .acconto = "30,00",
                                                                                   .saldo = "30,00"}));
    // The page as the toolbar opens it.
    cornice().EseguiComando(shell::Principale::Totali);
  }

  shell::Principale& cornice() { return application.form<shell::Principale>(); }
  void stampa() { cornice().EseguiComando(shell::Principale::Stampa); }
  std::string file() const { return temp("comunetasi.pdf"); }
};

TEST_F(StampaTotali, TheToolbarOpensThePageAndSwitchingPageClosesIt) {
  EXPECT_TRUE(pagina().isLoaded());
  EXPECT_TRUE(pagina().Visible());
  EXPECT_EQ(application.PaginaAttiva, 2);
  cornice().EseguiComando(shell::Principale::Quotara);
  EXPECT_FALSE(application.isLoaded<Verifica>());
  EXPECT_EQ(application.PaginaAttiva, 1);
}

TEST_F(StampaTotali, AnEmptyListIsNotPrintedAndNothingIsAsked) {
  desk.expectMsgBox(vbOK,
                    {.prompt = "Non ci sono dati selezionati da stampare!", .title = "Quotara", .icon = vbExclamation});
  stampa();
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_EQ(desk.msgBoxes().size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(file()));
}

TEST_F(StampaTotali, AnsweringNoWritesNothing) {
  scegli(pagina().Combo1, "ROSSI MARIO");
  desk.expectMsgBox(vbNo, {.prompt = kDomanda, .icon = vbQuestion});
  stampa();
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_TRUE(std::filesystem::is_empty(temp()));
  EXPECT_TRUE(desk.openedDocuments().empty());
}

TEST_F(StampaTotali, AReportHeldOpenIsNotRewritten) {
  scegli(pagina().Combo1, "ROSSI MARIO");
  quotara::testing::ScriviFile(file(), "vecchio");
  const int fd = ::open(file().c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  desk.expectMsgBox(vbYes, {.prompt = kDomanda});
  desk.expectMsgBox(vbOK,
                    {.prompt = "Il file è già aperto e in uso.\r\nChiudere il file aperto e rilanciare la stampa.",
                     .icon = vbInformation});
  stampa();
  ::close(fd);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_EQ(quotara::testing::LeggiFile(file()), "vecchio");
  EXPECT_TRUE(desk.openedDocuments().empty());
}

TEST_F(StampaTotali, SinglePaymentChoosesItsVariant) {
  scegli(pagina().Combo1, "ROSSI MARIO");
  for (const bool unica : {false, true}) {
    SCOPED_TRACE(unica);
    if ((pagina().chkUnico.Value() == vbChecked) != unica) user.tick(pagina().chkUnico);
    desk.expectMsgBox(vbYes, {.prompt = kDomanda});
    stampa();
    EXPECT_EQ(ControllaPdf(file()), "");
    EXPECT_EQ(NumeroPagine(file()), 1);
    const auto parole = Parole(file());
    EXPECT_EQ(ParolaPresente(parole, "Unica"), unica);
    EXPECT_EQ(ParolaPresente(parole, "Saldo"), !unica);
    EXPECT_TRUE(ParolaPresente(parole, "ROSSI"));
    EXPECT_EQ(desk.openedDocuments().back(), file());
  }
  EXPECT_EQ(desk.openedDocuments().size(), 2u);
}

}  // namespace
}  // namespace f24::testing
