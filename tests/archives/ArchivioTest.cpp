// The archive page as its user meets it: opening, filters with count and
// total, selecting a row, loading it into the calculation page, deleting,
// copying, and printing from the frame.
#include "archives/Archivio.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ArchivioCampione.h"
#include "calculation/MainForm.h"
#include "platform/Files.h"
#include "frame/Principale.h"
#include "support/Pdf.h"
#include "support/ProgramTest.h"

namespace archives::testing {
namespace {

using namespace forms;
namespace fs = std::filesystem;

class ArchivioTest : public quotara::testing::ProgramTest {
 protected:
  explicit ArchivioTest(std::chrono::local_seconds oggi = DataFissa()) : ProgramTest(oggi) {}

  std::string file() const { return dati("tasi.dat"); }
  void scrivi(const std::vector<std::string>& righe) { platform::writeLinesAtomic(file(), righe); }

  Archivio& apri() {
    auto& frame = application.form<shell::Principale>();
    frame.Show();
    frame.EseguiComando(shell::Principale::Archivio);
    return application.form<Archivio>();
  }

  // The rows as the four columns show them, each as "c0|c1|c2|c3".
  static std::vector<std::string> Righe(const Archivio& f) {
    std::vector<std::string> righe;
    for (int r = 0; r < f.List1[0].ListCount(); ++r)
      righe.push_back(f.List1[0].List(r) + "|" + f.List1[1].List(r) + "|" + f.List1[2].List(r) + "|" +
                      f.List1[3].List(r));
    return righe;
  }
  static std::vector<std::string> Voci(const ComboBox& c) {
    std::vector<std::string> v;
    for (int i = 0; i < c.ListCount(); ++i) v.push_back(c.List(i));
    return v;
  }
  static std::string Chiave(const std::string& riga) {
    std::string k = calculation::CalcoloRecord::chiaveDi(riga);
    for (char& c : k)
      if (c == ';') c = '|';
    return k;
  }
};

TEST_F(ArchivioTest, WithoutAnArchiveThePageOpensEmpty) {
  Archivio& f = apri();
  EXPECT_EQ(f.Caption(), "Archivio dati");
  EXPECT_TRUE(f.isShown());
  EXPECT_EQ(application.PaginaAttiva, 3);
  for (const ComboBox* c : {&f.Combo1, &f.Combo2, &f.Combo3}) EXPECT_EQ(c->ListCount(), 0);
  EXPECT_EQ(f.List1[0].ListCount(), 0);
  EXPECT_EQ(f.lblNum.Caption(), "0");
  EXPECT_EQ(f.lblTot.Caption(), "0");
  EXPECT_FALSE(f.Command1.Enabled());
  EXPECT_FALSE(f.Command2.Enabled());
  EXPECT_FALSE(f.VScroll1.Visible());
  EXPECT_TRUE(desk.msgBoxes().empty());
}

TEST_F(ArchivioTest, FilterChoicesListTheirRowsInOrderWithCountAndTotal) {
  scrivi(ArchivioCampione());
  Archivio& f = apri();
  const std::string T = kTutti;
  EXPECT_EQ(Voci(f.Combo1), (std::vector<std::string>{T, "Bianchi Anna", "Rossi Mario", "ROSSI MARIO"}));
  EXPECT_EQ(Voci(f.Combo2), (std::vector<std::string>{T, "Milano", "Roma", "Torino"}));
  EXPECT_EQ(Voci(f.Combo3), (std::vector<std::string>{T, "2015", "2014", "2013"}));

  const auto o = ArchivioOrdinato();
  std::vector<std::string> tutte;
  for (const auto& r : o) tutte.push_back(Chiave(r.riga));
  struct Caso {
    int contribuente, comune, anno;  // indexes in the three lists
    std::vector<std::string> righe;
    const char* numero;
    const char* totale;
  } casi[] = {
      {0, 0, 0, tutte, "6", "3.155,11"},
      {3, 0, 0, {tutte[3]}, "1", "201,00"},
      {2, 0, 0, {tutte[2], tutte[4], tutte[5]}, "3", "485,00"},
      {0, 2, 2, {tutte[3], tutte[4], tutte[5]}, "3", "636,00"},
      {0, 0, 1, {tutte[1], tutte[2]}, "2", "2.519,11"},
      {1, 2, 0, {}, "0", "0,00"},
      {0, 0, 3, {tutte[0]}, "1", "0,00"},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::to_string(c.contribuente) + " " + std::to_string(c.comune) + " " + std::to_string(c.anno));
    user.pickRow(f.Combo1, c.contribuente);
    user.pickRow(f.Combo2, c.comune);
    user.pickRow(f.Combo3, c.anno);
    EXPECT_EQ(Righe(f), c.righe);
    EXPECT_EQ(f.lblNum.Caption(), c.numero);
    EXPECT_EQ(f.lblTot.Caption(), c.totale);
    EXPECT_FALSE(f.Command1.Enabled());
    EXPECT_FALSE(f.Command2.Enabled());
  }
  EXPECT_TRUE(desk.msgBoxes().empty());
  EXPECT_EQ(desk.pointerChanges(), (std::vector<int>{vbHourglass, vbDefault})) << "while the archive is read";
}

TEST_F(ArchivioTest, AClickedRowIsTheOneTheCommandsActOnEvenWithEqualKeys) {
  scrivi(ArchivioCampione());
  Archivio& f = apri();
  const auto o = ArchivioOrdinato();
  // Rows 4 and 5 hold the same key with different amounts.
  for (int riga : {4, 5, 1}) {
    SCOPED_TRACE(riga);
    user.pickRow(f.List1[2], riga);
    for (int c = 0; c < 4; ++c) EXPECT_EQ(f.List1[c].ListIndex(), riga);
    EXPECT_EQ(f.List2.ListIndex(), riga);
    EXPECT_EQ(f.List2.List(f.List2.ListIndex()), o[static_cast<size_t>(riga)].riga);
    EXPECT_EQ(f.lblAnno.Caption(), calculation::CalcoloRecord::fromLine(o[static_cast<size_t>(riga)].riga).AnnoImposta);
    EXPECT_TRUE(f.Command1.Enabled());
    EXPECT_TRUE(f.Command2.Enabled());
  }
  EXPECT_EQ(f.lblImposta.Caption(), "420,00");
  // A filter change lists anew: no row is selected, nothing to act on.
  user.pickRow(f.Combo3, 1);
  EXPECT_EQ(f.List2.ListIndex(), -1);
  EXPECT_EQ(f.lblAnno.Caption(), "");
  EXPECT_FALSE(f.Command1.Enabled());
  // The copy of a filtered row is that row's line.
  user.pickRow(f.List1[0], 1);
  desk.expectPopupMenu("Copia dati negli appunti");
  desk.expectMsgBox(vbOK, {.prompt = "Quotara copiato negli appunti!", .title = "Quotara", .icon = vbInformation});
  user.mouseDown(f.List1[3], 10, 10, vbRightButton);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_EQ(desktop().clipboardText(), TestoAppunti(o[2].riga));
}

TEST_F(ArchivioTest, TheRightButtonOffersTheMenuOnlyOverASelectedRow) {
  scrivi(ArchivioCampione());
  Archivio& f = apri();
  user.mouseDown(f.List1[0], 10, 10, vbRightButton);  // no row selected: no menu
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  user.pickRow(f.List1[1], 0);
  desk.expectPopupMenu("");  // dismissed
  user.mouseDown(f.List1[1], 10, 10, vbRightButton);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_TRUE(desk.msgBoxes().empty());
}

TEST_F(ArchivioTest, TheCopyOfAMainDwellingHas25Lines) {
  const std::string riga =
      "Verdi Lucia;Via Dante 2;Città di Castello;2015;812,00;3.3;5;0;200,00;12;6;6;50;0;1;"
      "450,14;225,07;100,00;62,54;50,00;62,53;50,00;2;0;0;3958;1;C745";
  scrivi({riga});
  Archivio& f = apri();
  user.pickRow(f.List1[0], 0);
  desk.expectPopupMenu("Copia dati negli appunti");
  desk.expectMsgBox(vbOK, {.prompt = "Quotara copiato negli appunti!"});
  user.mouseDown(f.List1[0], 10, 10, vbRightButton);
  const std::string testo = desktop().clipboardText();
  // Lines end with LF alone, which every editor shows as lines.
  EXPECT_EQ(std::count(testo.begin(), testo.end(), '\n'), 25);
  EXPECT_EQ(testo.find('\r'), std::string::npos);
  EXPECT_NE(testo.find("\nAliquota TASI (x 1000): 3,3\n"), std::string::npos);
  EXPECT_EQ(testo, TestoAppunti(riga));
}

// --- Deleting ------------------------------------------------------------------------

TEST_F(ArchivioTest, DeletingRewritesTheRestSortedAndResetsTheFilters) {
  scrivi({"C;via;Roma;2014;1;2;3", "a;via;Roma;2015;1;2;3", "B;via;Pisa;2014;1;2;3"});
  Archivio& f = apri();
  user.pickRow(f.Combo2, 2);  // Roma
  user.pickRow(f.List1[0], 1);
  EXPECT_EQ(f.List1[0].List(1), "C");
  desk.expectMsgBox(vbYes, {.prompt = "Vuoi eliminare l'immobile selezionato?", .icon = vbQuestion});
  user.click(f.Command2);
  EXPECT_EQ(quotara::testing::LeggiFile(file()), "a;via;Roma;2015;1;2;3\r\nB;via;Pisa;2014;1;2;3\r\n");
  for (const ComboBox* c : {&f.Combo1, &f.Combo2, &f.Combo3}) EXPECT_EQ(c->Text(), kTutti);
  EXPECT_EQ(Righe(f), (std::vector<std::string>{"a|via|Roma|2015", "B|via|Pisa|2014"}));
  EXPECT_EQ(f.lblNum.Caption(), "2");
  EXPECT_FALSE(f.Command2.Enabled());
}

TEST_F(ArchivioTest, NoKeepsTheRecord) {
  scrivi({"a;via;Roma;2015;1;2;3"});
  Archivio& f = apri();
  user.pickRow(f.List1[0], 0);
  desk.expectMsgBox(vbNo, {.prompt = "Vuoi eliminare l'immobile selezionato?"});
  user.click(f.Command2);
  EXPECT_EQ(quotara::testing::LeggiFile(file()), "a;via;Roma;2015;1;2;3\r\n");
  EXPECT_EQ(f.List1[0].ListCount(), 1);
}

TEST_F(ArchivioTest, DeletingTheLastRecordRemovesTheFile) {
  scrivi({"a;via;Roma;2015;1;2;3;;;;;;;;;;;;1,00;;1,00"});
  Archivio& f = apri();
  EXPECT_EQ(f.lblTot.Caption(), "2,00");
  user.pickRow(f.List1[0], 0);
  desk.expectMsgBox(vbYes, {.prompt = "Vuoi eliminare l'immobile selezionato?"});
  user.click(f.Command2);
  EXPECT_FALSE(fs::exists(file()));
  EXPECT_EQ(f.List1[0].ListCount(), 0);
  EXPECT_EQ(f.List2.ListCount(), 0);
  EXPECT_EQ(f.lblNum.Caption(), "0");
  EXPECT_EQ(f.lblTot.Caption(), "0,00");
  EXPECT_FALSE(f.Command1.Enabled());
  EXPECT_EQ(f.Combo1.ListCount(), 2) << "the filter lists keep their items";
}

// A folder where the file goes: the rewrite (or the removal) fails.
TEST_F(ArchivioTest, AFailedDeletionLeavesFileAndPageAsTheyWere) {
  for (const std::vector<std::string>& righe :
       {std::vector<std::string>{"a;via;Roma;2015", "b;via;Roma;2015"}, std::vector<std::string>{"a;via;Roma;2015"}}) {
    SCOPED_TRACE(righe.size());
    fs::remove_all(file());
    scrivi(righe);
    Archivio& f = apri();
    user.pickRow(f.List1[0], 0);
    fs::remove(file());
    fs::create_directories(file() + "/dentro");
    desk.expectMsgBox(vbYes, {.prompt = "Vuoi eliminare l'immobile selezionato?"});
    desk.expectMsgBox(vbOK, {.title = "Quotara", .icon = vbCritical});
    user.click(f.Command2);
    EXPECT_EQ(desk.pendingAnswers(), 0u);
    EXPECT_EQ(desk.msgBoxes().back().prompt.rfind("Impossibile eliminare i dati.", 0), 0u);
    EXPECT_TRUE(fs::is_directory(file() + "/dentro"));
    EXPECT_EQ(f.List2.ListCount(), static_cast<int>(righe.size()));
    EXPECT_EQ(f.List1[0].ListCount(), static_cast<int>(righe.size()));
    EXPECT_EQ(f.List2.ListIndex(), 0);
    EXPECT_TRUE(f.Command2.Enabled());
  }
}

// --- Loading into the calculation page ------------------------------------------------

struct Atteso {
  std::string controllo, valore;
};

// Every control that a load writes, as text.
std::vector<Atteso> Stato(const calculation::MainForm& m) {
  std::string tipo = "-";
  for (int i = 0; i < 8; ++i)
    if (m.Option1[i].Value()) tipo = std::to_string(i);
  const auto v = [](int x) { return std::to_string(x); };
  return {{"Combo1", m.Combo1.Text()},
          {"Combo3", m.Combo3.Text()},
          {"Combo2", m.Combo2.Text()},
          {"Text2", m.Text2.Text()},
          {"Text3", m.Text3.Text()},
          {"Text4", m.Text4.Text()},
          {"Text5", m.Text5.Text()},
          {"chkLocata", v(m.chkLocata.Value())},
          {"Text7", m.Text7.Text()},
          {"Text8", m.Text8.Text()},
          {"Text1", m.Text1.Text()},
          {"Text10", m.Text10.Text()},
          {"Text9", m.Text9.Text()},
          {"Option1", tipo},
          {"Check1", v(m.Check1.Value())},
          {"Label8", m.Label8.Caption()},
          {"Label10", m.Label10.Caption()},
          {"Label11", m.Label11.Caption()},
          {"Label12", m.Label12.Caption()},
          {"Label13", m.Label13.Caption()},
          {"Label14", m.Label14.Caption()},
          {"Label15", m.Label15.Caption()},
          {"txtNum", m.txtNum.Text()},
          {"txtLocata", m.txtLocata.Text()},
          {"Label18", m.Label18.Caption()},
          {"chkInquilino", v(m.chkInquilino.Value())},
          {"lblCodCom", m.lblCodCom.Caption()},
          {"chkUnica", v(m.chkUnica.Value())},
          {"chkInagibile", v(m.chkInagibile.Value())},
          {"lblCodCat", m.lblCodCat.Caption()},
          {"Command3", m.Command3.Enabled() ? "enabled" : "disabled"}};
}

TEST_F(ArchivioTest, ALoadShowsTheRecordAsArchivedWithoutAQuestion) {
  struct Caso {
    const char* nome;
    std::string riga;
    std::vector<Atteso> diversi;  // the controls that differ from the main dwelling's
    const char* acconto;
    const char* saldo;
  };
  const std::string abitazione =
      "Verdi Anna;Via Po 2;MILANO;2026;800,00;1.5;2.5;0;50,00;8;6;2;100;0;1;"
      "98,40;65,60;33,33;32,27;33,33;0,00;0;1;0;0;3958;3;F205";
  const std::vector<Atteso> campiBase = {
      {"Combo1", "Verdi Anna"}, {"Combo3", "Via Po 2"}, {"Combo2", "MILANO"},   {"Text2", "2026"},
      {"Text3", "800,00"},      {"Text4", "1,5"},       {"Text5", "2,5"},       {"chkLocata", "0"},
      {"Text7", "50,00"},       {"Text8", "8"},         {"Text1", "6"},         {"Text10", "2"},
      {"Text9", "100"},         {"Option1", "0"},       {"Check1", "1"},        {"Label8", "98,40"},
      {"Label10", "65,60"},     {"Label11", "33,33"},   {"Label12", "32,00"},   {"Label13", "33,33"},
      {"Label14", "0,00"},      {"Label15", "0"},       {"txtNum", "1"},        {"txtLocata", "0"},
      {"Label18", "32,27"},     {"chkInquilino", "0"},  {"lblCodCom", "3958"},  {"chkUnica", "1"},
      {"chkInagibile", "1"},    {"lblCodCat", "F205"},  {"Command3", "enabled"}};
  // The same record with fields replaced (1-28).
  const auto con = [&](std::vector<std::pair<int, std::string>> campi) {
    auto r = calculation::CalcoloRecord::fromLine(abitazione);
    for (auto& [n, v] : campi) r.campo(n) = v;
    return r.toLine();
  };
  const Caso casi[] = {
      {"abitazione principale", abitazione, {}, "32,27", "0,00"},
      {"locata con la quota dell'inquilino",
       "Verdi Anna;Via Po 2;MILANO;2026;1.000,00;2.5;5;1;0;6;6;0;50;0;0;"
       "420,00;31,50;0,00;15,75;0,00;15,75;0,00;0;30;1;3961;0;F205",
       {{"Text3", "1.000,00"}, {"Text4", "2,5"},      {"Text5", "5"},      {"chkLocata", "1"},   {"Text7", "0"},
        {"Text8", "6"},        {"Text1", "6"},        {"Text10", "0"},     {"Text9", "50"},      {"Check1", "0"},
        {"Label8", "420,00"},  {"Label10", "31,50"},  {"Label11", "0,00"}, {"Label12", "16,00"}, {"Label13", "0,00"},
        {"Label14", "16,00"},  {"Label15", "0,00"},   {"txtNum", "0"},     {"txtLocata", "30"},  {"Label18", "31,50"},
        {"chkInquilino", "1"}, {"lblCodCom", "3961"}, {"chkUnica", "0"},   {"chkInagibile", "0"}},
       "15,75",
       "15,75"},
      {"area fabbricabile con rivalutazione 0",
       con({{7, "0"}, {14, "3"}, {15, "0"}, {9, "0"}, {23, "0"}, {27, "1"}}),
       {{"Text5", "0"}, {"Option1", "3"}, {"Check1", "0"}, {"Text7", "0"}, {"txtNum", "0"}, {"chkInagibile", "0"}},
       "32,27",
       "0,00"},
      {"ufficio con rivalutazione 3",
       con({{7, "3"}, {14, "1"}, {15, "0"}, {9, "0"}, {23, "0"}, {27, "0"}}),
       {{"Text5", "3"},
        {"Option1", "1"},
        {"Check1", "0"},
        {"Text7", "0"},
        {"txtNum", "0"},
        {"chkUnica", "0"},
        {"chkInagibile", "0"}},
       "32,27",
       "0,00"},
      {"opzioni 0", con({{27, "0"}}), {{"chkUnica", "0"}, {"chkInagibile", "0"}}, "32,27", "0,00"},
      {"opzioni 1", con({{27, "1"}}), {{"chkInagibile", "0"}}, "32,27", "0,00"},
      {"opzioni 2", con({{27, "2"}}), {{"chkUnica", "0"}}, "32,27", "0,00"},
      {"opzioni non valide", con({{27, "x"}}), {{"chkUnica", "0"}, {"chkInagibile", "0"}}, "32,27", "0,00"},
      {"soluzione unica del 2012", con({{4, "2012"}}), {{"Text2", "2012"}}, "32,27", "0,00"},
      {"tipologia 9 saltata", con({{14, "9"}}), {}, "32,27", "0,00"},
      {"rate da dividere",
       con({{19, "10,50"}, {21, "10,49"}}),
       {{"Label12", "11,00"}, {"Label14", "10,00"}},
       "10,50",
       "10,49"},
      {"calcolo mai eseguito",
       con({{16, ""}, {17, ""}, {18, ""}, {19, "0.00"}, {20, ""}, {21, "0.00"}, {22, ""}, {26, ""}}),
       {{"Label8", ""},
        {"Label10", ""},
        {"Label11", ""},
        {"Label12", "0,00"},
        {"Label13", ""},
        {"Label14", "0,00"},
        {"Label15", ""},
        {"Label18", "0,00"},
        {"lblCodCom", ""},
        {"Command3", "disabled"}},
       "0.00",
       "0.00"},
  };
  // An answer for any message box: none is shown, it stays queued.
  desk.expectMsgBox(vbNo);
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    scrivi({c.riga});
    Archivio& f = apri();
    user.pickRow(f.List1[0], 0);
    user.click(f.Command1);
    EXPECT_EQ(desk.pendingAnswers(), 1u);
    EXPECT_TRUE(desk.msgBoxes().empty()) << desk.msgBoxes().front().prompt;
    EXPECT_FALSE(application.isLoaded<Archivio>());
    auto& m = application.form<calculation::MainForm>();
    EXPECT_TRUE(m.isShown());
    EXPECT_EQ(application.PaginaAttiva, 1);
    std::vector<Atteso> attesi = campiBase;
    for (const Atteso& d : c.diversi)
      for (Atteso& a : attesi)
        if (a.controllo == d.controllo) a.valore = d.valore;
    const std::vector<Atteso> stato = Stato(m);
    for (size_t i = 0; i < attesi.size(); ++i) EXPECT_EQ(stato[i].valore, attesi[i].valore) << attesi[i].controllo;
    EXPECT_EQ(application.ImportoAcconto, c.acconto);
    EXPECT_EQ(application.ImportoSaldo, c.saldo);
    EXPECT_FALSE(application.DaArchivio);
    EXPECT_FALSE(application.InCaricamento);
  }
}

