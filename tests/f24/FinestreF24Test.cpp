// The tax-code list and the list of produced forms.
#include <gmock/gmock.h>

#include "f24/CompilaF24.h"
#include "f24/frmF24.h"
#include "f24/frmModelliF24.h"
#include "f24/frmTributi.h"
#include "F24Fixture.h"
#include "kit/Dialoghi.h"
#include "frame/Principale.h"
#include "support/TestiF24.h"

namespace f24::testing {
namespace {

using forms::vbNo;
using forms::vbOK;
using forms::vbYes;
using ::testing::ElementsAre;

// --- frmTributi ---------------------------------------------------------------------

class TributiTest : public F24Test {};

TEST_F(TributiTest, ListsTheSevenCodesWithTheFifthRowBlank) {
  auto& f = application.form<frmTributi>();
  EXPECT_EQ(f.Caption(), "Codici tributi TASI per il modello F24");
  EXPECT_THAT(f.List1.tabStops(), ElementsAre(30, 80));
  const std::pair<const char*, int> righe[] = {
      {"3958\tTASI abitazione principale e relative pertinenze", 3958},
      {"3959\tTASI fabbricati rurali ad uso strumentale", 3959},
      {"3960\tTASI per le aree fabbricabili", 3960},
      {"3961\tTASI per gli altri fabbricati", 3961},
      {" \t ", 0},
      {"3962\tTASI ravvedimento - interessi", 3962},
      {"3963\tTASI ravvedimento - sanzioni", 3963},
  };
  ASSERT_EQ(f.List1.ListCount(), 7);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(f.List1.List(i), righe[i].first);
    EXPECT_EQ(f.List1.ItemData(i), righe[i].second);
  }
}

TEST_F(TributiTest, TabGoesFromTheListToChiudiAndBack) {
  auto& f = application.form<frmTributi>();
  desk.script([&] {
    user.focus(f.List1);
    user.pressTab();
    EXPECT_EQ(f.ActiveControl(), &f.Command2);
    user.pressTab();
    EXPECT_EQ(f.ActiveControl(), &f.List1);
    user.close(f);
  });
  f.Show(forms::vbModal);
  EXPECT_FALSE(application.isLoaded<frmTributi>());
}

TEST_F(TributiTest, OpensModallyAndClosesWithChiudi) {
  auto& f = application.form<frmTributi>();
  desk.script([&] {
    user.pickRow(f.List1, 2);
    user.click(f.Command2);
  });
  f.Show(forms::vbModal);
  EXPECT_FALSE(application.isLoaded<frmTributi>());
  EXPECT_EQ(desk.pendingScript(), 0u);
}

// The blank fifth row is a separator: never selected by the keys or a click.
// Esc closes the list as "Chiudi" does.
TEST_F(TributiTest, TheBlankRowIsNeverSelectedAndEscCloses) {
  auto& f = application.form<frmTributi>();
  desk.script([&] {
    user.pickRow(f.List1, 3);
    user.key(forms::vbKeyDown);
    EXPECT_EQ(f.List1.ListIndex(), 5);
    user.key(forms::vbKeyUp);
    EXPECT_EQ(f.List1.ListIndex(), 3);
    user.pickRow(f.List1, 4);
    EXPECT_EQ(f.List1.ListIndex(), 3) << "a click on the separator changes nothing";
    user.pressEsc();
  });
  f.Show(forms::vbModal);
  EXPECT_FALSE(application.isLoaded<frmTributi>());
  EXPECT_EQ(desk.pendingScript(), 0u);
}

// --- frmModelliF24 -------------------------------------------------------------------

TEST(ColonneModelloF24, ReadsThePartsOfTheName) {
  struct Caso {
    const char* file;
    RigaModelloF24 riga;
  };
  const Caso casi[] = {
      {"f24tasi_MARIO BIANCHI_H501_acconto_2014_1.fdf", {"MARIO BIANCHI", "H501", "acconto", "2014", "1"}},
      {"f24tasi_MARIO BIANCHI_H501_acconto_2014.fdf", {"MARIO BIANCHI", "H501", "acconto", "2014", "-"}},
      {"f24tasi_MARIO BIANCHI_H501_saldo_2014_s.fdf", {"MARIO BIANCHI", "H501", "saldo", "2014", "s"}},
      {"f24tasi_MARIA ANTONIETTA BIANCHI_H501_unico_2015.fdf", {"MARIA ANTONIETTA B", "H501", "unico", "2015", "-"}},
      {"f24tasi_NICCOLÒ PÀOLINI ÈRCOLI_A001_unico_2015.fdf", {"NICCOLÒ PÀOLINI ÈR", "A001", "unico", "2015", "-"}},
      // A "_" in the taxpayer's name moves the other columns one on.
      {"f24tasi_ROSSI_BIS_H501_acconto_2014.fdf", {"ROSSI", "BIS", "H501", "acconto", "-"}},
      // Fewer parts than five: the missing ones are empty.
      {"strano.fdf", {"", "", "", "", "-"}},
      {"f24tasi_X.fdf", {"X", "", "", "", "X"}},
      {"_.fdf", {"", "", "", "", "-"}},
  };
  for (const auto& c : casi) {
    const auto r = ColonneModelloF24(c.file);
    EXPECT_EQ(r.Nome, c.riga.Nome) << c.file;
    EXPECT_EQ(r.Comune, c.riga.Comune) << c.file;
    EXPECT_EQ(r.Pagamento, c.riga.Pagamento) << c.file;
    EXPECT_EQ(r.Anno, c.riga.Anno) << c.file;
    EXPECT_EQ(r.Foglio, c.riga.Foglio) << c.file;
  }
}

class ArchivioModelliTest : public F24Test {
 protected:
  ArchivioModelliTest() { std::filesystem::create_directories(datiF24()); }

