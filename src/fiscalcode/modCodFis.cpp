#include "fiscalcode/modCodFis.h"

#include <algorithm>
#include <array>

#include "platform/Cp1252.h"
#include "platform/Files.h"
#include "platform/Lines.h"
#include "platform/Paths.h"
#include "resources/Resources.h"
#include "shell/CampiRiga.h"

namespace fiscalcode {

namespace {

std::vector<std::string> nomi, codici, province;
// ChiaveNome of every name, computed once at loading.
std::vector<std::string> chiavi;

constexpr std::string_view NomeFileComuni = "codfis.imu";

// The vowel of an accented Latin-1 vowel of either case ('È' -> 'E'), else 0.
char vocaleSenzaAccento(char32_t cp) {
  if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) cp -= 0x20;
  if (cp >= 0xC0 && cp <= 0xC5) return 'A';
  if (cp >= 0xC8 && cp <= 0xCB) return 'E';
  if (cp >= 0xCC && cp <= 0xCF) return 'I';
  if (cp >= 0xD2 && cp <= 0xD6) return 'O';
  if (cp >= 0xD9 && cp <= 0xDC) return 'U';
  return 0;
}

bool lettera(char32_t cp) {
  return (cp >= 'A' && cp <= 'Z') || (cp >= 'a' && cp <= 'z') || (cp >= 0xC0 && cp <= 0xFF && cp != 0xD7 && cp != 0xF7);
}

char32_t maiuscola(char32_t cp) {
  if (cp >= 'a' && cp <= 'z') return cp - 0x20;
  if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) return cp - 0x20;
  return cp;
}

void aggiungiRiga(std::string_view riga) {
  std::array<std::string_view, 3> campi;
  shell::LettoreCampi lettore(riga, ",");
  for (std::string_view& campo : campi) {
    if (lettore.Finito()) return;  // fewer than three fields
    campo = lettore.Prossimo();
  }
  nomi.push_back(platform::cp1252ToUtf8(campi[0]));
  codici.push_back(platform::cp1252ToUtf8(campi[1]));
  province.push_back(platform::cp1252ToUtf8(campi[2]));
  chiavi.push_back(ChiaveNome(nomi.back()));
}

// The key a lookup searches for: "SAN REMO" stands in the table as "SANREMO".
std::string chiaveRicerca(std::string_view nome) {
  std::string chiave = ChiaveNome(nome);
  if (chiave == "SAN REMO") chiave = "SANREMO";
  return chiave;
}

// The letters that count for the code, upper case, accents removed.
std::string lettereCodice(std::string_view testo) {
  std::string lettere;
  for (size_t pos = 0; pos < testo.size();) {
    char32_t cp = maiuscola(platform::nextCodePoint(testo, pos));
    if (cp >= 'A' && cp <= 'Z')
      lettere += static_cast<char>(cp);
    else if (char v = vocaleSenzaAccento(cp))
      lettere += v;
  }
  return lettere;
}

bool vocale(char c) { return c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U'; }

std::string larghezzaFissa(std::string testo, size_t larghezza) {
  testo.resize(larghezza, ' ');
  return testo;
}

// Surname and first name differ only in the rule for four or more consonants.
std::string parteNome(std::string_view testo, bool nome) {
  std::string consonanti, vocali;
  for (char c : lettereCodice(TogliSpazi(testo))) (vocale(c) ? vocali : consonanti) += c;
  std::string parte;
  if (nome && consonanti.size() >= 4)
    parte = {consonanti[0], consonanti[2], consonanti[3]};
  else
    parte = (consonanti + vocali + "XXX").substr(0, 3);
  // With no letter at all there is nothing to fill with "X".
  if (consonanti.empty() && vocali.empty()) parte.clear();
  return larghezzaFissa(parte, 3);
}

int cifre2(std::string_view testo, size_t pos) {
  char a = testo[pos], b = testo[pos + 1];
  if (a < '0' || a > '9' || b < '0' || b > '9') return -1;
  return (a - '0') * 10 + (b - '0');
}

}  // namespace

const std::vector<std::string>& ComuniNome = nomi;
const std::vector<std::string>& ComuniCodice = codici;
const std::vector<std::string>& ComuniProvincia = province;

bool ErroreComune = false;
std::string ProvinciaComune;

std::string PercorsoFileComuni() { return platform::tempFolder() + std::string(NomeFileComuni); }

