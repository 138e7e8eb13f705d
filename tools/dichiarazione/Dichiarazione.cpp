#include "Dichiarazione.h"

#include <algorithm>
#include <string>
#include <vector>

#include "pdf/PdfWriter.h"

namespace strumenti {
namespace {

// A4 in centimetres; positions below are measured from the top of the page.
constexpr float kAltezza = 29.7f;
constexpr float kSinistra = 1.5f;
constexpr float kLarghezza = 18.0f;
constexpr float kRiga = 1.3f;     // height of a row of boxes
constexpr float kSpazio = 0.18f;  // between two rows
constexpr int kNero = 0;
constexpr int kGrigioBanda = 0xDDDDDD;  // the band of a section title
constexpr int kGrigioTesto = 0x444444;  // the labels inside the boxes

// One box of a row: its width and its label.
struct Casella {
  float larghezza;
  const char* etichetta;
  enum Tipo { Libera, Caratteri, Data, Sesso } tipo = Libera;
  int caratteri = 0;  // Caratteri: how many cells
};

class Modulo {
 public:
  explicit Modulo(const std::string& percorso) {
    pdf_.SetClock([] { return pdf::PdfDateTime{2026, 1, 1, 0, 0, 0}; });
    pdf_.Title("Dichiarazione IMU/TASI");
    pdf_.ScaleMode(3);
    pdf_.PaperSize(0);
    pdf_.Margin(0);
    pdf_.Orientation(0);
    std::string file = percorso;
    pdf_.InitPDFFile(file);
    pdf_.LoadFont("Fnt1", "Arial", 0);
    pdf_.LoadFont("Fnt2", "Arial", 1);
    pdf_.LoadFont("Fnt3", "Arial", 2);
  }

  void Pagina(int numero) {
    pdf_.BeginPage();
    pdf_.SetLineWidth(0.02f);
    pdf_.SetColorStroke(kNero);
    pdf_.SetColorFill(kNero);
    Testo(kSinistra, 28.9f, "Dichiarazione IMU/TASI - modello da compilare a mano", "Fnt3", 7);
    Testo(kSinistra + kLarghezza, 28.9f, "Pagina " + std::to_string(numero) + " di 2", "Fnt1", 7, 1);
  }
  void FinePagina() { pdf_.EndPage(); }
  void Chiudi() { pdf_.ClosePDFFile(); }

  void Testo(float x, float t, const std::string& testo, const char* font, float corpo, int allinea = 0) {
    pdf_.DrawText(x, kAltezza - t, testo, font, corpo, allinea);
  }

  // A section title on a grey band, its top at `t`; gives where the boxes begin.
  float Sezione(float t, const std::string& titolo, const std::string& nota = "") {
    pdf_.SetColorFill(kGrigioBanda);
    pdf_.Rectangle(kSinistra, kAltezza - t - 0.6f, kLarghezza, 0.6f, 4);
    pdf_.SetColorFill(kNero);
    Testo(kSinistra + 0.15f, t + 0.42f, titolo, "Fnt2", 9.5f);
    if (!nota.empty()) Testo(kSinistra + 0.3f + pdf_.Length(titolo, "Fnt2", 9.5f), t + 0.42f, nota, "Fnt3", 8);
    return t + 0.6f + kSpazio;
  }

  // A row of boxes across the page, its top at `t`; gives the top of the next row.
  float Riga(float t, const std::vector<Casella>& caselle, float altezza = kRiga) {
    float x = kSinistra;
    for (const auto& c : caselle) {
      Riquadro(x, t, c, altezza);
      x += c.larghezza;
    }
    return t + altezza + kSpazio;
  }

  // A paragraph of lines, 0.4 cm apart; gives the line after the last.
  float Paragrafo(float t, const std::vector<std::string>& righe, const char* font = "Fnt1", float corpo = 8) {
    for (const auto& r : righe) {
      Testo(kSinistra, t, r, font, corpo);
      t += 0.4f;
    }
    return t;
  }

 private:
  void Riquadro(float x, float t, const Casella& c, float altezza) {
    const float basso = kAltezza - t - altezza;
    pdf_.Rectangle(x, basso, c.larghezza, altezza, 1);
    pdf_.SetColorFill(kGrigioTesto);
    pdf_.DrawText(x + 0.1f, kAltezza - t - 0.28f, c.etichetta, "Fnt1", 6.5f);
    pdf_.SetColorFill(kNero);
    switch (c.tipo) {
      case Casella::Libera:
        break;
      case Casella::Caratteri:
        Celle(x + 0.15f, basso + 0.12f, c.larghezza - 0.3f, c.caratteri, {});
        break;
      case Casella::Data:
        // gg / mm / aaaa: eight cells, the two slashes between the groups.
        Celle(x + 0.15f, basso + 0.12f, c.larghezza - 0.3f, 8, {2, 4});
        break;
      case Casella::Sesso:
        for (int i = 0; i < 2; ++i) {
          const float q = x + 0.3f + i * 1.3f;
          pdf_.Rectangle(q, basso + 0.15f, 0.4f, 0.4f, 1);
          pdf_.DrawText(q + 0.55f, basso + 0.22f, i == 0 ? "M" : "F", "Fnt2", 9);
        }
        break;
    }
  }

