#include "f24/frmTributi.h"

#include "kit/Applicazione.h"

namespace f24 {

using namespace forms;

frmTributi::frmTributi() {
  setCaption("Codici tributi TASI per il modello F24");
  setEscapeCloses(true);  // a window that only shows or picks
  setBorderStyle(1);
  setStartUpPosition(2);
  setClientSize(6960, 2940);

  List1.create(*this, 240, 240, 6480, 1935);
  List1.setTabIndex(0);
  List1.setSeparatorLines(true);  // the blank line before the late-payment codes
  Command2.create(*this, 5160, 2340, 1560, 420);
  Command2.setCaption("Chiudi");
  Command2.setTabIndex(1);

  Load = [this] { Form_Load(); };
  Command2.Click = [this] { Command2_Click(); };
}

void frmTributi::Form_Load() {
  // The descriptions start at the first tab stop, 30 dialog units in.
  List1.setTabStops({});
  List1.setTabStops({30, 80});
  CaricaCodiciTributo();
}

void frmTributi::CaricaCodiciTributo() {
  struct Codice {
    const char* testo;
    int dato;
  };
  static constexpr Codice kCodici[] = {
      {"3958\tTASI abitazione principale e relative pertinenze", 3958},
      {"3959\tTASI fabbricati rurali ad uso strumentale", 3959},
      {"3960\tTASI per le aree fabbricabili", 3960},
      {"3961\tTASI per gli altri fabbricati", 3961},
      {" \t ", 0},
      {"3962\tTASI ravvedimento - interessi", 3962},
      {"3963\tTASI ravvedimento - sanzioni", 3963},
  };
  List1.Clear();
  for (const auto& c : kCodici) {
    List1.AddItem(c.testo);
    List1.setItemData(List1.NewIndex(), c.dato);
  }
}

void frmTributi::Command2_Click() { shell::app().unload(*this); }

}  // namespace f24
