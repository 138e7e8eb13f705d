// The F24 hand-over of the totals page: one municipality ("Compila modello
// F24"), and the memo of several municipalities ("Memorizza", "Azzera", its
// own "Compila modello F24") with its refusals and row limits.
#include <filesystem>
#include <map>

#include "f24/CompilaF24.h"
#include "f24/frmF24.h"
#include "support/TestiF24.h"
#include "support/CasiTotali.h"
#include "support/Pdf.h"
#include "VerificaFixture.h"
#include "kit/Liste.h"
#include "frame/Principale.h"

namespace f24::testing {
namespace {

using namespace forms;
using quotara::testing::TestiF24;
using quotara::testing::TestiRighe;
using quotara::testing::TestoChiusura;

// One taxpayer in four municipalities, advance and balance alike:
//   AOSTA  3 rows, deduction 50, advance 150
//   BARI   4 rows, no deduction, advance 90
//   COMO   2 rows, advance 15
//   DERUTA 2 rows, advance 18
//   ENNA   2 rows, advance 21
//   FANO   4 rows, deduction 30, advance 104
// and AOSTA again in 2025; another taxpayer in AOSTA.
std::vector<std::string> Archivio() {
  const auto riga = [](std::string comune, std::string codice, std::string tipologia, std::string principale,
                       std::string rata, std::string detrazione = "0,00", std::string anno = "2026",
                       std::string contribuente = "ROSSI MARIO") {
    return Riga{.contribuente = contribuente,
                .indirizzo = "VIA " + tipologia,
                .comune = comune,
                .anno = anno,
                .tipologia = tipologia,
                .principale = principale,
                .imposta = rata,
                .acconto = rata,
                .detrazioneAcconto = detrazione,
                .saldo = rata,
                .detrazioneSaldo = detrazione,
                .codice = codice}
        .Linea();
  };
  return {
      riga("AOSTA", "A326", "0", "1", "100,00", "50,00"),
      riga("AOSTA", "A326", "1", "0", "30,00"),
      riga("AOSTA", "A326", "3", "0", "20,00"),
      riga("BARI", "A662", "0", "1", "40,00"),
      riga("BARI", "A662", "6", "0", "15,00"),
      riga("BARI", "A662", "1", "0", "25,00"),
      riga("BARI", "A662", "3", "0", "10,00"),
      riga("COMO", "C933", "1", "0", "10,00"),
      riga("COMO", "C933", "3", "0", "5,00"),
      riga("DERUTA", "D279", "1", "0", "12,00"),
      riga("DERUTA", "D279", "3", "0", "6,00"),
      riga("ENNA", "C342", "1", "0", "14,00"),
      riga("ENNA", "C342", "3", "0", "7,00"),
      riga("FANO", "D488", "0", "1", "60,00", "30,00"),
      riga("FANO", "D488", "6", "0", "12,00"),
      riga("FANO", "D488", "1", "0", "24,00"),
      riga("FANO", "D488", "3", "0", "8,00"),
      riga("AOSTA", "A326", "1", "0", "70,00", "0,00", "2025"),
      riga("AOSTA", "A326", "1", "0", "70,00", "0,00", "2026", "VERDI ANNA"),
  };
}

const std::vector<std::string> kAosta = {"A326;X;;1;3958;2026;100", "A326;X;;1;3961;2026;30", "A326;X;;1;3960;2026;20"};
const std::vector<std::string> kBari = {"A662;X;;1;3958;2026;40", "A662;X;;1;3959;2026;15", "A662;X;;1;3961;2026;25",
                                        "A662;X;;1;3960;2026;10"};
const std::vector<std::string> kComo = {"C933;X;;1;3961;2026;10", "C933;X;;1;3960;2026;5"};
// In the memo each deduction rides on its municipality's main-dwelling row.
const std::vector<std::string> kAostaMemo = {"A326;X;;1;3958;2026;100;50", "A326;X;;1;3961;2026;30",
                                             "A326;X;;1;3960;2026;20"};
const std::vector<std::string> kFanoMemo = {"D488;X;;1;3958;2026;60;30", "D488;X;;1;3959;2026;12",
                                            "D488;X;;1;3961;2026;24", "D488;X;;1;3960;2026;8"};

template <typename... V>
std::vector<std::string> Unisci(const V&... v) {
  std::vector<std::string> tutte;
  (tutte.insert(tutte.end(), v.begin(), v.end()), ...);
  return tutte;
}

class Memo : public VerificaTest {
 protected:
  Memo() : f(apri(Archivio())) {
    scegli(f.Combo1, "ROSSI MARIO");
    user.tick(f.chkMulti);
  }

