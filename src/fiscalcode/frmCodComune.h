#pragma once
// "Ricerca Codice Catastale Comune": finds the cadastral code of a
// municipality by its name, or takes one typed by hand, and hands it to the
// calculation window when that window opened it.
//
// The openers hide the frame window and show this one without blocking; the
// calculation window first sets CodCatDaMainForm and copies its municipality
// into txtComune. However the window closes ("Chiudi" or the close box), the
// code goes to MainForm.lblCodCat when CodCatDaMainForm is set, the flag goes
// back to false, the table is emptied and the frame window shows again.
//
// While the user types, lstComuni lists the municipalities whose name begins
// with the text, each with its province, so that places sharing a name
// (LIVO in CO and in TN) can be told apart and picked. "Cerca codice
// catastale" takes the first place of that name; pressing it again with the
// same text moves to the next one of the same name, round to the first.
#include <string>

#include "forms/Forms.h"

namespace fiscalcode {

class frmCodComune : public forms::Form {
 public:
  frmCodComune();

  forms::CommandButton Command2;  // "Inserisci codice catastale manualmente"
  forms::CommandButton Command3;  // "Chiudi"
  forms::CommandButton Command1;  // "Cerca codice catastale"
  forms::TextBox txtComune;
  forms::Label lblCatasto;
  forms::Label Label1;
  forms::Label lblProv;
  forms::Label Label2;       // "Codice catastale:"
  forms::Label Label3;       // "Provincia:"
  forms::ListBox lstComuni;  // the places whose name begins with txtComune

  // Rows shown in lstComuni at most.
  static constexpr size_t RigheElenco = 50;

 private:
  void Form_Load();
  void Form_Activate();
  void Form_Unload();
  void txtComune_Change();
  void txtComune_KeyPress(int& KeyAscii);
  void lstComuni_Click();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();

  void RiempiElenco();
  // Shows the code and province of table row `riga`; a foreign state is refused.
  void MostraRiga(size_t riga);
  // Selects the row of lstComuni that holds table row `riga`, none when absent.
  void EvidenziaRiga(size_t riga);

  // The table could not be read: the window closes as soon as it is shown.
  bool tabellaMancante_ = false;
  // Position, among the places named as txtComune, of the one shown; -1 when
  // none is (the next search takes the first).
  int posizione_ = -1;
  // lstComuni is being changed by code: its Click is not the user's choice.
  bool aggiornaElenco_ = false;
};

}  // namespace fiscalcode
