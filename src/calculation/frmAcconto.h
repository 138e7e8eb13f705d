#pragma once
// "Acconto versato": the advance actually paid and the main-dwelling
// deduction used in it, typed or taken from the calculation on screen. They
// go into the shared TotaleVersato and DetrazioneAccontoVersata, and MainForm
// computes the balance from them (Fondivomanuale). The calculation window
// opens it without blocking, with the frame hidden; every way of leaving it
// shows the frame again.
#include "forms/Forms.h"

namespace calculation {

class frmAcconto : public forms::Form {
 public:
  frmAcconto();

  forms::Label Label1;
  forms::Frame Frame1;
  forms::ControlArray<forms::Label> Label2;  // 0-2, captions of the boxes and of the total
  forms::TextBox txtComune;                  // advance paid
  forms::TextBox txtPrima;                   // deduction used in the advance
  forms::Label lblTotale;                    // total paid
  forms::CheckBox chkAcconto;
  forms::CommandButton cmdCalcola;
  forms::CommandButton cmdAnnulla;

 private:
  void Form_Load();
  void chkAcconto_Click();
  void txtComune_KeyUp();
  void cmdCalcola_Click();
  void cmdAnnulla_Click();
};

}  // namespace calculation
