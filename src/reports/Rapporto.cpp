#include "reports/Rapporto.h"

#include <array>
#include <cctype>
#include <cmath>
#include <chrono>
#include <exception>
#include <utility>

#include "pdf/FontMetrics.h"
#include "platform/Cp1252.h"
#include "platform/Dates.h"
#include "shell/Modulo1.h"

namespace reports {

namespace {

constexpr float kSinistra = 1.5f;  // left end of the rules and start of the texts
constexpr float kDestra = 19.5f;   // right end of the rules

const char* const kOggettoPiede = "Footers";

// The moment as the writer stamps the creation date.
pdf::PdfDateTime DataOra(Momento t) {
  using namespace std::chrono;
  const local_days giorno = floor<days>(t);
  const year_month_day ymd(giorno);
  const hh_mm_ss ora(floor<seconds>(t - giorno));
  return {static_cast<int>(ymd.year()),
          static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day())),
          static_cast<int>(ora.hours().count()),
          static_cast<int>(ora.minutes().count()),
          static_cast<int>(ora.seconds().count())};
}

std::chrono::year_month_day Giorno(Momento t) {
  return std::chrono::year_month_day(std::chrono::floor<std::chrono::days>(t));
}

int Anno(Momento t) { return static_cast<int>(Giorno(t).year()); }

// The day of `t` in the Italian long form, lower case as the regional setting
// writes it: "giovedì 10 dicembre 2026".
std::string DataEstesa(Momento t) {
  const auto giorno = Giorno(t);
  std::string data = platform::longDateItalian(Anno(t), static_cast<int>(static_cast<unsigned>(giorno.month())),
                                               static_cast<int>(static_cast<unsigned>(giorno.day())));
  for (char& c : data) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return data;
}

}  // namespace

Rapporto::Rapporto(ModelloRapporto modello, Momento adesso)
    : modello_(std::move(modello)), adesso_(adesso), percorso_(shell::CartellaTemp() + modello_.NomeFile) {
  pdf_.SetClock([adesso] { return DataOra(adesso); });
}

void Rapporto::Apri() {
  pdf_.Title(modello_.TitoloDocumento);
  pdf_.ScaleMode(3);
  pdf_.PaperSize(0);
  pdf_.Margin(0);
  pdf_.Orientation(0);
  std::string percorso = percorso_;
  pdf_.InitPDFFile(percorso);
  aperto_ = true;

  pdf_.LoadFont("Fnt1", "Arial", 0);
  pdf_.LoadFont("Fnt2", "Arial", 1);
  pdf_.LoadFont("Fnt3", "Arial", 2);
  if (modello_.Fnt4Arial)
    pdf_.LoadFont("Fnt4", "Arial", 3);
  else
    pdf_.LoadFontStandard("Fnt4", "Courier New", 3);
  pdf_.LoadFont("Fnt5", "Verdana", 0);
  pdf_.LoadFont("Fnt6", "Verdana", 1);
}

void Rapporto::NuovaPagina(std::string_view titolo) {
  pdf_.BeginPage();
  if (modello_.NumeriPagina) NumeroPagina();
  PiePagina();
  Intestazione(titolo);
}

void Rapporto::Intestazione(std::string_view titolo) {
  pdf_.DrawText(kSinistra, modello_.YTitolo, titolo, "Fnt2", 14);
  if (modello_.Data) pdf_.DrawText(15, 27, DataEstesa(adesso_), "Fnt3", 10);
  if (modello_.YRiga) Riga(*modello_.YRiga);
}

void Rapporto::PiePagina() {
  pdf_.DrawText(kSinistra, 1, "Stampato con Quotara - " + std::to_string(Anno(adesso_)), "Fnt1", 8);
}

void Rapporto::NumeroPagina() {
  pdf_.DrawText(19, 1, "pag. " + std::to_string(pdf_.Pages()), "Fnt1", 8, 1);
  pdf_.DrawObject(kOggettoPiede);
}

