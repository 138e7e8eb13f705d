// The data sheet of one cadastral record, as the record window shows it.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "archives/RegistroCatasto.h"
#include "platform/Cp1252.h"
#include "platform/Text.h"
#include "reports/Rapporto.h"
#include "reports/StampeCatasto.h"

namespace reports {

namespace {

constexpr int kLarghezzaNote = 65;  // characters of a line of notes
constexpr float kPassoNote = 0.6f;
constexpr float kXValori = 7;  // the values and the notes
constexpr float kLarghezzaColonnaNote = Rapporto::BordoDestro - kXValori;
constexpr float kInizioSeguito = 25.5f;  // the first line of notes on a further page
// The lowest line of notes on a page: 0.5 cm above the footer line.
constexpr float kUltimaRigaNote = 1.5f;

const char* NomeTipologia(int tipologia) {
  switch (tipologia) {
    case 0:
      return "Fabbricato";
    case 1:
      return "Terreno";
    case 2:
      return "Area edificabile";
    default:
      return "";
  }
}

const ModelloRapporto& ModelloImmobile() {
  static const ModelloRapporto modello{
      .NomeFile = "immobiletasi.pdf", .TitoloDocumento = "Dati catastali immobile", .YRiga = 26.5f};
  return modello;
}

// The lines of a value or of the notes as they fit between x 7 and the
// frame's edge in `font`: a line of wide letters that would pass it goes on
// in a line of its own, broken at its last blank that fits, or inside the word
// when there is none.
std::vector<std::string> NellaColonna(const Rapporto& r, const std::vector<std::string>& righe,
                                      std::string_view font = "Fnt1") {
  std::vector<std::string> adattate;
  adattate.reserve(righe.size());
  for (const std::string& riga : righe) {
    std::string_view resto = riga;
    for (;;) {
      std::string testa = r.Adatta(resto, font, 10, kLarghezzaColonnaNote);
      if (testa.size() == resto.size()) {
        adattate.emplace_back(resto);
        break;
      }
      if (resto[testa.size()] != ' ') {
        if (const size_t blank = testa.find_last_of(' '); blank != std::string::npos && blank > 0) {
          testa.resize(blank + 1);
        } else if (testa.empty()) {  // not even one character fits: it goes alone
          size_t fine = 0;
          platform::nextCodePoint(resto, fine);
          testa = resto.substr(0, fine);
        }
      }
      resto.remove_prefix(testa.size());
      adattate.push_back(std::move(testa));
      // The blanks where a line is broken begin no line.
      resto.remove_prefix(std::min(resto.find_first_not_of(' '), resto.size()));
      if (resto.empty()) break;
    }
  }
  return adattate;
}

// Where the lines of the sheet go: each has its place on one tall sheet (the
// fixed rows of the labels, then the notes 0.6 cm apart), moved down by the
// lines that wrapped values added above it, and onto a new page when it would
// fall below the lowest line of a page.
class Impaginazione {
 public:
  Impaginazione(Rapporto& r, const std::string& titolo) : r_(r), titolo_(titolo) {}

  // The y on the page of the line whose place is `y`.
  float Posto(float y) {
    if (y - scarto_ < kUltimaRigaNote - 0.001f) {
      r_.FinePagina();
      r_.NuovaPagina(titolo_);
      scarto_ = y - kInizioSeguito;
    }
    return y - scarto_;
  }
  // A line more under the one at `y`: what follows moves down by one step.
  void RigaAggiunta() { scarto_ += kPassoNote; }

