#include "kit/Risorse.h"

#include <cstdint>
#include <cstdlib>
#include <span>

#include "forms/Application.h"
#include "platform/Files.h"
#include "resources/Resources.h"
#include "kit/Documenti.h"
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
  const size_t inizio = leggi32(*file, voce + 12), lunghezza = leggi32(*file, voce + 8);
  if (inizio > file->size() || lunghezza > file->size() - inizio) return std::nullopt;
  try {
    return forms::Image::fromIconPicture(std::span(reinterpret_cast<const uint8_t*>(file->data()) + inizio, lunghezza),
                                         sfondo);
  } catch (const forms::BmpError&) {
    return std::nullopt;
  }
}

}  // namespace shell
