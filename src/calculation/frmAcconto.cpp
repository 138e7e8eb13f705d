#include "calculation/frmAcconto.h"

#include "calculation/MainForm.h"
#include "calculation/frmPertinenze.h"
#include "kit/Applicazione.h"
#include "kit/Dialoghi.h"
#include "shell/Numeri.h"

namespace calculation {

using namespace forms;

frmAcconto::frmAcconto() {
  setCaption("Acconto versato");
  setBorderStyle(1);
  setStartUpPosition(2);
  setClientSize(7200, 3480);

  Label1.create(*this, 240, 120, 6720, 300);
  Label1.setFontSize(10);
  Label1.setFontBold(true);
  Label1.setCaption("Inserimento ACCONTO versato");

  Frame1.create(*this, 240, 540, 6720, 1740);
  Frame1.setCaption("Dati versati in acconto");
  const char* didascalie[] = {"Acconto versato:", "Detrazione prima casa:", "Totale versato:"};
  TextBox* caselle[] = {&txtComune, &txtPrima};
  for (int i = 0; i < 3; ++i) {
    const int top = 360 + 420 * i + (i == 2 ? 60 : 0);
    Label& l = Label2.Add(i);
    l.create(Frame1, 240, top + 30, 2880, 255);
    l.setCaption(didascalie[i]);
    if (i < 2) {
      caselle[i]->create(Frame1, 3360, top, 1800, 315);
      caselle[i]->setTabIndex(i);
      CollegaCasellaImporto(*caselle[i]);
    } else {
      l.setFontBold(true);
      lblTotale.create(Frame1, 3360, top, 1800, 315);
      lblTotale.setBorderStyle(1);
      lblTotale.setAlignment(vbRightJustify);
      lblTotale.setFontBold(true);
    }
  }

  chkAcconto.create(*this, 240, 2400, 6720, 315);
  chkAcconto.setCaption("Carica acconti versati dalla scheda aperta nella schermata principale");
  chkAcconto.setTabIndex(2);
  cmdCalcola.create(*this, 3360, 2880, 1680, 420);
  cmdCalcola.setCaption("Calcola");
  cmdCalcola.setTabIndex(3);
  cmdAnnulla.create(*this, 5280, 2880, 1680, 420);
  cmdAnnulla.setCaption("Annulla");
  cmdAnnulla.setTabIndex(4);

  Load = [this] { Form_Load(); };
  chkAcconto.Click = [this] { chkAcconto_Click(); };
  txtComune.KeyUp = [this](int&, int) { txtComune_KeyUp(); };
  cmdCalcola.Click = [this] { cmdCalcola_Click(); };
  cmdAnnulla.Click = [this] { cmdAnnulla_Click(); };
  shell::DialogoNonModale(*this, cmdAnnulla);
}

void frmAcconto::Form_Load() {
  txtComune.setText("0,00");
  txtPrima.setText("0,00");
  lblTotale.setCaption("0,00");
  txtPrima.setEnabled(app().form<MainForm>().Check1.Value() == vbChecked);
}

void frmAcconto::chkAcconto_Click() {
  if (chkAcconto.Value() == vbChecked) {
    const MainForm& calcolo = app().form<MainForm>();
    const std::string& acconto = calcolo.Label12.Caption();
    const std::string& detrazione = calcolo.Label13.Caption();
    txtComune.setText(acconto.empty() ? "0,00" : acconto);
    txtPrima.setText(detrazione.empty() ? "0,00" : detrazione);
    txtComune_KeyUp();
  } else {
    txtComune.setText("0,00");
    txtPrima.setText("0,00");
    lblTotale.setCaption("0,00");
  }
}

void frmAcconto::txtComune_KeyUp() { lblTotale.setCaption(shell::Formatta(shell::CDbl(txtComune.Text()), "Standard")); }

void frmAcconto::cmdCalcola_Click() {
  shell::Applicazione& a = shell::app();
  a.DetrazioneAccontoVersata = shell::CDbl(txtPrima.Text());
  a.TotaleVersato = shell::CDbl(lblTotale.Caption());
  a.unload(*this);
  a.form<MainForm>().Fondivomanuale();
}

void frmAcconto::cmdAnnulla_Click() { app().unload(*this); }

}  // namespace calculation
