// The totals report: what the totals page shows for one taxpayer, one
// municipality and one year, in two instalments or as a single payment.
#include <string>
#include <string_view>

#include "reports/Rapporto.h"
#include "reports/Stampe.h"

namespace reports {

namespace {

using f24::EtichetteTotali;

constexpr float kBase = 13.5f;           // the F24 rows and the list go down from here by the offset
constexpr float kPasso = 0.5f;           // one row
constexpr float kFondo = 1.0f;           // the lowest entry of the first page
constexpr float kInizioSeguito = 25.5f;  // entries of the following pages, from here
constexpr float kFondoSeguito = 1.5f;    // down to here
// The deduction's heading in every table: it ends where its value ends, at x 16.7.
constexpr float kXDetrazione = 15.0f;

const ModelloRapporto& ModelloComune() {
  static const ModelloRapporto modello{
      .NomeFile = "comunetasi.pdf", .TitoloDocumento = "Quotara", .Data = true, .YRiga = 26.5f, .NumeriPagina = true};
  return modello;
}

bool Importo(const std::string& etichetta) { return etichetta != "--"; }

// One category of the F24 section: tax code, count, and its amounts.
struct Categoria {
  const char* codice;
  const std::string& numero;
  const std::string& acconto;
  const std::string& saldo;
  const std::string& unica;
};

class Totali {
 public:
  Totali(Rapporto& r, const DatiTotaliComune& d, bool unica)
      : r_(r), pdf_(r.pdf()), d_(d), e_(d.Etichette), unica_(unica) {}

  void Stampa() {
    const EtichetteTotali& e = e_;
    // In the order of the F24 section: 3958, 3961, 3960, 3959.
    const Categoria categorie[] = {
        {"3958", e.lblNpr, e.Label15, e.Label20, e.Label25},
        {"3961", e.lblNaltri, e.Label16, e.Label21, e.Label24},
        {"3960", e.lblNafa, e.Label14, e.Label19, e.Label26},
        {"3959", e.lblNstru, e.Label54, e.Label56, e.Label58},
    };
    for (int i = 0; i < 4; ++i) {
      const Categoria& k = categorie[i];
      presente_[i] = unica_ ? Importo(k.unica) : Importo(k.acconto) || Importo(k.saldo);
    }

    r_.NuovaPagina(Titolo());
    Contribuente();
    if (unica_) {
      TotaliUnica();
      SezioneUnica(categorie);
    } else {
      TotaliRate();
      SezioneRate(categorie);
    }
    Elenco();
    r_.FinePagina();
  }

 private:
  std::string Titolo() const { return "Quotara complessivo per comune anno " + d_.Anno; }

  void Testo(float x, float y, std::string_view testo, const char* font = "Fnt1", float corpo = 10, int allinea = 0) {
    pdf_.DrawText(x, y, testo, font, corpo, allinea);
  }

  // A row of the totals block: caption from x 1.5 and value ending at x 10,
  // and on the right caption from x 11 and value ending at x 19.
  void Voce(float y, std::string_view didascalia, const std::string& valore, const char* font) {
    Testo(1.5f, y, didascalia, font);
    Testo(10, y, valore, font, 10, 1);
  }
  void Voci(float y, std::string_view sinistra, const std::string& valore, std::string_view destra,
            const std::string& valoreDestra, const char* font) {
    Voce(y, sinistra, valore, font);
    Testo(11, y, destra, font);
    Testo(19, y, valoreDestra, font, 10, 1);
  }

  void Contribuente() {
    Testo(1.5f, 26, "Contribuente:");
    Testo(1.5f, 25.4f, "Comune di ubicazione:");
    Testo(9, 26, d_.Contribuente);
    Testo(9, 25.4f, d_.Comune);
    r_.Riga(25);
    Testo(1.5f, 24.3f, "Totale versamento TASI del contribuente per il comune di " + d_.Comune, "Fnt2", 12);
    r_.Riga(24);
    Voce(23, "Imposta TASI totale:", e_.Label22, "Fnt1");
    Voce(22.4f, "Detrazione totale:", e_.Label5, "Fnt1");
    Voce(21.8f, "Versamento TASI dovuto:", e_.Label4, "Fnt2");
  }

  void TotaliRate() {
    const EtichetteTotali& e = e_;
    Voci(20.6f, "Rata in acconto (Giugno):", e.Label6, "Rata a saldo (Dicembre):", e.Label8, "Fnt2");
    Voci(20, "Detrazione in acconto:", e.Label7, "Detrazione a saldo:", e.Label9, "Fnt1");
    Voci(19.4f, "Numero fabbricati:", e.Label12, "Numero fabbricati:", e.Label17, "Fnt1");
    // Each category as the page shows it, rounded to the euro like its F24
    // row: every column adds up to the instalment above it.
    Voci(18.8f, "Aree fabbricabili:", e.Label14, "Aree fabbricabili:", e.Label19, "Fnt1");
    Voci(18.2f, "Abitazione principale:", e.Label15, "Abitazione principale:", e.Label20, "Fnt1");
    Voci(17.6f, "Altri fabbricati:", e.Label16, "Altri fabbricati:", e.Label21, "Fnt1");
    Voci(17, "Immobili strumentali:", e.Label54, "Immobili strumentali:", e.Label56, "Fnt1");
  }

