#include "f24/Totali.h"

#include <unordered_set>
#include <utility>

#include "calculation/CalcoloRecord.h"
#include "f24/RigheF24.h"
#include "platform/Text.h"
#include "shell/CampiRiga.h"
#include "shell/Modulo1.h"
#include "shell/Numeri.h"

namespace f24 {

namespace {

using calculation::CalcoloRecord;
// The fields of one "tasi.dat" line that the totals read, split once.
using CampiRiga = shell::CampiRiga<CalcoloRecord::kNumeroCampi>;

// The four categories, in the order in which a line is tested.
enum Categoria { Aree, Strumentali, Principale, Altri, NumeroCategorie };

Categoria CategoriaDi(const CampiRiga& c) {
  const long long tipologia = shell::Val(c[CalcoloRecord::kTipologiaImmobile]);
  if (tipologia == 3) return Aree;
  if (tipologia == 6) return Strumentali;
  if (shell::CDbl(c[CalcoloRecord::kTipologiaImmobile]) == 0 &&
      shell::CDbl(c[CalcoloRecord::kAbitazionePrincipale]) == 1)
    return Principale;
  return Altri;
}

bool StessoComune(std::string_view a, std::string_view b) { return a == b || platform::compareNoCase(a, b) == 0; }

// Field 1, the taxpayer, is `contribuente`: looked at before the rest of the
// line is split, since a choice among a million lines matches a handful.
bool DelContribuente(std::string_view riga, std::string_view contribuente) {
  return shell::CampoDi(riga, CalcoloRecord::kContribuente) == contribuente;
}

std::string Importo(double x) { return shell::FormattaEuro(x); }
std::string Conteggio(double x) { return shell::Formatta(x, "0"); }
// The runtime's own text of a number: no grouping, decimal comma, no trailing zeros.
std::string Semplice(double x) { return shell::Formatta(x, "0.##############"); }
double R(double x) { return shell::Arrotonda(x); }

// `testo` unless the value is 0, else the placeholder.
std::string OVuoto(bool zero, std::string testo, const char* segnaposto = "--") {
  return zero ? segnaposto : std::move(testo);
}

// Values met once each, in the order of their first line.
class Distinti {
 public:
  void Aggiungi(std::string_view valore) {
    if (visti_.insert(valore).second) elenco_.emplace_back(valore);
  }
  std::vector<std::string> Elenco() && { return std::move(elenco_); }

