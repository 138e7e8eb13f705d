#include "calculation/Tasi.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "shell/Modulo1.h"
#include "shell/Numeri.h"

namespace calculation {

namespace {

struct Tipologia {
  int moltiplicatore;
  int codiceTributo;
};

constexpr std::array<Tipologia, 8> kTipologie = {{
    {160, 3961},  // 0 dwellings and garages (A and C but A10 and C1)
    {80, 3961},   // 1 offices (A10)
    {55, 3961},   // 2 shops (C1)
    {1, 3960},    // 3 building land, market value
    {140, 3961},  // 4 colleges, nursing homes (B, C3, C4, C5)
    {65, 3961},   // 5 hotels, theatres (D but D5 and D10)
    {65, 3959},   // 6 rural buildings for farm use (D10)
    {80, 3961},   // 7 banks and insurers (D5)
}};

constexpr int kCodiceAbitazionePrincipale = 3958;

std::string_view Pulito(std::string_view s) {
  const auto primo = s.find_first_not_of(" \t");
  if (primo == std::string_view::npos) return {};
  return s.substr(primo, s.find_last_not_of(" \t") - primo + 1);
}

std::string Importo(double valore) { return shell::Formatta(valore, "#,##0.00"); }

// Rounded to the cent the way the window's labels round: formatted and read back.
double Centesimi(double valore) { return shell::LeggiNumero(Importo(valore)).value_or(0); }

// Rounded to the euro; +0.0 turns a negative zero into zero.
double Euro(double valore) { return shell::Arrotonda(valore) + 0.0; }

// A number box that the window turns into `vuoto` when it is left empty.
std::optional<double> Numero(std::string_view testo, double vuoto) {
  if (Pulito(testo).empty()) return vuoto;
  return shell::LeggiNumero(testo);
}

int Intero(std::string_view testo) { return static_cast<int>(shell::Val(testo)); }

// Steps shared by both calculations, up to the deduction and its excess.
struct Parziale {
  RisultatoCalcolo r;
  int mesi = 12;
  int proprietari = 1;
};

Parziale ParteComune(const DatiCalcolo& d) {
  Parziale c;
  RisultatoCalcolo& r = c.r;

  double base = d.inagibile ? d.rendita / 2 : d.rendita;
  if (d.rivalutazione != 0) base = (d.rivalutazione / 100 + 1) * base;
  r.base = base;

  double imposta = Moltiplicatore(d.tipologia) * base * d.aliquota / 1000;
  r.impostaImmobile = imposta;
  r.etichette.Label8 = Importo(imposta);

  if (d.locata && d.percentualeInquilino != 0) {
    const double inquilino = d.percentualeInquilino * imposta / 100;
    imposta = d.calcolaInquilino ? inquilino : imposta - inquilino;
  }

  c.mesi = (d.mesi < 1 || d.mesi > 12) ? 12 : d.mesi;
  const double quota = std::min(d.quota, 100.0);
  const double q = c.mesi * imposta / 12 * quota / 100;
  r.impostaContribuente = q;
  r.etichette.Label10 = Importo(q);

  c.proprietari = std::max(1, d.proprietari);
  const double detrazione = d.abitazionePrincipale ? d.detrazione * c.mesi / 12 / c.proprietari : 0;
  r.detrazione = detrazione;
  r.detrazioneSpettante = std::min(detrazione, q);
  r.eccedenza = detrazione > q ? detrazione - q : 0;
  r.etichette.Label11 = Importo(r.detrazioneSpettante);
  r.etichette.Label18 = r.eccedenza <= 0 ? Importo(q - detrazione) : "0";

  r.codiceTributo = d.abitazionePrincipale ? kCodiceAbitazionePrincipale : CodiceTributoTipologia(d.tipologia);
  r.etichette.lblCodCom = std::to_string(r.codiceTributo);
  return c;
}

// The deduction is larger than the tax: nothing to pay, the deduction used is
// the tax itself, split by the months of each half-year, and the excess is
// offered for an appurtenance.
void RamoEccedenza(const DatiCalcolo& d, Parziale& c) {
  RisultatoCalcolo& r = c.r;
  r.etichette.Label12 = "0";
  r.etichette.Label14 = "0";
  const double usata = r.detrazione - r.eccedenza;
  if (c.mesi == 12) {
    r.etichette.Label13 = Importo(usata * 50 / 100);
    r.etichette.Label15 = r.etichette.Label13;
  } else {
    const int primo = DividiSemestri(c.mesi, d.mesiPrimoSemestre).primo;
    const double inAcconto = usata * primo / c.mesi;
    r.etichette.Label13 = Importo(inAcconto);
    r.etichette.Label15 = Importo(usata - inAcconto);
  }

  const std::string totale = Importo(c.proprietari * r.eccedenza);
  r.avviso = AvvisoEccedenza{"Quotara - Eccedenza imposta detraibile",
                             "Eccedenza d'imposta detraibile = " + totale + " euro\r\n" + "(" + Importo(r.eccedenza) +
                                 " euro x proprietari: " + std::to_string(c.proprietari) +
                                 ")\r\n"
                                 "\r\n"
                                 "Ai sensi della Circolare dell'Agenzia delle Entrate n. 114 del 25/5/99\r\n"
                                 "tale eccedenza può essere computata sull'imposta dovuta per UNA pertinenza\r\n"
                                 "cui va riservato lo stesso trattamento fiscale dell'abitazione principale.\r\n"
                                 "\r\n"
                                 "Tale importo verrà copiato negli appunti e potrà essere incollato\r\n"
                                 "nella voce detrazione nel calcolo della pertinenza dell'abitazione.",
                             totale};

  r.acconto = 0;
  r.saldo = 0;
  r.ImportoAcconto = Importo(0);
  r.ImportoSaldo = Importo(0);
}

// The advance `acconto` (to the cent) is shown rounded to the euro; the
// balance shown is the euro-rounded rest of the tax due after that advance.
void Rate(RisultatoCalcolo& r, double acconto, double saldo) {
  const double dovuto = r.impostaContribuente - r.detrazione;
  const double accontoEuro = Euro(acconto);
  r.acconto = acconto;
  r.saldo = saldo;
  r.etichette.Label12 = Importo(accontoEuro);
  r.etichette.Label14 = Importo(Euro(dovuto - accontoEuro));
  r.ImportoAcconto = Importo(acconto);
  r.ImportoSaldo = Importo(saldo);
}

}  // namespace

int Moltiplicatore(int tipologia) { return tipologia >= 0 && tipologia < 8 ? kTipologie[tipologia].moltiplicatore : 0; }

int CodiceTributoTipologia(int tipologia) {
  return tipologia >= 0 && tipologia < 8 ? kTipologie[tipologia].codiceTributo : 0;
}

Semestri DividiSemestri(int mesi, int primo) {
  mesi = std::clamp(mesi, 0, 12);
  const int p = std::clamp(primo, std::max(0, mesi - 6), std::max(0, std::min(6, mesi)));
  return {p, mesi - p};
}

std::string MessaggioValoreMancante(const std::string& cosa) { return "Devi immettere il valore della " + cosa + "!"; }

ControlloDati ControllaDati(const TestiCalcolo& t) {
  ControlloDati esito;
  const auto rifiuta = [&esito](CasellaCalcolo casella, std::string messaggio) {
    esito.rifiuto = Rifiuto{casella, std::move(messaggio)};
    return esito;
  };
  const auto manca = [&rifiuta](CasellaCalcolo casella, const std::string& cosa) {
    return rifiuta(casella, MessaggioValoreMancante(cosa));
  };

  if (Pulito(t.anno).empty()) return manca(CasellaCalcolo::Anno, "anno di imposta");

  const auto rendita = shell::LeggiNumero(t.rendita);
  if (!rendita || *rendita == 0) return manca(CasellaCalcolo::Rendita, "rendita catastale");

  const auto aliquota = shell::LeggiNumero(t.aliquota);
  if (!aliquota || Pulito(t.aliquota) == "0") return manca(CasellaCalcolo::Aliquota, "aliquota TASI");

  const auto rivalutazione = Numero(t.rivalutazione, 0);
  if (!rivalutazione) return manca(CasellaCalcolo::Rivalutazione, "rivalutazione");

  const auto detrazione = t.abitazionePrincipale ? Numero(t.detrazione, 0) : 0.0;
  if (!detrazione) return manca(CasellaCalcolo::Detrazione, "detrazione per l'abitazione principale");

  auto quota = Numero(t.quota, 100);
  if (!quota) return manca(CasellaCalcolo::Quota, "quota di possesso");
  if (*quota == 0) quota = 100;

  const int proprietari = Intero(t.proprietari);
  if (t.abitazionePrincipale && proprietari == 0)
    return manca(CasellaCalcolo::Proprietari,
                 "casella relativa al numero di proprietari che risiedono nella prima casa");

  const int inquilino = Intero(t.percentualeInquilino);
  if (t.locata && t.calcolaInquilino && inquilino == 0)
    return manca(CasellaCalcolo::PercentualeInquilino, "percentuale a carico dell'inquilino");

  if (*aliquota == 0) return rifiuta(CasellaCalcolo::Aliquota, "L'aliquota non può essere zero.");

  if (t.tipologia == 6 && *aliquota > 1)
    esito.domande.push_back(
        "L'aliquota per gli immobili strumentali alle attività agricole non può essere "
        "superiore all'1 per mille.\r\nVuoi continuare comunque?");
  if (t.abitazionePrincipale && *detrazione == 0)
    esito.domande.push_back(
        "Non hai immesso la detrazione per l'abitazione principale.\r\n"
        "Vuoi continuare comunque?");

  DatiCalcolo& d = esito.dati;
  d.rendita = *rendita;
  d.aliquota = *aliquota;
  d.rivalutazione = *rivalutazione;
  d.tipologia = t.tipologia;
  d.inagibile = t.inagibile;
  d.locata = t.locata;
  d.percentualeInquilino = inquilino;
  d.calcolaInquilino = t.calcolaInquilino;
  d.mesi = Intero(t.mesi);
  d.mesiPrimoSemestre = Intero(t.mesiPrimoSemestre);
  d.quota = std::min(*quota, 100.0);
  d.abitazionePrincipale = t.abitazionePrincipale;
  d.detrazione = *detrazione;
  d.proprietari = proprietari;
  d.soluzioneUnica = t.soluzioneUnica;
  return esito;
}

RisultatoCalcolo CalcolaImposta(const DatiCalcolo& d) {
  Parziale c = ParteComune(d);
  RisultatoCalcolo& r = c.r;
  if (r.eccedenza > 0) {
    RamoEccedenza(d, c);
    return r;
  }
  const double dovuto = r.impostaContribuente - r.detrazione;
  if (d.soluzioneUnica) {
    Rate(r, Centesimi(dovuto), 0);
    r.etichette.Label13 = r.etichette.Label11;
    r.etichette.Label15 = "0";
  } else {
    const double acconto = Centesimi(dovuto * 50 / 100);
    Rate(r, acconto, Centesimi(dovuto - acconto));
    r.etichette.Label13 = Importo(r.detrazione * 50 / 100);
    r.etichette.Label15 = r.etichette.Label13;
  }
  return r;
}

RisultatoCalcolo Fondivomanuale(const DatiCalcolo& d, double totaleVersato, double detrazioneAccontoVersata) {
  Parziale c = ParteComune(d);
  RisultatoCalcolo& r = c.r;
  if (r.eccedenza > 0) {
    RamoEccedenza(d, c);
    return r;
  }
  const double acconto = Centesimi(totaleVersato);
  Rate(r, acconto, Centesimi(r.impostaContribuente - r.detrazione - acconto));
  r.etichette.Label13 = Importo(detrazioneAccontoVersata);
  r.etichette.Label15 = Importo(r.detrazione - detrazioneAccontoVersata);
  return r;
}

}  // namespace calculation
