#pragma once
// What the calculation page shows, as it shows it: what the calculation
// report prints. The window gathers it in one call (MainForm::Scheda).
#include "calculation/CalcoloRecord.h"
#include "calculation/Tasi.h"

namespace calculation {

struct SchedaCalcolo {
  // The inputs as typed: names untrimmed, rates and share with their decimal
  // comma; check boxes "0"/"1", the property type as its index "0"-"7".
  CalcoloRecord record;
  // The results as the labels show them (Label8 ... lblCodCom).
  RisultatoCalcolo::Etichette etichette;
};

}  // namespace calculation
