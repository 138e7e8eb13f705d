// The tools page, driven by a scripted user: the folder and file dialogs
// answered by the headless desktop, the archives in a folder of each test.
#include "archives/Strumenti.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "archives/Immobili.h"
#include "calculation/MainForm.h"
#include "f24/frmTributi.h"
#include "f24/frmF24.h"
#include "fiscalcode/frmCFdati.h"
#include "fiscalcode/frmCodComune.h"
#include "fiscalcode/modCodFis.h"
#include "kit/Applicazione.h"
#include "shell/Modulo1.h"
#include "frame/Principale.h"
#include "kit/Risorse.h"
#include "support/Pdf.h"
#include "support/ProgramTest.h"
#include "widgets/clsCoolbar.h"

namespace {

using namespace forms;
using archives::Strumenti;
namespace fs = std::filesystem;

const std::string kCalcolo = [] {
  std::string r = "ROSSI MARIO";
  for (int i = 2; i <= 28; ++i) r += ";" + std::to_string(i);
  return r + "\r\n";
}();
const std::string kCatasto = "ROSSI MARIO;ROMA;VIA ROMA 1;0;12;;3;45;2;A/2;1;5,5;80;100;1.234,56;;;\r\n";
const std::string kF24 = "RSSMRA80A01H501U;ROSSI;MARIO;01/01/1980;M;ROMA;RM;ROMA;RM;VIA ROMA 1;BANCA;ROMA 3;RM;\r\n";
const std::map<std::string, std::string> kArchivi{
    {"tasi.dat", kCalcolo}, {"tasicat.dat", kCatasto}, {"tasif24.dat", kF24}};

MsgBoxCheck informa(const std::string& testo) {
  return {.prompt = testo, .title = "Quotara", .buttons = vbOKOnly, .icon = vbInformation};
}
MsgBoxCheck avverte(const std::string& testo) {
  return {.prompt = testo, .title = "Quotara", .buttons = vbOKOnly, .icon = vbExclamation};
}
const MsgBoxCheck kDomandaRipristino{
    .prompt = "Attenzione: i file presenti nella cartella del programma verranno sovrascritti.\r\nVuoi continuare?",
    .title = "Quotara",
    .buttons = vbYesNo,
    .icon = vbQuestion};

class StrumentiTest : public quotara::testing::ProgramTest {
 protected:
  StrumentiTest() { fs::create_directories(copie()); }
  void TearDown() override { EXPECT_EQ(desk.pendingAnswers(), 0u); }

  // The folder the user picks for the copies and the files to import.
  std::string copie() const { return (cartella() / "copie").string(); }
  shell::Principale& principale() { return application.form<shell::Principale>(); }
  // The page as its toolbar button opens it.
  Strumenti& pagina() {
    principale().EseguiComando(shell::Principale::Strumenti);
    return application.form<Strumenti>();
  }

