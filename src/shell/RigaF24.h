#pragma once
// The F24 rows that the totals page hands over to the F24 window, through the
// shell's RigheF24, and the closing item that follows them: plain values, in
// whole euros, kept by the shell between the two windows.
#include <string>

namespace shell {

// One row of the F24 form's TASI section.
struct RigaF24 {
  std::string CodiceCatastale;  // the municipality's cadastral code
  bool Acconto = false;         // the advance box is marked (advance and single payment)
  bool Saldo = false;           // the balance box is marked (balance and single payment)
  std::string Immobili;         // the number of properties, as the totals show it
  std::string CodiceTributo;    // "3958", "3959", "3960" or "3961"
  std::string Anno;             // the year, as the archive holds it
  long long Importo = 0;        // whole euros
  // Rows of several municipalities: the deduction of this municipality, on
  // its main-dwelling row; 0 on every other row.
  long long Detrazione = 0;

  bool operator==(const RigaF24&) const = default;
};

// The item after the last row: the deduction of the payment (0 when none)
// and its instalment, both in whole euros.
struct RigaChiusuraF24 {
  long long Detrazione = 0;
  long long Totale = 0;

  bool operator==(const RigaChiusuraF24&) const = default;
};

}  // namespace shell
