#pragma once
// "Codici tributi TASI per il modello F24": the F24 tax codes of TASI with
// their descriptions, for reference. The tools page opens it modally; it
// changes no data.
#include "forms/Forms.h"

namespace f24 {

class frmTributi : public forms::Form {
 public:
  frmTributi();

  forms::ListBox List1;           // code, tab, description; item data the code
  forms::CommandButton Command2;  // "Chiudi"

 private:
  void Form_Load();
  void CaricaCodiciTributo();
  void Command2_Click();
};

}  // namespace f24