  static void scrivi(const std::string& percorso, const std::string& byte) {
    quotara::testing::ScriviFile(percorso, byte);
  }
  static std::string leggi(const std::string& percorso) { return quotara::testing::LeggiFile(percorso); }
  static std::map<std::string, std::string> contenuto(const std::string& cartella) {
    std::map<std::string, std::string> c;
    for (const auto& e : fs::directory_iterator(cartella))
      c[e.path().filename().string()] = e.is_directory() ? "<cartella>" : leggi(e.path().string());
    return c;
  }
  void scriviArchivi(const std::string& cartella, const std::map<std::string, std::string>& archivi) {
    for (const auto& [nome, byte] : archivi) scrivi(cartella + "/" + nome, byte);
  }
};

TEST_F(StrumentiTest, ThePageOpensFromTheToolbarInItsColours) {
  application.PaginaAttiva = 3;
  Strumenti& s = pagina();
  EXPECT_TRUE(s.isShown());
  EXPECT_EQ(principale().ActiveForm(), &s);
  EXPECT_EQ(s.Caption(), "Strumenti di utilità");
  EXPECT_EQ(application.PaginaAttiva, 3) << "the page number is kept";
  EXPECT_FALSE(principale().BarraComandi().ButtonEnabled(shell::Principale::Stampa));

  const Color sfondo = RGB(213, 249, 255);
  EXPECT_EQ(s.BackColor(), sfondo);
  for (const Control* c : std::initializer_list<const Control*>{&s.Frame1, &s.Frame2, &s.Frame3, &s.Frame4, &s.Picture1,
                                                                &s.Picture2, &s.Picture3, &s.Picture4})
    EXPECT_EQ(c->BackColor(), sfondo);
  for (int i : {1, 2}) EXPECT_EQ(s.Label1[i].Caption(), "Strumenti di utilità");
  EXPECT_EQ(s.Frame1.Caption(), "Copie di sicurezza archivio dati");
  EXPECT_EQ(s.Frame2.Caption(), "Calcolo codice fiscale e ricerca codice catastale comuni");
  EXPECT_EQ(s.Frame3.Caption(), "Importazione dati catastali e F24");
  EXPECT_EQ(s.Frame4.Caption(), "Modello F24 - Modello editabile, Dichiarazione TASI, istruzioni e codici tributi");

  // Another page closes it.
  principale().EseguiComando(shell::Principale::Info);
  EXPECT_FALSE(application.isLoaded<Strumenti>());
}

TEST_F(StrumentiTest, TabGoesThroughTheButtonsThatWork) {
  Strumenti& s = pagina();
  const bool modelli = shell::CaricaRisorsa(shell::TipoRisorsa::Custom, shell::RisorsaModelloF24).has_value();
  EXPECT_EQ(s.cmdDownloadF24.Enabled(), modelli);
  EXPECT_EQ(s.cmdEsempio.Enabled(),
            shell::CaricaRisorsa(shell::TipoRisorsa::Custom, shell::RisorsaModelloF24Semplificato).has_value());
  EXPECT_TRUE(s.cmdCodFis.Enabled());
  EXPECT_TRUE(s.cmdCodiciTributi.Enabled());

  std::vector<Control*> attesi{&s.cmdBackup, &s.cmdRestore, &s.cmdImport, &s.cmdImportF24, &s.cmdCodCat, &s.cmdCodFis};
  if (modelli) attesi.insert(attesi.end(), {&s.cmdDownloadF24, &s.cmdEsempio});
  attesi.insert(attesi.end(), {&s.cmdDicIMU, &s.cmdCodiciTributi});
  user.focus(s.cmdBackup);
  for (size_t i = 1; i <= attesi.size(); ++i) {
    user.pressTab();
    EXPECT_EQ(s.ActiveControl(), attesi[i % attesi.size()]) << i;
  }
  user.pressShiftTab();
  EXPECT_EQ(s.ActiveControl(), &s.cmdCodiciTributi);
}

TEST_F(StrumentiTest, BackupCopiesTheArchivesPresentIntoTheChosenFolder) {
  const struct {
    const char* caso;
    std::vector<std::string> presenti;
    const char* cartella;  // as the dialog gives it: "/" at the end or not
    std::string seconda;   // the message's second line
  } casi[] = {
      {"cadastral only", {"tasicat.dat"}, "/", "Salvato 1 archivio."},
      {"all three", {"tasi.dat", "tasicat.dat", "tasif24.dat"}, "", "Salvati 3 archivi."},
  };
  Strumenti& s = pagina();
  for (const auto& c : casi) {
    SCOPED_TRACE(c.caso);
    fs::remove_all(dati());
    fs::remove_all(copie());
    fs::create_directories(dati());
    fs::create_directories(copie());
    std::map<std::string, std::string> attesi;
    for (const auto& nome : c.presenti) attesi[nome] = kArchivi.at(nome);
    scriviArchivi(dati(), attesi);
    scrivi(copie() + "/tasicat.dat", "copia vecchia\r\n");
    if (attesi.size() == 1) attesi["tasicat.dat"] = kCatasto;

    desk.expectFolder(copie() + c.cartella);
    desk.expectMsgBox(vbOK, informa("Copia di sicurezza effettuata.\r\n" + c.seconda));
    user.click(s.cmdBackup);
    EXPECT_EQ(contenuto(copie()), attesi);
  }
}

TEST_F(StrumentiTest, BackupWithoutArchivesOrCancelledCopiesNothing) {
  Strumenti& s = pagina();
  desk.expectMsgBox(vbOK, informa("La cartella del programma non contiene nessun archivio."));
  user.click(s.cmdBackup);  // no folder dialog: none was queued

  scriviArchivi(dati(), kArchivi);
  desk.expectFolder(std::nullopt);
  user.click(s.cmdBackup);
  EXPECT_TRUE(contenuto(copie()).empty());
  EXPECT_EQ(desk.msgBoxes().size(), 1u) << "a cancel is silent";
}

TEST_F(StrumentiTest, RestoreAsksFirstAndReplacesTheArchivesFound) {
  Strumenti& s = pagina();
  scriviArchivi(dati(), kArchivi);

  desk.expectMsgBox(vbNo, kDomandaRipristino);
  user.click(s.cmdRestore);  // No opens no dialog

  desk.expectMsgBox(vbYes, kDomandaRipristino);
  desk.expectFolder(std::nullopt);
  user.click(s.cmdRestore);  // cancelled silently

  desk.expectMsgBox(vbYes, kDomandaRipristino);
  desk.expectFolder(copie());
  desk.expectMsgBox(
      vbOK, informa("La cartella selezionata non conteneva nessun archivio.\r\nSeleziona una cartella valida."));
  user.click(s.cmdRestore);
  EXPECT_EQ(contenuto(dati()), kArchivi);

  const std::string calcolo = "SALVATO" + kCalcolo.substr(11), f24 = "SALVATO" + kF24.substr(16);
  scrivi(copie() + "/tasi.dat", calcolo);
  scrivi(copie() + "/tasif24.dat", f24);
  desk.expectMsgBox(vbYes, kDomandaRipristino);
  desk.expectFolder(copie() + "/");
  desk.expectMsgBox(vbOK, informa("Copia di sicurezza ripristinate.\r\nRipristinati 2 archivi."));
  user.click(s.cmdRestore);
  EXPECT_EQ(contenuto(dati()), (std::map<std::string, std::string>{
                                   {"tasi.dat", calcolo}, {"tasicat.dat", kCatasto}, {"tasif24.dat", f24}}));
  EXPECT_EQ(desk.msgBoxes().size(), 6u);
}

TEST_F(StrumentiTest, RestoreWithOneBadFileReplacesNothing) {
  Strumenti& s = pagina();
  scriviArchivi(dati(), kArchivi);
  scrivi(copie() + "/tasi.dat", "SALVATO" + kCalcolo.substr(11));
  scrivi(copie() + "/tasicat.dat", "ROSSI MARIO;ROMA;VIA ROMA 1;7;12;;3;45;2;A/2;1;5,5;80;100;1.234,56;;;\r\n");
  desk.expectMsgBox(vbYes, kDomandaRipristino);
  desk.expectFolder(copie());
  desk.expectMsgBox(vbOK, avverte("La riga 1 del file \"" + copie() +
                                  "/tasicat.dat\" ha la tipologia \"7\" invece di 0, 1 o 2.\r\n"
                                  "Ripristino annullato: nessun archivio è stato sostituito."));
  user.click(s.cmdRestore);
  EXPECT_EQ(contenuto(dati()), kArchivi);
}

TEST_F(StrumentiTest, ImportsReplaceTheArchiveOrRefuseTheFile) {
  const std::string vecchioCatasto = "VECCHIO;ROMA;VIA ROMA 1;1;;;;;;;;;;;;;;\r\n";
  const std::string vecchioF24 = "VECCHIO;;;;;;;;;;;;;\r\n";
  const std::string annullata = "\r\nImportazione annullata: l'archivio non è stato modificato.";
  const std::string nullaDaImportare = "non c'è nulla da importare.\r\nL'archivio non è stato modificato.";
  const struct {
    const char* caso;
    bool catasto;  // the cadastral import, else the F24 one
    const char* nome;
    std::string byte;
    std::string messaggio;  // "%" stands for the file's path
    bool riuscita;
    bool notizia = riuscita;  // said with the information icon
  } casi[] = {
      {"cadastral", true, "imucat.dat", kCatasto, "Importazione catasto completata con successo.", true},
      {"cadastral, upper-case name", true, "IMUCAT.DAT", kCatasto + kCatasto,
       "Importazione catasto completata con successo.", true},
      {"F24", false, "imuf24.dat", kF24, "Importazione dati F24 completata con successo.", true},
      {"wrong field count", true, "imucat.dat", kCatasto + kF24,
       "La riga 2 del file \"%\" ha 14 campi invece di 18." + annullata, false},
      {"type 7", true, "imucat.dat", "A;B;C;7;;;;;;;;;;;;;;\r\n",
       "La riga 1 del file \"%\" ha la tipologia \"7\" invece di 0, 1 o 2." + annullata, false},
      {"empty cadastral file", true, "imucat.dat", "", "Il file \"%\" è vuoto: " + nullaDaImportare, false, true},
      {"empty F24 file", false, "imuf24.dat", "\r\n", "Il file \"%\" è vuoto: " + nullaDaImportare, false, true},
      {"cadastral file as F24", false, "imuf24.dat", kCatasto,
       "La riga 1 del file \"%\" ha 18 campi invece di 14." + annullata, false},
  };
  Strumenti& s = pagina();
  for (const auto& c : casi) {
    SCOPED_TRACE(c.caso);
    const std::string file = copie() + "/" + c.nome;
    scrivi(file, c.byte);
    scrivi(dati("tasicat.dat"), vecchioCatasto);
    scrivi(dati("tasif24.dat"), vecchioF24);
    std::string messaggio = c.messaggio;
    if (const size_t p = messaggio.find('%'); p != std::string::npos) messaggio.replace(p, 1, file);

    desk.expectOpenFile(file);
    desk.expectMsgBox(vbOK, c.notizia ? informa(messaggio) : avverte(messaggio));
    user.click(c.catasto ? s.cmdImport : s.cmdImportF24);
    EXPECT_EQ(leggi(dati("tasicat.dat")), c.catasto && c.riuscita ? c.byte : vecchioCatasto);
    EXPECT_EQ(leggi(dati("tasif24.dat")), !c.catasto && c.riuscita ? c.byte : vecchioF24);
    fs::remove(file);
  }
  // A cancelled dialog does nothing.
  desk.expectOpenFile(std::nullopt);
  user.click(s.cmdImport);
  desk.expectOpenFile(std::nullopt);
  user.click(s.cmdImportF24);
  EXPECT_EQ(desk.msgBoxes().size(), std::size(casi));
}

// An imported register whose lines have no type: the owner's lines are
// listed, printed and loaded into the calculation as buildings, as the
// record window shows them.
TEST_F(StrumentiTest, AnImportedLineWithoutTypeIsListedPrintedAndLoadedAsABuilding) {
  const std::string file = copie() + "/imucat.dat";
  scrivi(file,
         "VERDI LUCIA;ROMA;VIA APPIA 5;;7;;12;345;6;A/2;3;6;110;50;987,65;;;\r\n"
         "VERDI LUCIA;ROMA;CAMPO DEL LAGO;1;8;;4;55;;;;;1500;100;;9,00;12,00;\r\n");
  desk.expectOpenFile(file);
  desk.expectMsgBox(vbOK, informa("Importazione catasto completata con successo."));
  user.click(pagina().cmdImport);

  principale().EseguiComando(shell::Principale::Catasto);
  auto& p = application.form<archives::Immobili>();
  for (int i = 0; i < p.cboUtente.ListCount(); ++i)
    if (p.cboUtente.List(i) == "VERDI LUCIA") user.pickRow(p.cboUtente, i);
  ASSERT_EQ(p.lstCatasto.ListCount(), 2);
  EXPECT_EQ(p.lstCatasto.List(0).rfind("ROMA", 0), 0u);
  EXPECT_NE(p.lstCatasto.List(0).find("VIA APPIA 5"), std::string::npos);
  EXPECT_NE(p.lstCatasto.List(0).find("987,65"), std::string::npos);

  desk.expectMsgBox(vbYes);
  principale().EseguiComando(shell::Principale::Stampa);
  const std::string stampa = shell::CartellaTemp() + "catastotasi.pdf";
  EXPECT_EQ(quotara::testing::ControllaPdf(stampa), "");
  const auto parole = quotara::testing::Parole(stampa);
  EXPECT_TRUE(quotara::testing::TestoIn(parole, "Fabbricati", 1.5, 26.5));
  EXPECT_TRUE(quotara::testing::TestoIn(parole, "1. ROMA - VIA APPIA 5", 1.5, 26));
  EXPECT_TRUE(quotara::testing::TestoIn(parole, "Rendita catastale: 987,65 - Percentuale di possesso: 50%", 2, 25));
  EXPECT_TRUE(quotara::testing::TestoIn(parole, "Terreni", 1.5, 24));

  user.pickRow(p.lstCatasto, 0);
  user.click(p.Command1[4]);
  auto& calcolo = application.form<calculation::MainForm>();
  EXPECT_TRUE(calcolo.isShown());
  EXPECT_TRUE(calcolo.Option1[0].Value());  // a dwelling, category A/2
  EXPECT_EQ(calcolo.Text3.Text(), "987,65");
  EXPECT_EQ(calcolo.Text9.Text(), "50");
  EXPECT_EQ(calcolo.Combo3.Text(), "VIA APPIA 5");
}

// The tests run as root, so a folder where the target file goes is what
// makes a copy fail.
TEST_F(StrumentiTest, ACopyFailureIsReportedAndNoSuccessFollows) {
  Strumenti& s = pagina();
  scriviArchivi(dati(), kArchivi);
  fs::create_directories(copie() + "/tasicat.dat");
  desk.expectFolder(copie());
  desk.expectMsgBox(vbOK, avverte("Copia di sicurezza non riuscita.\r\nImpossibile scrivere il file \"" + copie() +
                                  "/tasicat.dat\": Is a directory\r\nNessun archivio è stato copiato."));
  user.click(s.cmdBackup);
  EXPECT_EQ(contenuto(copie()), (std::map<std::string, std::string>{{"tasicat.dat", "<cartella>"}}));

  fs::remove(dati("tasif24.dat"));
  fs::create_directories(dati("tasif24.dat"));
  scrivi(copie() + "/imuf24.dat", kF24);
  desk.expectOpenFile(copie() + "/imuf24.dat");
  desk.expectMsgBox(vbOK, avverte("Importazione non riuscita.\r\nImpossibile scrivere il file \"" +
                                  dati("tasif24.dat") + "\": Is a directory\r\nL'archivio non è stato modificato."));
  user.click(s.cmdImportF24);
  EXPECT_EQ(desk.msgBoxes().size(), 2u);
}

TEST_F(StrumentiTest, TheDeclarationOpensUnderTheHourglass) {
  Strumenti& s = pagina();
  user.click(s.cmdDicIMU);
  const std::string file = shell::CartellaTemp() + "dichiarazioneIMUTASI.pdf";
  EXPECT_EQ(desk.pointerChanges(), (std::vector<int>{vbHourglass, vbDefault}));
  EXPECT_EQ(desk.openedDocuments(), std::vector<std::string>{file});
  const auto risorsa = shell::CaricaRisorsa(shell::TipoRisorsa::Custom, shell::RisorsaDichiarazione);
  ASSERT_TRUE(risorsa.has_value());
  EXPECT_EQ(leggi(file), std::string(*risorsa));
}

TEST_F(StrumentiTest, TheF24FormsOpenUnderTheHourglassWhenTheProgramHasThem) {
  Strumenti& s = pagina();
  const struct {
    CommandButton& pulsante;
    int risorsa;
    const char* file;
  } casi[] = {{s.cmdDownloadF24, shell::RisorsaModelloF24, "f24tasi.pdf"},
              {s.cmdEsempio, shell::RisorsaModelloF24Semplificato, "f24tasisemplificato.pdf"}};
  for (const auto& c : casi) {
    SCOPED_TRACE(c.file);
    if (!shell::CaricaRisorsa(shell::TipoRisorsa::Custom, c.risorsa)) {
      EXPECT_FALSE(c.pulsante.Enabled());
      continue;
    }
    const size_t aperti = desk.openedDocuments().size();
    user.click(c.pulsante);
    EXPECT_EQ(desk.openedDocuments().size(), aperti + 1);
    EXPECT_EQ(desk.openedDocuments().back(), shell::CartellaTemp() + c.file);
    EXPECT_EQ(std::vector<int>(desk.pointerChanges().end() - 2, desk.pointerChanges().end()),
              (std::vector<int>{vbHourglass, vbDefault}));
  }
}

TEST_F(StrumentiTest, TheTaxCodesOpenModallyOverTheVisibleFrame) {
  Strumenti& s = pagina();
  bool vistaAperta = false;
  desk.script([&] {
    auto& codici = application.form<f24::frmTributi>();
    vistaAperta = codici.isShown() && principale().isShown() && application.modalForm() == &codici;
    EXPECT_EQ(codici.List1.ListCount(), 7);
    user.click(codici.Command2);
  });
  user.click(s.cmdCodiciTributi);
  EXPECT_TRUE(vistaAperta);
  EXPECT_FALSE(application.isLoaded<f24::frmTributi>());
  EXPECT_TRUE(s.isShown());
  EXPECT_EQ(desk.pendingScript(), 0u);
}

TEST_F(StrumentiTest, TheMunicipalityWindowOpensOverTheHiddenFrameAndBringsItBack) {
  ASSERT_TRUE(fiscalcode::EstraiFileComuni());
  Strumenti& s = pagina();
  application.CodCatDaMainForm = true;  // left over: the window must not write into the calculation
  user.click(s.cmdCodCat);
  auto& finestra = application.form<fiscalcode::frmCodComune>();
  EXPECT_FALSE(application.CodCatDaMainForm);
  EXPECT_TRUE(finestra.isShown());
  EXPECT_FALSE(principale().isShown());

  user.type(finestra.txtComune, "roma\r");
  EXPECT_EQ(finestra.lblCatasto.Caption(), "H501");
  user.close(finestra);  // the close box
  EXPECT_FALSE(application.isLoaded<fiscalcode::frmCodComune>());
  EXPECT_TRUE(principale().isShown());
  EXPECT_TRUE(s.isShown()) << "the tools page is still the frame's page";
  EXPECT_FALSE(application.isLoaded<calculation::MainForm>());
}

TEST_F(StrumentiTest, TheFiscalCodeWindowOpensOverTheHiddenFrameAndBringsItBack) {
  ASSERT_TRUE(fiscalcode::EstraiFileComuni());
  Strumenti& s = pagina();
  application.CodFisDaF24 = true;  // left over: the window must not write into the F24 window
  user.click(s.cmdCodFis);
  auto& finestra = application.form<fiscalcode::frmCFdati>();
  EXPECT_FALSE(application.CodFisDaF24);
  EXPECT_TRUE(finestra.isShown());
  EXPECT_FALSE(principale().isShown());

  user.type(finestra.txtCognome, "rossi\rmario\r01011980\rm\rroma\r");
  user.click(finestra.cmdCF);
  EXPECT_EQ(finestra.txtCF.Text(), "RSSMRA80A01H501U");
  user.close(finestra);  // the close box
  EXPECT_FALSE(application.isLoaded<fiscalcode::frmCFdati>());
  EXPECT_FALSE(application.isLoaded<f24::frmF24>());
  EXPECT_EQ(desk.clipboardText(), "RSSMRA80A01H501U");
  EXPECT_TRUE(principale().isShown());
  EXPECT_TRUE(s.isShown());
}

}  // namespace
