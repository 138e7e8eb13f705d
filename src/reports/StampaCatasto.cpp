// The cadastral list of one owner: buildings, land and building areas, each
// record a numbered entry, over as many pages as the records need.
#include <array>
#include <string>
#include <vector>

#include "reports/Rapporto.h"
#include "reports/StampeCatasto.h"
#include "shell/Modulo1.h"
#include "shell/Numeri.h"

namespace reports {

namespace {

constexpr float kCima = 26.5f;     // top of the entry area of every page
constexpr float kFondo = 2.1f;     // a page whose next entry would start below this is full
constexpr float kRigo = 0.5f;      // between the lines of an entry, and under a heading
constexpr float kDistacco = 1.0f;  // after every entry

// The type of a register line, by the number its field 4 reads as; -1 when
// it is not one of the three.
int Tipo(const std::string& riga) {
  const auto valore = shell::LeggiNumero(shell::Campo(riga, ";", 4));
  if (!valore) return -1;
  for (int t = 0; t < 3; ++t)
    if (*valore == t) return t;
  return -1;
}

// Field n, or "--" when it is empty.
std::string X(const std::string& riga, int n) {
  std::string campo = shell::Campo(riga, ";", n);
  return campo.empty() ? "--" : campo;
}

// The identifiers that every detail line begins with.
std::string Identificativi(const std::string& r) {
  return "Partita: " + X(r, 5) + " Sez: " + X(r, 6) + " Fg: " + X(r, 7) + " Num: " + X(r, 8) + " Sub: " + X(r, 9);
}

// The lines of one entry with their x, after its number.
struct Linea {
  float x;
  std::string testo;
};
std::vector<Linea> Voce(int tipo, int numero, const std::string& r) {
  std::vector<Linea> linee{
      {1.5f, std::to_string(numero) + ". " + shell::Campo(r, ";", 2) + " - " + shell::Campo(r, ";", 3)}};
  switch (tipo) {
    case 0:
      linee.push_back({2, Identificativi(r) + " Categoria: " + X(r, 10) + " Classe: " + X(r, 11) +
                              " Vani: " + X(r, 12) + " Mq: " + X(r, 13)});
      linee.push_back(
          {2, "Rendita catastale: " + shell::Campo(r, ";", 15) + " - Percentuale di possesso: " + X(r, 14) + "%"});
      break;
    case 1:
      linee.push_back({1.5f, Identificativi(r) + " Mq: " + X(r, 13) + " R.dom.: " + X(r, 17) + " - R.agr: " + X(r, 16) +
                                 " - Possesso: " + X(r, 14) + "%"});
      break;
    case 2:
      linee.push_back(
          {1.5f, Identificativi(r) + " Mq: " + X(r, 13) + " Rendita: " + X(r, 15) + " - Possesso: " + X(r, 14) + "%"});
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

std::vector<std::string> ListaDiLavoro(const std::vector<std::string>& righe) {
  std::vector<std::string> lista;
  lista.reserve(righe.size());
  for (int tipo = 0; tipo < 3; ++tipo)
    for (const std::string& riga : righe)
      if (Tipo(riga) == tipo) lista.push_back(riga);
  return lista;
}

bool StampaCatastoPdf(const std::string& proprietario, const std::vector<std::string>& righe) {
  const std::vector<std::string> lista = ListaDiLavoro(righe);
  const std::string titolo = "Archivio dati catastali immobili - " + proprietario;
  return StampaRapporto(ModelloCatasto(), [&](Rapporto& r) {
    pdf::clsPDFWriter& pdf = r.pdf();
    r.NuovaPagina(titolo);
    double scarto = 0;
    int tipoPrecedente = -1, numero = 0;
    for (const std::string& riga : lista) {
      const int tipo = Tipo(riga);
      if (tipo != tipoPrecedente) {
        // The first entry of a group: its heading, and numbering from 1.
        pdf.DrawText(1.5f, static_cast<float>(kCima - scarto), kTitoliGruppo[tipo], "Fnt2", 10);
        scarto += kRigo;
        tipoPrecedente = tipo;
        numero = 0;
      }
      const std::vector<Linea> linee = Voce(tipo, ++numero, riga);
      for (size_t i = 0; i < linee.size(); ++i) {
        if (i > 0) scarto += kRigo;
        pdf.DrawText(linee[i].x, static_cast<float>(kCima - scarto), linee[i].testo, "Fnt1", 10);
      }
      scarto += kDistacco;
      if (kCima - scarto < kFondo) {
        r.FinePagina();
        r.NuovaPagina(titolo);
        scarto = 0;
      }
    }
    r.FinePagina();
  });
}

}  // namespace reports
