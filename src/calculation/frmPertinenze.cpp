#include "calculation/frmPertinenze.h"

#include "calculation/MainForm.h"
#include "kit/Convenzioni.h"
#include "kit/Dialoghi.h"
#include "shell/Numeri.h"

namespace calculation {

using namespace forms;

void CollegaCasellaImporto(TextBox& Casella) {
  TextBox* box = &Casella;
  box->setMaxLength(15);
  box->setAlignment(vbRightJustify);
  shell::CasellaImporto(*box);
  // A box that holds no number (emptied by cutting) counts as 0.
  box->LostFocus = [box] { box->setText(shell::Formatta(shell::CDbl(box->Text()), "#,##0.00")); };
}

frmPertinenze::frmPertinenze() {
  setCaption("Abitazione principale e pertinenze");
  setBorderStyle(1);
  setStartUpPosition(2);
  setClientSize(7800, 5760);

  Label1.create(*this, 240, 120, 7320, 300);
  Label1.setFontSize(10);
  Label1.setFontBold(true);
  Label1.setCaption("Rendita abitazione principale e pertinenze");
  lblTesto.create(*this, 240, 480, 7320, 2280);

  const char* didascalie[] = {"Rendita abitazione principale:", "Rendita pertinenza 1:", "Rendita pertinenza 2:",
                              "Rendita pertinenza 3:", "Rendita totale:"};
  TextBox* caselle[] = {&txtPrinc, &txtPert1, &txtPert2, &txtPert3};
  for (int i = 0; i < 5; ++i) {
    const int top = 2880 + 420 * i + (i == 4 ? 60 : 0);
    Label& l = Label2.Add(i);
    l.create(*this, 240, top + 30, 3480, 255);
    l.setCaption(didascalie[i]);
    if (i < 4) {
      caselle[i]->create(*this, 3840, top, 1800, 315);
      caselle[i]->setTabIndex(i);
      CollegaCasellaImporto(*caselle[i]);
      caselle[i]->KeyUp = [this](int&, int) { Rendita_KeyUp(); };
    } else {
      l.setFontBold(true);
      lblTotale.create(*this, 3840, top, 1800, 315);
      lblTotale.setBorderStyle(1);
      lblTotale.setAlignment(vbRightJustify);
      lblTotale.setFontBold(true);
    }
  }

  cmdRiporta.create(*this, 3840, 5160, 1800, 420);
  cmdRiporta.setCaption("Copia il totale");
  cmdRiporta.setTabIndex(4);
  cmdClose.create(*this, 5760, 5160, 1800, 420);
  cmdClose.setCaption("Chiudi");
  cmdClose.setTabIndex(5);

  Load = [this] { Form_Load(); };
  cmdRiporta.Click = [this] { cmdRiporta_Click(); };
  cmdClose.Click = [this] { cmdClose_Click(); };
  shell::DialogoNonModale(*this, cmdClose);
}

void frmPertinenze::Form_Load() {
  lblTesto.setCaption(
      "Potete eseguire un conteggio unico dell'abitazione principale e delle relative pertinenze.\r\n"
      "ATTENZIONE!\r\n"
      "Le pertinenze devono essere di categorie catastali diverse tra loro (C2, C6 e C7) e potete inserirne al "
      "massimo 3.\r\n"
      "Se sono della stessa categoria potete calcolarne una sola con l'abitazione principale.\r\n"
      "Le pertinenze devono avere lo stesso periodo di possesso e percentuale di possesso dell'abitazione "
      "principale, altrimenti dovete ricorrere al calcolo separato. (Leggete la guida in linea)\r\n");
  AzzeraPertinenze();
}

void frmPertinenze::AzzeraPertinenze() {
  for (TextBox* t : {&txtPrinc, &txtPert1, &txtPert2, &txtPert3}) t->setText("0");
  lblTotale.setCaption("0");
}

void frmPertinenze::Rendita_KeyUp() {
  double totale = 0;
  for (TextBox* t : {&txtPrinc, &txtPert1, &txtPert2, &txtPert3}) totale += shell::CDbl(t->Text());
  lblTotale.setCaption(shell::Formatta(totale, "Standard"));
}

void frmPertinenze::cmdRiporta_Click() {
  const std::string totale = lblTotale.Caption();
  app().form<MainForm>().Text3.setText(totale);
  app().unload(*this);
  app().form<MainForm>().Text4.SetFocus();
}

void frmPertinenze::cmdClose_Click() { app().unload(*this); }

}  // namespace calculation
