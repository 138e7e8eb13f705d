#pragma once
// "Abitazione principale e pertinenze": adds up the rendita of the main
// dwelling and of up to three appurtenances, so that they are taxed as one
// unit, and copies the total into the rendita box Text3 of MainForm. The
// calculation window opens it without blocking, with the frame hidden; every
// way of leaving it shows the frame again.
#include "forms/Forms.h"

namespace calculation {

// The behaviour of every amount box of the two dialogs: the whole text
// selected on focus, the amount editor on the keys, Enter and Esc to the next
// and previous box, "#,##0.00" on leaving.
void CollegaCasellaImporto(forms::TextBox& Casella);

class frmPertinenze : public forms::Form {
 public:
  frmPertinenze();

  forms::Label Label1;
  forms::Label lblTesto;                     // the instructions
  forms::ControlArray<forms::Label> Label2;  // 0-4, captions of the boxes and of the total
  forms::TextBox txtPrinc;                   // main dwelling
  forms::TextBox txtPert1, txtPert2, txtPert3;
  forms::Label lblTotale;
  forms::CommandButton cmdRiporta;  // "Copia il totale"
  forms::CommandButton cmdClose;    // "Chiudi"

 private:
  void Form_Load();
  void AzzeraPertinenze();
  void Rendita_KeyUp();
  void cmdRiporta_Click();
  void cmdClose_Click();
};

}  // namespace calculation