namespace {

// The metrics of a report font ("Fnt1" to "Fnt6"), as the frame loads them
// (Apri); `fnt4Arial` as in ModelloRapporto.
// Made once: a report measures every text it fits, a million of them for a
// large archive.
const pdf::FontMetrics& Metriche(std::string_view font, bool fnt4Arial) {
  static const std::array<pdf::FontMetrics, 4> arial = {pdf::MetricheArial(0), pdf::MetricheArial(1),
                                                        pdf::MetricheArial(2), pdf::MetricheArial(3)};
  static const std::array<pdf::FontMetrics, 4> courier = {pdf::MetricheCourierNew(0), pdf::MetricheCourierNew(1),
                                                          pdf::MetricheCourierNew(2), pdf::MetricheCourierNew(3)};
  // Fnt4 in Courier New is monospaced.
  const bool inCourier = font == "Fnt4" && !fnt4Arial;
  const int stile = font == "Fnt2" || font == "Fnt6" ? 1 : font == "Fnt3" ? 2 : font == "Fnt4" ? 3 : 0;
  // Verdana is measured with the Arial metrics, as the writer describes it.
  return inCourier ? courier[stile] : arial[stile];
}

constexpr float kPuntiPerCm = 72 / 2.54f;

// The advance of one character, in thousandths of the font size.
float Avanzamento(const pdf::FontMetrics& m, std::string_view testo, size_t& i) {
  const int codice = platform::cp1252FromCodePoint(platform::nextCodePoint(testo, i));
  const int c = codice < 0 ? '?' : codice;
  return static_cast<float>(c >= m.FirstChar && c <= m.LastChar ? m.Widths[c] : m.MissingWidth);
}

}  // namespace

std::string Rapporto::Adatta(std::string_view testo, std::string_view font, float punti, float larghezza) const {
  const pdf::FontMetrics& m = Metriche(font, modello_.Fnt4Arial);
  const float limite = larghezza * kPuntiPerCm * 1000 / punti;  // in thousandths of the font size
  float usata = 0;
  for (size_t i = 0; i < testo.size();) {
    const size_t inizio = i;
    usata += Avanzamento(m, testo, i);
    if (usata > limite) return std::string(testo.substr(0, inizio));
  }
  return std::string(testo);
}

float Rapporto::Larghezza(std::string_view testo, std::string_view font, float punti) const {
  const pdf::FontMetrics& m = Metriche(font, modello_.Fnt4Arial);
  float usata = 0;
  for (size_t i = 0; i < testo.size();) usata += Avanzamento(m, testo, i);
  return usata * punti / 1000 / kPuntiPerCm;
}

float Rapporto::CorpoPer(std::string_view testo, std::string_view font, float punti, float larghezza) const {
  const float intera = Larghezza(testo, font, punti);
  if (intera <= larghezza) return punti;
  // The tenth of a point just below the exact fit.
  return std::floor(punti * larghezza / intera * 10) / 10;
}

void Rapporto::Riga(float y) {
  pdf_.SetLineWidth(0.01f);
  pdf_.MoveTo(kSinistra, y);
  pdf_.LineTo(kDestra, y, 1);
}

void Rapporto::Chiudi() {
  if (modello_.NumeriPagina) {
    // Every page already draws this object: it gets the count once the
    // last page is known.
    // The count starts just after the page number, which ends at x 19: ended
    // at the rule's end it would run into "pag. N" from ten pages on.
    pdf_.StartObject(kOggettoPiede, 7);
    pdf_.DrawText(19.1f, 1, "di " + std::to_string(pdf_.Pages()), "Fnt1", 8);
    pdf_.EndObject();
  }
  pdf_.ClosePDFFile();
}

void Rapporto::Abbandona() {
  // A file that could not even be created is not ours to remove.
  if (aperto_) pdf_.AbandonPDFFile();
}

EsitoStampa StampaRapporto(const ModelloRapporto& modello, Momento adesso,
                           const std::function<void(Rapporto&)>& contenuto) {
  Rapporto rapporto(modello, adesso);
  EsitoStampa esito{.Percorso = rapporto.Percorso(), .Errore = {}};
  try {
    rapporto.Apri();
    contenuto(rapporto);
    rapporto.Chiudi();
  } catch (const std::exception& e) {
    rapporto.Abbandona();
    esito.Errore = "Impossibile stampare \"" + modello.NomeFile + "\":\r\n" + e.what();
  }
  return esito;
}

}  // namespace reports
