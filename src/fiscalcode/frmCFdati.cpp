#include "fiscalcode/frmCFdati.h"

#include "f24/frmF24.h"
#include "fiscalcode/DataNascita.h"
#include "fiscalcode/modCodFis.h"
#include "kit/Applicazione.h"
#include "kit/Convenzioni.h"
#include "kit/Messaggi.h"

namespace fiscalcode {

using namespace forms;

frmCFdati::frmCFdati() {
  setCaption("Calcolo Codice Fiscale");
  setBorderStyle(1);
  setStartUpPosition(2);
  setClientSize(6840, 4560);

  FrameCF.create(*this, 120, 120, 6600, 3600);
  FrameCF.setCaption("Calcolo codice fiscale:");
  Picture2.create(*this, 120, 3900, 6600, 525);
  Picture2.setBorderStyle(0);
  cmdReturn.create(Picture2, 1320, 45, 3960, 435);
  cmdReturn.setCaption(kChiudi);

  // Labels: one column on the left, the boxes beside them.
  const char* titoli[] = {"Cognome:", "Nome:", "Data di nascita:", "Comune di nascita:", "Sesso:"};
  const int sinistra[] = {240, 240, 240, 240, 3840};
  const int alto[] = {375, 795, 1215, 1635, 1215};
  const int largo[] = {1800, 1800, 1800, 1800, 720};
  for (int i = 0; i < 5; ++i) {
    Label& l = Label1.Add(i);
    l.create(FrameCF, sinistra[i], alto[i], largo[i], 255);
    l.setCaption(titoli[i]);
  }
  txtCognome.create(FrameCF, 2160, 330, 4200, 315);
  txtNome.create(FrameCF, 2160, 750, 4200, 315);
  txtData.create(FrameCF, 2160, 1170, 1335, 315);
  txtData.setMaxLength(10);
  txtSesso.create(FrameCF, 4620, 1170, 495, 315);
  txtSesso.setMaxLength(1);
  txtSesso.setAlignment(vbCenter);
  txtComuneNascita.create(FrameCF, 2160, 1590, 3360, 315);
  lblProv.create(FrameCF, 5640, 1590, 720, 315);
  lblProv.setBorderStyle(1);
  lblProv.setBackColor(vbWindowBackground);
  lblProv.setAlignment(vbCenter);
  Picture1.create(FrameCF, 2160, 2070, 4200, 495);
  Picture1.setBorderStyle(0);
  cmdCF.create(Picture1, 0, 30, 4200, 435);
  cmdCF.setCaption("Calcola Codice Fiscale");
  Label2.create(FrameCF, 240, 2910, 1800, 255);
  Label2.setCaption("Codice fiscale:");
  txtCF.create(FrameCF, 2160, 2820, 4200, 405);
  txtCF.setMaxLength(16);
  txtCF.setFontSize(11);
  txtCF.setFontBold(true);
  txtCF.setAlignment(vbCenter);

  int ordine = 0;
  for (Control* c : std::initializer_list<Control*>{&txtCognome, &txtNome, &txtData, &txtSesso, &txtComuneNascita,
                                                    &cmdCF, &txtCF, &cmdReturn})
    c->setTabIndex(ordine++);

  for (TextBox* t : {&txtCognome, &txtNome, &txtComuneNascita, &txtCF}) shell::CasellaMaiuscolaInFondo(*t);
  shell::CasellaMaiuscolaInFondo(txtSesso);
  shell::CasellaData(txtData);

  Load = [this] { Form_Load(); };
  Activate = [this] { Form_Activate(); };
  Unload = [this](int&) { Form_Unload(); };
  txtCF.Change = [this, kit = txtCF.Change] {
    kit();
    txtCF_Change();
  };
  txtSesso.KeyPress = [this](int& KeyAscii) { txtSesso_KeyPress(KeyAscii); };
  cmdCF.Click = [this] { cmdCF_Click(); };
  cmdReturn.Click = [this] { cmdReturn_Click(); };
}

void frmCFdati::Form_Load() {
  tabellaMancante_ = !CaricaComuni();
  txtData.setText(std::string("  /  /    ").substr(0, static_cast<size_t>(txtData.MaxLength())));
}

void frmCFdati::Form_Activate() {
  if (!tabellaMancante_) return;
  tabellaMancante_ = false;
  shell::Messaggio(std::string(MessaggioTabellaMancante), vbExclamation);
  // Nothing was computed: the F24 payer window keeps what it has.
  restituisci_ = false;
  app().unload(*this);
}

// However the window closes ("Chiudi", the close box): the clipboard, the
// hand-back, and the window that opened it shows again.
void frmCFdati::Form_Unload() {
  SvuotaComuni();
  shell::Applicazione& a = shell::app();
  if (a.ended()) return;
  if (!txtCF.Text().empty()) {
    desktop().clearClipboard();
    desktop().setClipboardText(txtCF.Text());
  }
  if (a.CodFisDaF24) {
    if (restituisci_) RestituisciAF24();
    a.CodFisDaF24 = false;
    a.form<f24::frmF24>().Show();
  } else {
    a.frame().Show();
  }
}

void frmCFdati::txtCF_Change() { cmdReturn.setCaption(txtCF.Text().empty() ? kChiudi : kChiudiCopia); }

void frmCFdati::txtSesso_KeyPress(int& KeyAscii) {
  if (shell::InvioEsc(KeyAscii)) return;
  switch (KeyAscii) {
    case 'F':
    case 'M':
    case 'f':
    case 'm':
      break;
    default:
      if (!shell::TastoControllo(KeyAscii)) shell::RifiutaTasto(txtSesso, KeyAscii);
  }
}

void frmCFdati::ValidaDati(bool& Esito) {
  Esito = true;
  if (txtCognome.Text().empty())
    Esito = shell::Rifiuta(txtCognome, "Devi inserire il cognome");
  else if (txtNome.Text().empty())
    Esito = shell::Rifiuta(txtNome, "Devi inserire il nome");
  else if (!DataValida(txtData.Text()))
    Esito = shell::Rifiuta(txtData, "Devi inserire la data di nascita");
  else if (txtSesso.Text().empty())
    Esito = shell::Rifiuta(txtSesso, "Devi inserire il sesso");
  else if (txtComuneNascita.Text().empty())
    Esito = shell::Rifiuta(txtComuneNascita, "Devi inserire il comune di nascita");
}

void frmCFdati::cmdCF_Click() {
  bool valido = false;
  ValidaDati(valido);
  if (!valido) return;
  const std::string codice = CalcolaCodiceFiscale(txtCognome.Text(), txtNome.Text(), DataPerCodice(txtData.Text()),
                                                  txtSesso.Text(), txtComuneNascita.Text());
  txtCF.setText(codice);
  lblProv.setCaption(codice.empty() ? std::string() : ProvinciaComune);
  if (ErroreComune) {
    shell::Rifiuta(txtComuneNascita, std::string(MessaggioComuneNonTrovato));
  } else if (codice.empty()) {
    // Surname or name without a letter that counts for the code.
    shell::Rifiuta(txtCognome, "Impossibile calcolare il codice fiscale: cognome e nome devono contenere lettere.");
  }
}

void frmCFdati::cmdReturn_Click() { app().unload(*this); }

void frmCFdati::RestituisciAF24() {
  f24::frmF24& f = app().form<f24::frmF24>();
  f.txtCognome.setText(txtCognome.Text());
  f.txtNome.setText(txtNome.Text());
  f.txtData.setText(txtData.Text());
  f.cboSesso.setListIndex(txtSesso.Text() == "M" ? 0 : 1);
  f.txtComuneN.setText(txtComuneNascita.Text());
  f.txtProvN.setText(lblProv.Caption());
  f.txtCodFis.setText(txtCF.Text());
}

}  // namespace fiscalcode
