#include "f24/Totali.h"

#include <unordered_set>
#include <utility>

#include "f24/RigheF24.h"
#include "platform/Text.h"
#include "shell/Modulo1.h"
#include "shell/Numeri.h"

namespace f24 {

namespace {

// The fields of one archive line that the totals read, split once.
class CampiRiga {
 public:
  static constexpr int kMassimo = 28;

  // Splits the line up to field `ultimo`.
  explicit CampiRiga(std::string_view riga, int ultimo = kMassimo) {
    // One pass over the characters: the fields are short, and a search call
    // per field would cost more than the field itself.
    size_t inizio = 0;
    for (size_t i = 0; i < riga.size() && numero_ < ultimo - 1; ++i)
      if (riga[i] == ';') {
        campi_[numero_++] = riga.substr(inizio, i - inizio);
        inizio = i + 1;
      }
    size_t fine = inizio;
    while (fine < riga.size() && riga[fine] != ';') ++fine;
    campi_[numero_++] = riga.substr(inizio, fine - inizio);
  }

  // Field n, counted from 1; "" when the line has fewer fields.
  std::string_view operator[](int n) const { return n >= 1 && n <= numero_ ? campi_[n - 1] : std::string_view(); }

 private:
  std::array<std::string_view, kMassimo> campi_{};
  int numero_ = 0;
};

// The four categories, in the order in which a line is tested.
enum Categoria { Aree, Strumentali, Principale, Altri, NumeroCategorie };

Categoria CategoriaDi(const CampiRiga& c) {
  const long long tipologia = shell::Val(c[14]);
  if (tipologia == 3) return Aree;
  if (tipologia == 6) return Strumentali;
  if (shell::CDbl(c[14]) == 0 && shell::CDbl(c[15]) == 1) return Principale;
  return Altri;
}

bool StessoComune(std::string_view a, std::string_view b) { return a == b || platform::compareNoCase(a, b) == 0; }

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
    const CampiRiga c(riga, 22);
    if (c[1] != scelta.Contribuente || c[4] != scelta.Anno || !StessoComune(c[3], scelta.Comune)) continue;
    const double f17 = shell::CDbl(c[17]), f19 = shell::CDbl(c[19]), f20 = shell::CDbl(c[20]);
    const double f21 = shell::CDbl(c[21]), f22 = shell::CDbl(c[22]);
    imposta += f17;
    dovuto += f19 + f21;
    detrazione += f20 + f22;
    detrazioneAcconto += f20;
    detrazioneSaldo += f22;
    const Categoria k = CategoriaDi(c);
    ++numero[k];
    a[k] += f19;
    s[k] += f21;
    if (f19 != 0) ++righeAcconto;
    if (f21 != 0) ++righeSaldo;
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
  for (const std::string_view riga : righe) elenco.Aggiungi(CampiRiga(riga, 1)[1]);
  return std::move(elenco).Elenco();
}

std::vector<std::string> ComuniDi(shell::VistaRighe righe, std::string_view contribuente) {
  Distinti elenco;
  for (const std::string_view riga : righe) {
    const CampiRiga c(riga, 3);
    if (c[1] == contribuente) elenco.Aggiungi(c[3]);
  }
  return std::move(elenco).Elenco();
}

std::vector<std::string> AnniDi(shell::VistaRighe righe, std::string_view contribuente,
                                std::string_view comune) {
  Distinti elenco;
  for (const std::string_view riga : righe) {
    const CampiRiga c(riga, 4);
    if (c[3] == comune && c[1] == contribuente) elenco.Aggiungi(c[4]);
  }
  return std::move(elenco).Elenco();
}

std::string CodiceCatastaleDi(shell::VistaRighe righe, std::string_view comune) {
  for (const std::string_view riga : righe) {
    const CampiRiga c(riga);
    if (c[3] == comune && !c[28].empty()) return std::string(c[28]);
  }
  return "";
}

std::vector<std::string> ImmobiliDi(shell::VistaRighe righe, const SceltaTotali& scelta) {
  std::vector<std::string> elenco;
  for (const std::string_view riga : righe) {
    const CampiRiga c(riga, 4);
    if (c[4] == scelta.Anno && c[3] == scelta.Comune && c[1] == scelta.Contribuente) elenco.emplace_back(c[2]);
  }
  return elenco;
}

}  // namespace f24