 private:
  std::unordered_set<std::string_view> visti_;  // views into the caller's lines
  std::vector<std::string> elenco_;
};

}  // namespace

const char* const kAvvisoImportiMinimi =
    "I versamenti NON debbono essere eseguiti per importi annui pari o inferiori a 12.00 euro.\r\n"
    "Questo a meno che non sia stato deliberato diversamente nel regolamento comunale\r\n"
    "Verificate presso l'ufficio tributi del comune prima di eseguire il versamento.\r\n";

const std::array<EtichetteTotali::Voce, 40>& EtichetteTotali::Voci() {
#define QUOTARA_VOCE(nome) \
  Voce { #nome, &EtichetteTotali::nome }
  static const std::array<Voce, 40> voci = {
      QUOTARA_VOCE(Label4),    QUOTARA_VOCE(Label5),    QUOTARA_VOCE(Label22),   QUOTARA_VOCE(Label6),
      QUOTARA_VOCE(Label7),    QUOTARA_VOCE(Label8),    QUOTARA_VOCE(Label9),    QUOTARA_VOCE(Label30),
      QUOTARA_VOCE(Label29),   QUOTARA_VOCE(Label12),   QUOTARA_VOCE(Label17),   QUOTARA_VOCE(Label28),
      QUOTARA_VOCE(Label14),   QUOTARA_VOCE(Label15),   QUOTARA_VOCE(Label16),   QUOTARA_VOCE(Label54),
      QUOTARA_VOCE(Label19),   QUOTARA_VOCE(Label20),   QUOTARA_VOCE(Label21),   QUOTARA_VOCE(Label56),
      QUOTARA_VOCE(Label26),   QUOTARA_VOCE(Label25),   QUOTARA_VOCE(Label24),   QUOTARA_VOCE(Label58),
      QUOTARA_VOCE(lblNpr),    QUOTARA_VOCE(lblNaltri), QUOTARA_VOCE(lblNafa),   QUOTARA_VOCE(lblNstru),
      QUOTARA_VOCE(lblPrinc1), QUOTARA_VOCE(lblPrinc2), QUOTARA_VOCE(lblPrincU), QUOTARA_VOCE(lblAltri1),
      QUOTARA_VOCE(lblAltri2), QUOTARA_VOCE(lblAltriU), QUOTARA_VOCE(lblAree1),  QUOTARA_VOCE(lblAree2),
      QUOTARA_VOCE(lblAreeU),  QUOTARA_VOCE(lblStru1),  QUOTARA_VOCE(lblStru2),  QUOTARA_VOCE(lblStruU),
  };
#undef QUOTARA_VOCE
  return voci;
}

EtichetteTotali CalcolaTotali(shell::VistaRighe righe, const SceltaTotali& scelta) {
  double imposta = 0, dovuto = 0, detrazione = 0;
  double detrazioneAcconto = 0, detrazioneSaldo = 0;
  int righeAcconto = 0, righeSaldo = 0;
  int numero[NumeroCategorie] = {};
  double a[NumeroCategorie] = {}, s[NumeroCategorie] = {};

  for (const std::string_view riga : righe) {
    if (!DelContribuente(riga, scelta.Contribuente)) continue;
    const CampiRiga c(riga, CalcoloRecord::kDetrazioneSaldo);
    if (c[CalcoloRecord::kAnnoImposta] != scelta.Anno ||
        !StessoComune(c[CalcoloRecord::kComuneUbicazione], scelta.Comune))
      continue;
    const double impostaRiga = shell::CDbl(c[CalcoloRecord::kImpostaContribuente]);
    const double rataAcconto = shell::CDbl(c[CalcoloRecord::kRataAcconto]);
    const double detrazioneRataAcconto = shell::CDbl(c[CalcoloRecord::kDetrazioneAcconto]);
    const double rataSaldo = shell::CDbl(c[CalcoloRecord::kRataSaldo]);
    const double detrazioneRataSaldo = shell::CDbl(c[CalcoloRecord::kDetrazioneSaldo]);
    imposta += impostaRiga;
    dovuto += rataAcconto + rataSaldo;
    detrazione += detrazioneRataAcconto + detrazioneRataSaldo;
    detrazioneAcconto += detrazioneRataAcconto;
    detrazioneSaldo += detrazioneRataSaldo;
    const Categoria k = CategoriaDi(c);
    ++numero[k];
    a[k] += rataAcconto;
    s[k] += rataSaldo;
    if (rataAcconto != 0) ++righeAcconto;
    if (rataSaldo != 0) ++righeSaldo;
  }

  EtichetteTotali e;
  e.Label4 = Importo(dovuto);
  e.Label5 = Importo(detrazione);
  e.Label22 = OVuoto(imposta == 0, Importo(imposta));

  e.Label7 = Importo(R(detrazioneAcconto));
  e.Label9 = Importo(R(detrazioneSaldo));
  e.Label29 = Importo(R(detrazioneAcconto + detrazioneSaldo));

  e.Label12 = e.Label28 = OVuoto(righeAcconto == 0, Conteggio(righeAcconto));
  e.Label17 = OVuoto(righeSaldo == 0, Conteggio(righeSaldo));
  e.lblNpr = Semplice(numero[Principale]);
  e.lblNaltri = Semplice(numero[Altri]);
  e.lblNafa = Semplice(numero[Aree]);
  e.lblNstru = Semplice(numero[Strumentali]);

  // Advance, balance and single payment of a category, each rounded to the
  // euro; the balance is the rounded year less the rounded advance.
  struct Colonne {
    std::string *acconto, *saldo, *unica;
  };
  const auto categoria = [&](Categoria k, Colonne col) {
    const double ak = a[k], sk = s[k];
    *col.acconto = OVuoto(ak == 0, Importo(R(ak)));
    *col.saldo = OVuoto(sk == 0, Importo(R(ak + sk - R(ak))));
    *col.unica = OVuoto(ak + sk == 0, Importo(R(ak + sk)));
  };
  categoria(Aree, {&e.Label14, &e.Label19, &e.Label26});
  categoria(Principale, {&e.Label15, &e.Label20, &e.Label25});
  categoria(Altri, {&e.Label16, &e.Label21, &e.Label24});
  // Rural buildings: amounts of 1 euro or less are not shown, and the balance
  // is rounded by itself.
  e.Label54 = OVuoto(!(a[Strumentali] > 1), Importo(R(a[Strumentali])));
  e.Label56 = OVuoto(!(s[Strumentali] > 1), Importo(R(s[Strumentali])));
  e.Label58 = OVuoto(!(a[Strumentali] + s[Strumentali] > 1), Importo(R(a[Strumentali] + s[Strumentali])));

  // Each instalment is what its F24 rows carry, each row rounded to the euro:
  // the page, its report and the filled form agree on the figure to pay.
  e.Label6 = Importo(static_cast<double>(TotaleRigheF24(e, Acconto)));
  e.Label8 = Importo(static_cast<double>(TotaleRigheF24(e, Saldo)));
  e.Label30 = Importo(static_cast<double>(TotaleRigheF24(e, SoluzioneUnica)));

  const auto somme = [&](Categoria k, std::string& uno, std::string& due, std::string& tutto, const char* vuoto) {
    uno = OVuoto(a[k] == 0, Semplice(a[k]), vuoto);
    due = OVuoto(s[k] == 0, Semplice(s[k]), vuoto);
    tutto = OVuoto(a[k] + s[k] == 0, Importo(a[k] + s[k]));
  };
  somme(Principale, e.lblPrinc1, e.lblPrinc2, e.lblPrincU, "---");
  somme(Altri, e.lblAltri1, e.lblAltri2, e.lblAltriU, "--");
  somme(Aree, e.lblAree1, e.lblAree2, e.lblAreeU, "--");
  somme(Strumentali, e.lblStru1, e.lblStru2, e.lblStruU, "---");

  e.Avviso = shell::CDbl(e.Label4) < 13.0;
  return e;
}

std::vector<std::string> Contribuenti(shell::VistaRighe righe) {
  Distinti elenco;
  for (const std::string_view riga : righe) elenco.Aggiungi(shell::CampoDi(riga, CalcoloRecord::kContribuente));
  return std::move(elenco).Elenco();
}

std::vector<std::string> ComuniDi(shell::VistaRighe righe, std::string_view contribuente) {
  Distinti elenco;
  for (const std::string_view riga : righe) {
    if (DelContribuente(riga, contribuente)) elenco.Aggiungi(shell::CampoDi(riga, CalcoloRecord::kComuneUbicazione));
  }
  return std::move(elenco).Elenco();
}

std::vector<std::string> AnniDi(shell::VistaRighe righe, std::string_view contribuente, std::string_view comune) {
  Distinti elenco;
  for (const std::string_view riga : righe) {
    if (!DelContribuente(riga, contribuente)) continue;
    const CampiRiga c(riga, CalcoloRecord::kAnnoImposta);
    if (c[CalcoloRecord::kComuneUbicazione] == comune) elenco.Aggiungi(c[CalcoloRecord::kAnnoImposta]);
  }
  return std::move(elenco).Elenco();
}

std::string CodiceCatastaleDi(shell::VistaRighe righe, std::string_view comune) {
  for (const std::string_view riga : righe) {
    const CampiRiga c(riga);
    if (c[CalcoloRecord::kComuneUbicazione] == comune && !c[CalcoloRecord::kCodiceCatastale].empty())
      return std::string(c[CalcoloRecord::kCodiceCatastale]);
  }
  return "";
}

std::vector<std::string> ImmobiliDi(shell::VistaRighe righe, const SceltaTotali& scelta) {
  std::vector<std::string> elenco;
  for (const std::string_view riga : righe) {
    if (!DelContribuente(riga, scelta.Contribuente)) continue;
    const CampiRiga c(riga, CalcoloRecord::kAnnoImposta);
    if (c[CalcoloRecord::kAnnoImposta] == scelta.Anno && c[CalcoloRecord::kComuneUbicazione] == scelta.Comune)
      elenco.emplace_back(c[CalcoloRecord::kIndirizzoImmobile]);
  }
  return elenco;
}

}  // namespace f24
