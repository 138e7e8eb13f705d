// The archive report: the calculations that the archive page lists, one line
// of a boxed table each, 46 lines a page.
#include <string>
#include <string_view>
#include <vector>

#include "platform/Cp1252.h"
#include "reports/Rapporto.h"
#include "reports/Stampe.h"
#include "shell/Numeri.h"

namespace reports {

namespace {

constexpr int kRighePagina = 46;
constexpr int kCaratteriNome = 18;
constexpr float kFineUbicazione = 13;  // the separator before the year

// The name with a capital at the start of each word (after a blank, a tab or
// a line break) and small letters elsewhere, cut to its first 18 characters.
std::string NomeInTabella(std::string_view nome) {
  std::string testo;
  bool inizioParola = true;
  size_t i = 0;
  for (int n = 0; n < kCaratteriNome && i < nome.size(); ++n) {
    const char32_t c = platform::nextCodePoint(nome, i);
    platform::appendUtf8(testo, inizioParola ? platform::capitalLetter(c) : platform::smallLetter(c));
    inizioParola = c == U' ' || c == U'\t' || c == U'\r' || c == U'\n';
  }
  return testo;
}

// The two instalments together: whole euros before 2002, cents from then on.
std::string Versato(const archives::VoceArchivio& v) {
  return shell::Formatta(v.Versato, shell::Val(v.Anno) < 2002 ? "#,##0" : "#,##0.00");
}

// The right-aligned columns: a figure ends at x `fine` and starts no further
// left than `inizio`, 1 mm inside the separator before it.
constexpr float kInizioRendita = 15.1f, kFineRendita = 16.8f;
constexpr float kInizioTasi = 17.1f, kFineTasi = 19.3f;

// A figure right-aligned at x `fine`, in 10 points or, when it is wider than
// its column, as much smaller as it needs.
void Cifra(Rapporto& r, float fine, float inizio, float y, std::string_view testo) {
  r.pdf().DrawText(fine, y, testo, "Fnt1", r.CorpoPer(testo, "Fnt1", 10, fine - inizio), 1);
}

void TestaPagina(Rapporto& r) {
  pdf::clsPDFWriter& pdf = r.pdf();
  r.NuovaPagina("Quotara - Archivio immobili");
  pdf.SetLineWidth(0.01f);
  pdf.Rectangle(1.5f, 2, 18, 25, 1, 0.1f);
  pdf.SetDash(0.05f, 0.05f);
  for (const float x : {5.0f, 13.0f, 15.0f, 17.0f}) {
    pdf.MoveTo(x, 27);
    pdf.LineTo(x, 2, 1);
  }
  pdf.SetDash(0, 0);
  pdf.MoveTo(1.5f, 25.7f);
  pdf.LineTo(19.5f, 25.7f, 1);
  pdf.DrawText(2.8f, 26.1f, "Nome", "Fnt4", 10);
  pdf.DrawText(7.8f, 26.1f, "Ubicazione", "Fnt4", 10);
  pdf.DrawText(13.5f, 26.1f, "Anno", "Fnt4", 10);
  pdf.DrawText(15.3f, 26.1f, "Rendita", "Fnt4", 10);
  pdf.DrawText(17.8f, 26.1f, "TASI", "Fnt4", 10);
}

void Archivio(Rapporto& r, const std::vector<const archives::VoceArchivio*>& voci) {
  pdf::clsPDFWriter& pdf = r.pdf();
  TestaPagina(r);
  int k = 0;
  for (const archives::VoceArchivio* v : voci) {
    const archives::VoceArchivio& c = *v;
    const float y = 25 - 0.5f * static_cast<float>(k);
    std::string ubicazione(c.Comune);
    ubicazione += " - ";
    ubicazione += c.Indirizzo;
    pdf.DrawText(1.7f, y, NomeInTabella(c.Contribuente), "Fnt1", 10);
    // Municipality and address together can be long: cut at the year's column.
    pdf.DrawText(5.2f, y, r.Adatta(ubicazione, "Fnt1", 10, kFineUbicazione - 5.2f), "Fnt1", 10);
    pdf.DrawText(13.6f, y, c.Anno, "Fnt1", 10);
    // A figure too wide for its column is printed smaller, never over the next one.
    Cifra(r, kFineRendita, kInizioRendita, y, c.Rendita);
    Cifra(r, kFineTasi, kInizioTasi, y, Versato(c));
    // A full page ends at once, before it is known whether a line follows.
    if (++k == kRighePagina) {
      r.FinePagina();
      TestaPagina(r);
      k = 0;
    }
  }
  r.FinePagina();
}

const ModelloRapporto& ModelloArchivio() {
  static const ModelloRapporto modello{.NomeFile = "archiviotasi.pdf",
                                       .TitoloDocumento = "Archivio immobili TASI",
                                       .Fnt4Arial = true,
                                       .YTitolo = 27.7f,
                                       .Data = false,
                                       .YRiga = std::nullopt,
                                       .NumeriPagina = true};
  return modello;
}

}  // namespace

EsitoStampa StampaArchivioPdf(const std::vector<const archives::VoceArchivio*>& voci, Momento adesso) {
  return StampaRapporto(ModelloArchivio(), adesso, [&voci](Rapporto& r) { Archivio(r, voci); });
}

EsitoStampa StampaArchivioPdf(const std::vector<std::string>& righe, Momento adesso) {
  std::vector<archives::VoceArchivio> voci;
  voci.reserve(righe.size());
  for (const std::string& riga : righe) voci.push_back(archives::LeggiVoce(riga));
  std::vector<const archives::VoceArchivio*> elenco;
  elenco.reserve(voci.size());
  for (const archives::VoceArchivio& v : voci) elenco.push_back(&v);
  return StampaArchivioPdf(elenco, adesso);
}

}  // namespace reports
