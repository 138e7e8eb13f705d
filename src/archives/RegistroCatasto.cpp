#include "archives/RegistroCatasto.h"

#include <unordered_set>

#include "platform/Text.h"
#include "shell/CampiRiga.h"
#include "shell/Modulo1.h"

namespace archives {

namespace {

// `testo` cut or filled with blanks on the right to exactly `n` characters.
std::string Colonna(std::string_view testo, size_t n) {
  std::u32string caratteri = platform::text::toU32(testo);
  caratteri.resize(n, U' ');
  return platform::text::toUtf8(caratteri);
}

std::string ImportoOTrattini(const std::string& campo) { return campo.empty() ? "    ---" : campo; }

// One field of a CSV line: as it stands, or, when it holds a ",", a double
// quote or a line break, enclosed in double quotes with its quotes doubled.
void AggiungiCampoCsv(std::string& riga, std::string_view campo) {
  if (campo.find_first_of(",\"\r\n") == std::string_view::npos) {
    riga += campo;
    return;
  }
  riga += '"';
  for (const char c : campo) {
    if (c == '"') riga += '"';
    riga += c;
  }
  riga += '"';
}

// A register line as a CSV line: its ";"-separated fields joined by ",".
std::string RigaCsv(std::string_view riga) {
  std::string csv;
  csv.reserve(riga.size() + 8);
  shell::LettoreCampi campi(riga);
  AggiungiCampoCsv(csv, campi.Prossimo());
  while (!campi.Finito()) {
    csv += ',';
    AggiungiCampoCsv(csv, campi.Prossimo());
  }
  return csv;
}

// The positions in `immobili` of the records of each group of the list.
std::array<std::vector<size_t>, 3> PosizioniPerGruppo(const std::vector<CatastoRecord>& immobili) {
  std::array<std::vector<size_t>, 3> gruppi;
  for (size_t i = 0; i < immobili.size(); ++i)
    if (const int tipo = immobili[i].Tipo(); tipo >= 0) gruppi[static_cast<size_t>(tipo)].push_back(i);
  return gruppi;
}

std::string_view SenzaSpaziAiLati(std::string_view s) {
  const size_t inizio = s.find_first_not_of(' ');
  if (inizio == std::string_view::npos) return {};
  return s.substr(inizio, s.find_last_not_of(' ') - inizio + 1);
}

}  // namespace

std::string RigaElenco(const CatastoRecord& record, std::string_view separatore) {
  std::string r = Colonna(record.Comune, 12);
  r += separatore;
  r += Colonna(record.Ubicazione, 25);
  r += separatore;
  r += ImportoOTrattini(record.RenditaCatastale);
  r += separatore;
  r += ImportoOTrattini(record.RedditoDominicale);
  return r;
}

GruppiCatasto Gruppi(const std::vector<CatastoRecord>& immobili) {
  const auto posizioni = PosizioniPerGruppo(immobili);
  GruppiCatasto gruppi;
  for (size_t g = 0; g < gruppi.size(); ++g)
    for (size_t i : posizioni[g]) gruppi[g].push_back(immobili[i]);
  return gruppi;
}

std::vector<RigaProprietario> RigheProprietario(shell::VistaRighe righe, std::string_view nome,
                                                std::string_view separatore) {
  std::vector<CatastoRecord> suoi;
  std::vector<int> indici;
  for (int i = 0; i < static_cast<int>(righe.size()); ++i) {
    const std::string_view riga = righe[i];
    if (shell::CampoDi(riga, CatastoRecord::kNome) != nome) continue;
    suoi.push_back(CatastoRecord::fromLine(riga));
    indici.push_back(i);
  }
  std::vector<RigaProprietario> elenco;
  elenco.reserve(suoi.size());
  for (const auto& posizioni : PosizioniPerGruppo(suoi))
    for (size_t i : posizioni) elenco.push_back({RigaElenco(suoi[i], separatore), indici[i]});
  return elenco;
}

std::vector<std::string> ValoriDistinti(shell::VistaRighe righe, int n) {
  std::vector<std::string> valori;
  std::unordered_set<std::string> visti;
  for (const std::string_view riga : righe) {
    std::string valore(shell::CampoDi(riga, n));
    if (visti.insert(valore).second) valori.push_back(std::move(valore));
  }
  return valori;
}

std::vector<std::string> RigheEsportazione(const std::vector<std::string>& righe) {
  static const char* const kIntestazione =
      "Nome;Comune;Ubicazione;Tipologia;Partita;Sezione;Foglio;Numero;Subalterno;Categoria;Classe;Vani;Metri;"
      "Possesso;Rendita catastale;Renddito agrario;Reddito domenicale;Annotazioni";
  std::vector<std::string> csv;
  csv.reserve(righe.size() + 1);
  csv.push_back(RigaCsv(kIntestazione));
  for (const std::string& riga : righe) csv.push_back(RigaCsv(riga));
  return csv;
}

std::string TogliPercento(std::string_view Testo) {
  if (!Testo.empty() && Testo.back() == '%') Testo.remove_suffix(1);
  return std::string(Testo);
}

int OpzioneTipologia(int tipo, std::string_view categoria) {
  if (tipo == 2) return 3;  // building area, at its market value
  if (tipo != 0) return -1;
  std::string c(SenzaSpaziAiLati(categoria));
  for (char& ch : c)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  const auto finisceCon = [&c](std::string_view fine) { return c.ends_with(fine); };
  if (c == "A/10") return 1;
  if (c.starts_with('B') || c == "C/3" || c == "C/4" || c == "C/5") return 4;
  if (c == "C/1") return 2;
  if (c == "D/5") return 7;
  if (c == "D/10") return 6;
  if (c.starts_with('D') && !finisceCon("5") && !finisceCon("10")) return 5;
  return 0;
}

std::string NoteInCampo(std::string_view note) {
  std::string campo;
  campo.reserve(note.size());
  for (size_t i = 0; i < note.size(); ++i) {
    if (note[i] == '\r') {
      if (i + 1 < note.size() && note[i + 1] == '\n') ++i;
      campo += '\\';
    } else if (note[i] == '\n') {
      campo += '\\';
    } else {
      campo += note[i];
    }
  }
  return campo;
}

std::string CampoInNote(std::string_view campo) {
  std::string note(campo);
  return shell::Sostituisci(note, "\\", "\r\n");
}

std::string SenzaSeparatore(std::string_view testo) {
  std::string s;
  s.reserve(testo.size());
  for (char c : testo)
    if (c != ';') s += c;
  return s;
}

}  // namespace archives
