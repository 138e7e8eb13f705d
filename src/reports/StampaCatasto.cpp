// The cadastral list of one owner: buildings, land and building areas, each
// record a numbered entry, over as many pages as the records need.
#include <array>
#include <string>
#include <vector>

#include "archives/RegistroCatasto.h"
#include "reports/Rapporto.h"
#include "reports/StampeCatasto.h"

namespace reports {

namespace {

constexpr float kCima = 26.5f;     // top of the entry area of every page
constexpr float kFondo = 2.1f;     // a page whose next entry would start below this is full
constexpr float kRigo = 0.5f;      // between the lines of an entry, and under a heading
constexpr float kDistacco = 1.0f;  // after every entry

using archives::CatastoRecord;

// The field, or "--" when it is empty.
std::string X(const std::string& campo) { return campo.empty() ? "--" : campo; }

// The share followed by one "%", also when it is stored with its own (imported
// data); "--" alone when there is none.
std::string Quota(const std::string& possesso) {
  const std::string quota = archives::TogliPercento(possesso);
  return quota.empty() ? "--" : quota + "%";
}

// The identifiers that every detail line begins with.
std::string Identificativi(const CatastoRecord& r) {
  return "Partita: " + X(r.Partita) + " Sez: " + X(r.Sezione) + " Fg: " + X(r.Foglio) + " Num: " + X(r.Numero) +
         " Sub: " + X(r.Subalterno);
}

// The lines of one entry with their x, after its number.
struct Linea {
  float x;
  std::string testo;
};
std::vector<Linea> Voce(int tipo, int numero, const CatastoRecord& r) {
  std::vector<Linea> linee{{1.5f, std::to_string(numero) + ". " + r.Comune + " - " + r.Ubicazione}};
  switch (tipo) {
    case 0:
      linee.push_back({2, Identificativi(r) + " Categoria: " + X(r.Categoria) + " Classe: " + X(r.Classe) +
                              " Vani: " + X(r.Vani) + " Mq: " + X(r.Metri)});
      linee.push_back(
          {2, "Rendita catastale: " + r.RenditaCatastale + " - Percentuale di possesso: " + Quota(r.Possesso)});
      break;
    case 1:
      linee.push_back({1.5f, Identificativi(r) + " Mq: " + X(r.Metri) + " R.dom.: " + X(r.RedditoDominicale) +
                                 " - R.agr: " + X(r.RedditoAgrario) + " - Possesso: " + Quota(r.Possesso)});
      break;
    case 2:
      linee.push_back({1.5f, Identificativi(r) + " Mq: " + X(r.Metri) + " Rendita: " + X(r.RenditaCatastale) +
                                 " - Possesso: " + Quota(r.Possesso)});
      break;
  }
  return linee;
}

const char* const kTitoliGruppo[3] = {"Fabbricati", "Terreni", "Aree edificabili"};

const ModelloRapporto& ModelloCatasto() {
  static const ModelloRapporto modello{.NomeFile = "catastotasi.pdf",
                                       .TitoloDocumento = "Archivio immobili TASI",
                                       .Fnt4Arial = true,
                                       .YTitolo = 27.7f,
                                       .YRiga = 27,
                                       .NumeriPagina = true};
  return modello;
}

}  // namespace

EsitoStampa StampaCatastoPdf(const std::string& proprietario, const archives::GruppiCatasto& gruppi, Momento adesso) {
  const std::string titolo = "Archivio dati catastali immobili - " + proprietario;
  return StampaRapporto(ModelloCatasto(), adesso, [&](Rapporto& r) {
    pdf::clsPDFWriter& pdf = r.pdf();
    r.NuovaPagina(titolo);
    double scarto = 0;
    for (int tipo = 0; tipo < 3; ++tipo) {
      int numero = 0;
      for (const CatastoRecord& riga : gruppi[static_cast<size_t>(tipo)]) {
        if (numero == 0) {
          // The first entry of a group: its heading, and numbering from 1.
          pdf.DrawText(1.5f, static_cast<float>(kCima - scarto), kTitoliGruppo[tipo], "Fnt2", 10);
          scarto += kRigo;
        }
        const std::vector<Linea> linee = Voce(tipo, ++numero, riga);
        for (size_t i = 0; i < linee.size(); ++i) {
          if (i > 0) scarto += kRigo;
          // A line longer than the page is wide ends at the frame's edge.
          const std::string testo = r.Adatta(linee[i].testo, "Fnt1", 10, Rapporto::BordoDestro - linee[i].x);
          pdf.DrawText(linee[i].x, static_cast<float>(kCima - scarto), testo, "Fnt1", 10);
        }
        scarto += kDistacco;
        if (kCima - scarto < kFondo) {
          r.FinePagina();
          r.NuovaPagina(titolo);
          scarto = 0;
        }
      }
    }
    r.FinePagina();
  });
}

}  // namespace reports