  // `n` cells side by side in a strip 0.6 cm high; a heavier rule after the
  // cells of `gruppi` (day, month and year of a date).
  void Celle(float x, float basso, float larghezza, int n, const std::vector<int>& gruppi) {
    const float passo = larghezza / n;
    pdf_.Rectangle(x, basso, larghezza, 0.6f, 1);
    for (int i = 1; i < n; ++i) {
      const bool gruppo = std::find(gruppi.begin(), gruppi.end(), i) != gruppi.end();
      if (gruppo) pdf_.SetLineWidth(0.06f);
      pdf_.MoveTo(x + i * passo, basso);
      pdf_.LineTo(x + i * passo, basso + 0.6f, 1);
      if (gruppo) pdf_.SetLineWidth(0.02f);
    }
  }

  pdf::clsPDFWriter pdf_;
};

// Page 1: the municipality, the taxpayer, the declarant, the signature.
void PrimaPagina(Modulo& m) {
  m.Pagina(1);
  m.Testo(kSinistra, 2.0f, "DICHIARAZIONE IMU/TASI", "Fnt2", 18);
  m.Testo(kSinistra, 2.6f, "Imposta municipale propria (IMU) e tributo per i servizi indivisibili (TASI)", "Fnt1",
          9.5f);
  m.Testo(kSinistra, 3.05f,
          "Scrivere in stampatello. Consegnare o spedire al Comune nel quale si trovano gli immobili.", "Fnt3", 8);
  float t = m.Sezione(3.6f, "COMUNE DESTINATARIO DELLA DICHIARAZIONE");
  t = m.Riga(t, {{12.0f, "Comune"}, {2.5f, "Provincia"}, {3.5f, "Anno d'imposta", Casella::Caratteri, 4}});

  t = m.Sezione(t + 0.35f, "CONTRIBUENTE");
  t = m.Riga(t, {{9.5f, "Codice fiscale", Casella::Caratteri, 16},
                 {5.0f, "Data di nascita (giorno / mese / anno)", Casella::Data},
                 {3.5f, "Sesso", Casella::Sesso}});
  t = m.Riga(t, {{9.0f, "Cognome"}, {9.0f, "Nome"}});
  t = m.Riga(t, {{15.0f, "Comune (o Stato estero) di nascita"}, {3.0f, "Provincia"}});
  t = m.Riga(t, {{18.0f, "Domicilio fiscale: via, piazza, numero civico, interno"}});
  t = m.Riga(t, {{3.0f, "C.A.P."}, {12.0f, "Comune"}, {3.0f, "Provincia"}});

  t = m.Sezione(t + 0.35f, "DICHIARANTE", "(da compilare solo se diverso dal contribuente)");
  t = m.Riga(t, {{9.5f, "Codice fiscale", Casella::Caratteri, 16},
                 {5.0f, "Data di nascita (giorno / mese / anno)", Casella::Data},
                 {3.5f, "Sesso", Casella::Sesso}});
  t = m.Riga(t, {{9.0f, "Cognome"}, {9.0f, "Nome"}});
  t = m.Riga(t, {{12.0f, "Comune (o Stato estero) di nascita"}, {2.0f, "Provincia"}, {4.0f, "Natura della carica"}});
  t = m.Riga(t, {{9.0f, "Residenza: via, piazza, numero civico"}, {6.5f, "Comune"}, {2.5f, "Provincia"}});

  t = m.Sezione(t + 0.35f, "FIRMA DELLA DICHIARAZIONE");
  t = m.Paragrafo(t + 0.3f, {"Il sottoscritto dichiara che i dati indicati in questa dichiarazione e nel quadro degli "
                             "immobili sono veritieri."});
  m.Riga(t, {{4.0f, "Immobili dichiarati (numero)"}, {4.5f, "Data"}, {9.5f, "Firma"}}, 1.8f);
  m.FinePagina();
}

// Page 2: the properties, two rows of boxes each, and the notes.
void SecondaPagina(Modulo& m) {
  m.Pagina(2);
  float t = m.Sezione(1.5f, "IMMOBILI");
  t = m.Paragrafo(t + 0.25f,
                  {"Caratteristiche: terreno, area fabbricabile, fabbricato, abitazione principale, pertinenza, "
                   "fabbricato rurale strumentale.",
                   "Riduzione: la percentuale di riduzione dell'imposta spettante (per esempio fabbricato inagibile o "
                   "di interesse storico).",
                   "Data di inizio: il giorno in cui è iniziato o cambiato il possesso dell'immobile."});
  t += 0.1f;
  for (int i = 0; i < 7; ++i) {
    t = m.Riga(
            t,
            {{1.0f, "N."}, {5.0f, "Caratteristiche"}, {12.0f, "Indirizzo: via, piazza, numero civico, piano, interno"}},
            0.95f) -
        kSpazio;
    t = m.Riga(t,
               {{1.3f, "Sezione"},
                {1.4f, "Foglio"},
                {1.8f, "Particella"},
                {1.2f, "Sub."},
                {1.7f, "Categoria"},
                {1.2f, "Classe"},
                {3.0f, "Valore (euro)"},
                {1.6f, "% possesso"},
                {1.6f, "Riduzione"},
                {3.2f, "Data di inizio"}},
               0.95f);
    t += 0.2f;
  }
  t = m.Sezione(t + 0.1f, "ANNOTAZIONI");
  m.Riga(t, {{18.0f, ""}}, 28.3f - t);
  m.FinePagina();
}

}  // namespace

void ScriviDichiarazione(const std::string& percorso) {
  Modulo m(percorso);
  PrimaPagina(m);
  SecondaPagina(m);
  m.Chiudi();
}

}  // namespace strumenti
