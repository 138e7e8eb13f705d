// The F24 payer window, its checks and the payer archive "tasif24.dat".
#include <gmock/gmock.h>

#include <filesystem>

#include "F24Fixture.h"
#include "f24/ArchivioF24.h"
#include "f24/frmF24.h"
#include "forms/Text.h"
#include "kit/Applicazione.h"
#include "kit/Dialoghi.h"
#include "kit/Liste.h"
#include "frame/Principale.h"
#include "support/Convenzioni.h"
#include "support/Pdf.h"
#include "support/TestiF24.h"

namespace f24::testing {
namespace {

namespace fs = std::filesystem;
using forms::vbChecked;
using forms::vbCritical;
using forms::vbInformation;
using forms::vbNo;
using forms::vbOK;
using forms::vbQuestion;
using forms::vbUnchecked;
using forms::vbYes;
using quotara::testing::LeggiRighe;
using quotara::testing::ScriviRighe;
using ::testing::ElementsAre;

constexpr const char* kDomandaSalva = "Vuoi archiviare questi dati?";
constexpr const char* kSovrascrivi = "Questo nominativo è già presente nell'archivio.\r\nVuoi sovrascriverlo?";
constexpr const char* kArchiviati = "Dati archiviati!";

// Two stored payers: a person and an entity.
const std::string kRossi =
    "RSSMRA80A01H501U;ROSSI;MARIO;01/01/1980;M;ROMA;RM;MILANO;MI;VIA VERDI 3;BANCA UNO;AG. "
    "5;MI;IT60X0542811101000000123456";
const std::string kEnte = "01234567890;COMUNE SERVIZI SRL;;  /  /    ;;;;TORINO;TO;CORSO FRANCIA 1;BANCA DUE;SEDE;TO;";

class PagatoreTest : public F24Test {
 protected:
  void TearDown() override { EXPECT_EQ(desk.pendingAnswers(), 0u); }

  std::string archivio() const { return dati("tasif24.dat"); }

  // As the totals page opens it: the frame hidden.
  frmF24& apri() {
    auto& f = application.form<frmF24>();
    shell::ApriDialogo(f);
    return f;
  }
  frmF24& finestra() { return application.form<frmF24>(); }

