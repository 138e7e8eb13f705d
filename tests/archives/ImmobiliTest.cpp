// The cadastral page: owners, the aligned rows of one owner in group order,
// the buttons, deletion, the CSV export and the loading of a record into the
// calculation page.
#include <filesystem>

#include "CatastoFixture.h"
#include "calculation/MainForm.h"
#include "kit/Documenti.h"
#include "frame/Principale.h"
#include "support/Apritore.h"
#include "support/Convenzioni.h"
#include "support/Pdf.h"
#include "widgets/clsListBox.h"

namespace archives::testing {
namespace {

using namespace forms;
namespace fs = std::filesystem;

class ImmobiliTest : public CatastoTest {};

TEST_F(ImmobiliTest, OwnersAreListedOnceEachAndNothingIsSelected) {
  scriviRegistro();
  Immobili& p = pagina();
  EXPECT_EQ(voci(p.cboUtente), (Righe{"BIANCHI ANNA", "ROSSI MARIO", "rossi mario"}));
  EXPECT_EQ(p.cboUtente.ListIndex(), -1);
  EXPECT_EQ(p.lstCatasto.ListCount(), 0);
  EXPECT_EQ(voci(p.List1), kOrdinato);
  EXPECT_TRUE(p.cmdExcel.Enabled());
  EXPECT_TRUE(p.Command1[0].Enabled());
  for (int i = 1; i <= 4; ++i) EXPECT_FALSE(p.Command1[i].Enabled()) << i;
  EXPECT_EQ(p.lstCatasto.FontName(), "Courier");
}

TEST_F(ImmobiliTest, AnOwnersRowsComeBuildingsLandAreasAlignedInColumns) {
  scriviRegistro();
  Immobili& p = pagina();
  scegli(p, "ROSSI MARIO");
  // Buildings, land, area; each group in the order of List1.
  EXPECT_EQ(numeri(p.lstCatasto), (std::vector<int>{4, 5, 2, 3}));
  const Righe righe = voci(p.lstCatasto);
  ASSERT_EQ(righe.size(), 4u);
  // Columns: 12 + 5, 25 + 5, the rendita right-aligned in 9 characters, the
  // reddito in 7 ("    ---").
  EXPECT_EQ(righe[0],
            "TORINO" + Blanks(11) + "CORSO FRANCIA 100" + Blanks(13) + Blanks(3) + "150,00" + Blanks(5) + "    ---");
  EXPECT_EQ(righe[2],
            "CHIERI" + Blanks(11) + "CAMPO GRANDE" + Blanks(18) + Blanks(2) + "    ---" + Blanks(5) + "  12,00");
  EXPECT_EQ(righe[3],
            "PINO TORINES" + Blanks(5) + "LOTTO SUL COLLE" + Blanks(15) + "50.000,00" + Blanks(5) + "    ---");
  for (const std::string& r : righe) EXPECT_EQ(r.size(), righe[1].size()) << r;
  EXPECT_EQ(p.ProprietarioElencato(), "ROSSI MARIO");
  for (int i = 1; i <= 4; ++i) EXPECT_FALSE(p.Command1[i].Enabled());
  user.pickRow(p.lstCatasto, 1);
  for (int i = 1; i <= 4; ++i) EXPECT_TRUE(p.Command1[i].Enabled());
}

TEST_F(ImmobiliTest, NamesDifferingInCaseAreTwoOwnersAndAnOwnerWithoutAmountsShowsDashes) {
  scriviRegistro();
  Immobili& p = pagina();
  scegli(p, "rossi mario");
  EXPECT_EQ(numeri(p.lstCatasto), std::vector<int>{1});
  scegli(p, "BIANCHI ANNA");
  EXPECT_EQ(voci(p.lstCatasto),
            Righe{"PINO TORINES" + Blanks(5) + "STRADA DEI COLLI 12" + Blanks(11) + "    ---" + Blanks(5) + "    ---"});
}

// Rows whose lines lie past index 32,767 of the register are listed, viewed
// and deleted like the others.
TEST_F(ImmobiliTest, ARegisterOfFortyThousandLinesListsItsLastOwner) {
  Righe righe;
  for (int i = 0; i < 40000; ++i) righe.push_back("A" + std::to_string(100000 + i) + ";X;Y;0;;;;;;;;;;;1,00;;;");
  righe.push_back("ZETA;TORINO;VIA ULTIMA 1;0;;;;;;;;;;;2,00;;;");
  righe.push_back("ZETA;TORINO;VIA ULTIMA 2;1;;;;;;;;;;;;;3,00;");
  scriviRegistro(righe);
  Immobili& p = pagina();
  scegli(p, "ZETA");
  EXPECT_EQ(numeri(p.lstCatasto), (std::vector<int>{40000, 40001}));
  user.pickRow(p.lstCatasto, 1);
  desk.script([&] {
    EXPECT_EQ(scheda().txtUbicazione.Text(), "VIA ULTIMA 2");
    user.click(scheda().Command1);
  });
  user.click(p.Command1[3]);
  user.pickRow(p.lstCatasto, 0);
  desk.expectMsgBox(vbYes);
  user.click(p.Command1[2]);
  EXPECT_EQ(numeri(p.lstCatasto), std::vector<int>{40000});
  EXPECT_EQ(righeRegistro().back(), "ZETA;TORINO;VIA ULTIMA 2;1;;;;;;;;;;;;;3,00;");
}

TEST_F(ImmobiliTest, TheOwnerBoxFollowsTheConventions) {
  scriviRegistro();
  Immobili& p = pagina();
  p.cboUtente.setText("x");
  using quotara::testing::Casella;
  quotara::testing::ControllaCaselle(user, desk, {{p.cboUtente, Casella::Testo}});
}

TEST_F(ImmobiliTest, TypingAnOwnerDoesNotChangeTheRows) {
  scriviRegistro();
  Immobili& p = pagina();
  scegli(p, "ROSSI MARIO");
  user.type(p.cboUtente, "BIANCHI ANNA");
  EXPECT_EQ(p.lstCatasto.ListCount(), 4);
  EXPECT_EQ(p.ProprietarioElencato(), "ROSSI MARIO");
}

TEST_F(ImmobiliTest, NoRegisterLeavesTheListsEmptyAndTheExportDisabled) {
  Immobili& p = pagina();
  EXPECT_EQ(p.cboUtente.ListCount(), 0);
  EXPECT_FALSE(p.cmdExcel.Enabled());
  EXPECT_TRUE(p.Command1[0].Enabled());
}

TEST_F(ImmobiliTest, DeletingARecordRewritesTheRegisterSortedAndShowsTheOwnerAgain) {
  scriviRegistro();
  Immobili& p = pagina();
  scegli(p, "ROSSI MARIO");
  user.pickRow(p.lstCatasto, rigaDi(p, kTerreno));
  desk.expectMsgBox(vbNo, {.prompt = "Vuoi eliminare l'immobile selezionato?", .title = "Quotara", .icon = vbQuestion});
  user.click(p.Command1[2]);
  EXPECT_EQ(righeRegistro(), kRegistro);  // No changes nothing

  desk.expectMsgBox(vbYes);
  user.click(p.Command1[2]);
  EXPECT_EQ(righeRegistro(), (Righe{kBianchi, kMinuscolo, kArea, kBox, kCasa}));
  EXPECT_EQ(p.cboUtente.Text(), "ROSSI MARIO");
  EXPECT_EQ(numeri(p.lstCatasto), (std::vector<int>{3, 4, 2}));
  for (int i = 1; i <= 4; ++i) EXPECT_FALSE(p.Command1[i].Enabled());
}

TEST_F(ImmobiliTest, DeletingAnOwnersLastRecordTakesTheOwnerOutAndTheRegistersLastRemovesTheFile) {
  scriviRegistro({kCasa, kMinuscolo});
  Immobili& p = pagina();
  scegli(p, "rossi mario");
  user.pickRow(p.lstCatasto, 0);
  desk.expectMsgBox(vbYes);
  user.click(p.Command1[2]);
  EXPECT_EQ(voci(p.cboUtente), Righe{"ROSSI MARIO"});
  EXPECT_EQ(p.cboUtente.ListIndex(), -1);
  EXPECT_EQ(p.lstCatasto.ListCount(), 0);
  EXPECT_EQ(righeRegistro(), Righe{kCasa});

  scegli(p, "ROSSI MARIO");
  user.pickRow(p.lstCatasto, 0);
  desk.expectMsgBox(vbYes);
  user.click(p.Command1[2]);
  EXPECT_FALSE(fs::exists(registro()));
  EXPECT_EQ(p.cboUtente.ListCount(), 0);
  EXPECT_EQ(p.List1.ListCount(), 0);
  EXPECT_FALSE(p.cmdExcel.Enabled());
  for (int i = 1; i <= 4; ++i) EXPECT_FALSE(p.Command1[i].Enabled());
}

TEST_F(ImmobiliTest, ADeletionThatCannotBeWrittenChangesNothing) {
  scriviRegistro();
  Immobili& p = pagina();
  scegli(p, "ROSSI MARIO");
  user.pickRow(p.lstCatasto, 0);
  // A folder where the register goes: the rewrite fails.
  fs::remove(registro());
  fs::create_directories(registro() + "/dentro");
  desk.expectMsgBox(vbYes);
  desk.expectMsgBox(vbOK, {.title = "Quotara", .icon = vbCritical});
  user.click(p.Command1[2]);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_EQ(voci(p.List1), kOrdinato);
  EXPECT_EQ(p.lstCatasto.ListCount(), 4);
  EXPECT_TRUE(fs::is_directory(registro() + "/dentro"));
}

TEST_F(ImmobiliTest, TheExportWritesEveryLineInFileOrderAsCsvFields) {
  scriviRegistro({kCasa, "ROSSI MARIO;FORLÌ;VIA, CORTA;0;;;;;;;;;;;1.234,56;;;uno, due\\tre"});
  Immobili& p = pagina();
  desk.expectMsgBox(vbOK,
                    {.prompt = "Esportazione completata.\r\nSalvate il file che verrà aperto in una cartella diversa "
                               "da quella temporanea.\r\nIl formato proposto è CSV, ma potete salvarlo come file di "
                               "Excel.",
                     .icon = vbInformation});
  user.click(p.cmdExcel);
  const std::string csv = temp("catasto.csv");
  EXPECT_EQ(quotara::testing::LeggiFile(csv),
            "Nome,Comune,Ubicazione,Tipologia,Partita,Sezione,Foglio,Numero,Subalterno,Categoria,Classe,Vani,Metri,"
            "Possesso,Rendita catastale,Renddito agrario,Reddito domenicale,Annotazioni\r\n"
            "ROSSI MARIO,TORINO,VIA ROMA 1,0,12,,3,45,2,A/2,3,\"5,5\",90,100,\"1.234,56\",,,prima casa\r\n"
            "ROSSI MARIO,FORL\xCC,\"VIA, CORTA\",0,,,,,,,,,,,\"1.234,56\",,,\"uno, due\\tre\"\r\n");
  EXPECT_EQ(desk.openedDocuments(), Righe{csv});
}

TEST_F(ImmobiliTest, TheExportReadsBackInACsvReaderFieldForField) {
  // Amounts, commas, quotes, and a quoted comma.
  const Righe righe = {
      "ROSSI MARIO;TORINO;VIA ROMA, 1;0;12;;3;45;2;A/2;3;5,5;90;50%;1.234,56;;;detto \"il villino\", con box",
      "ROSSI MARIO;CHIERI;CAMPO \"GRANDE\";1;7;;3;44;;;;;1500;100;;9,00;12,00;\"\"",
      "BIANCHI ANNA;PINO;LOTTO;2;8;;4;55;;;;;800;100;40.000,00;;;riga uno\\terza, \"fine\"",
      "VERDI LUCA;ROMA;VIA;0;;;;;;;;;;;;;;"};
  scriviRegistro(righe);
  Immobili& p = pagina();
  desk.expectMsgBox(vbOK);
  user.click(p.cmdExcel);
  const std::string uscita =
      quotara::testing::Esegui("python3 '" + std::string(QUOTARA_TEST_DATA) + "/leggi_catasto_csv.py' '" +
                               temp("catasto.csv") + "' '" + registro() + "'");
  EXPECT_EQ(uscita, "VIA ROMA, 1: 1234.56\nLOTTO: 40000.00\n");
}

TEST_F(ImmobiliTest, AnExportThatNoProgramOpensIsNamedWithItsFolder) {
  scriviRegistro();
  Immobili& p = pagina();
  quotara::testing::ApritoreFinto nessuno(cartella() / "bin", std::nullopt);
  desk.setOpening(HeadlessDesktop::Opening::RealOpener);
  desk.expectMsgBox(vbOK, {.prompt = std::string("Esportazione completata.\r\nSalvate il file che verrà aperto in una "
                                                 "cartella diversa da quella temporanea.\r\nIl formato proposto è CSV, "
                                                 "ma potete salvarlo come file di Excel.")});
  user.click(p.cmdExcel);
  desk.expectMsgBox(vbOK, {.prompt = shell::TestoDocumentoNonAperto({temp("catasto.csv")}), .title = "Quotara"});
  desk.waitForOpeners();
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_TRUE(fs::exists(temp("catasto.csv")));
}

TEST_F(ImmobiliTest, ARegisterGoneSinceTheLoadCannotBeExported) {
  scriviRegistro();
  Immobili& p = pagina();
  fs::remove(registro());
  desk.expectMsgBox(vbOK, {.prompt = "Non è stato archiviato nessun immobile.\r\nEsportazione impossibile.",
                           .title = "Quotara",
                           .icon = vbInformation});
  user.click(p.cmdExcel);
  EXPECT_FALSE(fs::exists(temp("catasto.csv")));
  EXPECT_TRUE(desk.openedDocuments().empty());
}

// Loading a record into the calculation page.
class CaricaPerCalcolo : public CatastoTest {
 protected:
  calculation::MainForm& carica(const std::string& riga, const std::string& proprietario = "ROSSI MARIO") {
    scriviRegistro({riga});
    Immobili& p = pagina();
    scegli(p, proprietario);
    user.pickRow(p.lstCatasto, 0);
    user.click(p.Command1[4]);
    EXPECT_FALSE(application.isLoaded<Immobili>());
    auto& calcolo = application.form<calculation::MainForm>();
    EXPECT_TRUE(calcolo.isShown());
    EXPECT_EQ(application.PaginaAttiva, 1);
    return calcolo;
  }
  static int Tipo(const calculation::MainForm& f) {
    for (int i = 0; i < 8; ++i)
      if (f.Option1[i].Value()) return i;
    return -1;
  }
};

TEST_F(CaricaPerCalcolo, TheCategoryDecidesTheTypeOfABuilding) {
  const std::pair<const char*, int> casi[] = {
      {"A/10", 1}, {"B/1", 4}, {"C/3", 4}, {"C/1", 2}, {"D/5", 7},   {"D/10", 6},
      {"D/1", 5},  {"A/2", 0}, {"E/1", 0}, {"", 0},    {"A/10 ", 1}, {"c/1", 2},
  };
  for (const auto& [categoria, opzione] : casi) {
    SCOPED_TRACE(categoria);
    auto& f = carica("ROSSI MARIO;TORINO;VIA ROMA 1;0;;;;;;" + std::string(categoria) + ";;;;;1.234,56;;;");
    EXPECT_EQ(Tipo(f), opzione);
    EXPECT_EQ(f.Text3.Text(), "1.234,56");
    application.unload<calculation::MainForm>();
  }
}

TEST_F(CaricaPerCalcolo, AnAreaLoadsItsValueAndLandItsRedditoDominicale) {
  auto& area = carica(kArea);
  EXPECT_EQ(Tipo(area), 3);
  EXPECT_EQ(area.Text3.Text(), "50.000,00");
  EXPECT_EQ(area.Text9.Text(), "100");  // no share stored
  application.unload<calculation::MainForm>();

  auto& terreno = carica(kTerreno);
  EXPECT_EQ(Tipo(terreno), 0);  // the type the fresh page has
  EXPECT_EQ(terreno.Text3.Text(), "12,00");
  EXPECT_EQ(terreno.Text9.Text(), "50");  // "50%"
  EXPECT_EQ(terreno.Combo2.Text(), "CHIERI");
}

TEST_F(CaricaPerCalcolo, TheNamesSurviveTheCombosCompletion) {
  // The calculation archive offers longer names that begin with the same text.
  quotara::testing::ScriviFile(dati("tasi.dat"),
                               "ROSSI MARIONE;VIA ROMA 10;TORINO CENTRO;2026;1.000,00;2.5;5;0;0;12;6;6;100;0;0;"
                               "1,00;1,00;0,00;1,00;0,00;0,00;0,00;0;0;0;3961;0;L219\r\n");
  auto& f = carica(kCasa);
  EXPECT_EQ(f.Combo1.Text(), "ROSSI MARIO");
  EXPECT_EQ(f.Combo3.Text(), "VIA ROMA 1");
  EXPECT_EQ(f.Combo2.Text(), "TORINO");
  EXPECT_EQ(f.Text9.Text(), "100");
  EXPECT_FALSE(application.InCaricamento);
}

// The frame's toolbar: the page, and "Stampa" on it.
class PaginaCatasto : public CatastoTest {
 protected:
  shell::Principale& frame() { return application.form<shell::Principale>(); }
};

TEST_F(PaginaCatasto, TheToolbarOpensThePageAndAnotherPageClosesIt) {
  scriviRegistro();
  frame().EseguiComando(shell::Principale::Catasto);
  EXPECT_TRUE(application.isLoaded<Immobili>());
  EXPECT_TRUE(application.form<Immobili>().isShown());
  EXPECT_EQ(application.PaginaAttiva, 4);
  frame().EseguiComando(shell::Principale::Info);
  EXPECT_FALSE(application.isLoaded<Immobili>());
}

TEST_F(PaginaCatasto, PrintingNeedsRowsAndNamesTheListedOwner) {
  scriviRegistro();
  frame().EseguiComando(shell::Principale::Catasto);
  Immobili& p = application.form<Immobili>();
  desk.expectMsgBox(vbOK, {.prompt = "Non ci sono dati catastali da stampare!", .icon = vbExclamation});
  frame().EseguiComando(shell::Principale::Stampa);

  scegli(p, "rossi mario");
  user.type(p.cboUtente, "altro");  // typed afterwards: the rows stay rossi mario's
  desk.expectMsgBox(vbNo, {.prompt = "Vuoi stampare i dati catastali degli immobili di ROSSI MARIO?"});
  frame().EseguiComando(shell::Principale::Stampa);
  EXPECT_FALSE(fs::exists(temp("catastotasi.pdf")));

  desk.expectMsgBox(vbYes);
  frame().EseguiComando(shell::Principale::Stampa);
  const std::string file = temp("catastotasi.pdf");
  EXPECT_EQ(quotara::testing::ControllaPdf(file), "");
  EXPECT_EQ(desk.openedDocuments(), Righe{file});
  EXPECT_EQ(voci(p.List2), Righe{kMinuscolo});
  const auto parole = quotara::testing::Parole(file);
  EXPECT_TRUE(quotara::testing::TestoIn(parole, "Archivio dati catastali immobili - rossi mario", 1.5, 27.7));
  EXPECT_TRUE(quotara::testing::TestoIn(parole, "1. ASTI - VIA PO 3", 1.5, 26));
}

}  // namespace
}  // namespace archives::testing
