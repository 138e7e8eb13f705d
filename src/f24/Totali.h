#pragma once
// The totals of one taxpayer in one municipality and year, by property
// category, from the lines of "tasi.dat": every text that the totals page
// shows, computed without the page. The page, the F24 rows and the totals
// report all read these texts.
//
// A line counts for the totals when its taxpayer (field 1) and its year
// (field 4) equal the choice exactly and its municipality (field 3) equals it
// with letter case ignored. Each matching line falls into one category:
//
//   building land        field 14 begins with 3                      3960
//   rural, for farm use  field 14 begins with 6                      3959
//   main dwelling        field 14 reads 0 and field 15 reads 1       3958
//   other buildings      every other line                            3961
//
// Amounts that are empty or not numbers read as 0: an imported archive may
// hold anything, and a line never stops the totals.
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shell/VistaRighe.h"

namespace f24 {

// The taxpayer, the municipality and the year chosen on the page.
struct SceltaTotali {
  std::string Contribuente;
  std::string Comune;
  std::string Anno;
};

// Every caption that the totals fill, named after the page's labels. The
// defaults are the page's initial texts: result labels empty, hidden ones "0".
// "--" (on four hidden labels "---") means that there is no amount.
struct EtichetteTotali {
  // Totals: due, deduction, tax.
  std::string Label4, Label5, Label22;
  // Advance (June) and balance (December): instalment and deduction.
  std::string Label6, Label7, Label8, Label9;
  // Single payment: instalment and deduction.
  std::string Label30, Label29;
  // Number of buildings: advance, balance, single payment.
  std::string Label12, Label17, Label28;
  // Advance by category: building land, main dwelling, other buildings, rural.
  std::string Label14, Label15, Label16, Label54;
  // Balance by category, same order.
  std::string Label19, Label20, Label21, Label56;
  // Single payment by category, same order.
  std::string Label26, Label25, Label24, Label58;
  // Hidden: lines per category.
  std::string lblNpr = "0", lblNaltri = "0", lblNafa = "0", lblNstru = "0";
  // Hidden: per category the advance sum (1), the balance sum (2), both (U).
  std::string lblPrinc1 = "0", lblPrinc2 = "0", lblPrincU = "0";
  std::string lblAltri1 = "0", lblAltri2 = "0", lblAltriU = "0";
  std::string lblAree1 = "0", lblAree2 = "0", lblAreeU = "0";
  std::string lblStru1 = "0", lblStru2 = "0", lblStruU = "0";

  // The small-amount notice is due: the total due is below 13 euro.
  bool Avviso = false;

  bool operator==(const EtichetteTotali&) const = default;

  struct Voce {
    std::string_view nome;
    std::string EtichetteTotali::*membro;
  };
  // Every caption with its label's name; "Label4" first, as the page writes it.
  static const std::array<Voce, 40>& Voci();
};

// The text of the small-amount notice (three lines, each ended by CR LF).
extern const char* const kAvvisoImportiMinimi;

// The totals of the lines that match the choice.
EtichetteTotali CalcolaTotali(shell::VistaRighe righe, const SceltaTotali& scelta);

// The steps of the page's cascade, over the same lines. Each list holds every
// value once, in the order of its first line.

// Field 1 of every line.
std::vector<std::string> Contribuenti(shell::VistaRighe righe);
// Field 3 of the taxpayer's lines (taxpayer compared exactly).
std::vector<std::string> ComuniDi(shell::VistaRighe righe, std::string_view contribuente);
// Field 4 of the lines of the taxpayer and municipality (both exact).
std::vector<std::string> AnniDi(shell::VistaRighe righe, std::string_view contribuente, std::string_view comune);
// Field 28 of the first line of the municipality (exact, any taxpayer) that
// has one; "" when none has.
std::string CodiceCatastaleDi(shell::VistaRighe righe, std::string_view comune);
// Field 2 of every line of the taxpayer, municipality and year (all exact),
// duplicates kept.
std::vector<std::string> ImmobiliDi(shell::VistaRighe righe, const SceltaTotali& scelta);

}  // namespace f24