// In 2012 the calculation page questions a single payment of 2012; a load
// does not.
class ArchivioNel2012 : public ArchivioTest {
 protected:
  ArchivioNel2012() : ArchivioTest(std::chrono::local_days{std::chrono::year{2012} / 6 / 1}) {}
};

TEST_F(ArchivioNel2012, ASinglePaymentOf2012LoadsWithoutTheQuestion) {
  scrivi(
      {"Verdi Anna;Via Po 2;MILANO;2012;800,00;1.5;2.5;0;50,00;8;6;2;100;0;1;"
       "98,40;65,60;33,33;32,27;33,33;0,00;0;1;0;0;3958;1;F205"});
  Archivio& f = apri();
  user.pickRow(f.List1[0], 0);
  // The answer a question would take: none is asked, it stays queued.
  desk.expectMsgBox(vbNo, {.icon = vbInformation});
  user.click(f.Command1);
  EXPECT_EQ(desk.pendingAnswers(), 1u);
  auto& m = application.form<calculation::MainForm>();
  EXPECT_EQ(m.chkUnica.Value(), vbChecked);
  EXPECT_EQ(m.Text2.Text(), "2012");
  EXPECT_EQ(m.Label8.Caption(), "98,40");
  // The user's own tick still asks.
  user.tick(m.chkUnica);
  user.tick(m.chkUnica);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_EQ(m.chkUnica.Value(), vbUnchecked);
}