  // The user shows a municipality and presses "Memorizza".
  void memorizza(const std::string& comune) {
    scegli(f.Combo2, comune);
    user.click(f.cmdMemo);
  }

  void rifiutato(const std::string& messaggio) {
    desk.expectMsgBox(vbOK, {.prompt = messaggio, .title = "Quotara", .icon = vbInformation});
    user.click(f.cmdMemo);
    EXPECT_EQ(desk.pendingAnswers(), 0u);
  }

  Verifica& f;
};

TEST_F(Memo, TwoMunicipalitiesTravelTogetherEachWithItsDeduction) {
  memorizza("AOSTA");
  EXPECT_EQ(f.lblNumCom.Caption(), "1");
  EXPECT_FALSE(f.cmdF24Comuni.Enabled());
  EXPECT_TRUE(f.cmdAzzera.Enabled());
  memorizza("BARI");
  EXPECT_EQ(f.lblNumCom.Caption(), "2");
  EXPECT_EQ(f.RigheMemo(), 7);
  EXPECT_EQ(TestoChiusura(f.RigaChiusuraMemo()), "1;50;240;");
  EXPECT_TRUE(f.cmdF24Comuni.Enabled());
  // Nothing travels before the hand-over.
  EXPECT_TRUE(TestiF24(application).empty());

  user.click(f.cmdF24Comuni);
  EXPECT_EQ(TestiF24(application), Unisci(kAostaMemo, kBari, std::vector<std::string>{"1;50;240;"}));
  EXPECT_EQ(application.NumRigheF24, 7);
  EXPECT_TRUE(application.F24PiuComuni);
  EXPECT_EQ(application.TipoVersamento, 0);
  EXPECT_TRUE(desk.msgBoxes().empty());
}

TEST_F(Memo, TheClosingItemSumsTheDeductionsAndTheInstalments) {
  memorizza("COMO");
  EXPECT_EQ(TestoChiusura(f.RigaChiusuraMemo()), "1;;15;");
  memorizza("AOSTA");
  EXPECT_EQ(TestoChiusura(f.RigaChiusuraMemo()), "1;50;165;");
  memorizza("FANO");
  EXPECT_EQ(TestoChiusura(f.RigaChiusuraMemo()), "1;80;269;");
  EXPECT_EQ(TestiRighe(f.RigheDelMemo()), Unisci(kComo, kAostaMemo, kFanoMemo));
}

TEST_F(Memo, TheTaxpayerTheYearAndThePaymentTypeCannotChange) {
  memorizza("AOSTA");

  scegli(f.Combo1, "VERDI ANNA");
  rifiutato("Non puoi cambiare nome del contribuente.");

  scegli(f.Combo1, "ROSSI MARIO");
  scegli(f.Combo3, "2025");
  rifiutato("Non puoi cambiare anno di contribuzione.");

  scegli(f.Combo2, "BARI");
  user.select(f.OpComuni[1]);
  rifiutato("Non puoi cambiare tipo di pagamento.");

  EXPECT_EQ(f.lblNumCom.Caption(), "1");
  EXPECT_EQ(TestiRighe(f.RigheDelMemo()), kAostaMemo);
}

TEST_F(Memo, AMunicipalityIsStoredOnce) {
  memorizza("AOSTA");
  desk.expectMsgBox(vbOK, {.prompt = "Il comune in oggetto è già stato aggiunto.", .icon = vbInformation});
  user.click(f.cmdMemo);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_EQ(f.lblNumCom.Caption(), "1");
  EXPECT_EQ(f.RigheMemo(), 3);
}

// Up to 8 rows both forms fit; 9 or 10 only the simplified one, which the
// user is told before the rows travel.
TEST_F(Memo, NineOrTenRowsWarnThatOnlyTheSimplifiedFormFits) {
  struct Caso {
    std::vector<const char*> comuni;
    int righe;
    bool avviso;
  };
  const Caso casi[] = {
      {{"BARI", "COMO", "DERUTA"}, 8, false},
      {{"AOSTA", "BARI", "COMO"}, 9, true},
      {{"BARI", "COMO", "DERUTA", "ENNA"}, 10, true},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.righe);
    for (const char* comune : c.comuni) memorizza(comune);
    if (c.avviso)
      desk.expectMsgBox(vbOK, {.prompt = "Il programma può compilare al massimo due modelli F24.\r\n"
                                         "Essendo previste più di 8 righe non è possibile compilare l'F24 normale ma "
                                         "solo quello semplificato.",
                               .icon = vbInformation});
    user.click(f.cmdF24Comuni);
    EXPECT_EQ(desk.pendingAnswers(), 0u);
    EXPECT_EQ(application.NumRigheF24, c.righe);
    EXPECT_EQ(TestiF24(application).size(), static_cast<size_t>(c.righe + 1));
    EXPECT_TRUE(application.F24PiuComuni);
    // Only the simplified form can be chosen for 9 or 10 rows.
    const frmF24& pagatore = application.form<frmF24>();
    EXPECT_EQ(pagatore.modF24[1].Value(), c.righe > 8);
    EXPECT_EQ(pagatore.modF24[0].Enabled(), c.righe <= 8);
    chiudiF24();
    user.click(f.cmdAzzera);
  }
  EXPECT_EQ(desk.msgBoxes().size(), 2u);
}

TEST_F(Memo, NineRowsTravelInTheOrderTheyWereStored) {
  memorizza("AOSTA");
  memorizza("BARI");
  memorizza("COMO");
  desk.expectMsgBox(vbOK);
  user.click(f.cmdF24Comuni);
  EXPECT_EQ(TestiF24(application), Unisci(kAostaMemo, kBari, kComo, std::vector<std::string>{"1;50;255;"}));
}

TEST_F(Memo, MoreThanTenRowsAreRefusedEveryTimeAndHandOverNothing) {
  for (const char* comune : {"AOSTA", "BARI", "COMO", "DERUTA"}) memorizza(comune);
  EXPECT_EQ(f.RigheMemo(), 11);
  for (int volta = 0; volta < 2; ++volta) {
    desk.expectMsgBox(vbOK, {.prompt = "Se sono previste più di 10 righe il programma non può compilare il modello "
                                       "F24.\r\nRiduci il numero di comuni presenti, azzerando la memorizzazione.",
                             .icon = vbInformation});
    user.click(f.cmdF24Comuni);
    EXPECT_EQ(desk.pendingAnswers(), 0u);
    EXPECT_TRUE(TestiF24(application).empty());
    EXPECT_FALSE(application.F24PiuComuni);
  }
}

TEST_F(Memo, AzzeraEmptiesTheMemoAndAllowsAnotherTaxpayer) {
  memorizza("AOSTA");
  memorizza("BARI");
  user.click(f.cmdF24Comuni);
  chiudiF24();
  user.click(f.cmdAzzera);
  EXPECT_EQ(f.lblNumCom.Caption(), "0");
  EXPECT_EQ(f.RigheMemo(), 0);
  EXPECT_EQ(TestoChiusura(f.RigaChiusuraMemo()), "");
  EXPECT_TRUE(TestiF24(application).empty());
  EXPECT_EQ(application.NumRigheF24, 0);
  EXPECT_FALSE(f.cmdF24Comuni.Enabled());
  EXPECT_FALSE(f.cmdAzzera.Enabled());

  scegli(f.Combo1, "VERDI ANNA");
  user.click(f.cmdMemo);
  EXPECT_EQ(f.lblNumCom.Caption(), "1");
  EXPECT_EQ(TestiRighe(f.RigheDelMemo()), std::vector<std::string>{"A326;X;;1;3961;2026;70"});
  EXPECT_TRUE(desk.msgBoxes().empty());
}

// "Compila modello F24" of one municipality hands over that municipality
// alone, whatever the memo holds.
TEST_F(Memo, OneMunicipalityAfterAStoredMemoHandsOverItsOwnRowsOnly) {
  memorizza("AOSTA");
  memorizza("BARI");
  user.click(f.cmdF24Comuni);
  chiudiF24();
  user.tick(f.chkMulti);
  scegli(f.Combo2, "COMO");
  user.select(f.Option1[1]);
  user.click(f.cmdF24);
  EXPECT_EQ(TestiF24(application),
            (std::vector<std::string>{"C933;;X;1;3961;2026;10", "C933;;X;1;3960;2026;5", "1;;15;"}));
  EXPECT_EQ(application.NumRigheF24, 2);
  EXPECT_EQ(application.TipoVersamento, 1);
  EXPECT_FALSE(application.F24PiuComuni);
  chiudiF24();
  // The memo is still there, and hands over all of it again.
  user.tick(f.chkMulti);
  user.select(f.OpComuni[0]);
  user.click(f.cmdF24Comuni);
  EXPECT_EQ(TestiF24(application), Unisci(kAostaMemo, kBari, std::vector<std::string>{"1;50;240;"}));
  EXPECT_EQ(application.NumRigheF24, 7);
  EXPECT_EQ(application.TipoVersamento, 0);
  EXPECT_TRUE(application.F24PiuComuni);
}

// The F24 window empties the shared rows when it closes; the memo hands its
// rows over again, not a lone closing item.
TEST_F(Memo, TheMemoHandsOverAgainAfterTheSharedRowsWereEmptied) {
  memorizza("AOSTA");
  memorizza("BARI");
  user.click(f.cmdF24Comuni);
  chiudiF24();
  EXPECT_TRUE(TestiF24(application).empty());
  EXPECT_FALSE(application.F24PiuComuni);
  user.click(f.cmdF24Comuni);
  EXPECT_EQ(TestiF24(application), Unisci(kAostaMemo, kBari, std::vector<std::string>{"1;50;240;"}));
  EXPECT_EQ(application.NumRigheF24, 7);
  EXPECT_TRUE(application.F24PiuComuni);
}

// Two municipalities each with a main dwelling and a deduction: each
// deduction reaches the form beside its own rows, on two ordinary sheets
// (FANO's four rows on the first, AOSTA's three on the second) and on the
// simplified form (FANO's main dwelling in row 1, AOSTA's in row 5).
TEST_F(Memo, EachMunicipalitysDeductionReachesItsForm) {
  memorizza("FANO");
  memorizza("AOSTA");
  user.click(f.cmdF24Comuni);
  ASSERT_EQ(TestiF24(application), Unisci(kFanoMemo, kAostaMemo, std::vector<std::string>{"1;80;254;"}));
  DatiContribuenteF24 pagatore;
  pagatore.CodiceFiscale = "RSSMRA80A01H501U";
  pagatore.Cognome = "ROSSI";
  pagatore.Nome = "MARIO";
  const VersamentoF24 v = VersamentoCorrente(f.Combo1.Text(), f.lblCodCat.Caption(), f.Combo3.Text());

  struct Caso {
    ModelloF24 modello;
    // Per sheet ("_1", "_2" or "_s"): fields and their values ("" for none).
    std::vector<std::map<std::string, std::string>> detrazioni;
  };
  const Caso casi[] = {
      {ModelloF24::Normale,
       {{{"coca11", "D"}, {"detrazione", "30"}, {"decdet1", "0"}, {"decdet2", "0"}},
        {{"coca11", "A"}, {"cotri1", "3958"}, {"detrazione", "50"}, {"decdet1", "0"}, {"decdet2", "0"}}}},
      {ModelloF24::Semplificato,
       {{{"detrazione1", "30"},
         {"decdet1.0", "0"},
         {"decdet2.0", "0"},
         {"detrazione5", "50"},
         {"decdet1.4", "0"},
         {"decdet2.4", "0"},
         {"detrazione2", ""},
         {"detrazione4", ""},
         {"decdet1.1", ""},
         {"decdet1.3", ""}}}},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.modello == ModelloF24::Normale ? "ordinary" : "simplified");
    if (c.modello == ModelloF24::Normale) desk.expectMsgBox(vbOK);
    const EsitoF24 esito = EseguiCompilaF24(pagatore, false, c.modello, v);
    ASSERT_TRUE(esito.Riuscito);
    ASSERT_EQ(esito.Compilati.size(), c.detrazioni.size());
    for (size_t i = 0; i < c.detrazioni.size(); ++i) {
      // The second sheet is opened first.
      const std::string& compilato = esito.Compilati[c.detrazioni.size() - 1 - i];
      SCOPED_TRACE(compilato);
      EXPECT_EQ(quotara::testing::ControllaPdf(compilato), "");
      auto valori = quotara::testing::ValoriCampi(compilato);
      for (const auto& [campo, valore] : c.detrazioni[i]) EXPECT_EQ(valori[campo], valore) << campo;
    }
  }
  EXPECT_EQ(desk.pendingAnswers(), 0u);
}

