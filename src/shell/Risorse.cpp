#include "shell/Risorse.h"

#include <cstdint>
#include <cstdlib>
#include <span>

#include "forms/Application.h"
#include "platform/Files.h"
#include "resources/Resources.h"
#include "shell/Documenti.h"
#include "shell/Modulo1.h"

namespace shell {
namespace {

// Where each numbered resource lives among the embedded files.
std::string_view nomeRisorsa(TipoRisorsa tipo, int numero) {
  switch (numero) {
    case 101:
      return tipo == TipoRisorsa::Html ? "tasiguida.htm" : "f24tasi.pdf";
    case 102:
      return tipo == TipoRisorsa::Html ? "tasi.htm" : "f24tasisemplificato.pdf";
    case 103:
      return tipo == TipoRisorsa::Html ? "codfis.imu" : "dichiarazioneIMUTASI.pdf";
    default:
      return "";
  }
}

// Writes the resource and opens the file, the earlier copy when the writing failed.
void scriviEApri(TipoRisorsa tipo, int numero, const std::string& percorso) {
  SalvaRisorsaInFile(tipo, numero, percorso);
  if (platform::fileReadable(percorso)) ApriDocumento(percorso);
}

uint32_t leggi32(std::string_view b, size_t pos) {
  return static_cast<uint32_t>(static_cast<unsigned char>(b[pos])) |
         static_cast<uint32_t>(static_cast<unsigned char>(b[pos + 1])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[pos + 2])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[pos + 3])) << 24;
}

uint16_t leggi16(std::string_view b, size_t pos) {
  return static_cast<uint16_t>(static_cast<unsigned char>(b[pos]) | static_cast<unsigned char>(b[pos + 1]) << 8);
}

// One image of an icon file (24-bit colours, then the transparency mask, rows
// from the bottom), its transparent pixels painted in `sfondo`.
std::optional<forms::Image> immagineIcona(std::string_view file, size_t inizio, size_t lunghezza, forms::Color sfondo) {
  if (inizio > file.size() || lunghezza > file.size() - inizio || lunghezza < 40) return std::nullopt;
  const std::string_view dib = file.substr(inizio, lunghezza);
  const int w = static_cast<int>(leggi32(dib, 4));
  const int h = static_cast<int>(leggi32(dib, 8)) / 2;
  if (leggi32(dib, 0) != 40 || leggi16(dib, 14) != 24 || w <= 0 || h <= 0 || w > 256 || h > 256) return std::nullopt;
  const size_t rigaColori = (static_cast<size_t>(w) * 3 + 3) / 4 * 4;
  const size_t rigaMaschera = (static_cast<size_t>(w) + 31) / 32 * 4;
  const size_t colori = 40;
  const size_t maschera = colori + rigaColori * h;
  if (maschera + rigaMaschera * h > dib.size()) return std::nullopt;
  forms::Image img(w, h);
  for (int y = 0; y < h; ++y) {
    const size_t riga = static_cast<size_t>(h - 1 - y);
    for (int x = 0; x < w; ++x) {
      const size_t p = colori + riga * rigaColori + static_cast<size_t>(x) * 3;
      const bool trasparente =
          static_cast<unsigned char>(dib[maschera + riga * rigaMaschera + x / 8]) & (0x80 >> (x % 8));
      img.setPixel(x, y,
                   trasparente
                       ? sfondo
                       : forms::RGB(static_cast<unsigned char>(dib[p + 2]), static_cast<unsigned char>(dib[p + 1]),
                                    static_cast<unsigned char>(dib[p])));
    }
  }
  return img;
}

}  // namespace

std::optional<std::string_view> CaricaRisorsa(TipoRisorsa tipo, int numero) {
  const std::string_view nome = nomeRisorsa(tipo, numero);
  if (nome.empty()) return std::nullopt;
  return resources::find(nome);
}

bool SalvaRisorsaInFile(TipoRisorsa tipo, int numero, const std::string& percorso) {
  const auto byte = CaricaRisorsa(tipo, numero);
  if (!byte) return false;
  try {
    platform::writeFileAtomic(percorso, std::string(*byte));
    return true;
  } catch (const platform::FileError&) {
    return false;
  }
}

void ApriRisorsaHtml(const std::string& NomeFile, int IdRisorsa) {
  scriviEApri(TipoRisorsa::Html, IdRisorsa, CartellaTemp() + NomeFile);
}

void ScriviModelloF24(const std::string& Nome) {
  SalvaRisorsaInFile(TipoRisorsa::Custom, RisorsaModelloF24, PercorsoApp() + "/datiF24/" + Nome + ".pdf");
}

void ScriviModelloF24Semplificato(const std::string& Nome) {
  SalvaRisorsaInFile(TipoRisorsa::Custom, RisorsaModelloF24Semplificato, PercorsoApp() + "/datiF24/" + Nome + ".pdf");
}

void ApriModelloF24() { scriviEApri(TipoRisorsa::Custom, RisorsaModelloF24, CartellaTemp() + "f24tasi.pdf"); }

void ApriModelloF24Semplificato() {
  scriviEApri(TipoRisorsa::Custom, RisorsaModelloF24Semplificato, CartellaTemp() + "f24tasisemplificato.pdf");
}

void ApriDichiarazione() {
  scriviEApri(TipoRisorsa::Custom, RisorsaDichiarazione, CartellaTemp() + "dichiarazioneIMUTASI.pdf");
}

forms::Image ImmagineRisorsa(std::string_view nome) {
  const auto byte = resources::find(nome);
  if (!byte) return {};
  try {
    return forms::Image::fromBmp(std::span(reinterpret_cast<const uint8_t*>(byte->data()), byte->size()));
  } catch (const forms::BmpError&) {
    return {};
  }
}

std::string NomeIcona(int posizione) {
  switch (posizione) {
    case 0:
      return "icone/programma.ico";
    case 1:
      return "icone/documento.ico";
    case 2:
      return "icone/attesa.ico";
    default:
      return "";
  }
}

std::optional<forms::Image> IconaProgramma(int posizione, int lato, forms::Color sfondo) {
  const std::string nome = NomeIcona(posizione);
  if (nome.empty()) return std::nullopt;
  const auto file = resources::find(nome);
  if (!file || file->size() < 6 || leggi16(*file, 2) != 1) return std::nullopt;
  const int quante = leggi16(*file, 4);
  if (file->size() < 6 + 16 * static_cast<size_t>(quante)) return std::nullopt;
  // The entry whose size is nearest to the one asked for (0 in the file means 256).
  int scelta = -1, distanza = 0;
  for (int i = 0; i < quante; ++i) {
    const int w = static_cast<unsigned char>((*file)[6 + 16 * i]);
    const int d = std::abs((w == 0 ? 256 : w) - lato);
    if (scelta < 0 || d < distanza) scelta = i, distanza = d;
  }
  if (scelta < 0) return std::nullopt;
  const size_t voce = 6 + 16 * static_cast<size_t>(scelta);
  return immagineIcona(*file, leggi32(*file, voce + 12), leggi32(*file, voce + 8), sfondo);
}

}  // namespace shell
