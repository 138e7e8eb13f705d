// The totals page through the scripted user: the cascade over the shared
// table of archives, every caption and the notice, results cleared when the
// cascade stops, Enter and Esc, and the payment-type controls that mirror
// each other.
#include <algorithm>

#include "support/CasiTotali.h"
#include "support/Convenzioni.h"
#include "VerificaFixture.h"
#include "support/TestiF24.h"
#include "f24/frmModelliF24.h"
#include "frame/Principale.h"

namespace f24::testing {
namespace {

using namespace forms;

class CascataTotali : public VerificaTest, public ::testing::WithParamInterface<CasoTotali> {};

TEST_P(CascataTotali, PickingTheTaxpayerShowsEveryList) {
  const CasoTotali& c = GetParam();
  Verifica& f = apri(c.righe);
  if (c.avviso)
    scegliConAvviso(f.Combo1, c.contribuente);
  else
    scegli(f.Combo1, c.contribuente);
  EXPECT_EQ(desk.pendingAnswers(), 0u);

  EXPECT_EQ(Voci(f.Combo2), c.comuni);
  EXPECT_EQ(f.Combo2.Text(), c.comune());
  EXPECT_EQ(Voci(f.Combo3), c.anni);
  EXPECT_EQ(f.Combo3.Text(), c.anno());
  EXPECT_EQ(f.lblCodCat.Caption(), c.codice);
  EXPECT_EQ(Voci(f.List1), c.immobili);
  const EtichetteTotali mostrate = f.Dati().Etichette;
  const auto& voci = EtichetteTotali::Voci();
  for (size_t i = 0; i < voci.size(); ++i) EXPECT_EQ(mostrate.*voci[i].membro, c.didascalie[i]) << voci[i].nome;
  for (Control* comando : {static_cast<Control*>(&f.cmdF24), static_cast<Control*>(&f.cmdMemo),
                           static_cast<Control*>(&f.chkMulti), static_cast<Control*>(&f.Option1[0])})
    EXPECT_EQ(comando->Enabled(), c.totali);
  EXPECT_FALSE(f.cmdF24Comuni.Enabled());
  EXPECT_FALSE(f.cmdAzzera.Enabled());
}

INSTANTIATE_TEST_SUITE_P(Archivi, CascataTotali, ::testing::ValuesIn(CasiTotali()),
                         [](const auto& caso) { return std::string(caso.param.nome); });

std::vector<std::string> ArchivioDiDue() {
  return {Riga{.contribuente = "VERDI", .comune = "TORINO", .imposta = "40,00", .acconto = "20,00", .saldo = "20,00"}
              .Linea(),
          Riga{.contribuente = "bianchi",
               .comune = "ASTI",
               .imposta = "60,00",
               .acconto = "30,00",
               .saldo = "30,00",
               .codice = "A479"}
              .Linea(),
          Riga{.contribuente = "VERDI", .indirizzo = "VIA PO 9", .comune = "", .codice = ""}.Linea(),
          Riga{.contribuente = "bianchi",
               .comune = "ASTI",
               .anno = "2025",
               .imposta = "80,00",
               .acconto = "40,00",
               .saldo = "40,00",
               .codice = "A479"}
              .Linea(),
          Riga{.contribuente = "bianchi",
               .indirizzo = "VIA PO 9",
               .comune = "BRA",
               .imposta = "50,00",
               .acconto = "25,00",
               .saldo = "25,00",
               .codice = "B111"}
              .Linea()};
}

TEST_F(VerificaTest, TheTaxpayersComeInAlphabeticalOrderAndNothingIsChosen) {
  Verifica& f = apri(ArchivioDiDue());
  EXPECT_EQ(Voci(f.Combo1), (std::vector<std::string>{"bianchi", "VERDI"}));
  EXPECT_EQ(f.Combo1.ListIndex(), -1);
  EXPECT_EQ(f.Combo2.ListCount(), 0);
  EXPECT_EQ(f.Label4.Caption(), "");
  EXPECT_EQ(f.lblNpr.Caption(), "0");
  EXPECT_FALSE(f.cmdF24.Enabled());
  EXPECT_FALSE(f.chkMulti.Enabled());
  EXPECT_FALSE(f.Frame5.Visible());
  EXPECT_FALSE(f.Frame3.Visible());
  EXPECT_EQ(application.PaginaAttiva, 2);
}

TEST_F(VerificaTest, AMissingArchiveLeavesEverythingEmptyWithoutAMessage) {
  Verifica& f = pagina();
  f.Show();
  EXPECT_EQ(f.Combo1.ListCount(), 0);
  EXPECT_EQ(f.List2.ListCount(), 0);
  EXPECT_TRUE(desk.msgBoxes().empty());
  EXPECT_FALSE(f.cmdF24.Enabled());
  EXPECT_FALSE(f.cmdArchivioF24.Enabled());
}

// "Archivio modelli F24" is offered while the folder of the produced forms
// exists; it opens their list over the hidden frame, and once the list has
// removed the folder it is offered no more.
TEST_F(VerificaTest, TheFormsArchiveFollowsItsFolder) {
  std::filesystem::create_directories(dati("datiF24"));
  Verifica& f = apri(ArchivioDiDue());
  ASSERT_TRUE(f.cmdArchivioF24.Enabled());
  user.click(f.cmdArchivioF24);
  ASSERT_TRUE(application.isLoaded<frmModelliF24>());
  EXPECT_TRUE(application.form<frmModelliF24>().Visible());
  EXPECT_FALSE(application.form<shell::Principale>().Visible());

  desk.expectMsgBox(vbYes, {.prompt = "Vuoi eliminare tutto l'archivio dei modelli F24?"});
  desk.expectMsgBox(vbOK, {.prompt = "L'archivio è stato eliminato."});
  user.click(application.form<frmModelliF24>().cmdDeleteAll);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_FALSE(application.isLoaded<frmModelliF24>());
  EXPECT_TRUE(application.form<shell::Principale>().Visible());
  EXPECT_FALSE(f.cmdArchivioF24.Enabled());
}

TEST_F(VerificaTest, AnotherMunicipalityOrYearIsTotalledAgain) {
  Verifica& f = apri(ArchivioDiDue());
  scegli(f.Combo1, "bianchi");
  EXPECT_EQ(f.Combo2.Text(), "ASTI");
  EXPECT_EQ(Voci(f.Combo3), (std::vector<std::string>{"2026", "2025"}));
  EXPECT_EQ(f.Label4.Caption(), "60,00");
  EXPECT_EQ(f.lblCodCat.Caption(), "A479");

  scegli(f.Combo3, "2025");
  EXPECT_EQ(f.Label4.Caption(), "80,00");
  EXPECT_EQ(Voci(f.List1), std::vector<std::string>{"VIA ROMA 1"});

  scegli(f.Combo2, "BRA");
  EXPECT_EQ(f.Combo3.Text(), "2026");
  EXPECT_EQ(f.Label4.Caption(), "50,00");
  EXPECT_EQ(f.lblCodCat.Caption(), "B111");
  EXPECT_EQ(Voci(f.List1), std::vector<std::string>{"VIA PO 9"});
}

// Choosing a taxpayer whose first municipality is empty leaves nothing of
// the taxpayer shown before: no figures to print or to hand over under the
// new name.
TEST_F(VerificaTest, AnEmptyMunicipalityClearsThePreviousTaxpayersFigures) {
  Verifica& f = apri(ArchivioDiDue());
  scegli(f.Combo1, "bianchi");
  ASSERT_EQ(f.Label4.Caption(), "60,00");
  ASSERT_TRUE(f.cmdF24.Enabled());

  scegli(f.Combo1, "VERDI");
  EXPECT_EQ(Voci(f.Combo2), (std::vector<std::string>{"", "TORINO"}));
  EXPECT_EQ(f.Combo3.ListCount(), 0);
  EXPECT_EQ(f.List1.ListCount(), 0);
  EXPECT_EQ(f.lblCodCat.Caption(), "");
  EXPECT_EQ(f.Dati().Etichette, EtichetteTotali{});
  for (Control* comando : {static_cast<Control*>(&f.cmdF24), static_cast<Control*>(&f.cmdMemo),
                           static_cast<Control*>(&f.chkMulti), static_cast<Control*>(&f.Option1[1])})
    EXPECT_FALSE(comando->Enabled());

  // The real municipality brings the figures back.
  scegli(f.Combo2, "TORINO");
  EXPECT_EQ(f.Label4.Caption(), "40,00");
  EXPECT_TRUE(f.cmdF24.Enabled());
}

TEST_F(VerificaTest, EnterAndEscMoveThroughTheLists) {
  Verifica& f = apri(ArchivioDiDue());
  scegli(f.Combo1, "bianchi");
  user.focus(f.Combo1);
  user.pressEnter();
  EXPECT_TRUE(f.Combo2.hasFocus());
  user.pressEnter();
  EXPECT_TRUE(f.Combo3.hasFocus());
  user.pressEnter();
  EXPECT_TRUE(f.List1.hasFocus());
  user.pressEsc();
  EXPECT_TRUE(f.Combo3.hasFocus());
  user.pressEsc();
  user.pressEsc();
  EXPECT_TRUE(f.Combo1.hasFocus());
  // The keys move the focus only: the choice stays.
  EXPECT_EQ(f.Combo1.Text(), "bianchi");
  EXPECT_EQ(f.Combo2.Text(), "ASTI");
}

TEST_F(VerificaTest, SinglePaymentSwapsTheGridsAndPicksItsTypeInBothFrames) {
  Verifica& f = apri(ArchivioDiDue());
  scegli(f.Combo1, "bianchi");
  user.tick(f.chkUnico);
  EXPECT_FALSE(f.Frame2.Visible());
  EXPECT_TRUE(f.Frame3.Visible());
  for (ControlArray<OptionButton>* gruppo : {&f.Option1, &f.OpComuni}) {
    EXPECT_FALSE((*gruppo)[0].Visible());
    EXPECT_FALSE((*gruppo)[1].Visible());
    EXPECT_TRUE((*gruppo)[2].Visible());
    EXPECT_TRUE((*gruppo)[2].Value());
  }
  EXPECT_EQ(f.Label30.Caption(), "60,00");

  user.tick(f.chkUnico);
  EXPECT_TRUE(f.Frame2.Visible());
  EXPECT_FALSE(f.Frame3.Visible());
  for (ControlArray<OptionButton>* gruppo : {&f.Option1, &f.OpComuni}) {
    EXPECT_TRUE((*gruppo)[0].Visible());
    EXPECT_TRUE((*gruppo)[1].Visible());
    EXPECT_FALSE((*gruppo)[2].Visible());
    EXPECT_TRUE((*gruppo)[0].Value());
  }
}

TEST_F(VerificaTest, TheMemoFrameReplacesTheSingleOneAndItsTypeFollows) {
  Verifica& f = apri(ArchivioDiDue());
  scegli(f.Combo1, "bianchi");
  user.tick(f.chkMulti);
  EXPECT_FALSE(f.Frame4.Visible());
  EXPECT_TRUE(f.Frame5.Visible());
  EXPECT_FALSE(f.cmdF24Comuni.Enabled());
  user.select(f.OpComuni[1]);
  EXPECT_TRUE(f.Option1[1].Value());
  EXPECT_FALSE(f.Option1[0].Value());
  user.select(f.OpComuni[0]);
  EXPECT_TRUE(f.Option1[0].Value());
  user.tick(f.chkMulti);
  EXPECT_TRUE(f.Frame4.Visible());
  EXPECT_FALSE(f.Frame5.Visible());
}

TEST_F(VerificaTest, TheReportDataAreWhatThePageShows) {
  Verifica& f = apri(ArchivioDiDue());
  scegli(f.Combo1, "bianchi");
  const reports::DatiTotaliComune d = f.Dati();
  EXPECT_EQ(d.Contribuente, "bianchi");
  EXPECT_EQ(d.Comune, "ASTI");
  EXPECT_EQ(d.Anno, "2026");
  EXPECT_EQ(d.CodiceCatastale, "A479");
  EXPECT_EQ(d.Immobili, std::vector<std::string>{"VIA ROMA 1"});
  EXPECT_EQ(d.Etichette.Label4, f.Label4.Caption());
  EXPECT_EQ(d.Etichette.lblStruU, f.lblStruU.Caption());
}

// The payment type from the keyboard, in both frames: Tab into the group,
// the arrows through it; "Saldo" chosen so hands a balance to the F24.
TEST_F(VerificaTest, ThePaymentTypeIsChosenWithTheArrows) {
  Verifica& f = apri(ArchivioDiDue());
  scegli(f.Combo1, "bianchi");
  quotara::testing::ControllaGruppo(user, f.Option1);
  user.tick(f.chkMulti);
  quotara::testing::ControllaGruppo(user, f.OpComuni);
  user.tick(f.chkMulti);

  user.select(f.Option1[0]);
  user.key(vbKeyDown);
  EXPECT_TRUE(f.Option1[1].Value());
  EXPECT_EQ(application.focused(), &f.Option1[1]);
  // On to the command with Tab, and Space on it.
  while (application.focused() != &f.cmdF24) user.pressTab();
  user.key(vbKeySpace);
  EXPECT_EQ(application.TipoVersamento, 1);
  ASSERT_FALSE(application.RigheF24.empty());
  const std::string prima = quotara::testing::TestoRiga(application.RigheF24.front());
  EXPECT_NE(prima.find(";;X;"), std::string::npos) << prima;
}

}  // namespace
}  // namespace f24::testing