TEST_F(ArchivioTest, EnterAndEscMoveBetweenTheFiltersAndTabReachesTheList) {
  scrivi(ArchivioCampione());
  Archivio& f = apri();
  user.focus(f.Combo1);
  user.pressEnter();
  EXPECT_EQ(application.focused(), &f.Combo2);
  user.pressEnter();
  EXPECT_EQ(application.focused(), &f.Combo3);
  user.pressEsc();
  EXPECT_EQ(application.focused(), &f.Combo2);
  user.pressEnter();
  user.pressTab();
  EXPECT_EQ(application.focused(), &f.List1[0]) << "one stop for the four columns";
  user.key(vbKeyDown);
  EXPECT_EQ(f.List1[3].ListIndex(), 0);
  EXPECT_TRUE(f.Command1.Enabled());
  user.pressTab();
  EXPECT_EQ(application.focused(), &f.Command1);
  user.pressTab();
  EXPECT_EQ(application.focused(), &f.Command2);
  user.pressTab();
  EXPECT_EQ(application.focused(), &f.Combo1);
}

TEST_F(ArchivioTest, ALoadedMainDwellingKeepsTheOwnersWhenTickedAgain) {
  scrivi(
      {"Verdi Anna;Via Po 2;MILANO;2026;800,00;1.5;2.5;0;50,00;8;6;2;100;0;1;"
       "98,40;65,60;33,33;32,27;33,33;0,00;0;3;0;0;3958;0;F205"});
  Archivio& f = apri();
  user.pickRow(f.List1[0], 0);
  user.click(f.Command1);
  auto& m = application.form<calculation::MainForm>();
  EXPECT_EQ(m.txtNum.Text(), "3");
  // DaArchivio is over: a new tick is the user's, with the defaults.
  user.tick(m.Check1);
  user.tick(m.Check1);
  EXPECT_EQ(m.txtNum.Text(), "1");
  EXPECT_EQ(m.Text7.Text(), "0");
}