bool EstraiFileComuni() {
  auto dati = resources::find(NomeFileComuni);
  if (!dati) return false;
  try {
    platform::writeFileAtomic(PercorsoFileComuni(), std::string(*dati));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool CaricaComuni() { return CaricaComuni(PercorsoFileComuni()); }

bool CaricaComuni(const std::string& percorso) {
  SvuotaComuni();
  std::string dati;
  try {
    dati = platform::readFile(percorso);
  } catch (const std::exception&) {
    return false;
  }
  std::string_view testo(dati);
  testo = testo.substr(0, testo.find('\0'));
  platform::LineReader righe(testo);
  for (std::string_view riga; righe.next(riga);) aggiungiRiga(riga);
  return true;
}

void SvuotaComuni() {
  nomi.clear();
  codici.clear();
  province.clear();
  chiavi.clear();
}

void CancellaFileComuni() {
  std::string percorso = PercorsoFileComuni();
  if (platform::fileReadable(percorso)) platform::removeFile(percorso);
}

std::string ChiaveNome(std::string_view nome) {
  std::string chiave;
  for (size_t pos = 0; pos < nome.size();) {
    char32_t cp = platform::nextCodePoint(nome, pos);
    if (cp == '`') {
      chiave += '\'';
    } else if (char v = vocaleSenzaAccento(cp)) {
      chiave += v;
      size_t dopo = pos;
      if (pos == nome.size() || !lettera(platform::nextCodePoint(nome, dopo))) chiave += '\'';
    } else {
      platform::appendUtf8(chiave, maiuscola(cp));
    }
  }
  return chiave;
}

std::vector<size_t> TrovaComuni(std::string_view nome) {
  std::vector<size_t> righe;
  if (nome.empty()) return righe;
  std::string chiave = chiaveRicerca(nome);
  for (size_t i = 0; i < chiavi.size(); ++i)
    if (chiavi[i] == chiave) righe.push_back(i);
  return righe;
}

std::vector<size_t> ComuniCheIniziano(std::string_view prefisso, size_t limite) {
  std::vector<size_t> righe;
  if (prefisso.empty()) return righe;
  std::string chiave = ChiaveNome(prefisso);
  for (size_t i = 0; i < chiavi.size() && righe.size() < limite; ++i)
    if (chiavi[i].starts_with(chiave)) righe.push_back(i);
  return righe;
}

std::string CodiceCatastaleComune(std::string_view comune) {
  if (!comune.empty()) {
    std::string chiave = chiaveRicerca(comune);
    auto it = std::find(chiavi.begin(), chiavi.end(), chiave);
    if (it != chiavi.end()) {
      size_t i = static_cast<size_t>(it - chiavi.begin());
      ProvinciaComune = province[i];
      return codici[i];
    }
  }
  ErroreComune = true;
  return {};
}

std::string TagliaCodice(std::string_view codice) { return std::string(codice.substr(0, 4)); }

std::optional<std::string> CodiceManuale(std::string_view risposta) {
  std::string codice = TagliaCodice(risposta);
  if (codice.size() != 4) return std::nullopt;
  if (codice[0] >= 'a' && codice[0] <= 'z') codice[0] = static_cast<char>(codice[0] - 'a' + 'A');
  if (codice[0] < 'A' || codice[0] > 'Z') return std::nullopt;
  for (size_t i = 1; i < 4; ++i)
    if (codice[i] < '0' || codice[i] > '9') return std::nullopt;
  return codice;
}

std::string CalcolaCodiceFiscale(std::string_view Cognome, std::string_view Nome, std::string_view Data,
                                 std::string_view Sesso, std::string_view Comune) {
  ErroreComune = false;
  std::string dataSesso = CodiceDataSesso(Data, Sesso);
  if (!ContieneLettere(Cognome) || !ContieneLettere(Nome) || dataSesso.empty()) return {};
  std::string catasto = larghezzaFissa(TagliaCodice(CodiceCatastaleComune(Comune)), 4);
  if (ErroreComune) {
    ProvinciaComune.clear();
    return {};
  }
  std::string codice = CodiceCognome(Cognome) + CodiceNome(Nome) + dataSesso + catasto;
  return codice + CalcolaCarattereControllo(codice);
}

bool ContieneLettere(std::string_view testo) { return !lettereCodice(testo).empty(); }

std::string TogliSpazi(std::string_view testo) {
  std::string senza;
  std::copy_if(testo.begin(), testo.end(), std::back_inserter(senza), [](char c) { return c != ' '; });
  return senza;
}

std::string CodiceCognome(std::string_view Cognome) { return parteNome(Cognome, false); }

std::string CodiceNome(std::string_view Nome) { return parteNome(Nome, true); }

std::string CodiceDataSesso(std::string_view Data, std::string_view Sesso) {
  static constexpr std::string_view mesi = "ABCDEHLMPRST";
  if (Data.size() != 8 || Data[2] != '/' || Data[5] != '/') return {};
  int giorno = cifre2(Data, 0), mese = cifre2(Data, 3), anno = cifre2(Data, 6);
  if (giorno < 1 || giorno > 31 || mese < 1 || mese > 12 || anno < 0) return {};
  if (Sesso == "F") giorno += 40;
  std::string parte = std::string(Data.substr(6, 2)) + mesi[static_cast<size_t>(mese - 1)];
  parte += static_cast<char>('0' + giorno / 10);
  parte += static_cast<char>('0' + giorno % 10);
  return parte;
}

char CalcolaCarattereControllo(std::string_view codice) {
  int somma = 0;
  for (size_t i = 0; i < 15; ++i) {
    char c = i < codice.size() ? codice[i] : ' ';
    // Positions are counted from 1: index 0 is the first odd position.
    somma += i % 2 == 0 ? ValoreDispari(c) : ValorePari(c);
  }
  return LetteraControllo(somma % 26);
}

int ValoreDispari(char c) {
  static constexpr std::array<int, 26> valori = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                                 20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};
  if (c >= '0' && c <= '9') return valori[static_cast<size_t>(c - '0')];
  if (c >= 'A' && c <= 'Z') return valori[static_cast<size_t>(c - 'A')];
  return 0;
}

int ValorePari(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A';
  return 0;
}

char LetteraControllo(int numero) { return numero >= 0 && numero <= 25 ? static_cast<char>('A' + numero) : '\0'; }

}  // namespace fiscalcode