  // A form produced by the run itself: one ordinary sheet of `contribuente`.
  std::string produci(const std::string& contribuente) {
    VersamentoF24 v;
    v.RigheF24 = {quotara::testing::RigaDaTesto("H501;X;;1;3958;2014;150")};
    v.ChiusuraF24 = quotara::testing::ChiusuraDaTesto("1;;150;");
    v.NumRigheF24 = 1;
    v.Contribuente = contribuente;
    v.CodiceCatastale = "H501";
    v.Anno = "2014";
    DatiContribuenteF24 d;
    d.CodiceFiscale = "BNCMRA80A01H501X";
    d.Cognome = contribuente;
    EXPECT_TRUE(EseguiCompilaF24(d, false, ModelloF24::Normale, v).Riuscito);
    return datiF24() + "/" + NomeFileF24(contribuente, "H501", 0, "2014");
  }
  // Opened as the totals page opens it: the frame hidden, the list shown.
  frmModelliF24& apri() {
    auto& f = application.form<frmModelliF24>();
    shell::ApriDialogo(f);
    return f;
  }
};

TEST_F(ArchivioModelliTest, ListsEveryFormWithItsColumns) {
  for (const char* f :
       {"f24tasi_MARIO BIANCHI_H501_acconto_2014_1.fdf", "f24tasi_MARIO BIANCHI_H501_acconto_2014_2.fdf",
        "f24tasi_ANNA VERDI_A001_saldo_2015_s.fdf", "strano.fdf", "nota.txt", "f24tasi_X.pdf"})
    ScriviFile(inDati(f), "x");
  auto& f = apri();
  EXPECT_EQ(f.Caption(), "Archivio modelli F24 salvati");
  ASSERT_EQ(f.lstF24.ListCount(), 4);
  // Aligned columns: the name to 18 characters, an empty column, then code,
  // payment, year and sheet, each followed by five blanks; the line trimmed.
  EXPECT_EQ(f.lstF24.List(0), "ANNA VERDI                  A001     saldo       2015     s");
  EXPECT_EQ(f.lstF24.List(1), "MARIO BIANCHI               H501     acconto     2014     1");
  EXPECT_EQ(f.lstF24.List(2), "MARIO BIANCHI               H501     acconto     2014     2");
  EXPECT_EQ(f.lstF24.List(3), "-");
  EXPECT_EQ(f.lstF24.FontName(), "Courier");
  for (int i = 0; i < 4; ++i) EXPECT_EQ(f.File1.List(f.lstF24.ItemData(i)).substr(0, 4), i < 3 ? "f24t" : "stra");
  std::vector<std::string> titoli;
  for (int i = 0; i < 5; ++i) titoli.push_back(f.Label2[i].Caption());
  EXPECT_THAT(titoli, ElementsAre("Nome", "Comune", "Pagamento", "Anno", "Foglio"));
  EXPECT_FALSE(f.cmdLoad.Enabled());
  EXPECT_FALSE(f.cmdElimina.Enabled());
  user.pickRow(f.lstF24, 1);
  EXPECT_TRUE(f.cmdLoad.Enabled());
  EXPECT_TRUE(f.cmdElimina.Enabled());
}

TEST_F(ArchivioModelliTest, OpensTheSelectedFormFilled) {
  const std::string radice = produci("MARIO BIANCHI");
  std::filesystem::remove(radice + "-compilato.pdf");
  auto& f = apri();
  const size_t prima = desk.openedDocuments().size();
  // A double click on no row does nothing.
  user.dblClick(f.lstF24);
  EXPECT_EQ(desk.openedDocuments().size(), prima);
  user.dblClickRow(f.lstF24, 0);
  ASSERT_EQ(desk.openedDocuments().size(), prima + 1);
  EXPECT_EQ(desk.openedDocuments().back(), radice + "-compilato.pdf");
  EXPECT_EQ(quotara::testing::ControllaPdf(radice + "-compilato.pdf"), "");
  user.click(f.cmdLoad);
  EXPECT_EQ(desk.openedDocuments().size(), prima + 2);
  EXPECT_TRUE(desk.msgBoxes().empty());
}

TEST_F(ArchivioModelliTest, SaysWhyAFormCannotBeOpened) {
  const std::string radice = produci("MARIO BIANCHI");
  std::filesystem::remove(radice + ".pdf");
  ScriviFile(radice + ".fdf",
             LeggiFile(radice + ".fdf").replace(LeggiFile(radice + ".fdf").find("]/F("), 4, "]/F(/no"));
  auto& f = apri();
  const size_t prima = desk.openedDocuments().size();
  user.pickRow(f.lstF24, 0);
  desk.expectMsgBox(vbOK, {.title = "Quotara", .icon = forms::vbCritical});
  user.click(f.cmdLoad);
  EXPECT_EQ(desk.openedDocuments().size(), prima);
  EXPECT_NE(desk.msgBoxes().back().prompt.find("Impossibile aprire il modello F24."), std::string::npos);
}

// A window that only shows and picks: Esc closes it from the list as from a
// button, and the frame comes back.
TEST_F(ArchivioModelliTest, EscClosesTheListAndTheFrameComesBack) {
  produci("MARIO BIANCHI");
  auto& f = apri();
  user.pickRow(f.lstF24, 0);
  user.pressEsc();
  EXPECT_FALSE(application.isLoaded<frmModelliF24>());
  EXPECT_TRUE(application.form<shell::Principale>().isShown());
  EXPECT_TRUE(desk.msgBoxes().empty());
}

TEST_F(ArchivioModelliTest, DeletesOneFormWithItsCopies) {
  const std::string a = produci("ANNA VERDI");
  const std::string b = produci("MARIO BIANCHI");
  std::filesystem::remove(b + ".pdf");  // a missing twin is no error
  auto& f = apri();
  ASSERT_EQ(f.lstF24.ListCount(), 2);
  user.pickRow(f.lstF24, 1);
  desk.expectMsgBox(vbNo, {.prompt = "Vuoi eliminare il modello F24 selezionato?", .icon = forms::vbQuestion});
  user.click(f.cmdElimina);
  EXPECT_EQ(FileDatiF24().size(), 5u);
  desk.expectMsgBox(vbYes, {.prompt = "Vuoi eliminare il modello F24 selezionato?"});
  user.click(f.cmdElimina);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_EQ(FileDatiF24(), (std::vector<std::string>{"f24tasi_ANNA VERDI_H501_acconto_2014-compilato.pdf",
                                                     "f24tasi_ANNA VERDI_H501_acconto_2014.fdf",
                                                     "f24tasi_ANNA VERDI_H501_acconto_2014.pdf"}));
  ASSERT_EQ(f.lstF24.ListCount(), 1);
  EXPECT_EQ(f.lstF24.ListIndex(), -1);
  EXPECT_FALSE(f.cmdLoad.Enabled());
  EXPECT_FALSE(f.cmdElimina.Enabled());
  EXPECT_TRUE(application.isLoaded<frmModelliF24>());
  // The last one: the folder goes too, the window closes and the frame comes back.
  user.pickRow(f.lstF24, 0);
  desk.expectMsgBox(vbYes);
  user.click(f.cmdElimina);
  EXPECT_FALSE(std::filesystem::exists(datiF24()));
  EXPECT_FALSE(application.isLoaded<frmModelliF24>());
  EXPECT_TRUE(application.form<shell::Principale>().isShown());
  (void)a;
}

TEST_F(ArchivioModelliTest, KeepsTheFolderWhenSomethingElseIsInIt) {
  produci("MARIO BIANCHI");
  ScriviFile(inDati("appunti.txt"), "miei");
  auto& f = apri();
  user.pickRow(f.lstF24, 0);
  desk.expectMsgBox(vbYes);
  user.click(f.cmdElimina);
  EXPECT_THAT(FileDatiF24(), ElementsAre("appunti.txt"));
  EXPECT_FALSE(application.isLoaded<frmModelliF24>());
  EXPECT_TRUE(desk.msgBoxes().size() == 1u);
}

TEST_F(ArchivioModelliTest, DeletesTheWholeArchive) {
  produci("MARIO BIANCHI");
  produci("ANNA VERDI");
  ScriviFile(inDati("appunti.txt"), "miei");
  auto& f = apri();
  desk.expectMsgBox(vbNo, {.prompt = "Vuoi eliminare tutto l'archivio dei modelli F24?", .icon = forms::vbQuestion});
  user.click(f.cmdDeleteAll);
  EXPECT_EQ(FileDatiF24().size(), 7u);
  EXPECT_TRUE(application.isLoaded<frmModelliF24>());
  desk.expectMsgBox(vbYes);
  desk.expectMsgBox(vbOK,
                    {.prompt = "L'archivio è stato eliminato.", .title = "quotara", .icon = forms::vbInformation});
  user.click(f.cmdDeleteAll);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_FALSE(std::filesystem::exists(datiF24()));
  EXPECT_FALSE(application.isLoaded<frmModelliF24>());
}

TEST_F(ArchivioModelliTest, ListsWhatTheWholeDeletionLeft) {
  produci("MARIO BIANCHI");
  std::filesystem::create_directories(inDati("sottocartella/piena"));
  auto& f = apri();
  desk.expectMsgBox(vbYes);
  desk.expectMsgBox(vbOK, {.title = "Quotara", .icon = forms::vbExclamation});
  user.click(f.cmdDeleteAll);
  const std::string testo = desk.msgBoxes().back().prompt;
  EXPECT_NE(testo.find("sottocartella"), std::string::npos) << testo;
  EXPECT_EQ(testo.find("L'archivio è stato eliminato."), std::string::npos) << testo;
  EXPECT_THAT(FileDatiF24(), ElementsAre("sottocartella"));
}

TEST_F(ArchivioModelliTest, ShowsAnEmptyListWithoutTheFolder) {
  std::filesystem::remove_all(datiF24());
  auto& f = apri();
  EXPECT_EQ(f.lstF24.ListCount(), 0);
  user.dblClick(f.lstF24);
  EXPECT_TRUE(desk.openedDocuments().empty());
}

TEST_F(ArchivioModelliTest, TabSkipsTheButtonsThatNeedARow) {
  produci("MARIO BIANCHI");
  auto& f = apri();
  user.focus(f.lstF24);
  const std::vector<forms::Control*> senzaRiga{&f.cmdDeleteAll, &f.cmdExit, &f.lstF24};
  for (auto* c : senzaRiga) {
    user.pressTab();
    EXPECT_EQ(f.ActiveControl(), c);
  }
  user.pickRow(f.lstF24, 0);
  const std::vector<forms::Control*> conRiga{&f.cmdLoad, &f.cmdElimina, &f.cmdDeleteAll, &f.cmdExit, &f.lstF24};
  for (auto* c : conRiga) {
    user.pressTab();
    EXPECT_EQ(f.ActiveControl(), c);
  }
}

TEST_F(ArchivioModelliTest, TheCloseBoxActsAsChiudi) {
  for (const bool casella : {false, true}) {
    auto& f = apri();
    application.form<shell::Principale>().Hide();
    if (casella) {
      user.close(f);
    } else {
      user.click(f.cmdExit);
    }
    EXPECT_FALSE(application.isLoaded<frmModelliF24>());
    EXPECT_TRUE(application.form<shell::Principale>().isShown());
  }
}

}  // namespace
}  // namespace f24::testing