TEST_F(ArchivioTest, ADoubleClickLoadsOnlyASelectedRow) {
  scrivi(ArchivioCampione());
  Archivio& f = apri();
  user.dblClick(f.List1[0]);  // nothing selected yet
  EXPECT_TRUE(application.isLoaded<Archivio>());
  user.dblClickRow(f.List1[1], 3);
  EXPECT_FALSE(application.isLoaded<Archivio>());
  EXPECT_EQ(application.form<calculation::MainForm>().Combo1.Text(), "ROSSI MARIO");
}

// Archived by the calculation page, loaded back, computed again and archived
// again over itself: the same line.
TEST_F(ArchivioTest, ALoadedRecordComputedAgainIsArchivedAsItWas) {
  const std::string righe[] = {
      "Verdi Anna;Via Po 2;MILANO;2026;800,00;1.5;2.5;0;50,00;8;6;2;100;0;1;"
      "98,40;65,60;33,33;32,27;33,33;0,00;0;1;0;0;3958;3;F205",
      "Verdi Anna;Via Po 2;MILANO;2026;1.000,00;2.5;5;1;0;6;6;0;50;0;0;"
      "420,00;31,50;0,00;15,75;0,00;15,75;0,00;0;30;1;3961;0;F205",
  };
  for (const std::string& riga : righe) {
    SCOPED_TRACE(riga);
    scrivi({riga});
    Archivio& f = apri();
    user.pickRow(f.List1[0], 0);
    user.click(f.Command1);
    auto& m = application.form<calculation::MainForm>();
    m.Label8.setCaption("");  // the results come from the formula again
    user.click(m.Command1);
    desk.expectMsgBox(vbYes, {.prompt = "Vuoi archiviare questi dati?"});
    desk.expectMsgBox(vbYes, {.prompt = "Questo immobile è già presente nell'archivio.\r\nVuoi sovrascriverlo?"});
    desk.expectMsgBox(vbOK, {.prompt = "Dati archiviati!"});
    user.click(m.Command3);
    EXPECT_EQ(desk.pendingAnswers(), 0u);
    EXPECT_EQ(platform::readLines(file()), std::vector<std::string>{riga});
  }
}

