// The calculation archive "tasi.dat" as the calculation page loads and
// writes it: the combos and the hidden list, the checks before archiving,
// append, replacement after Yes, the file untouched after No or a failure.
#include <filesystem>
#include <functional>
#include <utility>

#include "MainFormFixture.h"
#include "shell/Modulo1.h"

namespace calculation::testing {
namespace {

TEST_F(MainFormTest, PrimaArchiviazioneCreaIlFile) {
  MainForm& f = apri();
  anagrafica(f, "Rossi Mario", "Via Roma 1", "ROMA", "H501");
  user.type(f.Text3, "1234,56");
  user.type(f.Text4, "0.8");
  user.type(f.Text9, "50,5");
  calcola(f);
  archivia(f);

  const std::vector<std::string> righe = righeArchivio();
  ASSERT_EQ(righe.size(), 1u);
  EXPECT_EQ(righe[0],
            "Rossi Mario;Via Roma 1;ROMA;2026;1.234,56;0.8;5;0;0;12;6;6;50.5;0;0;"
            "165,92;83,79;0,00;41,90;0,00;41,89;0,00;0;0;0;3961;0;H501");
  EXPECT_EQ(f.List1.ListCount(), 1);
  EXPECT_EQ(f.List1.List(0), righe[0]);
}

// Whole lines worked out by hand from the inputs typed.
TEST_F(MainFormTest, RigheCalcolateAMano) {
  const struct {
    const char* nome;
    std::function<void(MainForm&)> digita;
    const char* riga;
  } casi[] = {
      // A main dwelling held 8 months, uninhabitable, paid at once:
      // R 800 / 2 * 1,025 = 410, T 160 * 410 * 1,5 / 1000 = 98,40,
      // Q 8 * 98,40 / 12 = 65,60, D 50 * 8 / 12 = 33,33, due 32,27 in one payment.
      {"abitazione",
       [this](MainForm& f) {
         user.type(f.Text3, "800");
         user.type(f.Text4, "1.5");
         user.type(f.Text5, "2,5");
         user.type(f.Text8, "8");
         user.pressTab();
         user.tick(f.Check1);
         user.type(f.Text7, "50");
         user.tick(f.chkInagibile);
         user.tick(f.chkUnica);
       },
       "Verdi Anna;Via Po 2;MILANO;2026;800,00;1.5;2.5;0;50,00;8;6;2;100;0;1;"
       "98,40;65,60;33,33;32,27;33,33;0,00;0;1;0;0;3958;3;F205"},
      // The tenant's 30 % for 6 months at half share: T 160 * 1050 * 2,5 / 1000 = 420,
      // tenant 126, Q 6 * 126 / 12 * 50 / 100 = 31,50, advance 15,75.
      {"inquilino",
       [this](MainForm& f) {
         user.type(f.Text3, "1000");
         user.type(f.Text4, "2,5");
         user.type(f.Text8, "6");
         user.pressTab();
         user.type(f.Text9, "50");
         user.tick(f.chkLocata);
         user.type(f.txtLocata, "30");
         user.tick(f.chkInquilino);
       },
       "Verdi Anna;Via Po 2;MILANO;2026;1.000,00;2.5;5;1;0;6;6;0;50;0;0;"
       "420,00;31,50;0,00;15,75;0,00;15,75;0,00;0;30;1;3961;0;F205"},
  };
  for (const auto& c : casi) {
    std::filesystem::remove(archivio());
    MainForm& f = apri();
    user.click(f.Command2);
    anagrafica(f, "Verdi Anna", "Via Po 2", "MILANO", "F205");
    c.digita(f);
    calcola(f);
    archivia(f);
    EXPECT_EQ(righeArchivio(), std::vector<std::string>{c.riga}) << c.nome;
  }
}

TEST_F(MainFormTest, OpzioniDiCalcoloNelCampo27) {
  MainForm& f = apri();
  const struct {
    bool unica, inagibile;
    const char* atteso;
  } casi[] = {{false, false, "0"}, {true, false, "1"}, {false, true, "2"}, {true, true, "3"}};
  for (int i = 0; i < 4; ++i) {
    user.click(f.Command2);
    anagrafica(f, "Rossi Mario", "Via Roma " + std::to_string(i), "ROMA", "H501");
    datiMinimi(f);
    if (casi[i].unica) user.tick(f.chkUnica);
    if (casi[i].inagibile) user.tick(f.chkInagibile);
    calcola(f);
    archivia(f);
  }
  const std::vector<std::string> righe = righeArchivio();
  ASSERT_EQ(righe.size(), 4u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(shell::Campo(righe[i], ";", 27), casi[i].atteso);
}

TEST_F(MainFormTest, SovrascritturaDopoSi) {
  scriviArchivio({riga("Rossi Mario", "Via Roma 1", "ROMA", "2026", "H501"),
                  riga("Bianchi Anna", "Via Po 2", "TORINO", "2026", "L219")});
  MainForm& f = apri();
  anagrafica(f, "Rossi Mario", "Via Roma 1", "ROMA", "H501");
  user.type(f.Text3, "2000");
  user.type(f.Text4, "2");
  calcola(f);
  sovrascrivi(f, vbYes);

  const std::vector<std::string> righe = righeArchivio();
  ASSERT_EQ(righe.size(), 2u);
  EXPECT_EQ(shell::Campo(righe[0], ";", 1), "Bianchi Anna");
  EXPECT_EQ(CalcoloRecord::chiaveDi(righe[1]), "Rossi Mario;Via Roma 1;ROMA;2026");
  EXPECT_EQ(shell::Campo(righe[1], ";", 5), "2.000,00");
  ASSERT_EQ(f.List1.ListCount(), 2);
  EXPECT_EQ(f.List1.List(1), righe[1]);
}

TEST_F(MainFormTest, NoLasciaIlFileComEra) {
  scriviArchivio({riga("Rossi Mario", "Via Roma 1", "ROMA", "2026", "H501"),
                  riga("Bianchi Anna", "Via Po 2", "TORINO", "2026", "L219")});
  const std::string prima = byteArchivio();
  MainForm& f = apri();
  anagrafica(f, "Rossi Mario", "Via Roma 1", "ROMA", "H501");
  datiMinimi(f);
  calcola(f);
  sovrascrivi(f, vbNo);
  EXPECT_EQ(byteArchivio(), prima);
  EXPECT_EQ(f.List1.ListCount(), 2);

  desk.expectMsgBox(vbNo, {.prompt = "Vuoi archiviare questi dati?"});
  user.click(f.Command3);
  EXPECT_EQ(byteArchivio(), prima);
}

// A line appended in this session is found by the next duplicate test, and a
// replacement keeps it: no record lost, no key twice.
TEST_F(MainFormTest, AccodaESovrascriviNellaStessaSessione) {
  scriviArchivio({riga("Verdi Luca", "Via Dante 3", "MILANO", "2026", "F205")});
  MainForm& f = apri();
  anagrafica(f, "Rossi Mario", "Via Roma 1", "ROMA", "H501");
  datiMinimi(f);
  calcola(f);
  archivia(f);

  anagrafica(f, "Bianchi Anna", "Via Po 2", "TORINO", "L219");
  archivia(f);

  anagrafica(f, "Rossi Mario", "Via Roma 1", "ROMA", "H501");
  user.type(f.Text4, "3");
  calcola(f);
  sovrascrivi(f, vbYes);

  const std::vector<std::string> righe = righeArchivio();
  ASSERT_EQ(righe.size(), 3u);
  EXPECT_EQ(shell::Campo(righe[0], ";", 1), "Verdi Luca");
  EXPECT_EQ(shell::Campo(righe[1], ";", 1), "Bianchi Anna");
  EXPECT_EQ(shell::Campo(righe[2], ";", 1), "Rossi Mario");
  EXPECT_EQ(shell::Campo(righe[2], ";", 6), "3");
  ASSERT_EQ(f.List1.ListCount(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(f.List1.List(i), righe[i]);
}

TEST_F(MainFormTest, LaChiaveEEsatta) {
  scriviArchivio({riga("Bianchi", "Via Po 2", "TORINO", "2026", "L219")});
  MainForm& f = apri();
  anagrafica(f, "BIANCHI", "Via Po 2", "TORINO", "L219");
  datiMinimi(f);
  calcola(f);
  archivia(f);  // no replacement question
  EXPECT_EQ(righeArchivio().size(), 2u);
}

// Names are stored without the blanks around them, and a name of blanks is
// a missing name.
TEST_F(MainFormTest, NomiSenzaSpaziIntorno) {
  MainForm& f = apri();
  anagrafica(f, "  Rossi Mario ", " Via Roma 1", "ROMA  ", "H501");
  datiMinimi(f);
  calcola(f);
  archivia(f);
  EXPECT_EQ(CalcoloRecord::chiaveDi(righeArchivio()[0]), "Rossi Mario;Via Roma 1;ROMA;2026");

  anagrafica(f, "Rossi Mario", "Via Roma 1", "ROMA", "H501");
  sovrascrivi(f, vbNo);  // the same key
}

struct CasoMancante {
  const char* nome;
  const char *contribuente, *indirizzo, *comune, *codice;
  const char* messaggio;
  const Control* (*fuoco)(const MainForm&);
};

class MainFormDatiMancanti : public MainFormTest, public ::testing::WithParamInterface<CasoMancante> {};

TEST_P(MainFormDatiMancanti, NienteArchiviato) {
  const CasoMancante& c = GetParam();
  MainForm& f = apri();
  datiMinimi(f);
  calcola(f);
  anagrafica(f, c.contribuente, c.indirizzo, c.comune, "");
  f.lblCodCat.setCaption(c.codice);
  desk.expectMsgBox(vbYes, {.prompt = "Vuoi archiviare questi dati?"});
  desk.expectMsgBox(vbOK, {.prompt = c.messaggio, .title = "Quotara"});
  user.click(f.Command3);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_FALSE(std::filesystem::exists(archivio()));
  EXPECT_EQ(focused(), c.fuoco(f));
}

const CasoMancante kMancanti[] = {
    {"contribuenteBlank", " ", "Via Roma 1", "ROMA", "H501", "Devi immettere il nome del contribuente.",
     [](const MainForm& f) -> const Control* { return &f.Combo1; }},
    {"indirizzoVuoto", "Rossi", "", "ROMA", "H501", "Devi immettere l'indirizzo dell'immobile.",
     [](const MainForm& f) -> const Control* { return &f.Combo3; }},
    {"comuneBlank", "Rossi", "Via Roma 1", "   ", "H501", "Devi immettere il comune di ubicazione dell'immobile.",
     [](const MainForm& f) -> const Control* { return &f.Combo2; }},
    {"codiceVuoto", "Rossi", "Via Roma 1", "ROMA", "", "Devi immettere il codice catastale del comune.",
     [](const MainForm& f) -> const Control* { return &f.cmdCodCat; }},
    {"puntoEVirgolaNelNome", "Rossi;Mario", "Via Roma 1", "ROMA", "H501",
     "Il campo \"Cognome e nome contribuente\" contiene un carattere non ammesso (\";\" o un "
     "ritorno a capo).",
     [](const MainForm& f) -> const Control* { return &f.Combo1; }},
    {"aCapoNellIndirizzo", "Rossi", "Via Roma\r\n1", "ROMA", "H501",
     "Il campo \"Indirizzo immobile\" contiene un carattere non ammesso (\";\" o un ritorno a "
     "capo).",
     [](const MainForm& f) -> const Control* { return &f.Combo3; }},
};

INSTANTIATE_TEST_SUITE_P(MainForm, MainFormDatiMancanti, ::testing::ValuesIn(kMancanti),
                         [](const auto& caso) { return std::string(caso.param.nome); });

TEST_F(MainFormTest, AnnoDiversoDalCorrente) {
  MainForm& f = apri();
  anagrafica(f, "Rossi Mario", "Via Roma 1", "ROMA", "H501");
  user.type(f.Text2, "2025");
  datiMinimi(f);
  calcola(f);
  desk.expectMsgBox(vbYes, {.prompt = "Vuoi archiviare questi dati?"});
  desk.expectMsgBox(
      vbNo, {.prompt = "L'anno indicato non è quello corrente, proseguo?", .buttons = vbYesNo, .icon = vbQuestion});
  user.click(f.Command3);
  EXPECT_EQ(focused(), &f.Text2);
  EXPECT_FALSE(std::filesystem::exists(archivio()));

  desk.expectMsgBox(vbYes, {.prompt = "Vuoi archiviare questi dati?"});
  desk.expectMsgBox(vbYes, {.prompt = "L'anno indicato non è quello corrente, proseguo?"});
  desk.expectMsgBox(vbOK, {.prompt = "Dati archiviati!"});
  user.click(f.Command3);
  EXPECT_EQ(shell::Campo(righeArchivio()[0], ";", 4), "2025");
}

// A failed write says so, never "Dati archiviati!", and leaves the file and
// the hidden list as they were.
TEST_F(MainFormTest, ScritturaFallita) {
  std::filesystem::create_directories(archivio());  // a folder where the file should be
  MainForm& f = apri();
  anagrafica(f, "Rossi Mario", "Via Roma 1", "ROMA", "H501");
  datiMinimi(f);
  calcola(f);
  desk.expectMsgBox(vbYes, {.prompt = "Vuoi archiviare questi dati?"});
  desk.expectMsgBox(vbOK, {.title = "Quotara", .icon = vbCritical});
  user.click(f.Command3);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_EQ(desk.msgBoxes().back().prompt.rfind("Impossibile archiviare i dati.", 0), 0u);
  EXPECT_EQ(f.List1.ListCount(), 0);
}

TEST_F(MainFormTest, SovrascritturaFallita) {
  scriviArchivio({riga("Rossi Mario", "Via Roma 1", "ROMA", "2026", "H501")});
  MainForm& f = apri();
  const std::string vecchia = f.List1.List(0);
  // The file becomes a folder that cannot be replaced.
  std::filesystem::remove(archivio());
  std::filesystem::create_directories(archivio() + "/dentro");
  anagrafica(f, "Rossi Mario", "Via Roma 1", "ROMA", "H501");
  datiMinimi(f);
  user.type(f.Text4, "3");
  calcola(f);
  desk.expectMsgBox(vbYes, {.prompt = "Vuoi archiviare questi dati?"});
  desk.expectMsgBox(vbYes, {.buttons = vbYesNo});
  desk.expectMsgBox(vbOK, {.icon = vbCritical});
  user.click(f.Command3);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  ASSERT_EQ(f.List1.ListCount(), 1);
  EXPECT_EQ(f.List1.List(0), vecchia);
  EXPECT_TRUE(std::filesystem::exists(archivio() + "/dentro"));
}

TEST_F(MainFormTest, CombiRiempitiDallArchivio) {
  scriviArchivio(
      {riga("Rossi", "Via Roma 1", "ROMA", "2025", "H501"), riga("Bianchi", "Via Po 2", "TORINO", "2025", "L219"),
       riga("Rossi", "Via Roma 1", "ROMA", "2026", "H501"), riga("rossi", "Via Po 2", "ROMA", "2026", "H501")});
  MainForm& f = apri();
  const auto voci = [](const ComboBox& c) {
    std::vector<std::string> v;
    for (int i = 0; i < c.ListCount(); ++i) v.push_back(c.List(i));
    return v;
  };
  EXPECT_EQ(voci(f.Combo1), (std::vector<std::string>{"Rossi", "Bianchi", "rossi"}));
  EXPECT_EQ(voci(f.Combo2), (std::vector<std::string>{"ROMA", "TORINO"}));
  EXPECT_EQ(voci(f.Combo3), (std::vector<std::string>{"Via Roma 1", "Via Po 2"}));
  EXPECT_EQ(f.List1.ListCount(), 4);

  // "&Nuovo Calcolo" reads the file again: Combo1 is rebuilt, the other two
  // keep what they offered and only gain.
  scriviArchivio({riga("Verdi", "Via Dante 3", "MILANO", "2026", "F205")});
  user.click(f.Command2);
  EXPECT_EQ(voci(f.Combo1), (std::vector<std::string>{"Verdi"}));
  EXPECT_EQ(voci(f.Combo2), (std::vector<std::string>{"ROMA", "TORINO", "MILANO"}));
  EXPECT_EQ(voci(f.Combo3), (std::vector<std::string>{"Via Roma 1", "Via Po 2", "Via Dante 3"}));
  EXPECT_EQ(f.List1.ListCount(), 1);
}

TEST_F(MainFormTest, AccentiInWindows1252) {
  MainForm& f = apri();
  user.type(f.Combo1, "Niccolò Ferrè");
  user.type(f.Combo3, "Piazza Libertà 1");
  user.type(f.Combo2, "FORLÌ");
  f.lblCodCat.setCaption("D704");
  datiMinimi(f);
  calcola(f);
  archivia(f);

  const std::string byte = byteArchivio();
  EXPECT_EQ(byte.rfind("Niccol\xF2 Ferr\xE8;Piazza Libert\xE0 1;FORL\xCC;2026;", 0), 0u);
  user.click(f.Command2);
  EXPECT_EQ(f.Combo1.List(0), "Niccolò Ferrè");
  EXPECT_EQ(f.Combo2.List(0), "FORLÌ");
  EXPECT_EQ(f.Combo3.List(0), "Piazza Libertà 1");
  EXPECT_EQ(f.List1.List(0), righeArchivio()[0]);
}

// The municipality's code follows the municipality.
TEST_F(MainFormTest, CodiceCatastaleDelComune) {
  scriviArchivio({riga("Rossi", "Via Roma 1", "ROMA", "2025", ""), riga("Rossi", "Via Roma 2", "ROMA", "2025", "H501"),
                  riga("Bianchi", "Via Po 2", "TORINO", "2025", "L219")});
  MainForm& f = apri();
  user.pickRow(f.Combo2, 1);
  EXPECT_EQ(f.lblCodCat.Caption(), "L219");
  user.pickRow(f.Combo2, 0);
  EXPECT_EQ(f.lblCodCat.Caption(), "H501");  // the first line of ROMA with a code

  const auto scrivi = [&](const char* comune) {
    f.Combo2.setText("");
    user.type(f.Combo2, comune);
  };
  scrivi("NAPOLI");
  EXPECT_EQ(f.lblCodCat.Caption(), "");
  scrivi("TORINO");
  EXPECT_EQ(f.lblCodCat.Caption(), "L219");

  // A code found by the municipality-code window stays with its municipality.
  scrivi("MILANO");
  f.lblCodCat.setCaption("F205");
  user.focus(f.Text2);
  user.focus(f.Combo2);
  user.key(vbKeyEnd);
  user.type(" ");
  EXPECT_EQ(f.lblCodCat.Caption(), "F205");
  user.type("MARITTIMA");
  EXPECT_EQ(f.lblCodCat.Caption(), "");
}

// What the page archives counts for the codes at once: a new municipality
// brings its code, a municipality that had none takes the first one
// archived, and a replaced line moves to the end of the file with its code.
TEST_F(MainFormTest, CodiceCatastaleDopoLArchiviazione) {
  scriviArchivio({riga("Rossi", "Via Roma 1", "ROMA", "2026", ""),
                  riga("Bianchi", "Via Po 2", "TORINO", "2026", "L219"),
                  riga("Neri", "Via Po 4", "TORINO", "2026", "L218")});
  MainForm& f = apri();
  const auto codiceDi = [&](const char* comune) {
    f.Combo2.setText("");
    user.type(f.Combo2, comune);
    return f.lblCodCat.Caption();
  };
  EXPECT_EQ(codiceDi("ROMA"), "");
  const auto archiviaRiga = [&](const char* nome, const char* indirizzo, const char* comune, const char* codice,
                                bool esistente) {
    anagrafica(f, nome, indirizzo, comune, codice);
    f.Text3.setText("1000");
    f.Text4.setText("2");
    calcola(f);
    if (esistente)
      sovrascrivi(f, vbYes);
    else
      archivia(f);
  };
  archiviaRiga("Verdi", "Via Dante 3", "MILANO", "F205", false);
  EXPECT_EQ(codiceDi("MILANO"), "F205");
  archiviaRiga("Gialli", "Via Roma 9", "ROMA", "H501", false);
  EXPECT_EQ(codiceDi("ROMA"), "H501");
  archiviaRiga("Blu", "Via Roma 10", "ROMA", "H502", false);
  EXPECT_EQ(codiceDi("ROMA"), "H501");
  EXPECT_EQ(codiceDi("TORINO"), "L219");
  // Bianchi's line goes to the end: Neri's comes first now.
  archiviaRiga("Bianchi", "Via Po 2", "TORINO", "L299", true);
  EXPECT_EQ(codiceDi("TORINO"), "L218");
  // A page opened afterwards finds the same codes in the file.
  application.unload<MainForm>();
  MainForm& g = apri();
  for (const auto& [comune, codice] : {std::pair{"MILANO", "F205"}, {"ROMA", "H501"}, {"TORINO", "L218"}}) {
    g.Combo2.setText("");
    user.type(g.Combo2, comune);
    EXPECT_EQ(g.lblCodCat.Caption(), codice) << comune;
  }
}

TEST_F(MainFormTest, AutocompletamentoSospesoDuranteIlCaricamento) {
  scriviArchivio({riga("Rossi Mario", "Via Roma 1", "ROMA", "2025", "H501")});
  MainForm& f = apri();
  user.type(f.Combo1, "Ro");
  EXPECT_EQ(f.Combo1.Text(), "Rossi Mario");

  shell::app().InCaricamento = true;
  f.Combo1.setText("");
  user.type(f.Combo1, "Ro");
  shell::app().InCaricamento = false;
  EXPECT_EQ(f.Combo1.Text(), "Ro");
}

}  // namespace
}  // namespace calculation::testing
