#include "archives/FiltriArchivio.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_set>

#include "calculation/CalcoloRecord.h"
#include "platform/Text.h"
#include "shell/CampiRiga.h"
#include "shell/Modulo1.h"
#include "shell/Numeri.h"

namespace archives {

namespace {

using calculation::CalcoloRecord;

// The fields of a line up to the last one the page reads, split once into
// views, without allocating (a long archive has a million lines); a field the
// line lacks is "".
using Campi = shell::CampiRiga<CalcoloRecord::kPercentualeInquilino>;

double Versato(const Campi& c) {
  return shell::CDbl(c[CalcoloRecord::kRataAcconto]) + shell::CDbl(c[CalcoloRecord::kRataSaldo]);
}

// The property types as the clipboard text names them.
std::string_view NomeTipologia(std::string_view tipo) {
  static constexpr std::string_view kNomi[] = {"Abitazione",
                                               "Ufficio",
                                               "Negozio",
                                               "Terreno",
                                               "Area fabbricabile",
                                               "Fabbricato D",
                                               "Fabbricato rurale strumentale",
                                               "Istituto di credito"};
  if (tipo.size() == 1 && tipo[0] >= '0' && tipo[0] <= '7') return kNomi[tipo[0] - '0'];
  return tipo;
}

}  // namespace

VoceArchivio LeggiVoce(std::string_view riga) {
  const Campi c(riga);
  return {c[CalcoloRecord::kContribuente],
          c[CalcoloRecord::kIndirizzoImmobile],
          c[CalcoloRecord::kComuneUbicazione],
          c[CalcoloRecord::kAnnoImposta],
          Versato(c),
          c[CalcoloRecord::kRenditaCatastale]};
}

double ImportoVersato(std::string_view riga) { return Versato(Campi(riga)); }

std::vector<std::string> ValoriFiltro(const std::vector<VoceArchivio>& voci, std::string_view VoceArchivio::*campo) {
  std::unordered_set<std::string_view> visti;
  std::vector<std::string> valori;
  for (const VoceArchivio& v : voci)
    if (visti.insert(v.*campo).second) valori.emplace_back(v.*campo);
  std::stable_sort(valori.begin(), valori.end(),
                   [](const std::string& a, const std::string& b) { return platform::compareNoCase(a, b) < 0; });
  return valori;
}

bool Passa(const VoceArchivio& voce, const Filtri& filtri) {
  const auto passa = [](const std::string& scelta, std::string_view valore) {
    return scelta == kTutti || scelta == valore;
  };
  return passa(filtri.Contribuente, voce.Contribuente) && passa(filtri.Comune, voce.Comune) &&
         passa(filtri.Anno, voce.Anno);
}

Elenco ApplicaFiltri(const std::vector<VoceArchivio>& voci, const Filtri& filtri) {
  // A filter on "*** TUTTI ***" is no filter: decided once, not per line.
  const auto filtro = [](const std::string& scelta) { return scelta == kTutti ? nullptr : &scelta; };
  const std::string* contribuente = filtro(filtri.Contribuente);
  const std::string* comune = filtro(filtri.Comune);
  const std::string* anno = filtro(filtri.Anno);
  Elenco e;
  // In cents: a long list adds up to the cent, without the drift of
  // summing binary fractions.
  long long centesimi = 0;
  for (int i = 0; i < static_cast<int>(voci.size()); ++i) {
    const VoceArchivio& v = voci[static_cast<size_t>(i)];
    if ((contribuente && v.Contribuente != *contribuente) || (comune && v.Comune != *comune) ||
        (anno && v.Anno != *anno))
      continue;
    e.Righe.push_back(i);
    centesimi += std::llround(v.Versato * 100);
  }
  e.Totale = static_cast<double>(centesimi) / 100;
  return e;
}

std::string EtichettaCampo(int N) {
  static constexpr const char* kEtichette[] = {"Contribuente: ",
                                               "Indirizzo immobile: ",
                                               "Comune ubicazione: ",
                                               "Anno contributivo: ",
                                               "Rendita catastale: ",
                                               "Aliquota TASI (x 1000): ",
                                               "Rivalutazione % catastale: ",
                                               "Rivalutazione % domenicale: ",
                                               "Detrazione ab. principale: ",
                                               "Mesi possesso: ",
                                               "Mesi I semestre: ",
                                               "Mesi II semestre: ",
                                               "Quota % possesso: ",
                                               "Tipologia immobile: ",
                                               "Abitazione principale: ",
                                               "Imposta totale: ",
                                               "Totale contribuente: ",
                                               "Detrazione totale: ",
                                               "Rata acconto: ",
                                               "Detrazione acconto: ",
                                               "Rata a saldo: ",
                                               "Detrazione saldo: "};
  static_assert(std::size(kEtichette) == CalcoloRecord::kDetrazioneSaldo);
  return N >= 1 && N <= CalcoloRecord::kDetrazioneSaldo ? kEtichette[N - 1] : "";
}

// Lines end with LF, which every editor reads as a line break; the rate, the
// revaluations and the share, kept in the archive with ".", read as the
// calculation page shows them, with ",".
std::string TestoAppunti(std::string_view riga) {
  using R = CalcoloRecord;
  const Campi c(riga);
  std::string testo;
  for (int n = R::kContribuente; n <= R::kDetrazioneSaldo; ++n) {
    testo += EtichettaCampo(n);
    switch (n) {
      case R::kAliquotaTasi:
      case R::kRivalutazione:
      case R::kImmobileLocato:
      case R::kQuotaPossesso: {
        std::string numero(c[n]);
        testo += shell::PuntoInVirgola(numero);
        break;
      }
      case R::kTipologiaImmobile:
        testo += NomeTipologia(c[R::kTipologiaImmobile]);
        break;
      case R::kAbitazionePrincipale:
        if (c[R::kAbitazionePrincipale] == "1") {
          testo += "SI\nNumero prop. ab. princ.: ";
          testo += c[R::kNumeroProprietari];
          testo += "\nNumero figli: ";
          testo += c[R::kPercentualeInquilino];
        } else {
          testo += "NO";
        }
        break;
      case R::kDetrazioneTotale:
        testo += c[R::kDetrazioneTotale];
        testo +=
            "\nTASI dovuta: " +
            shell::Formatta(shell::CDbl(c[R::kImpostaContribuente]) - shell::CDbl(c[R::kDetrazioneTotale]), "Standard");
        break;
      default:
        testo += c[n];
        break;
    }
    testo += '\n';
  }
  return testo;
}

}  // namespace archives
