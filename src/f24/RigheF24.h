#pragma once
// The F24 rows of one municipality, built from the texts of the totals
// (EtichetteTotali) for one payment type, and the closing item that follows
// the last row. Both travel to the F24 form in the shell's RigheF24.
//
//   row:      code;advance mark;balance mark;properties;tax code;year;amount
//   closing:  1;deduction;total;
//
// The advance mark is "X" for the advance and the single payment, the balance
// mark "X" for the balance and the single payment. Amounts are whole euros
// ("###0").
//
// When the rows of several municipalities travel together, each
// municipality's deduction travels with its own main-dwelling row, as an
// eighth element:
//
//   code;advance mark;balance mark;properties;3958;year;amount;deduction
#include <string>
#include <string_view>
#include <vector>

#include "f24/Totali.h"

namespace f24 {

// Payment types of the F24 rows (TipoVersamento).
enum TipoPagamento { Acconto = 0, Saldo = 1, SoluzioneUnica = 2 };

struct RigheComune {
  // One row per category that has an amount above 0 for the payment type,
  // in the order 3958, 3959, 3961, 3960.
  std::vector<std::string> Righe;
  // The deduction in whole euros; "" when it is 0 or when there is no
  // main-dwelling row to carry it.
  std::string Detrazione;
  // The instalment of the payment type in whole euros.
  std::string Totale;

  // "1;" deduction ";" total ";".
  std::string Chiusura() const { return "1;" + Detrazione + ";" + Totale + ";"; }

  // The rows as they travel beside those of other municipalities: the
  // deduction, when there is one, ends the main-dwelling row.
  std::vector<std::string> RigheConDetrazione() const;
};

// The rows of the municipality with cadastral code `codice` for the year
// `anno`; a type other than 0 or 1 is the single payment.
RigheComune PreparaRigheF24(const EtichetteTotali& e, std::string_view codice, std::string_view anno, int tipo);

// The whole euros of the rows of payment type `tipo`, summed: what the F24
// asks for that payment, and so the instalment the totals page shows.
long long TotaleRigheF24(const EtichetteTotali& e, int tipo);

// The deduction that a row carries (its eighth element); "" when none.
std::string DetrazioneDellaRiga(std::string_view riga);

// The cadastral code that a row begins with.
std::string_view CodiceDellaRiga(std::string_view riga);

}  // namespace f24