TEST_F(VerificaTest, OneMunicipalityForEachPaymentType) {
  Verifica& f = apri(Archivio());
  scegli(f.Combo1, "ROSSI MARIO");
  struct Caso {
    int tipo;
    bool unica;
    std::vector<std::string> righe;
  };
  const Caso casi[] = {
      {0, false, Unisci(kAosta, std::vector<std::string>{"1;50;150;"})},
      {1, false, {"A326;;X;1;3958;2026;100", "A326;;X;1;3961;2026;30", "A326;;X;1;3960;2026;20", "1;50;150;"}},
      {2, true, {"A326;X;X;1;3958;2026;200", "A326;X;X;1;3961;2026;60", "A326;X;X;1;3960;2026;40", "1;100;300;"}},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.tipo);
    if ((f.chkUnico.Value() == vbChecked) != c.unica) user.tick(f.chkUnico);
    if (!c.unica) user.select(f.Option1[c.tipo]);
    user.click(f.cmdF24);
    EXPECT_EQ(application.TipoVersamento, c.tipo);
    EXPECT_EQ(TestiF24(application), c.righe);
    EXPECT_EQ(application.NumRigheF24, 3);
    EXPECT_FALSE(application.F24PiuComuni);
    chiudiF24();
  }
}

// "Compila modello F24" opens the payer window over the hidden frame; its
// close box, as its "Chiudi", ends the hand-over and brings the page back,
// with "Archivio modelli F24" in step with the folder of the produced forms.
TEST_F(VerificaTest, CompilaModelloF24OpensThePayerWindowOverTheHiddenFrame) {
  Verifica& f = apri(Archivio());
  scegli(f.Combo1, "ROSSI MARIO");
  auto& frame = application.form<shell::Principale>();
  for (bool cartella : {false, true}) {
    SCOPED_TRACE(cartella);
    if (cartella) std::filesystem::create_directories(dati("datiF24"));
    user.click(f.cmdF24);
    ASSERT_TRUE(application.isLoaded<frmF24>());
    EXPECT_TRUE(application.form<frmF24>().Visible());
    EXPECT_FALSE(frame.Visible());
    EXPECT_TRUE(application.form<frmF24>().modF24[0].Value());
    EXPECT_FALSE(TestiF24(application).empty());
    user.close(application.form<frmF24>());
    EXPECT_FALSE(application.isLoaded<frmF24>());
    EXPECT_TRUE(frame.Visible());
    EXPECT_TRUE(f.isShown());
    EXPECT_TRUE(TestiF24(application).empty());
    EXPECT_EQ(f.cmdArchivioF24.Enabled(), cartella);
  }
}

}  // namespace
}  // namespace f24::testing