 private:
  Rapporto& r_;
  const std::string& titolo_;
  float scarto_ = 0;
};

void Scheda(Rapporto& r, const SchedaImmobile& s) {
  pdf::clsPDFWriter& pdf = r.pdf();
  const std::string titolo = "Archivio dati catastali immobili - " + s.Nome;
  r.NuovaPagina(titolo);

  const bool fabbricato = s.Tipologia == 0, terreno = s.Tipologia == 1, area = s.Tipologia == 2;
  struct Voce {
    float y;
    const char* etichetta;
    std::string valore;
    const char* font;
  };
  std::vector<Voce> voci{{25.5f, "Comune:", s.Comune, "Fnt1"},
                         {24.9f, "Ubicazione/Descrizione:", s.Ubicazione, "Fnt1"},
                         {24.3f, "Tipologia:", NomeTipologia(s.Tipologia), "Fnt1"},
                         {23.7f, "Partita:", s.Dati[0], "Fnt1"},
                         {23.1f, "Sezione:", s.Dati[1], "Fnt1"},
                         {22.5f, "Foglio:", s.Dati[2], "Fnt1"},
                         {21.9f, "Numero:", s.Dati[3], "Fnt1"},
                         {21.3f, "Subalterno:", s.Dati[4], "Fnt1"}};
  if (fabbricato) {
    voci.push_back({20.7f, "Categoria:", s.Dati[5], "Fnt1"});
    voci.push_back({20.1f, "Classe:", s.Dati[6], "Fnt1"});
    voci.push_back({19.5f, "Vani catastali:", s.Dati[7], "Fnt1"});
  }
  voci.push_back({18.9f, "Metri quadrati:", s.Dati[8], "Fnt1"});
  voci.push_back({18.3f, "Percentuale di possesso:", archives::TogliPercento(s.Dati[9]) + "%", "Fnt1"});
  if (fabbricato) voci.push_back({17.7f, "Rendita catastale:", s.Rendita, "Fnt2"});
  if (terreno) {
    voci.push_back({17.7f, "Reddito agrario:", s.RedditoAgrario, "Fnt2"});
    voci.push_back({17.1f, "Reddito dominicale:", s.RedditoDominicale, "Fnt2"});
  }
  if (area) voci.push_back({17.7f, "Rendita:", s.Rendita, "Fnt2"});
  // The notes begin below the second income line that only land has.
  const float inizioNote = terreno ? 16.5f : 17.1f;

  // Every value ends at the frame's edge: a long one goes on in lines of
  // its own below, and what follows moves down.
  Impaginazione pagine(r, titolo);
  for (const Voce& v : voci) {
    const std::vector<std::string> righe = NellaColonna(r, {v.valore}, v.font);
    for (size_t i = 0; i < righe.size(); ++i) {
      if (i > 0) pagine.RigaAggiunta();
      const float y = pagine.Posto(v.y);
      if (i == 0) pdf.DrawText(1.5f, y, v.etichetta, v.font, 10);
      pdf.DrawText(kXValori, y, righe[i], v.font, 10);
    }
  }
  pdf.DrawText(1.5f, pagine.Posto(inizioNote), "Annotazioni:", "Fnt1", 10);

  const std::vector<std::string> righe =
      NellaColonna(r, platform::text::length(s.Note) <= kLarghezzaNote ? std::vector<std::string>{s.Note}
                                                                       : DividiTesto(s.Note, kLarghezzaNote));
  // Lines of notes that no longer fit go on over a new page of their own.
  for (size_t k = 0; k < righe.size(); ++k) {
    const float y = pagine.Posto(inizioNote - static_cast<float>(k) * kPassoNote);
    if (!righe[k].empty()) pdf.DrawText(kXValori, y, righe[k], "Fnt1", 10);
  }
  r.FinePagina();
}

}  // namespace

std::vector<std::string> DividiTesto(std::string_view testo, int N) {
  const std::u32string t = platform::text::toU32(testo);
  const size_t n = static_cast<size_t>(N);
  std::vector<std::u32string> righe((t.size() + n - 1) / n);
  const auto memorizza = [&righe](size_t k, const std::u32string& riga) {
    if (righe.size() < k) righe.resize(k);
    righe[k - 1] = riga;
  };

  std::u32string riga;
  size_t k = 1;
  for (size_t inizio = 0; inizio <= t.size();) {
    size_t fine = t.find(U' ', inizio);
    if (fine == std::u32string::npos) fine = t.size();
    const std::u32string parola = t.substr(inizio, fine - inizio);
    inizio = fine + 1;

    if (parola.size() <= n) {
      riga += parola + U' ';
      if (riga.size() <= n) {
        memorizza(k, riga);
      } else {
        ++k;
        riga = parola + U' ';
        memorizza(k, riga);
      }
      continue;
    }
    // A word longer than a line: its head completes the line, its rest goes
    // on in lines of N characters, the last piece beginning the next line. A
    // line already past N has no room for a head: the word starts on a line
    // of its own.
    if (riga.size() > n) {
      ++k;
      riga.clear();
    }
    memorizza(k, riga + parola.substr(0, n - riga.size()));
    std::u32string resto = parola.substr(n - riga.size());
    for (; resto.size() > n; resto.erase(0, n)) memorizza(++k, resto.substr(0, n));
    ++k;
    riga = resto + U' ';
    memorizza(k, riga);
  }

  std::vector<std::string> risultato;
  risultato.reserve(righe.size());
  for (const std::u32string& r : righe) risultato.push_back(platform::text::toUtf8(r));
  return risultato;
}

EsitoStampa StampaImmobilePdf(const SchedaImmobile& scheda, Momento adesso) {
  return StampaRapporto(ModelloImmobile(), adesso, [&scheda](Rapporto& r) { Scheda(r, scheda); });
}

}  // namespace reports
