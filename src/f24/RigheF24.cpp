#include "f24/RigheF24.h"

#include "shell/Numeri.h"

namespace f24 {

namespace {

struct Categoria {
  const char* codice;
  std::string EtichetteTotali::*numero;
  std::string EtichetteTotali::*importo[3];  // advance, balance, single payment
};

// In the order of the rows on the form.
constexpr Categoria kCategorie[] = {
    {"3958",
     &EtichetteTotali::lblNpr,
     {&EtichetteTotali::Label15, &EtichetteTotali::Label20, &EtichetteTotali::Label25}},
    {"3959",
     &EtichetteTotali::lblNstru,
     {&EtichetteTotali::Label54, &EtichetteTotali::Label56, &EtichetteTotali::Label58}},
    {"3961",
     &EtichetteTotali::lblNaltri,
     {&EtichetteTotali::Label16, &EtichetteTotali::Label21, &EtichetteTotali::Label24}},
    {"3960",
     &EtichetteTotali::lblNafa,
     {&EtichetteTotali::Label14, &EtichetteTotali::Label19, &EtichetteTotali::Label26}},
};

constexpr std::string EtichetteTotali::*kDetrazione[3] = {&EtichetteTotali::Label7, &EtichetteTotali::Label9,
                                                          &EtichetteTotali::Label29};
constexpr std::string EtichetteTotali::*kTotale[3] = {&EtichetteTotali::Label6, &EtichetteTotali::Label8,
                                                      &EtichetteTotali::Label30};
// Which boxes a payment type marks: advance, balance.
constexpr bool kContrassegni[3][2] = {{true, false}, {false, true}, {true, true}};

// A caption in whole euros, rounded as the totals' "###0" rounds it.
long long Euro(const std::string& etichetta) { return shell::Val(shell::Formatta(shell::CDbl(etichetta), "###0")); }

// An amount that goes onto the form: shown, and above 0. A balance may come
// out negative, and an F24 row never carries 0 or less.
bool DaVersare(const std::string& etichetta) { return etichetta != "--" && shell::CDbl(etichetta) > 0; }

}  // namespace

RigheComune PreparaRigheF24(const EtichetteTotali& e, std::string_view codice, std::string_view anno, int tipo) {
  const int t = tipo == Acconto || tipo == Saldo ? tipo : SoluzioneUnica;
  RigheComune r;
  for (const Categoria& k : kCategorie) {
    const std::string& importo = e.*k.importo[t];
    if (!DaVersare(importo)) continue;
    r.Righe.push_back({.CodiceCatastale = std::string(codice),
                       .Acconto = kContrassegni[t][0],
                       .Saldo = kContrassegni[t][1],
                       .Immobili = e.*k.numero,
                       .CodiceTributo = k.codice,
                       .Anno = std::string(anno),
                       .Importo = Euro(importo)});
  }
  // The deduction belongs to the main dwelling's row: without it, none.
  const std::string& detrazione = e.*kDetrazione[t];
  if (DaVersare(e.*kCategorie[0].importo[t]) && shell::CDbl(detrazione) > 0) r.Detrazione = Euro(detrazione);
  r.Totale = Euro(e.*kTotale[t]);
  return r;
}

std::vector<RigaF24> RigheComune::RigheConDetrazione() const {
  std::vector<RigaF24> righe = Righe;
  // The deduction is only kept when the main dwelling has a row, and that row comes first.
  if (Detrazione > 0 && !righe.empty()) righe.front().Detrazione = Detrazione;
  return righe;
}

long long TotaleRigheF24(const EtichetteTotali& e, int tipo) {
  long long totale = 0;
  for (const RigaF24& riga : PreparaRigheF24(e, "", "", tipo).Righe) totale += riga.Importo;
  return totale;
}

}  // namespace f24
