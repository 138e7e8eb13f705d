#include "f24/frmF24.h"

#include <initializer_list>

#include "f24/ArchivioF24.h"
#include "f24/LimitiF24.h"
#include "f24/Verifica.h"
#include "f24/frmModelliF24.h"
#include "fiscalcode/DataNascita.h"
#include "fiscalcode/frmCFdati.h"
#include "kit/Applicazione.h"
#include "kit/Convenzioni.h"
#include "kit/Documenti.h"
#include "kit/Finestre.h"
#include "kit/Liste.h"
#include "kit/Messaggi.h"
#include "shell/Modulo1.h"
#include "kit/Risorse.h"

namespace f24 {

using namespace forms;

namespace {

void etichetta(Label& l, Container& dentro, int x, int y, int w, const char* testo) {
  l.create(dentro, x, y + 45, w, 255);
  l.setCaption(testo);
}

void casella(TextBox& t, Container& dentro, int x, int y, int w, int massimo = 0) {
  t.create(dentro, x, y, w, 315);
  if (massimo > 0) t.setMaxLength(massimo);
}

}  // namespace

std::string PercorsoArchivioF24() { return shell::PercorsoApp() + "/tasif24.dat"; }

VersamentoF24 VersamentoCorrente(const std::string& contribuente, const std::string& codiceCatastale,
                                 const std::string& anno) {
  const auto& a = shell::app();
  return {a.RigheF24,     a.NumRigheF24, a.ChiusuraF24,   a.TipoVersamento,
          a.F24PiuComuni, contribuente,  codiceCatastale, anno};
}

EsitoF24 EseguiCompilaF24(const DatiContribuenteF24& dati, bool ente, ModelloF24 modello,
                          const VersamentoF24& versamento) {
  shell::Clessidra clessidra;
  const ModelliF24 modelli{shell::CaricaRisorsa(shell::TipoRisorsa::Custom, shell::RisorsaModelloF24),
                           shell::CaricaRisorsa(shell::TipoRisorsa::Custom, shell::RisorsaModelloF24Semplificato)};
  EsitoF24 esito = CompilaF24(dati, ente, modello, versamento, CartellaModelliF24(), modelli,
                              [] { shell::Messaggio(kAvvisoDueModelli); });
  if (!esito.NomeFileF24.empty()) shell::app().NomeFileF24 = esito.NomeFileF24;
  MostraEsitoF24(esito);
  return esito;
}

void MostraEsitoF24(const EsitoF24& esito) {
  for (const std::string& avviso : esito.Avvisi) shell::Messaggio(avviso, 0);
  if (esito.Riuscito)
    shell::ApriDocumenti(esito.Compilati);
  else
    shell::Messaggio(esito.Errore, esito.Guasto ? vbCritical : vbInformation);
}

frmF24::frmF24() : archivio_(PercorsoArchivioF24(), List1, DatiContribuenteF24::chiaveDi) {
  setCaption("Compilazione F24");
  setBorderStyle(1);
  setStartUpPosition(2);
  setClientSize(10200, 8160);

  constexpr int xBox = 2040;  // left edge of the boxes in every frame

  Frame1.create(*this, 120, 120, 9960, 1140);
  Frame1.setCaption("Delega");
  etichetta(Label1, Frame1, 240, 300, 1740, "Delega a:");
  casella(txtDelega, Frame1, xBox, 300, 4200);
  etichetta(Label2, Frame1, 240, 690, 1740, "Agenzia:");
  casella(txtAgenzia, Frame1, xBox, 690, 4200);
  etichetta(Label3, Frame1, 6480, 690, 1080, "Provincia:");
  casella(txtProv, Frame1, 7620, 690, 495, 2);

  Frame2.create(*this, 120, 1380, 9960, 2040);
  Frame2.setCaption("Contribuente");
  etichetta(Label4, Frame2, 240, 300, 1740, "Codice fiscale:");
  casella(txtCodFis, Frame2, xBox, 300, kLarghezzaCodFis, 16);
  Picture1.create(Frame2, 6900, 255, 1620, 405);
  Picture1.setBorderStyle(0);
  cmdCodFis.create(Picture1, 0, 0, 1620, 405);
  cmdCodFis.setCaption("Calcola CF");
  etichetta(Label5, Frame2, 240, 690, 1740, "Cognome:");
  casella(txtCognome, Frame2, xBox, 690, kLarghezzaCognome);
  etichetta(Label6, Frame2, 5160, 690, 960, "Nome:");
  casella(txtNome, Frame2, 6180, 690, 3540);
  etichetta(Label7, Frame2, 240, 1080, 1740, "Data di nascita:");
  casella(txtData, Frame2, xBox, 1080, 1335, 10);
  etichetta(Label8, Frame2, 5160, 1080, 960, "Sesso:");
  cboSesso.create(Frame2, 6180, 1080, 1620, 315);
  cboSesso.setStyle(vbComboDropDownList);
  etichetta(Label9, Frame2, 240, 1470, 1740, "Comune nascita:");
  casella(txtComuneN, Frame2, xBox, 1470, kLarghezzaCognome);
  etichetta(Label10, Frame2, 5160, 1470, 1860, "Provincia di nascita:");
  casella(txtProvN, Frame2, 7080, 1470, 495, 2);
  lblNote.create(Frame2, 240, 1110, 9480, 480);
  lblNote.setCaption("Inserire il codice fiscale dell'ente giuridico e la denominazione o la ragione sociale.");
  lblNote.setForeColor(RGB(0, 0, 192));
  lblNote.setVisible(false);

  Frame3.create(*this, 120, 3540, 9960, 1140);
  Frame3.setCaption("Domicilio fiscale");
  etichetta(Label11, Frame3, 240, 300, 1740, "Comune:");
  casella(txtComuneR, Frame3, xBox, 300, 4200);
  etichetta(Label12, Frame3, 6480, 300, 1080, "Provincia:");
  casella(txtProvR, Frame3, 7620, 300, 495, 2);
  etichetta(Label13, Frame3, 240, 690, 1740, "Via e numero civico:");
  casella(txtIndirizzo, Frame3, xBox, 690, 7680);

  Frame4.create(*this, 120, 4800, 9960, 750);
  Frame4.setCaption("Coordinate bancarie (facoltativo):");
  etichetta(Label14, Frame4, 240, 300, 1740, "IBAN:");
  casella(txtIban, Frame4, xBox, 300, 4200);

  Frame7.create(*this, 120, 5670, 9960, 690);
  Frame7.setCaption("Soggetto dichiarante");
  chkEnte.create(Frame7, 240, 300, 9480, 285);
  chkEnte.setCaption("Seleziona se si tratta di ente giuridico o persona non fisica");

  Frame6.create(*this, 120, 6480, 4800, 1020);
  Frame6.setCaption("Modello F24");
  Picture3.create(Frame6, 120, 255, 4560, 705);
  Picture3.setBorderStyle(0);
  const char* modelli[] = {"Modello F24 normale", "Modello F24 semplificato"};
  for (int i = 0; i < 2; ++i) {
    OptionButton& o = modF24.Add(i);
    o.create(Picture3, 120, 30 + 345 * i, 4320, 285);
    o.setCaption(modelli[i]);
  }
  modF24[0].setValue(true);

  Frame5.create(*this, 5040, 6480, 5040, 1020);
  Frame5.setCaption("Gestione F24");
  Picture2.create(Frame5, 120, 300, 4800, 555);
  Picture2.setBorderStyle(0);
  cmdLoad.create(Picture2, 0, 60, 1500, 435);
  cmdLoad.setCaption("Carica dati");
  cmdSave.create(Picture2, 1650, 60, 1500, 435);
  cmdSave.setCaption("Salva dati");
  cmdF24.create(Picture2, 3300, 60, 1500, 435);
  cmdF24.setCaption("Compila F24");

  cmdExit.create(*this, 8580, 7620, 1500, 435);
  cmdExit.setCaption("Chiudi");

  List1.create(*this, 120, 7620, 1200, 300);
  List1.setVisible(false);

  int ordine = 0;
  for (Control* c : std::initializer_list<Control*>{
           &txtDelega,  &txtAgenzia, &txtProv,    &txtCodFis, &txtCognome,   &txtNome, &txtData,   &cboSesso,
           &txtComuneN, &txtProvN,   &txtComuneR, &txtProvR,  &txtIndirizzo, &txtIban, &cmdCodFis, &chkEnte,
           &modF24[0],  &modF24[1],  &cmdLoad,    &cmdSave,   &cmdF24,       &cmdExit})
    c->setTabIndex(ordine++);

  for (TextBox* t : {&txtDelega, &txtAgenzia, &txtProv, &txtCodFis, &txtCognome, &txtNome, &txtComuneN, &txtProvN,
                     &txtComuneR, &txtProvR, &txtIndirizzo})
    shell::CasellaMaiuscolaInFondo(*t);
  shell::CasellaIban(txtIban);
  shell::CasellaData(txtData, std::string_view(kMascheraData).substr(0, 10));
  shell::InvioEsc(chkEnte);
  shell::InvioEsc(modF24);

  Load = [this] { Form_Load(); };
  Unload = [this](int&) { Form_Unload(); };
  chkEnte.Click = [this] { chkEnte_Click(); };
  cboSesso.KeyPress = [this](int& KeyAscii) { cboSesso_KeyPress(KeyAscii); };
  cmdCodFis.Click = [this] { cmdCodFis_Click(); };
  cmdLoad.Click = [this] { cmdLoad_Click(); };
  cmdSave.Click = [this] { cmdSave_Click(); };
  cmdF24.Click = [this] { cmdF24_Click(); };
  cmdExit.Click = [this] { cmdExit_Click(); };
}

void frmF24::Form_Load() {
  CaricaListaF24();
  cboSesso.AddItem("Maschio");
  cboSesso.AddItem("Femmina");
  txtData.setText(std::string(kMascheraData).substr(0, static_cast<size_t>(txtData.MaxLength())));
  // The ordinary forms take 8 rows at most: more, and only the simplified one
  // can be filled, on every load (also after "Carica dati").
  if (shell::app().NumRigheF24 > kRigheDueModelli) {
    modF24[1].setValue(true);
    modF24[0].setEnabled(false);
  }
}

// However the window closes, but for the payer archive: the hand-over from
// the totals page ends and the frame comes back.
void frmF24::Form_Unload() {
  shell::Applicazione& a = shell::app();
  if (versoArchivio_ || a.ended()) return;
  a.F24PiuComuni = false;
  shell::SvuotaRigheF24();
  if (a.isLoaded<Verifica>()) a.form<Verifica>().cmdArchivioF24.setEnabled(shell::EsisteCartella(CartellaModelliF24()));
  a.frame().Show();
}

void frmF24::chkEnte_Click() {
  const bool ente = chkEnte.Value() == vbChecked;
  for (Control* c : std::initializer_list<Control*>{&Picture1, &txtData, &cboSesso, &txtComuneN, &txtProvN, &Label7,
                                                    &Label8, &Label9, &Label10, &Label6, &txtNome})
    c->setVisible(!ente);
  Label5.setCaption(ente ? "Denominazione:" : "Cognome:");
  txtCodFis.setWidth(ente ? kLarghezzaEnte : kLarghezzaCodFis);
  txtCognome.setWidth(ente ? kLarghezzaEnte : kLarghezzaCognome);
  lblNote.setVisible(ente);
  EnteGiuridico = ente;
}

void frmF24::cboSesso_KeyPress(int& KeyAscii) {
  if (shell::InvioEsc(KeyAscii)) return;
  if (KeyAscii == ',' || KeyAscii == '.' || KeyAscii == ';') shell::RifiutaTasto(cboSesso, KeyAscii);
}

void frmF24::cmdCodFis_Click() {
  Hide();
  shell::app().CodFisDaF24 = true;
  auto& cf = app().form<fiscalcode::frmCFdati>();
  cf.txtCognome.setText(txtCognome.Text());
  cf.txtNome.setText(txtNome.Text());
  cf.txtData.setText(txtData.Text());
  cf.txtSesso.setText(cboSesso.Text().substr(0, 1));
  cf.txtComuneNascita.setText(txtComuneN.Text());
  cf.lblProv.setCaption(txtProvN.Text());
  cf.Show();
}

void frmF24::cmdLoad_Click() {
  versoArchivio_ = true;
  app().unload(*this);
  app().form<ArchivioF24>().Show();
}

void frmF24::cmdSave_Click() {
  if (!shell::Domanda("Vuoi archiviare questi dati?")) return;
  if (!ControllaContribuente()) return;
  bool salvato = false;
  SalvaDatiF24(salvato);
  if (salvato) shell::Messaggio("Dati archiviati!");
}

void frmF24::cmdF24_Click() {
  // A form for nobody is never produced: the payer passes the checks of "Salva dati" first.
  if (!ControllaContribuente()) return;
  // The taxpayer, municipality code and year of the totals page that handed the rows over.
  std::string contribuente, codice, anno;
  if (app().isLoaded<Verifica>()) {
    const Verifica& v = app().form<Verifica>();
    contribuente = v.Combo1.Text();
    codice = v.lblCodCat.Caption();
    anno = v.Combo3.Text();
  }
  EseguiCompilaF24(Record(), EnteGiuridico, modF24[1].Value() ? ModelloF24::Semplificato : ModelloF24::Normale,
                   VersamentoCorrente(contribuente, codice, anno));
}

void frmF24::cmdExit_Click() { app().unload(*this); }

bool frmF24::ControllaPersona() {
  if (!fiscalcode::DataValida(txtData.Text()))
    return shell::Rifiuta(txtData, "Devi inserire una data valida.", vbInformation);
  if (txtCodFis.Text().empty())
    return shell::Rifiuta(txtCodFis, "Devi immettere il codice fiscale del contribuente.", vbInformation);
  if (txtCognome.Text().empty())
    return shell::Rifiuta(txtCognome, "Devi immettere il cognome del contribuente.", vbInformation);
  if (txtNome.Text().empty()) return shell::Rifiuta(txtNome, "Devi immettere il nome del contribuente.", vbInformation);
  return true;
}

bool frmF24::ControllaIban() {
  const std::string iban = txtIban.Text();
  if (iban.empty() || IbanValido(iban)) return true;
  return shell::Rifiuta(
      txtIban,
      "L'IBAN " + iban +
          " non è valido.\r\nL'IBAN italiano ha 27 caratteri, inizia con IT e le sue cifre di "
          "controllo devono corrispondere: verificatelo sull'estratto conto o sul contratto della banca.",
      vbExclamation);
}

bool frmF24::ControllaEnte() {
  if (txtCodFis.Text().empty())
    return shell::Rifiuta(txtCodFis, "Devi immettere il codice fiscale del contribuente.", vbInformation);
  if (txtCognome.Text().empty())
    return shell::Rifiuta(txtCognome, "Devi immettere la denominazione del contribuente.", vbInformation);
  return true;
}

void frmF24::CaricaListaF24() { archivio_.Carica(); }

DatiContribuenteF24 frmF24::Record() const {
  DatiContribuenteF24 r;
  r.CodiceFiscale = txtCodFis.Text();
  r.Cognome = txtCognome.Text();
  if (EnteGiuridico) {
    r.DataNascita = kMascheraData;
  } else {
    r.Nome = txtNome.Text();
    r.DataNascita = txtData.Text();
    r.Sesso = cboSesso.Text().substr(0, 1);
    r.ComuneNascita = txtComuneN.Text();
    r.ProvinciaNascita = txtProvN.Text();
  }
  r.ComuneDomicilio = txtComuneR.Text();
  r.ProvinciaDomicilio = txtProvR.Text();
  r.Indirizzo = txtIndirizzo.Text();
  r.Delega = txtDelega.Text();
  r.Agenzia = txtAgenzia.Text();
  r.ProvinciaAgenzia = txtProv.Text();
  r.Iban = txtIban.Text();
  return r;
}

void frmF24::SalvaDatiF24(bool& Esito) {
  const DatiContribuenteF24 r = Record();
  Esito = archivio_.Archivia(r, "Questo nominativo è già presente nell'archivio.");
}

}  // namespace f24
