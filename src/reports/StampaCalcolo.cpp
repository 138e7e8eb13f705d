// The calculation report: one page with what the calculation page shows.
#include <string>
#include <string_view>

#include "calculation/SchedaCalcolo.h"
#include "calculation/Tasi.h"
#include "reports/Rapporto.h"
#include "reports/Stampe.h"
#include "shell/Numeri.h"

namespace reports {

namespace {

// A caption counts as non-zero when the number it begins with (digits with at
// most one "." as decimal point) is not 0: the decimal comma of an amount ends
// the number, and an empty caption reads as 0.
bool NonZero(std::string_view testo) {
  bool punto = false;
  for (const char c : testo) {
    if (c == '.' && !punto) {
      punto = true;
    } else if (c < '0' || c > '9') {
      break;
    } else if (c != '0') {
      return true;
    }
  }
  return false;
}

void Calcolo(Rapporto& r, const calculation::SchedaCalcolo& scheda) {
  const calculation::CalcoloRecord& c = scheda.record;
  const calculation::RisultatoCalcolo::Etichette& e = scheda.etichette;
  pdf::clsPDFWriter& pdf = r.pdf();
  const bool principale = c.AbitazionePrincipale == "1";
  const int moltiplicatore = calculation::Moltiplicatore(static_cast<int>(shell::Val(c.TipologiaImmobile)));
  // The two half-year lines push everything below them 1.2 cm down.
  const bool semestri = shell::Val(c.MesiPossesso) != 12;
  const float d = semestri ? 1.2f : 0;

  // A value typed by the user (a long name) stays inside the frame.
  const auto dato = [&pdf, &r](float y, std::string_view etichetta, const std::string& valore) {
    pdf.DrawText(1.5f, y, etichetta, "Fnt1", 10);
    pdf.DrawText(9, y, r.Adatta(valore, "Fnt1", 10, Rapporto::BordoDestro - 9), "Fnt1", 10);
  };
  const auto risultato = [&pdf](float y, std::string_view etichetta, const std::string& valore, const char* font) {
    pdf.DrawText(1.5f, y, etichetta, font, 10);
    pdf.DrawText(10, y, valore, font, 10, 1);
  };
  const auto cella = [&pdf](float x, float y, std::string_view testo) { pdf.DrawText(x, y, testo, "Fnt1", 10); };
  const auto riga = [&](float y, const std::string& importo, const std::string* detrazione) {
    cella(3.5f, y, c.CodiceCatastale);
    cella(5.5f, y, "1");
    cella(7.5f, y, e.lblCodCom);
    cella(12, y, importo);
    if (detrazione) cella(15, y, *detrazione);
  };
  const auto titoli = [&](float y, const char* tabella, const char* immobili) {
    pdf.DrawText(1.5f, y, tabella, "Fnt2", 10);
    cella(3.5f, y, "Cod.Com.");
    cella(5.5f, y, immobili);
    cella(7.5f, y, "Codice tributo");
    cella(12, y, "Importo");
    if (principale) cella(15, y, "Detrazione");
  };

  pdf.BeginPage();
  r.Intestazione("Quotara anno " + c.AnnoImposta);

  dato(26, "Contribuente:", c.Contribuente);
  dato(25.4f, "Indirizzo immobile:", c.IndirizzoImmobile);
  dato(24.8f, "Comune di ubicazione:", c.ComuneUbicazione);
  dato(23.6f, "Rendita catastale:", c.RenditaCatastale);
  dato(23, "Aliquota TASI:", c.AliquotaTasi + " x 1000");
  dato(22.4f, "Abitazione principale:", principale ? "Si" : "No");
  dato(21.8f, "Fattore di moltiplicazione per tipologia:", "x " + std::to_string(moltiplicatore));
  dato(21.2f, "Rivalutazione reddito catastale:", c.Rivalutazione + "%");
  dato(20.6f, "Detrazione prima casa:", c.DetrazioneAbPrincipale);
  dato(20, "Totale mesi di possesso:", c.MesiPossesso);
  if (semestri) {
    dato(19.4f, "Possesso nel I semestre:", c.MesiPrimoSemestre);
    dato(18.8f, "Possesso nel II semestre:", c.MesiSecondoSemestre);
  }
  dato(19.4f - d, "Quota di possesso:", c.QuotaPossesso + "%");

  r.Riga(18.9f - d);
  pdf.DrawText(1.5f, 17.8f - d, "Quotara", "Fnt2", 14);
  r.Riga(17.5f - d);

  risultato(16.5f - d, "Imposta totale sull'immobile:", e.Label8, "Fnt1");
  risultato(15.8f - d, "Imposta totale del contribuente:", e.Label10, "Fnt1");
  risultato(15.1f - d, "Detrazione totale spettante:", e.Label11, "Fnt1");
  risultato(14.4f - d, "Versamento TASI dovuto:", e.Label18, "Fnt2");
  risultato(13 - d, "Rata in acconto (Giugno):", e.Label12, "Fnt2");
  risultato(12.3f - d, "Detrazione in acconto:", e.Label13, "Fnt1");
  risultato(11.6f - d, "Rata a saldo (Dicembre):", e.Label14, "Fnt2");
  risultato(10.9f - d, "Detrazione a saldo:", e.Label15, "Fnt1");

  r.Riga(10.1f - d);
  pdf.DrawText(1.5f, 9.4f - d, "Dati e codici per F24", "Fnt2", 14);
  r.Riga(9.1f - d);

  const std::string acconto = e.Label12, saldo = e.Label14;
  titoli(8.5f - d, "Acconto", "N.Imm.");
  if (principale) {
    // The deduction column: both rows always, even for a single payment.
    const std::string detrazioneAcconto = e.Label13, detrazioneSaldo = e.Label15;
    riga(7.8f - d, acconto, &detrazioneAcconto);
    titoli(7.1f - d, "Saldo", "N. Imm.");
    riga(6.4f - d, saldo, &detrazioneSaldo);
  } else {
    const bool codice = NonZero(e.lblCodCom);
    if (codice && NonZero(acconto)) riga(7.8f - d, acconto, nullptr);
    titoli(6.4f - d, "Saldo", "N. Imm.");
    if (codice && NonZero(saldo)) riga(5.7f - d, saldo, nullptr);
  }

  r.PiePagina();
  r.FinePagina();
}

const ModelloRapporto& ModelloCalcolo() {
  static const ModelloRapporto modello{
      .NomeFile = "quotara.pdf", .TitoloDocumento = "Quotara", .Data = true, .YRiga = 26.5f};
  return modello;
}

}  // namespace

EsitoStampa StampaCalcoloPdf(const calculation::SchedaCalcolo& scheda, Momento adesso) {
  return StampaRapporto(ModelloCalcolo(), adesso, [&scheda](Rapporto& r) { Calcolo(r, scheda); });
}

}  // namespace reports
