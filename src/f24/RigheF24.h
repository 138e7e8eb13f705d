#pragma once
// The F24 rows of one municipality, built from the texts of the totals
// (EtichetteTotali) for one payment type, and the closing item that follows
// the last row. Both travel to the F24 form in the shell's RigheF24 and
// ChiusuraF24 (shell/RigaF24.h).
//
// The advance box is marked for the advance and the single payment, the
// balance box for the balance and the single payment. Amounts are whole
// euros (the totals' "###0").
//
// When the rows of several municipalities travel together, each
// municipality's deduction travels with its own main-dwelling row (3958).
#include <string_view>
#include <vector>

#include "f24/Totali.h"
#include "shell/RigaF24.h"

namespace f24 {

using shell::RigaChiusuraF24;
using shell::RigaF24;

// Payment types of the F24 rows (TipoVersamento).
enum TipoPagamento { Acconto = 0, Saldo = 1, SoluzioneUnica = 2 };

struct RigheComune {
  // One row per category that has an amount above 0 for the payment type,
  // in the order 3958, 3959, 3961, 3960.
  std::vector<RigaF24> Righe;
  // The deduction in whole euros; 0 when there is none or when there is no
  // main-dwelling row to carry it.
  long long Detrazione = 0;
  // The instalment of the payment type in whole euros.
  long long Totale = 0;

  // The closing item: the deduction and the total.
  RigaChiusuraF24 Chiusura() const { return {Detrazione, Totale}; }

  // The rows as they travel beside those of other municipalities: the
  // deduction, when there is one, rides on the main-dwelling row.
  std::vector<RigaF24> RigheConDetrazione() const;
};

// The rows of the municipality with cadastral code `codice` for the year
// `anno`; a type other than 0 or 1 is the single payment.
RigheComune PreparaRigheF24(const EtichetteTotali& e, std::string_view codice, std::string_view anno, int tipo);

// The whole euros of the rows of payment type `tipo`, summed: what the F24
// asks for that payment, and so the instalment the totals page shows.
long long TotaleRigheF24(const EtichetteTotali& e, int tipo);

}  // namespace f24