  void TotaliUnica() {
    const EtichetteTotali& e = e_;
    Voce(20.6f, "Soluzione unica (Giugno):", e.Label30, "Fnt2");
    Voce(20, "Detrazione comunale:", e.Label29, "Fnt1");
    Voce(19.4f, "Numero fabbricati:", e.Label28, "Fnt1");
    Voce(18.8f, "Aree fabbricabili:", e.Label26, "Fnt1");
    Voce(18.2f, "Abitazione principale:", e.Label25, "Fnt1");
    Voce(17.6f, "Altri fabbricati:", e.Label24, "Fnt1");
    Voce(17, "Immobili strumentali:", e.Label58, "Fnt1");
  }

  void TitoloSezione() {
    r_.Riga(15.9f);
    Testo(1.5f, 15.2f, "Dati e codici per F24", "Fnt2", 12);
    r_.Riga(14.6f);
  }

  float Y() const { return kBase - d_off_; }

  // Head of an instalment's table at y, with the deduction column when there
  // is a main dwelling.
  void TestaRate(float y, const char* rata) {
    Testo(1.5f, y, rata, "Fnt2");
    Testo(3.5f, y, "Cod.Com.");
    Testo(5.5f, y, "N. Imm.");
    Testo(7.5f, y, "Codice tributo");
    Testo(12, y, "Importo");
    if (presente_[0]) Testo(kXDetrazione, y, "Detrazione");
  }

  // The rows of one instalment (`saldo`: the December one).
  void RigheRate(const Categoria (&categorie)[4], bool saldo) {
    for (int i = 0; i < 4; ++i) {
      const Categoria& k = categorie[i];
      const std::string& importo = saldo ? k.saldo : k.acconto;
      // Other buildings only with their own amount; the rest by the category.
      if (!presente_[i] || (i == 1 && !Importo(importo))) continue;
      const float y = Y();
      Testo(3.5f, y, d_.CodiceCatastale);
      Testo(5.5f, y, k.numero);
      Testo(7.5f, y, k.codice);
      Testo(13.2f, y, importo, "Fnt1", 10, 1);
      if (i == 0) Testo(16.7f, y, saldo ? e_.Label9 : e_.Label7, "Fnt1", 10, 1);
      d_off_ += kPasso;
    }
  }

  void SezioneRate(const Categoria (&categorie)[4]) {
    TitoloSezione();
    TestaRate(14, "Acconto");
    RigheRate(categorie, false);
    TestaRate(Y(), "Saldo");
    d_off_ += kPasso;
    RigheRate(categorie, true);
  }

  void SezioneUnica(const Categoria (&categorie)[4]) {
    TitoloSezione();
    Testo(1.5f, 14, "Soluzione Unica", "Fnt2");
    Testo(5, 14, "Cod.Com.");
    Testo(6.9f, 14, "N.Imm.");
    Testo(8.5f, 14, "Codice tributo");
    Testo(12, 14, "Importo");
    if (presente_[0]) Testo(kXDetrazione, 14, "Detrazione");
    for (int i = 0; i < 4; ++i) {
      if (!presente_[i]) continue;
      const Categoria& k = categorie[i];
      const float y = Y();
      Testo(5, y, d_.CodiceCatastale);
      Testo(7, y, k.numero);
      Testo(8.5f, y, k.codice);
      Testo(13.2f, y, k.unica, "Fnt1", 10, 1);
      if (i == 0) Testo(16.7f, y, e_.Label29, "Fnt1", 10, 1);
      d_off_ += kPasso;
    }
  }

  std::string TitoloElenco() const { return "Elenco immobili dell'utente nel comune di " + d_.Comune; }

  // The properties: a first column of up to 8 entries (20 for the single
  // payment) and a second column beside it. Entries that would stand below
  // the footer line go on following pages, two columns a page.
  void Elenco() {
    r_.Riga(Y());
    d_off_ += kPasso;
    Testo(1.5f, Y(), TitoloElenco());
    float e = d_off_;
    const size_t primaColonna = unica_ ? 20 : 8;
    const auto& immobili = d_.Immobili;
    size_t i = 0;
    for (; i < immobili.size(); ++i) {
      const bool prima = i < primaColonna;
      float& offset = prima ? d_off_ : e;
      const float y = kBase - (offset + kPasso);
      if (y < kFondo - 0.01f) break;
      offset += kPasso;
      Testo(prima ? 2 : 12, y, immobili[i]);
    }
    while (i < immobili.size()) {
      r_.FinePagina();
      r_.NuovaPagina(Titolo());
      Testo(1.5f, 26, TitoloElenco());
      for (const float x : {2.0f, 12.0f})
        for (float y = kInizioSeguito; y > kFondoSeguito - 0.01f && i < immobili.size(); y -= kPasso)
          Testo(x, y, immobili[i++]);
    }
  }

  Rapporto& r_;
  pdf::clsPDFWriter& pdf_;
  const DatiTotaliComune& d_;
  const EtichetteTotali& e_;
  const bool unica_;
  bool presente_[4] = {};  // the category flags, in the order of the F24 section
  float d_off_ = 0;        // the running offset of the F24 rows and the first column
};

EsitoStampa StampaTotali(const DatiTotaliComune& dati, bool unica, Momento adesso) {
  return StampaRapporto(ModelloComune(), adesso, [&](Rapporto& r) { Totali(r, dati, unica).Stampa(); });
}

}  // namespace

EsitoStampa StampaComunePdf(const DatiTotaliComune& dati, Momento adesso) { return StampaTotali(dati, false, adesso); }

EsitoStampa StampaComuneUnicaPdf(const DatiTotaliComune& dati, Momento adesso) {
  return StampaTotali(dati, true, adesso);
}

}  // namespace reports