// --- Printing from the frame ----------------------------------------------------------

class StampaDallArchivio : public ArchivioTest {
 protected:
  void stampa() { application.form<shell::Principale>().EseguiComando(shell::Principale::Stampa); }
  std::string pdf() const { return temp("archiviotasi.pdf"); }
};

TEST_F(StampaDallArchivio, AnEmptyArchiveHasNothingToPrint) {
  apri();
  desk.expectMsgBox(vbOK, {.prompt = "Non ci sono dati in archivio da stampare!", .icon = vbExclamation});
  stampa();
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_FALSE(fs::exists(pdf()));
}

TEST_F(StampaDallArchivio, NoPrintsNothing) {
  scrivi(ArchivioCampione());
  apri();
  desk.expectMsgBox(vbNo, {.prompt = "Vuoi stampare l'archivio degli immobili selezionati?", .icon = vbQuestion});
  stampa();
  EXPECT_FALSE(fs::exists(pdf()));
  EXPECT_TRUE(desk.openedDocuments().empty());
}

TEST_F(StampaDallArchivio, AReportFileInUseIsNotReplaced) {
  scrivi(ArchivioCampione());
  apri();
  fs::create_directories(pdf() + "/dentro");
  desk.expectMsgBox(vbYes, {.prompt = "Vuoi stampare l'archivio degli immobili selezionati?"});
  desk.expectMsgBox(vbOK,
                    {.prompt = "Il file è già aperto e in uso.\r\nChiudere il file aperto e rilanciare la stampa."});
  stampa();
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_TRUE(fs::is_directory(pdf() + "/dentro"));
}

