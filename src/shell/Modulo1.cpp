#include "shell/Modulo1.h"

#include <cmath>

#include "platform/Cp1252.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "shell/CampiRiga.h"
#include "shell/Numeri.h"

namespace shell {
namespace {

std::string senzaSpazi(const std::string& t) {
  const size_t inizio = t.find_first_not_of(' ');
  if (inizio == std::string::npos) return "";
  return t.substr(inizio, t.find_last_not_of(' ') - inizio + 1);
}

std::string primoInAltro(std::string& testo, char da, char a) {
  const size_t pos = testo.find(da);
  if (pos != std::string::npos) testo[pos] = a;
  return senzaSpazi(testo);
}

}  // namespace

double Arrotonda(double Valore) {
  const double v = Arrotonda15Cifre(Valore);
  const double intero = std::trunc(v);
  // + 0.0 turns the -0 of a small negative value into 0.
  return (v - intero >= 0.5 ? intero + 1 : intero) + 0.0;
}

std::string Campo(std::string_view Riga, std::string_view Separatore, int N) {
  return std::string(LettoreCampi(Riga, Separatore).Campo(N));
}

std::string PuntoInVirgola(std::string& Testo) { return primoInAltro(Testo, '.', ','); }

std::string VirgolaInPunto(std::string& Testo) { return primoInAltro(Testo, ',', '.'); }

std::string Maiuscolo(std::string_view Testo) {
  std::string risultato;
  risultato.reserve(Testo.size());
  for (size_t pos = 0; pos < Testo.size();) {
    platform::appendUtf8(risultato, platform::capitalLetter(platform::nextCodePoint(Testo, pos)));
  }
  return risultato;
}

int CarattereIban(int Carattere) {
  if ((Carattere >= '0' && Carattere <= '9') || (Carattere >= 'A' && Carattere <= 'Z')) return Carattere;
  if (Carattere >= 'a' && Carattere <= 'z') return Carattere - 'a' + 'A';
  return 0;
}

std::string IbanCompatto(std::string_view Testo) {
  std::string risultato;
  for (const char c : Testo)
    if (const int k = CarattereIban(static_cast<unsigned char>(c))) risultato += static_cast<char>(k);
  return risultato;
}

std::string Sostituisci(std::string& Testo, std::string_view Cerca, std::string_view Nuovo) {
  if (Cerca.empty()) return Testo;
  std::string out;
  size_t da = 0;
  for (size_t pos = Testo.find(Cerca); pos != std::string::npos; pos = Testo.find(Cerca, da)) {
    out.append(Testo, da, pos - da).append(Nuovo);
    da = pos + Cerca.size();
  }
  out.append(Testo, da, std::string::npos);
  Testo = std::move(out);
  return Testo;
}

bool FileLeggibile(const std::string& Percorso) { return platform::fileReadable(Percorso); }

std::string PercorsoApp() { return platform::programFolder(); }

std::string CartellaTemp() { return platform::tempFolder(); }

void CancellaFileTemp(const std::string& NomeFile) {
  const std::string percorso = CartellaTemp() + NomeFile;
  if (FileLeggibile(percorso)) platform::removeFile(percorso);
}

void CancellaPdfTemp() {
  for (const char* nome : {"quotara.pdf", "comunetasi.pdf", "archiviotasi.pdf", "catastotasi.pdf", "immobiletasi.pdf",
                           "f24tasi.pdf", "f24tasisemplificato.pdf", "dichiarazioneIMUTASI.pdf"}) {
    CancellaFileTemp(nome);
  }
}

bool EsisteCartella(const std::string& Percorso) { return platform::folderExists(Percorso); }

}  // namespace shell
