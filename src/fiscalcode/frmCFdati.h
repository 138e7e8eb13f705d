#pragma once
// "Calcolo Codice Fiscale": the fiscal code of a person from surname, first
// name, birth date, sex and birth municipality (a foreign state too), with the
// province of the birth place. Closing the window puts a code on the
// clipboard; when the F24 payer window opened it (CodFisDaF24), the personal
// data and the code go back into that window, which shows again while the
// frame stays hidden. Otherwise the frame shows again. The close box does the
// same as "Chiudi".
#include "forms/Forms.h"

namespace fiscalcode {

class frmCFdati : public forms::Form {
 public:
  frmCFdati();

  forms::Frame FrameCF;
  forms::PictureBox Picture2;
  forms::CommandButton cmdReturn;  // "Chiudi", or the copy caption while txtCF holds a code
  forms::TextBox txtCF;
  forms::TextBox txtCognome;
  forms::TextBox txtNome;
  forms::TextBox txtData;
  forms::TextBox txtComuneNascita;
  forms::TextBox txtSesso;
  forms::PictureBox Picture1;
  forms::CommandButton cmdCF;
  forms::Label lblProv;
  forms::Label Label2;
  forms::ControlArray<forms::Label> Label1;  // Cognome, Nome, Data di nascita, Comune di nascita, Sesso

  static constexpr const char* kChiudi = "Chiudi";
  static constexpr const char* kChiudiCopia = "Chiudi e copia negli appunti il codice fiscale";

 private:
  void Form_Load();
  void Form_Activate();
  void Form_Unload();
  void txtCF_Change();
  void txtSesso_KeyPress(int& KeyAscii);
  void cmdCF_Click();
  void cmdReturn_Click();

  // The checks before the computation: the first failing one shows its
  // message and takes the focus to its box.
  void ValidaDati(bool& Esito);
  // The data and the code into the F24 payer window.
  void RestituisciAF24();

  // The municipality table could not be read: the window closes when shown,
  // and hands nothing back.
  bool tabellaMancante_ = false;
  bool restituisci_ = true;
};

}  // namespace fiscalcode