  // A person filled in by the user, ready to be saved.
  void persona(frmF24& f, const std::string& codice = "BNCLGU75C12F205X", const std::string& iban = "") {
    user.type(f.txtCodFis, codice);
    user.type(f.txtCognome, "bianchi");
    user.type(f.txtNome, "luigi");
    user.focus(f.txtData);
    user.type("12031975");
    user.pickRow(f.cboSesso, 0);
    user.type(f.txtComuneN, "milano");
    user.type(f.txtProvN, "mi");
    user.type(f.txtIban, iban);
  }
  // Into the box: `tasti` typed or, when it is nullptr, `appunti` pasted with Ctrl+V.
  void scrivi(forms::TextBox& box, const char* tasti, const char* appunti) {
    user.focus(box);
    if (tasti) {
      user.type(tasti);
    } else {
      desk.setClipboardText(appunti);
      user.key(forms::vbKeyV, forms::vbCtrlMask);
    }
  }
  // "Salva dati" answered Yes, for a new payer that passes the checks.
  void salva(frmF24& f) {
    desk.expectMsgBox(vbYes, {.prompt = kDomandaSalva, .title = "Quotara", .icon = vbQuestion});
    desk.expectMsgBox(vbOK, {.prompt = kArchiviati, .title = "Quotara", .icon = vbInformation});
    user.click(f.cmdSave);
  }
  std::vector<std::string> lista(const forms::ListBox& l) const {
    std::vector<std::string> v;
    for (int i = 0; i < l.ListCount(); ++i) v.push_back(l.List(i));
    return v;
  }
};

// --- The input boxes ----------------------------------------------------------------

TEST_F(PagatoreTest, BoxesFollowTheConventions) {
  frmF24& f = apri();
  EXPECT_EQ(f.Caption(), "Compilazione F24");
  using quotara::testing::Casella;
  quotara::testing::ControllaCaselle(user, desk,
                                     {{f.txtDelega, Casella::Maiuscola},
                                      {f.txtAgenzia, Casella::Maiuscola},
                                      {f.txtCodFis, Casella::Maiuscola},
                                      {f.txtCognome, Casella::Maiuscola},
                                      {f.txtNome, Casella::Maiuscola},
                                      {f.txtData, Casella::Data},
                                      {f.txtComuneN, Casella::Maiuscola},
                                      {f.txtComuneR, Casella::Maiuscola},
                                      {f.txtIndirizzo, Casella::Maiuscola},
                                      {f.txtIban, Casella::Iban}});
}

// Upper case with the caret after the last character, whoever writes the
// text; "," "." ";" never get in; in a paste "," ";" and the line breaks
// become one blank between the words (where the box has room for it).
TEST_F(PagatoreTest, TextTurnsUpperCaseAndSeparatorsNeverGetIn) {
  frmF24& f = apri();
  struct Caso {
    forms::TextBox& box;
    const char* tasti;    // typed; nullptr: pasted
    const char* appunti;  // pasted
    const char* testo;
  };
  const Caso casi[] = {
      {f.txtCognome, "bianchi", nullptr, "BIANCHI"},
      {f.txtNome, "d'amico, l.;", nullptr, "D'AMICO L"},
      {f.txtComuneR, "forlì", nullptr, "FORLÌ"},
      {f.txtIndirizzo, nullptr, "via roma; 1\r\nint. 2", "VIA ROMA 1 INT 2"},
      {f.txtCodFis, nullptr, "rss.mra80a01h501u\r\n", "RSSMRA80A01H501U"},
      {f.txtProv, nullptr, ";m;i;", "MI"},
      {f.txtProvN, "r;m.x", nullptr, "RM"},
      {f.txtIban, nullptr, "it60 x054\r\n", "IT60X054"},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.testo);
    c.box.setText("");
    scrivi(c.box, c.tasti, c.appunti);
    EXPECT_EQ(c.box.Text(), c.testo);
    EXPECT_EQ(c.box.SelStart(), forms::text::length(c.testo));
  }
  // Written by another window: the same.
  f.txtComuneN.setText("san remo");
  EXPECT_EQ(f.txtComuneN.Text(), "SAN REMO");
  EXPECT_EQ(f.txtComuneN.SelStart(), 8);
  // The date box: the mask, the shared editor, the digits of a paste.
  EXPECT_EQ(f.txtData.Text(), "  /  /    ");
  user.focus(f.txtData);
  f.txtData.setSelStart(0);
  user.type("3101a1975");
  EXPECT_EQ(f.txtData.Text(), "31/01/1975");
  desk.setClipboardText("12;12;2000");
  user.focus(f.txtData);
  user.key(forms::vbKeyA, forms::vbCtrlMask);
  user.key(forms::vbKeyV, forms::vbCtrlMask);
  EXPECT_EQ(f.txtData.Text(), "12/12/2000");
  // Nothing of it a date: the box stays as it was, with the bell.
  desk.setClipboardText("oggi");
  const int beeps = desk.beeps();
  user.key(forms::vbKeyV, forms::vbCtrlMask);
  EXPECT_EQ(f.txtData.Text(), "12/12/2000");
  EXPECT_EQ(desk.beeps() - beeps, 1);
  // The sex list takes no separator and moves on with Enter.
  user.focus(f.cboSesso);
  user.type(";");
  EXPECT_EQ(f.cboSesso.Text(), "");
  user.pressEnter();
  EXPECT_EQ(application.focused(), &f.txtComuneN);
}

TEST_F(PagatoreTest, EnterAndEscWalkTheFourteenBoxesInOrder) {
  frmF24& f = apri();
  const std::vector<forms::Control*> ordine = {
      &f.txtDelega, &f.txtAgenzia, &f.txtProv,  &f.txtCodFis,  &f.txtCognome, &f.txtNome,      &f.txtData,
      &f.cboSesso,  &f.txtComuneN, &f.txtProvN, &f.txtComuneR, &f.txtProvR,   &f.txtIndirizzo, &f.txtIban};
  user.focus(f.txtDelega);
  for (size_t i = 1; i < ordine.size(); ++i) {
    user.pressEnter();
    EXPECT_EQ(application.focused(), ordine[i]) << i;
  }
  for (size_t i = ordine.size() - 1; i > 0; --i) {
    user.pressEsc();
    EXPECT_EQ(application.focused(), ordine[i - 1]) << i;
  }
  // Entering a box selects its whole text.
  f.txtComuneN.setText("ROMA");
  user.focus(f.txtComuneN);
  EXPECT_EQ(f.txtComuneN.SelStart(), 0);
  EXPECT_EQ(f.txtComuneN.SelLength(), 4);
}

TEST_F(PagatoreTest, EntityLayoutHidesTheBirthDataAndKeepsTheTexts) {
  frmF24& f = apri();
  persona(f);
  const std::vector<forms::Control*> persona = {&f.Picture1, &f.txtData, &f.cboSesso, &f.txtComuneN,
                                                &f.txtProvN, &f.Label7,  &f.Label8,   &f.Label9,
                                                &f.Label10,  &f.Label6,  &f.txtNome};
  struct Stato {
    int valore;
    bool ente;
    const char* etichetta;
    int codice, cognome;
  };
  for (const Stato& s :
       {Stato{vbChecked, true, "Denominazione:", 5985, 5985}, Stato{vbUnchecked, false, "Cognome:", 4725, 2985}}) {
    SCOPED_TRACE(s.etichetta);
    user.tick(f.chkEnte);
    EXPECT_EQ(f.chkEnte.Value(), s.valore);
    EXPECT_EQ(f.EnteGiuridico, s.ente);
    for (forms::Control* c : persona) EXPECT_EQ(c->Visible(), !s.ente);
    EXPECT_EQ(f.lblNote.Visible(), s.ente);
    EXPECT_EQ(f.Label5.Caption(), s.etichetta);
    EXPECT_EQ(f.txtCodFis.Width(), s.codice);
    EXPECT_EQ(f.txtCognome.Width(), s.cognome);
  }
  EXPECT_EQ(f.txtNome.Text(), "LUIGI");
  EXPECT_EQ(f.txtData.Text(), "12/03/1975");
  EXPECT_EQ(f.cboSesso.Text(), "Maschio");
  EXPECT_EQ(f.txtComuneN.Text(), "MILANO");
  // In the entity layout Enter skips the hidden boxes.
  user.tick(f.chkEnte);
  user.focus(f.txtCognome);
  user.pressEnter();
  EXPECT_EQ(application.focused(), &f.txtComuneR);
}

// --- The checks before saving -------------------------------------------------------

TEST_F(PagatoreTest, ChecksGiveOneMessageTheFocusAndWriteNothing) {
  struct Caso {
    const char* nome;
    bool ente;
    const char* data;  // typed over the mask; nullptr: untouched
    const char* codice;
    const char* cognome;
    const char* nomeProprio;
    const char* messaggio;  // nullptr: saved
    forms::TextBox frmF24::*fuoco;
  };
  const Caso casi[] = {
      {"maschera", false, nullptr, "X", "A", "B", "Devi inserire una data valida.", &frmF24::txtData},
      {"maschera e vuote", false, nullptr, "", "", "", "Devi inserire una data valida.", &frmF24::txtData},
      {"31 febbraio", false, "31021975", "X", "A", "B", "Devi inserire una data valida.", &frmF24::txtData},
      {"29 febbraio 1900", false, "29021900", "X", "A", "B", "Devi inserire una data valida.", &frmF24::txtData},
      {"mese 13", false, "01131975", "X", "A", "B", "Devi inserire una data valida.", &frmF24::txtData},
      {"data parziale", false, "120319", "X", "A", "B", "Devi inserire una data valida.", &frmF24::txtData},
      {"codice", false, "29022000", "", "A", "B", "Devi immettere il codice fiscale del contribuente.",
       &frmF24::txtCodFis},
      {"cognome", false, "29022000", "X", "", "B", "Devi immettere il cognome del contribuente.", &frmF24::txtCognome},
      {"nome", false, "29022000", "X", "A", "", "Devi immettere il nome del contribuente.", &frmF24::txtNome},
      {"spazi", false, "29022000", " ", " ", " ", nullptr, nullptr},
      {"ente vuoto", true, nullptr, "", "", "", "Devi immettere il codice fiscale del contribuente.",
       &frmF24::txtCodFis},
      {"ente senza nome", true, nullptr, "123", "", "", "Devi immettere la denominazione del contribuente.",
       &frmF24::txtCognome},
      {"ente", true, nullptr, "123", "ACME", "", nullptr, nullptr},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    fs::remove(archivio());
    frmF24& f = apri();
    if (c.ente) user.tick(f.chkEnte);
    if (c.data) {
      user.focus(f.txtData);
      f.txtData.setSelStart(0);
      user.type(c.data);
    }
    f.txtCodFis.setText(c.codice);
    f.txtCognome.setText(c.cognome);
    f.txtNome.setText(c.nomeProprio);
    desk.expectMsgBox(vbYes, {.prompt = kDomandaSalva, .title = "Quotara", .icon = vbQuestion});
    desk.expectMsgBox(vbOK,
                      {.prompt = c.messaggio ? c.messaggio : kArchiviati, .title = "Quotara", .icon = vbInformation});
    user.click(f.cmdSave);
    EXPECT_EQ(desk.pendingAnswers(), 0u);
    if (c.messaggio) {
      EXPECT_EQ(application.focused(), &(f.*c.fuoco));
      EXPECT_FALSE(fs::exists(archivio()));
    } else {
      EXPECT_EQ(LeggiRighe(archivio()).size(), 1u);
    }
    user.click(f.cmdExit);
  }
}

// "Compila F24" checks the payer as "Salva dati" does, without its question: a
// refusal writes nothing in "datiF24" and opens nothing.
TEST_F(PagatoreTest, CompilaF24ChecksThePayerFirst) {
  struct Caso {
    const char* nome;
    bool ente;
    bool data;  // a valid birth date typed over the mask
    const char* codice;
    const char* cognome;
    const char* nomeProprio;
    const char* messaggio;  // nullptr: the form is filled
    forms::TextBox frmF24::*fuoco;
  };
  const Caso casi[] = {
      {"vuota", false, false, "", "", "", "Devi inserire una data valida.", &frmF24::txtData},
      {"senza codice", false, true, "", "BIANCHI", "ANNA", "Devi immettere il codice fiscale del contribuente.",
       &frmF24::txtCodFis},
      {"senza nome", false, true, "BNCNNA80A41H501X", "BIANCHI", "", "Devi immettere il nome del contribuente.",
       &frmF24::txtNome},
      {"ente vuoto", true, false, "", "", "", "Devi immettere il codice fiscale del contribuente.", &frmF24::txtCodFis},
      {"ente senza denominazione", true, false, "01234567890", "", "",
       "Devi immettere la denominazione del contribuente.", &frmF24::txtCognome},
      {"persona", false, true, "BNCNNA80A41H501X", "BIANCHI", "ANNA", nullptr, nullptr},
      {"ente", true, false, "01234567890", "ACME SRL", "", nullptr, nullptr},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    fs::remove_all(datiF24());
    const size_t aperti = desk.openedDocuments().size();
    quotara::testing::ConsegnaF24(application, {"H501;X;;1;3958;2026;100", "1;;100;"});
    application.NumRigheF24 = 1;
    frmF24& f = apri();
    if (c.ente) user.tick(f.chkEnte);
    if (c.data) {
      user.focus(f.txtData);
      f.txtData.setSelStart(0);
      user.type("01011980");
    }
    f.txtCodFis.setText(c.codice);
    f.txtCognome.setText(c.cognome);
    f.txtNome.setText(c.nomeProprio);
    if (c.messaggio) desk.expectMsgBox(vbOK, {.prompt = c.messaggio, .title = "Quotara", .icon = vbInformation});
    user.click(f.cmdF24);
    EXPECT_EQ(desk.pendingAnswers(), 0u);
    if (c.messaggio) {
      EXPECT_EQ(application.focused(), &(f.*c.fuoco));
      EXPECT_FALSE(fs::exists(datiF24()));
      EXPECT_EQ(desk.openedDocuments().size(), aperti);
    } else {
      EXPECT_EQ(FileDatiF24().size(), 3u);
      EXPECT_EQ(desk.openedDocuments().size(), aperti + 1);
    }
    EXPECT_FALSE(fs::exists(archivio()));
    user.click(f.cmdExit);
  }
}

TEST_F(PagatoreTest, NoToTheQuestionChecksAndSavesNothing) {
  frmF24& f = apri();
  desk.expectMsgBox(vbNo, {.prompt = kDomandaSalva});
  user.click(f.cmdSave);
  EXPECT_EQ(desk.msgBoxes().size(), 1u);
  EXPECT_FALSE(fs::exists(archivio()));
}

// --- The IBAN ---------------------------------------------------------------------------

// As banks print it or as it is pasted: the box keeps its letters and digits
// in upper case, 27 at most; "Salva dati" and "Compila F24" refuse one that
// is not a whole Italian IBAN, naming it, with the focus in the box.
TEST_F(PagatoreTest, TheIbanBoxKeepsLettersAndDigitsAndRefusesAWrongOne) {
  struct Caso {
    const char* nome;
    const char* tasti;    // typed; nullptr: pasted
    const char* appunti;  // pasted
    const char* iban;     // what the box then holds
    bool valido;
  };
  const Caso casi[] = {
      {"spaziato", "IT60 X054 2811 1010 0000 0123 456", nullptr, "IT60X0542811101000000123456", true},
      {"incollato spaziato", nullptr, "IT60 X054 2811 1010 0000 0123 456\r\n", "IT60X0542811101000000123456", true},
      {"minuscolo", "it56a0300203280000400162854", nullptr, "IT56A0300203280000400162854", true},
      {"trattini", nullptr, "it56-a030-0203-2800-0040-0162-854", "IT56A0300203280000400162854", true},
      {"26 caratteri", "IT60X054281110100000012345", nullptr, "IT60X054281110100000012345", false},
      {"28 battuti", "IT60X05428111010000001234567", nullptr, "IT60X0542811101000000123456", true},
      {"28 incollati", nullptr, "IT60 X054 2811 1010 0000 0123 4567", "IT60X0542811101000000123456", true},
      {"cifra di controllo", "IT61X0542811101000000123456", nullptr, "IT61X0542811101000000123456", false},
      {"estero", "DE89370400440532013000", nullptr, "DE89370400440532013000", false},
      {"vuoto", "", nullptr, "", true},
  };
  for (const bool compila : {false, true}) {
    for (const Caso& c : casi) {
      SCOPED_TRACE(std::string(c.nome) + (compila ? " (Compila F24)" : " (Salva dati)"));
      fs::remove(archivio());
      fs::remove_all(datiF24());
      const size_t aperti = desk.openedDocuments().size();
      quotara::testing::ConsegnaF24(application, {"H501;X;;1;3958;2026;100", "1;;100;"});
      application.NumRigheF24 = 1;
      frmF24& f = apri();
      persona(f);
      scrivi(f.txtIban, c.tasti, c.appunti);
      EXPECT_EQ(f.txtIban.Text(), c.iban);
      if (!compila) desk.expectMsgBox(vbYes, {.prompt = kDomandaSalva});
      const std::string rifiuto = std::string("L'IBAN ") + c.iban + " non è valido.\r\n";
      if (!c.valido)
        desk.expectMsgBox(vbOK, {.title = "Quotara", .icon = forms::vbExclamation});
      else if (!compila)
        desk.expectMsgBox(vbOK, {.prompt = kArchiviati});
      user.click(compila ? f.cmdF24 : f.cmdSave);
      EXPECT_EQ(desk.pendingAnswers(), 0u);
      if (!c.valido) {
        EXPECT_EQ(desk.msgBoxes().back().prompt.rfind(rifiuto, 0), 0u) << desk.msgBoxes().back().prompt;
        EXPECT_EQ(application.focused(), &f.txtIban);
        EXPECT_FALSE(fs::exists(archivio()));
        EXPECT_FALSE(fs::exists(datiF24()));
        EXPECT_EQ(desk.openedDocuments().size(), aperti);
      } else if (compila) {
        ASSERT_EQ(desk.openedDocuments().size(), aperti + 1);
        // The form filled: iban1 to iban25 are characters 3 to 27, one a box.
        const std::string compilato = desk.openedDocuments().back();
        EXPECT_EQ(quotara::testing::ControllaPdf(compilato), "");
        auto valori = quotara::testing::ValoriCampi(compilato);
        const std::string iban = c.iban;
        for (size_t k = 1; k <= 25; ++k)
          EXPECT_EQ(valori["iban" + std::to_string(k)], iban.size() > k + 1 ? iban.substr(k + 1, 1) : "") << k;
      } else {
        const auto righe = LeggiRighe(archivio());
        ASSERT_EQ(righe.size(), 1u);
        EXPECT_EQ(righe[0].substr(righe[0].rfind(';') + 1), c.iban);
      }
      user.click(f.cmdExit);
    }
  }
}

// A payer stored with blanks in its IBAN shows it compact; the line stays as
// it is until the user saves, and saving replaces it.
TEST_F(PagatoreTest, AStoredSpacedIbanShowsCompactAndIsRewrittenOnSave) {
  const std::string spaziato =
      "RSSMRA80A01H501U;ROSSI;MARIO;01/01/1980;M;ROMA;RM;MILANO;MI;VIA VERDI 3;BANCA UNO;AG "
      "5;MI;IT60 X054 2811 1010 0000 0123 456";
  ScriviRighe(archivio(), {spaziato});
  frmF24& f = apri();
  user.click(f.cmdLoad);
  auto& a = application.form<ArchivioF24>();
  user.pickRow(a.lstF24, 0);
  user.click(a.cmdLoad);
  frmF24& r = finestra();
  EXPECT_EQ(r.txtIban.Text(), "IT60X0542811101000000123456");
  EXPECT_THAT(LeggiRighe(archivio()), ElementsAre(spaziato));
  desk.expectMsgBox(vbYes, {.prompt = kDomandaSalva});
  desk.expectMsgBox(vbYes, {.prompt = kSovrascrivi});
  desk.expectMsgBox(vbOK, {.prompt = kArchiviati});
  user.click(r.cmdSave);
  const auto righe = LeggiRighe(archivio());
  ASSERT_EQ(righe.size(), 1u);
  EXPECT_EQ(righe[0],
            "RSSMRA80A01H501U;ROSSI;MARIO;01/01/1980;M;ROMA;RM;MILANO;MI;VIA VERDI 3;BANCA UNO;AG "
            "5;MI;IT60X0542811101000000123456");
}

// --- The archive ----------------------------------------------------------------------

TEST_F(PagatoreTest, SavesWindows1252LinesAndOverwritesOnlyOnYes) {
  frmF24& f = apri();
  persona(f);
  f.txtCognome.setText("niccolò");
  f.txtIndirizzo.setText("via dei mille 1");
  f.txtDelega.setText("banca");
  f.txtAgenzia.setText("ag 3");
  f.txtProv.setText("mi");
  f.txtComuneR.setText("milano");
  f.txtProvR.setText("mi");
  salva(f);
  const std::string riga1 =
      "BNCLGU75C12F205X;NICCOL\xD2;LUIGI;12/03/1975;M;MILANO;MI;MILANO;MI;VIA DEI MILLE 1;BANCA;AG 3;MI;\r\n";
  EXPECT_EQ(LeggiFile(archivio()), riga1);

  // Another payer A, then the first again (Yes): A stays, the first moves to the end.
  f.txtCodFis.setText("AAAAAA00A00A000A");
  desk.expectMsgBox(vbYes, {.prompt = kDomandaSalva});
  desk.expectMsgBox(vbOK, {.prompt = kArchiviati});
  user.click(f.cmdSave);
  f.txtCodFis.setText("BNCLGU75C12F205X");
  f.txtNome.setText("gino");
  desk.expectMsgBox(vbYes, {.prompt = kDomandaSalva});
  desk.expectMsgBox(vbNo, {.prompt = kSovrascrivi, .title = "Quotara", .icon = vbQuestion});
  user.click(f.cmdSave);
  EXPECT_NE(desk.msgBoxes().back().prompt, kArchiviati);
  EXPECT_EQ(LeggiRighe(archivio()).size(), 2u);
  desk.expectMsgBox(vbYes, {.prompt = kDomandaSalva});
  desk.expectMsgBox(vbYes, {.prompt = kSovrascrivi});
  desk.expectMsgBox(vbOK, {.prompt = kArchiviati});
  user.click(f.cmdSave);
  auto righe = LeggiRighe(archivio());
  ASSERT_EQ(righe.size(), 2u);
  EXPECT_EQ(righe[0].substr(0, 17), "AAAAAA00A00A000A;");
  EXPECT_EQ(righe[1].rfind("BNCLGU75C12F205X;NICCOLÒ;GINO;", 0), 0u) << righe[1];
  EXPECT_EQ(lista(f.List1), righe);

  // The same code with another IBAN is another record.
  f.txtIban.setText("IT56A0300203280000400162854");
  desk.expectMsgBox(vbYes, {.prompt = kDomandaSalva});
  desk.expectMsgBox(vbOK, {.prompt = kArchiviati});
  user.click(f.cmdSave);
  EXPECT_EQ(LeggiRighe(archivio()).size(), 3u);
}

// An entity is stored without the hidden person boxes.
TEST_F(PagatoreTest, AnEntityIsStoredWithoutTheBirthData) {
  frmF24& f = apri();
  persona(f, "01234567890");
  user.tick(f.chkEnte);
  f.txtCognome.setText("comune servizi srl");
  f.txtComuneR.setText("torino");
  salva(f);
  EXPECT_EQ(LeggiFile(archivio()), "01234567890;COMUNE SERVIZI SRL;;  /  /    ;;;;TORINO;;;;;;\r\n");
}

TEST_F(PagatoreTest, AFailedWriteSaysSoAndLosesNothing) {
  ScriviRighe(archivio(), {kRossi});
  frmF24& f = apri();
  // The archive cannot be written: a folder stands where it goes.
  fs::remove(archivio());
  fs::create_directories(archivio() + "/dentro");
  for (const char* codice : {"NUOVO", "RSSMRA80A01H501U"}) {
    SCOPED_TRACE(codice);
    persona(f, codice, "IT60X0542811101000000123456");
    f.txtCodFis.setText(codice);
    desk.expectMsgBox(vbYes, {.prompt = kDomandaSalva});
    if (std::string(codice) != "NUOVO") desk.expectMsgBox(vbYes, {.prompt = kSovrascrivi});
    desk.expectMsgBox(vbOK, {.title = "Quotara", .icon = vbCritical});
    user.click(f.cmdSave);
    EXPECT_EQ(desk.msgBoxes().back().prompt.rfind("Impossibile archiviare i dati.\r\n", 0), 0u)
        << desk.msgBoxes().back().prompt;
    EXPECT_THAT(lista(f.List1), ElementsAre(kRossi));
    EXPECT_TRUE(fs::is_directory(archivio() + "/dentro"));
  }
}

// --- The payer archive window --------------------------------------------------------

TEST_F(PagatoreTest, ArchiveListsLoadsAPersonAndAnEntity) {
  ScriviRighe(archivio(), {kRossi, kEnte, "BNCNNA70A41F205Z;BIANCHI;ANNA;01/01/1970;;;;;;;;;;"});
  frmF24& f = apri();
  user.click(f.cmdLoad);
  EXPECT_FALSE(application.isLoaded<frmF24>());
  EXPECT_FALSE(application.form<shell::Principale>().Visible());
  auto& a = application.form<ArchivioF24>();
  EXPECT_TRUE(a.Visible());
  EXPECT_EQ(a.Caption(), "Archivio dati F24");
  ASSERT_EQ(a.lstF24.ListCount(), 3);
  EXPECT_EQ(a.lstF24.FontName(), "Courier");
  EXPECT_EQ(a.lstF24.List(0).substr(0, 11), "ROSSI MARIO");
  EXPECT_NE(a.lstF24.List(0).find("01/01/1980     RSSMRA80A01H501U"), std::string::npos) << a.lstF24.List(0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(a.lstF24.ItemData(i), i);
  EXPECT_FALSE(a.cmdLoad.Enabled());
  EXPECT_FALSE(a.cmdElimina.Enabled());
  // A double click with no row selected does nothing.
  user.dblClick(a.lstF24);
  EXPECT_TRUE(application.isLoaded<ArchivioF24>());
  // Esc closes it as "Chiudi" does: the payer window comes back.
  user.pressEsc();
  EXPECT_FALSE(application.isLoaded<ArchivioF24>());
  EXPECT_TRUE(finestra().Visible());
  user.click(finestra().cmdLoad);
  auto& a1 = application.form<ArchivioF24>();
  ASSERT_EQ(a1.lstF24.ListCount(), 3);

  // The entity: chkEnte checked, the person boxes left alone.
  user.pickRow(a1.lstF24, 1);
  EXPECT_TRUE(a1.cmdLoad.Enabled());
  EXPECT_TRUE(a1.cmdElimina.Enabled());
  user.click(a1.cmdLoad);
  EXPECT_FALSE(application.isLoaded<ArchivioF24>());
  frmF24& e = finestra();
  EXPECT_TRUE(e.Visible());
  EXPECT_EQ(e.chkEnte.Value(), vbChecked);
  EXPECT_EQ(e.Label5.Caption(), "Denominazione:");
  EXPECT_EQ(e.txtCodFis.Text(), "01234567890");
  EXPECT_EQ(e.txtCognome.Text(), "COMUNE SERVIZI SRL");
  EXPECT_EQ(e.txtData.Text(), "  /  /    ");
  EXPECT_EQ(e.cboSesso.ListIndex(), -1);
  EXPECT_EQ(e.txtIndirizzo.Text(), "CORSO FRANCIA 1");
  EXPECT_EQ(e.txtIban.Text(), "");
  EXPECT_EQ(lista(e.List1).size(), 3u);

  // The person by a double click; an empty sex loads as "Femmina".
  user.click(e.cmdLoad);
  auto& a2 = application.form<ArchivioF24>();
  user.dblClickRow(a2.lstF24, 2);
  frmF24& p = finestra();
  EXPECT_EQ(p.chkEnte.Value(), vbUnchecked);
  EXPECT_EQ(p.txtNome.Text(), "ANNA");
  EXPECT_EQ(p.cboSesso.Text(), "Femmina");
  user.click(p.cmdLoad);
  user.dblClickRow(application.form<ArchivioF24>().lstF24, 0);
  frmF24& r = finestra();
  EXPECT_EQ(r.txtCodFis.Text(), "RSSMRA80A01H501U");
  EXPECT_EQ(r.txtNome.Text(), "MARIO");
  EXPECT_EQ(r.txtData.Text(), "01/01/1980");
  EXPECT_EQ(r.cboSesso.Text(), "Maschio");
  EXPECT_EQ(r.txtComuneN.Text(), "ROMA");
  EXPECT_EQ(r.txtProvN.Text(), "RM");
  EXPECT_EQ(r.txtComuneR.Text(), "MILANO");
  EXPECT_EQ(r.txtProvR.Text(), "MI");
  EXPECT_EQ(r.txtDelega.Text(), "BANCA UNO");
  EXPECT_EQ(r.txtAgenzia.Text(), "AG. 5");
  EXPECT_EQ(r.txtProv.Text(), "MI");
  EXPECT_EQ(r.txtIban.Text(), "IT60X0542811101000000123456");
  // Saved unchanged, it is the same record.
  desk.expectMsgBox(vbYes, {.prompt = kDomandaSalva});
  desk.expectMsgBox(vbYes, {.prompt = kSovrascrivi});
  desk.expectMsgBox(vbOK, {.prompt = kArchiviati});
  user.click(r.cmdSave);
  EXPECT_EQ(LeggiRighe(archivio()).back(), kRossi);
}

TEST_F(PagatoreTest, ArchiveDeletesAndTheLastDeleteRemovesTheFile) {
  ScriviRighe(archivio(), {kRossi, kEnte});
  frmF24& f = apri();
  user.click(f.cmdLoad);
  auto& a = application.form<ArchivioF24>();
  user.pickRow(a.lstF24, 0);
  desk.expectMsgBox(vbNo, {.prompt = "Vuoi eliminare il dato selezionato?", .title = "Quotara", .icon = vbQuestion});
  user.click(a.cmdElimina);
  EXPECT_EQ(LeggiRighe(archivio()).size(), 2u);
  desk.expectMsgBox(vbYes, {.prompt = "Vuoi eliminare il dato selezionato?"});
  user.click(a.cmdElimina);
  EXPECT_EQ(LeggiFile(archivio()), kEnte + "\r\n");
  ASSERT_EQ(a.lstF24.ListCount(), 1);
  EXPECT_EQ(a.lstF24.ListIndex(), -1);
  EXPECT_FALSE(a.cmdLoad.Enabled());
  EXPECT_FALSE(a.cmdElimina.Enabled());
  user.pickRow(a.lstF24, 0);
  desk.expectMsgBox(vbYes, {.prompt = "Vuoi eliminare il dato selezionato?"});
  user.click(a.cmdElimina);
  EXPECT_FALSE(fs::exists(archivio()));
  EXPECT_EQ(a.lstF24.ListCount(), 0);
  EXPECT_FALSE(a.cmdElimina.Enabled());
  // "Chiudi": the payer window again, its list empty.
  user.click(a.cmdExit);
  EXPECT_TRUE(finestra().Visible());
  EXPECT_EQ(finestra().List1.ListCount(), 0);
}

TEST_F(PagatoreTest, AFailedDeleteSaysSoAndLosesNothing) {
  ScriviRighe(archivio(), {kRossi, kEnte});
  user.click(apri().cmdLoad);
  auto& a = application.form<ArchivioF24>();
  const std::string prima = LeggiFile(archivio());
  // A rewrite cannot replace a folder.
  fs::remove(archivio());
  fs::create_directories(archivio() + "/dentro");
  user.pickRow(a.lstF24, 0);
  desk.expectMsgBox(vbYes, {.prompt = "Vuoi eliminare il dato selezionato?"});
  desk.expectMsgBox(vbOK, {.icon = vbCritical});
  user.click(a.cmdElimina);
  EXPECT_EQ(desk.msgBoxes().back().prompt.rfind("Impossibile eliminare i dati.\r\n", 0), 0u);
  EXPECT_TRUE(fs::is_directory(archivio() + "/dentro"));
}

// --- Forced simplified form, closing ------------------------------------------------

TEST_F(PagatoreTest, NineRowsForceTheSimplifiedFormOnEveryLoad) {
  for (int righe : {8, 9, 10}) {
    SCOPED_TRACE(righe);
    application.NumRigheF24 = righe;
    frmF24& f = apri();
    EXPECT_EQ(f.modF24[1].Value(), righe > 8);
    EXPECT_EQ(f.modF24[0].Enabled(), righe <= 8);
    // Also after "Carica dati".
    user.click(f.cmdLoad);
    user.click(application.form<ArchivioF24>().cmdExit);
    frmF24& g = finestra();
    EXPECT_EQ(g.modF24[1].Value(), righe > 8);
    EXPECT_EQ(g.modF24[0].Enabled(), righe <= 8);
    user.click(g.cmdExit);
  }
}

// "Chiudi" and the close box end the hand-over and bring the frame back;
// the archive window's close box brings the payer window back.
TEST_F(PagatoreTest, EveryWayOfClosingShowsTheOpenerAgain) {
  for (bool chiusura : {false, true}) {
    SCOPED_TRACE(chiusura ? "close box" : "Chiudi");
    application.F24PiuComuni = true;
    application.NumRigheF24 = 1;
    quotara::testing::ConsegnaF24(application, {"H501;1;0;1;3958;2026;100", "1;0;100;"});
    frmF24& f = apri();
    EXPECT_FALSE(application.form<shell::Principale>().Visible());
    user.click(f.cmdLoad);
    user.close(application.form<ArchivioF24>());
    EXPECT_FALSE(application.isLoaded<ArchivioF24>());
    EXPECT_TRUE(finestra().Visible());
    EXPECT_FALSE(application.form<shell::Principale>().Visible());
    if (chiusura)
      user.close(finestra());
    else
      user.click(finestra().cmdExit);
    EXPECT_FALSE(application.isLoaded<frmF24>());
    EXPECT_TRUE(application.form<shell::Principale>().Visible());
    EXPECT_FALSE(application.F24PiuComuni);
    EXPECT_TRUE(quotara::testing::TestiF24(application).empty());
  }
}

}  // namespace
}  // namespace f24::testing
