#pragma once
// The frame that every printed report shares: an A4 portrait page measured in
// centimetres from its lower left corner, the six fonts, the header (title,
// date, rule), the footer line, the page numbers "pag. N" / "di M" and the
// file under its fixed name in the temporary folder. A report shows nothing:
// it gives back the file it wrote, or why it could not, and the window that
// asked for it tells the user or opens the file in the desktop's PDF viewer.
//
// A report describes its pages inside StampaRapporto:
//
//   EsitoStampa esito = StampaRapporto(modello, adesso, [&](Rapporto& r) {
//     r.NuovaPagina("Titolo");          // BeginPage and the frame items
//     r.pdf().DrawText(1.5, 25, "...", "Fnt1", 10);
//     r.FinePagina();
//   });
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "pdf/PdfWriter.h"

namespace reports {

// The moment a report is printed, in local time: the date of its header, the
// year of its footer and the creation date of its file.
using Momento = std::chrono::local_time<std::chrono::milliseconds>;

// What a report run gives back.
struct EsitoStampa {
  std::string Percorso;  // the file, in the temporary folder
  std::string Errore;    // empty when the file was written; else what the user is told
  bool Riuscita() const { return Errore.empty(); }
};

// What sets one report apart within the frame.
struct ModelloRapporto {
  std::string NomeFile;         // the file in the temporary folder, e.g. "quotara.pdf"
  std::string TitoloDocumento;  // the title in the file's document information
  // "Fnt4" is the metric "Arial" bold italic instead of the standard "Courier New".
  bool Fnt4Arial = false;
  float YTitolo = 27;          // baseline of the header title
  bool Data = false;           // today's date at (15, 27)
  std::optional<float> YRiga;  // the rule under the header, when there is one
  bool NumeriPagina = false;   // "pag. N" and "di M" on the footer line
};

class Rapporto {
 public:
  Rapporto(ModelloRapporto modello, Momento adesso);

  pdf::clsPDFWriter& pdf() { return pdf_; }
  // The temporary folder followed by the file name.
  const std::string& Percorso() const { return percorso_; }

  // BeginPage, then every frame item: page number, footer line, header.
  void NuovaPagina(std::string_view titolo);
  void FinePagina() { pdf_.EndPage(); }

  // The frame items one by one, for a report that draws them in its own order.
  void Intestazione(std::string_view titolo);
  void PiePagina();
  void NumeroPagina();

  // A rule across the page, from x 1.5 to x 19.5.
  void Riga(float y);
  // The frame's right edge (where the rules end), in centimetres.
  static constexpr float BordoDestro = 19.5f;

  // `testo` as far as it fits in `larghezza` centimetres in the report font
  // `font` ("Fnt1" to "Fnt6") at `punti` points, measured with the font's
  // metrics: a long name is cut at its column instead of running off the
  // frame. The whole text when it fits.
  std::string Adatta(std::string_view testo, std::string_view font, float punti, float larghezza) const;
  // The width of `testo` in centimetres, in that font at that size.
  float Larghezza(std::string_view testo, std::string_view font, float punti) const;
  // The size, `punti` or smaller, at which `testo` fits in `larghezza`
  // centimetres: a figure is printed smaller rather than over its neighbour.
  float CorpoPer(std::string_view testo, std::string_view font, float punti, float larghezza) const;

 private:
  friend EsitoStampa StampaRapporto(const ModelloRapporto&, Momento, const std::function<void(Rapporto&)>&);

  // Sets up the writer, creates the file and loads the fonts.
  void Apri();
  // The page count (for numbered reports) and the end of the file.
  void Chiudi();
  // Removes what has been written of the file.
  void Abbandona();

  ModelloRapporto modello_;
  Momento adesso_;
  std::string percorso_;
  pdf::clsPDFWriter pdf_;
  bool aperto_ = false;
};

// Writes the report (`contenuto` draws its pages), printed at `adesso`, over
// any earlier copy and gives its path. When the file cannot be written,
// removes the half-written file and gives the message that says why:
// "Impossibile stampare "<file>":" and the reason on the next line.
EsitoStampa StampaRapporto(const ModelloRapporto& modello, Momento adesso,
                           const std::function<void(Rapporto&)>& contenuto);

}  // namespace reports
