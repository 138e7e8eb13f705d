#include "f24/ScritturaFdf.h"

#include <algorithm>

#include "platform/Cp1252.h"
#include "platform/Files.h"

namespace f24 {
namespace {

constexpr const char* kFine = "\r\n";

// The path without its ending `estensione` (letter case counts); only the end
// is looked at, so a folder such as "a.pdf.d" keeps its name.
std::string senza(std::string testo, std::string_view estensione) {
  if (testo.size() >= estensione.size() &&
      testo.compare(testo.size() - estensione.size(), estensione.size(), estensione) == 0)
    testo.resize(testo.size() - estensione.size());
  return testo;
}

std::string minuscolo(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return out;
}

// Leading and trailing spaces removed (tabs and other blanks stay).
std::string_view senzaSpazi(std::string_view s) {
  const size_t inizio = s.find_first_not_of(' ');
  if (inizio == std::string_view::npos) return {};
  return s.substr(inizio, s.find_last_not_of(' ') - inizio + 1);
}

bool contiene(std::string_view riga, std::string_view cerca) { return riga.find(cerca) != std::string_view::npos; }

}  // namespace

std::string StringaPdf(std::string_view testo) {
  std::string out;
  out.reserve(testo.size() + 4);
  for (const char c : testo) {
    if (c == '\\' || c == '(' || c == ')') out += '\\';
    out += c;
  }
  return out;
}

bool ScritturaFdf::LeggiNomiCampi(const std::string& nomepdf) {
  elencoCampi_.clear();
  elencoMinuscolo_.clear();
  std::string byte;
  try {
    byte = platform::readFile(senza(nomepdf, ".pdf") + ".pdf");
  } catch (const platform::FileError&) {
    return false;
  }
  const std::string_view tutto(byte);
  size_t inizio = 0;
  while (inizio < tutto.size()) {
    // A line ends at CR (a following LF belongs to it); a lone LF does not end it.
    const size_t cr = tutto.find('\r', inizio);
    const size_t fine = cr == std::string_view::npos ? tutto.size() : cr;
    const std::string_view riga = tutto.substr(inizio, fine - inizio);
    inizio = fine + 1;
    if (inizio < tutto.size() && tutto[inizio] == '\n' && cr != std::string_view::npos) ++inizio;
    if (riga == "%%EOF") break;
    if (!contiene(riga, "obj") || !(contiene(riga, "/FT/Tx") || contiene(riga, "/FT/Btn") || contiene(riga, "/FT/Ch")))
      continue;
    const size_t t = riga.find("/T(");
    if (t == std::string_view::npos) continue;
    const size_t chiusa = riga.find(')', t + 3);
    const std::string_view nome = riga.substr(t + 3, chiusa == std::string_view::npos ? riga.npos : chiusa - t - 3);
    elencoCampi_ += platform::cp1252ToUtf8(nome);
    elencoCampi_ += ';';
  }
  elencoMinuscolo_ = minuscolo(elencoCampi_);
  return true;
}

void ScritturaFdf::OpenFdf(const std::string& nomefile) {
  percorsoFdf_ = senza(nomefile, ".fdf") + ".fdf";
  testo_ = std::string("%FDF-1.2") + kFine + "%\xE2\xE3\xCF\xD3" + kFine + "1 0 obj<</FDF<</Fields[" + kFine;
  aperto_ = false;
  avvisi_.clear();
  dati_ = {};
  platform::writeFileAtomic(percorsoFdf_, testo_);
  aperto_ = true;
}

bool ScritturaFdf::nomeNelModello(std::string_view nome, std::string& trovato) {
  if (elencoCampi_.empty()) {
    trovato = nome;
    return true;
  }
  // A child field is named by its parent's name and its own, joined by ".":
  // each part is looked up. A plain search in the list, so a name that ends a
  // listed name matches too.
  trovato.clear();
  for (size_t inizio = 0;;) {
    const size_t punto = nome.find('.', inizio);
    const std::string_view parte = nome.substr(inizio, punto == std::string_view::npos ? nome.npos : punto - inizio);
    const size_t p = elencoMinuscolo_.find(minuscolo(parte) + ";");
    if (p == std::string::npos || (parte.empty() && nome.find('.') != std::string_view::npos)) {
      if (SegnalaCampiMancanti) avvisi_.push_back("Scrittura FDF: Nome campo inesistente " + std::string(nome));
      return false;
    }
    if (inizio > 0) trovato += '.';
    trovato += elencoCampi_.substr(p, elencoCampi_.find(';', p) - p);
    if (punto == std::string_view::npos) return true;
    inizio = punto + 1;
  }
}

void ScritturaFdf::scriviVoce(std::string_view nome, const std::string& valore, std::string letto) {
  if (!aperto_) return;
  const std::string byte = platform::utf8ToCp1252(nome);
  dati_.Campi.emplace_back(platform::cp1252ToUtf8(byte), std::move(letto));
  testo_ += "<</T(";
  testo_ += StringaPdf(byte);
  testo_ += ")/V";
  testo_ += valore;
  testo_ += ">>";
  testo_ += kFine;
}

void ScritturaFdf::WriteField(std::string_view NomeCampo, std::string_view Valore) {
  std::string nome;
  if (!nomeNelModello(NomeCampo, nome)) return;
  // A control character never reaches the form.
  const std::string byte = platform::utf8ToCp1252Printable(Valore);
  const std::string_view testo = senzaSpazi(byte);
  scriviVoce(nome, "(" + StringaPdf(testo) + ")", platform::cp1252ToUtf8(testo));
}

void ScritturaFdf::WriteCheckBox(std::string_view NomeCampo, bool Valore) {
  std::string nome;
  if (!nomeNelModello(NomeCampo, nome)) return;
  const char* valore = Valore ? "/S#EC" : "/Off";
  scriviVoce(nome, valore, valore);
}

void ScritturaFdf::CloseFdf(const std::string& nomepdf) {
  if (!aperto_) return;
  const std::string pdf = platform::utf8ToCp1252(senza(nomepdf, ".pdf") + ".pdf");
  dati_.Pdf = platform::cp1252ToUtf8(pdf);
  testo_ += "]/F(" + StringaPdf(pdf) + ")>>>>" + kFine;
  testo_ += std::string("endobj") + kFine + "trailer" + kFine + "<</Root 1 0 R>>" + kFine + "%%EOF" + kFine;
  aperto_ = false;
  platform::writeFileAtomic(percorsoFdf_, testo_);
}

}  // namespace f24