TEST_F(StampaDallArchivio, TheListedRowsArePrintedInTheirOrderEachOnce) {
  scrivi(ArchivioCampione());
  Archivio& f = apri();
  user.pickRow(f.Combo2, 2);  // Roma: ROSSI MARIO, then the two Rossi Mario lines with equal keys
  desk.expectMsgBox(vbYes, {.prompt = "Vuoi stampare l'archivio degli immobili selezionati?"});
  stampa();
  ASSERT_TRUE(fs::exists(pdf()));
  EXPECT_EQ(quotara::testing::ControllaPdf(pdf()), "");
  EXPECT_EQ(desk.openedDocuments(), std::vector<std::string>{pdf()});
  const auto parole = quotara::testing::Parole(pdf());
  using quotara::testing::TestoIn;
  EXPECT_TRUE(TestoIn(parole, "Rossi Mario", 1.7, 25));
  EXPECT_TRUE(TestoIn(parole, "201,00", 19.3, 25, true));
  EXPECT_TRUE(TestoIn(parole, "420,00", 19.3, 24.5, true));
  EXPECT_TRUE(TestoIn(parole, "15,00", 19.3, 24, true));
  EXPECT_FALSE(TestoIn(parole, "Roma - Via Roma 1", 5.2, 23.5));
  EXPECT_EQ(quotara::testing::NumeroPagine(pdf()), 1);
}

}  // namespace
}  // namespace archives::testing
