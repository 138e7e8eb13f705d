#include "fiscalcode/frmCodComune.h"

#include <algorithm>

#include "calculation/MainForm.h"
#include "fiscalcode/modCodFis.h"
#include "forms/Text.h"
#include "kit/Applicazione.h"
#include "kit/Convenzioni.h"
#include "kit/Dialoghi.h"
#include "kit/Messaggi.h"
#include "shell/Modulo1.h"

namespace fiscalcode {

using namespace forms;

frmCodComune::frmCodComune() {
  setCaption("Ricerca Codice Catastale Comune");
  setEscapeCloses(true);  // a window that only shows or picks
  setBorderStyle(1);
  setStartUpPosition(2);
  setClientSize(6360, 4230);

  Command2.create(*this, 240, 3600, 3840, 435);
  Command2.setCaption("Inserisci codice catastale manualmente");
  Command3.create(*this, 4920, 3600, 1200, 435);
  Command3.setCaption("Chiudi");
  Command1.create(*this, 3960, 465, 2160, 375);
  Command1.setCaption("Cerca codice catastale");
  txtComune.create(*this, 240, 480, 3540, 345);
  txtComune.setMaxLength(40);
  lblCatasto.create(*this, 3960, 1395, 2160, 375);
  Label1.create(*this, 240, 210, 3540, 255);
  Label1.setCaption("Comune da ricercare:");
  lblProv.create(*this, 3960, 2355, 2160, 375);
  Label2.create(*this, 3960, 1110, 2160, 255);
  Label2.setCaption("Codice catastale:");
  Label3.create(*this, 3960, 2070, 2160, 255);
  Label3.setCaption("Provincia:");
  lstComuni.create(*this, 240, 960, 3540, 2430);

  for (Label* esito : {&lblCatasto, &lblProv}) {
    esito->setBorderStyle(1);
    esito->setBackColor(vbWindowBackground);
    esito->setAlignment(vbCenter);
    esito->setFontSize(10);
    esito->setFontBold(true);
  }

  txtComune.setTabIndex(0);
  lstComuni.setTabIndex(1);
  Command1.setTabIndex(2);
  Command2.setTabIndex(3);
  Command3.setTabIndex(4);

  Load = [this] { Form_Load(); };
  Activate = [this] { Form_Activate(); };
  Unload = [this](int&) { Form_Unload(); };
  shell::CasellaTesto(txtComune);
  txtComune.Change = [this] { txtComune_Change(); };
  txtComune.KeyPress = [this](int& KeyAscii) { txtComune_KeyPress(KeyAscii); };
  lstComuni.Click = [this] { lstComuni_Click(); };
  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Command3.Click = [this] { Command3_Click(); };
  shell::DialogoNonModale(*this, Command3);
}

void frmCodComune::Form_Load() { tabellaMancante_ = !CaricaComuni(); }

void frmCodComune::Form_Activate() {
  if (!tabellaMancante_) return;
  shell::Messaggio(std::string(MessaggioTabellaMancante), vbExclamation);
  // Nothing was looked up: the calculation window keeps the code it has.
  shell::app().CodCatDaMainForm = false;
  app().unload(*this);
}

// However the window closes, the caller gets its code (and the frame comes back).
void frmCodComune::Form_Unload() {
  shell::Applicazione& a = shell::app();
  if (a.CodCatDaMainForm) {
    a.form<calculation::MainForm>().lblCodCat.setCaption(lblCatasto.Caption());
    a.CodCatDaMainForm = false;
  }
  SvuotaComuni();
}

void frmCodComune::txtComune_Change() {
  if (shell::MaiuscoloInFondo(txtComune)) return;  // its own Change did the rest
  posizione_ = -1;
  if (!aggiornaElenco_) RiempiElenco();
}

void frmCodComune::txtComune_KeyPress(int& KeyAscii) {
  switch (KeyAscii) {
    case vbKeyReturn:
      KeyAscii = 0;
      Command1_Click();
      break;
    case vbKeyEscape:
      shell::InvioEsc(KeyAscii);
      break;
    case ',':
    case ';':
      shell::RifiutaTasto(txtComune, KeyAscii);
      break;
  }
}

void frmCodComune::lstComuni_Click() {
  if (aggiornaElenco_ || lstComuni.ListIndex() < 0) return;
  auto riga = static_cast<size_t>(lstComuni.ItemData(lstComuni.ListIndex()));
  // The list stays as typed, so that the next row is one key away.
  aggiornaElenco_ = true;
  txtComune.setText(ComuniNome[riga]);
  aggiornaElenco_ = false;
  auto omonimi = TrovaComuni(ComuniNome[riga]);
  posizione_ = static_cast<int>(std::find(omonimi.begin(), omonimi.end(), riga) - omonimi.begin());
  MostraRiga(riga);
}

void frmCodComune::Command1_Click() {
  auto omonimi = TrovaComuni(txtComune.Text());
  if (omonimi.empty()) {
    shell::Messaggio(std::string(MessaggioComuneNonTrovato), vbExclamation);
    lblCatasto.setCaption("");
    lblProv.setCaption("");
    posizione_ = -1;
    return;
  }
  posizione_ = (posizione_ + 1) % static_cast<int>(omonimi.size());
  MostraRiga(omonimi[static_cast<size_t>(posizione_)]);
}

void frmCodComune::Command2_Click() {
  std::string risposta = InputBox("Immetti il codice catastale del Comune:", "Codice catastale", "");
  if (risposta.empty()) {
    lblCatasto.setCaption("");
    return;
  }
  auto codice = CodiceManuale(risposta);
  if (!codice) {
    shell::Messaggio("Il codice catastale deve essere una lettera seguita da tre cifre (es. H501).", vbExclamation);
    return;
  }
  lblCatasto.setCaption(*codice);
}

void frmCodComune::Command3_Click() { app().unload(*this); }

void frmCodComune::RiempiElenco() {
  aggiornaElenco_ = true;
  lstComuni.Clear();
  for (size_t riga : ComuniCheIniziano(txtComune.Text(), RigheElenco)) {
    lstComuni.AddItem(ComuniNome[riga] + " (" + ComuniProvincia[riga] + ")");
    lstComuni.setItemData(lstComuni.NewIndex(), static_cast<int>(riga));
  }
  aggiornaElenco_ = false;
}

void frmCodComune::MostraRiga(size_t riga) {
  EvidenziaRiga(riga);
  if (ComuniProvincia[riga] == "EE") {
    shell::Messaggio("Gli stati stranieri non sono accettati.", vbExclamation);
    lblCatasto.setCaption("");
    lblProv.setCaption("");
    txtComune.SetFocus();
    return;
  }
  lblCatasto.setCaption(TagliaCodice(ComuniCodice[riga]));
  lblProv.setCaption(ComuniProvincia[riga]);
}

void frmCodComune::EvidenziaRiga(size_t riga) {
  int trovata = -1;
  for (int i = 0; i < lstComuni.ListCount() && trovata < 0; ++i)
    if (static_cast<size_t>(lstComuni.ItemData(i)) == riga) trovata = i;
  aggiornaElenco_ = true;
  lstComuni.setListIndex(trovata);
  aggiornaElenco_ = false;
}

}  // namespace fiscalcode
