#include "f24/CompilaF24.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <utility>

#include "f24/LimitiF24.h"
#include "f24/ScritturaFdf.h"
#include "pdf/CompilazioneModulo.h"
#include "platform/Cp1252.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "shell/Modulo1.h"

namespace f24 {
namespace {

using shell::RigaF24;

constexpr const char* kCodiceAbitazione = "3958";

// A step that failed: the message says which file and why.
struct Guasto : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Character k (from 1) of a text, "" past its end.
std::string carattere(std::string_view testo, size_t k) {
  const std::u32string caratteri = platform::text::toU32(testo);
  return k >= 1 && k <= caratteri.size() ? platform::text::toUtf8(caratteri.substr(k - 1, 1)) : "";
}

// An amount on the form: "" for none.
std::string importo(long long euro) { return euro > 0 ? std::to_string(euro) : ""; }

// A deduction on a form: its field, its value and, on the simplified form,
// the row it stands beside (0 on the ordinary form, one per sheet).
struct DetrazioneFoglio {
  std::string campo;
  std::string valore;
  int riga = 0;
};

// One form of the run: its base path, its template and the rows it carries.
struct Foglio {
  std::string percorso;  // folder + base name, without extension
  bool semplificato = false;
  std::vector<RigaF24> righe;
  std::vector<DetrazioneFoglio> detrazioni;
};

// The payer block, in the order of the form's field table.
void scriviContribuente(ScritturaFdf& fdf, const DatiContribuenteF24& d, bool ente, bool semplificato) {
  fdf.WriteField("delega", d.Delega);
  fdf.WriteField("agenzia", d.Agenzia);
  fdf.WriteField("prov", d.ProvinciaAgenzia);
  const size_t n = std::min<size_t>(platform::text::length(d.CodiceFiscale), 16);
  for (size_t k = 1; k <= n; ++k) fdf.WriteField("cf" + std::to_string(k), carattere(d.CodiceFiscale, k));
  fdf.WriteField("cognome", d.Cognome);
  // An entity has no first name, birth date, sex or birthplace: the boxes stay empty.
  const auto persona = [ente](const std::string& s) { return ente ? std::string() : s; };
  fdf.WriteField("nome", persona(d.Nome));
  const char* data[] = {"g1", "g2", "m1", "m2", "a1", "a2", "a3", "a4"};
  const size_t posizioni[] = {1, 2, 4, 5, 7, 8, 9, 10};
  for (int i = 0; i < 8; ++i) fdf.WriteField(data[i], persona(carattere(d.DataNascita, posizioni[i])));
  fdf.WriteField("sesso", persona(carattere(d.Sesso, 1)));
  fdf.WriteField("comune", persona(d.ComuneNascita));
  fdf.WriteField("prona1", persona(carattere(d.ProvinciaNascita, 1)));
  fdf.WriteField("prona2", persona(carattere(d.ProvinciaNascita, 2)));
  if (!semplificato) {
    fdf.WriteField("comunedom", d.ComuneDomicilio);
    fdf.WriteField("prodom1", carattere(d.ProvinciaDomicilio, 1));
    fdf.WriteField("prodom2", carattere(d.ProvinciaDomicilio, 2));
    fdf.WriteField("indirizzo", d.Indirizzo);
  }
  for (size_t k = 1; k <= 25; ++k) fdf.WriteField("iban" + std::to_string(k), carattere(d.Iban, k + 2));
}

// Amounts go onto the form in whole euros: their two cents boxes read "00".
// The ordinary form names them after the amount; on the simplified form the
// cents of the rows' amounts and deductions are the children, one per row,
// of one pair of fields.
void scriviCentesimi(ScritturaFdf& fdf, const std::string& primo, const std::string& secondo) {
  fdf.WriteField(primo, "0");
  fdf.WriteField(secondo, "0");
}

std::string figlio(const std::string& padre, int riga) { return padre + "." + std::to_string(riga - 1); }

void scriviRiga(ScritturaFdf& fdf, int i, const RigaF24& riga, bool semplificato) {
  const std::string n = std::to_string(i);
  for (size_t k = 1; k <= 4; ++k) fdf.WriteField("coca" + n + std::to_string(k), carattere(riga.CodiceCatastale, k));
  fdf.WriteField("acc" + n, riga.Acconto ? "X" : "");
  fdf.WriteField("sal" + n, riga.Saldo ? "X" : "");
  fdf.WriteField("immobili" + n, riga.Immobili);
  fdf.WriteField("cotri" + n, riga.CodiceTributo);
  fdf.WriteField("anno" + n, riga.Anno);
  fdf.WriteField("imu" + n, std::to_string(riga.Importo));
  if (semplificato) {
    fdf.WriteField("el" + n + "1", "E");
    fdf.WriteField("el" + n + "2", "L");
  }
  if (semplificato)
    scriviCentesimi(fdf, figlio("decimu41", i), figlio("decimu42", i));
  else
    scriviCentesimi(fdf, "decimu" + n + "1", "decimu" + n + "2");
}

// The deductions of the form and the cents of every amount it carries that
// is not a row's: the deductions, the totals the form works out and the
// final balance.
void scriviDetrazioniETotali(ScritturaFdf& fdf, const Foglio& f) {
  for (const DetrazioneFoglio& d : f.detrazioni) {
    fdf.WriteField(d.campo, d.valore);
    if (d.valore.empty()) continue;
    if (f.semplificato)
      scriviCentesimi(fdf, figlio("decdet1", d.riga), figlio("decdet2", d.riga));
    else
      scriviCentesimi(fdf, "decdet1", "decdet2");
  }
  scriviCentesimi(fdf, "dectotimu1", "dectotimu2");
  if (!f.semplificato) {
    scriviCentesimi(fdf, "decsaldoimu1", "decsaldoimu2");
    scriviCentesimi(fdf, "decsaldo1", "decsaldo2");
  }
}

// The first row (from 1) whose tax code is that of the main dwelling; 0 when none.
int rigaAbitazione(const std::vector<RigaF24>& righe) {
  for (size_t i = 0; i < righe.size(); ++i)
    if (righe[i].CodiceTributo == kCodiceAbitazione) return static_cast<int>(i) + 1;
  return 0;
}

// With several municipalities each deduction rides on its municipality's
// main-dwelling row. On the simplified form each goes beside its row; an
// ordinary sheet carries the sum of those of its rows.
std::vector<DetrazioneFoglio> detrazioniDeiComuni(const std::vector<RigaF24>& righe, bool semplificato) {
  std::vector<DetrazioneFoglio> out;
  long long somma = 0;
  for (size_t i = 0; i < righe.size(); ++i) {
    const long long d = righe[i].Detrazione;
    if (d <= 0) continue;
    const int riga = static_cast<int>(i) + 1;
    if (semplificato)
      out.push_back({"detrazione" + std::to_string(riga), std::to_string(d), riga});
    else
      somma += d;
  }
  if (somma > 0) out.push_back({"detrazione", std::to_string(somma), 0});
  return out;
}

// The forms of the run, with their rows and their deductions. One
// municipality's deduction (`detrazione`, from the closing item) goes beside
// its main dwelling: the ordinary form's one field, the simplified form's
// first row.
std::vector<Foglio> fogli(const std::string& base, bool semplificato, const std::vector<RigaF24>& righe, bool piuComuni,
                          const std::string& detrazione) {
  std::vector<Foglio> out;
  if (semplificato) {
    out.push_back({base + "_s", true, righe, {}});
  } else if (static_cast<int>(righe.size()) <= kRigheModelloNormale) {
    out.push_back({base, false, righe, {}});
  } else {
    const auto meta = righe.begin() + kRigheModelloNormale;
    out.push_back({base + "_1", false, {righe.begin(), meta}, {}});
    out.push_back({base + "_2", false, {meta, righe.end()}, {}});
  }
  for (Foglio& f : out) {
    if (piuComuni)
      f.detrazioni = detrazioniDeiComuni(f.righe, f.semplificato);
    else if (f.semplificato)
      f.detrazioni = {{"detrazione1", detrazione, 1}};
    else if (out.size() == 1)
      f.detrazioni = {{"detrazione", detrazione, 0}};
  }
  // Rows of one municipality on two sheets: the deduction goes on the sheet
  // of its main dwelling.
  if (!piuComuni && out.size() == 2)
    for (Foglio& f : out)
      if (rigaAbitazione(f.righe)) {
        f.detrazioni = {{"detrazione", detrazione, 0}};
        break;
      }
  return out;
}

// The template copy, the FDF and the filled copy of one form; the filled
// copy's path. The notices of the FDF writer go to `avvisi`.
std::string produciFoglio(const Foglio& f, const DatiContribuenteF24& dati, bool ente, const ModelliF24& modelli,
                          std::vector<std::string>& avvisi) {
  const std::string pdf = f.percorso + ".pdf";
  const auto& modello = f.semplificato ? modelli.Semplificato : modelli.Normale;
  if (!modello) throw Guasto("Il programma non contiene il modello F24 da copiare in \"" + pdf + "\".");
  try {
    platform::writeFileAtomic(pdf, std::string(*modello));
    ScritturaFdf fdf;
    if (!fdf.LeggiNomiCampi(f.percorso)) throw Guasto("Impossibile leggere i campi del modello \"" + pdf + "\".");
    fdf.SegnalaCampiMancanti = true;
    fdf.OpenFdf(f.percorso);
    scriviContribuente(fdf, dati, ente, f.semplificato);
    for (size_t i = 0; i < f.righe.size(); ++i) scriviRiga(fdf, static_cast<int>(i) + 1, f.righe[i], f.semplificato);
    scriviDetrazioniETotali(fdf, f);
    avvisi.insert(avvisi.end(), fdf.Avvisi().begin(), fdf.Avvisi().end());
    fdf.CloseFdf(f.percorso);
    // The filled copy takes the values just written, as a reader of the FDF would get them.
    return pdf::CompilaModulo(fdf.Dati(), f.percorso + ".fdf");
  } catch (const platform::FileError& e) {
    throw Guasto(e.what());
  } catch (const pdf::ErroreCompilazione& e) {
    throw Guasto(e.what());
  }
}

// What a run writes into "datiF24": on a failure the files it added go and
// the files of earlier runs that it had begun to rewrite get their bytes
// back, so the folder is left as it was (the folder itself too, when the run
// made it).
class FileDellaCorsa {
 public:
  explicit FileDellaCorsa(std::string cartella) : cartella_(std::move(cartella)) {}

  // The folder did not exist: the run made it.
  void CartellaCreata() { cartellaCreata_ = true; }

  // `percorso` is about to be written.
  void Annota(const std::string& percorso) {
    std::error_code ec;
    const auto st = std::filesystem::symlink_status(percorso, ec);
    if (!std::filesystem::exists(st)) {
      file_.push_back({percorso, std::nullopt});
    } else if (std::filesystem::is_regular_file(std::filesystem::status(percorso, ec))) {
      try {
        file_.push_back({percorso, platform::readFile(percorso)});
      } catch (const platform::FileError&) {
        // Unreadable: its bytes cannot be kept, so a failed run cannot give
        // them back either.
      }
    }
  }

  void Annulla() {
    // The new files first: what they free may be what the old ones need.
    for (const auto& [percorso, prima] : file_)
      if (!prima) platform::removeFile(percorso);
    for (const auto& [percorso, prima] : file_) {
      if (!prima) continue;
      try {
        if (platform::fileReadable(percorso) && platform::readFile(percorso) == *prima) continue;
        platform::writeFileAtomic(percorso, *prima);
      } catch (const platform::FileError&) {
        // Nothing more can be done: the message already says the run failed.
      }
    }
    if (cartellaCreata_) {
      std::error_code ec;
      std::filesystem::remove(cartella_, ec);  // only when empty
    }
  }

 private:
  std::string cartella_;
  bool cartellaCreata_ = false;
  std::vector<std::pair<std::string, std::optional<std::string>>> file_;
};

}  // namespace

std::string CartellaModelliF24() { return shell::PercorsoApp() + "/datiF24"; }

std::string NomeTipoVersamento(int tipo) {
  switch (tipo) {
    case 0:
      return "acconto";
    case 1:
      return "saldo";
    case 2:
      return "unico";
    default:
      return "";
  }
}

std::string ParteNomeFile(std::string_view parte) {
  std::string out(parte);
  for (char& c : out)
    if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '-';
  return out;
}

std::string NomeFileF24(const std::string& contribuente, const std::string& codiceCatastale, int tipoVersamento,
                        const std::string& anno) {
  return "f24tasi_" + ParteNomeFile(contribuente) + "_" + ParteNomeFile(codiceCatastale) + "_" +
         NomeTipoVersamento(tipoVersamento) + "_" + ParteNomeFile(anno);
}

EsitoF24 CompilaF24(const DatiContribuenteF24& dati, bool ente, ModelloF24 modello, const VersamentoF24& v,
                    const std::string& cartella, const ModelliF24& modelli,
                    const std::function<void()>& avvisoDueModelli) {
  EsitoF24 esito;
  // The rows handed over (never more than the list holds).
  const int quante = std::clamp(v.NumRigheF24, 0, static_cast<int>(v.RigheF24.size()));
  const std::vector<RigaF24> righe(v.RigheF24.begin(), v.RigheF24.begin() + quante);
  const std::string detrazione = v.ChiusuraF24 ? importo(v.ChiusuraF24->Detrazione) : "";
  if (quante > kRigheSemplificato) {
    esito.Errore = "Se sono previste più di 10 righe il programma non può compilare il modello F24.";
    return esito;
  }
  const bool semplificato = modello == ModelloF24::Semplificato || quante > kRigheDueModelli;

  esito.NomeFileF24 = NomeFileF24(v.Contribuente, v.CodiceCatastale, v.TipoVersamento, v.Anno);
  FileDellaCorsa corsa(cartella);
  try {
    if (!shell::EsisteCartella(cartella)) {
      std::error_code ec;
      if (std::filesystem::create_directory(cartella, ec)) corsa.CartellaCreata();
      if (ec || !shell::EsisteCartella(cartella))
        throw Guasto(platform::FileError(ec ? ec.value() : ENOTDIR, "Impossibile creare la cartella", cartella).what());
    }
    const auto elenco = fogli(cartella + "/" + esito.NomeFileF24, semplificato, righe, v.F24PiuComuni, detrazione);
    for (const auto& f : elenco)
      for (const char* estensione : {".pdf", ".fdf", "-compilato.pdf"}) corsa.Annota(f.percorso + estensione);
    if (elenco.size() == 2 && avvisoDueModelli) avvisoDueModelli();
    std::vector<std::string> compilati;
    for (const auto& f : elenco) compilati.push_back(produciFoglio(f, dati, ente, modelli, esito.Avvisi));
    // Every file is in place: the second sheet is opened first, so the first ends up on top.
    esito.Compilati.assign(compilati.rbegin(), compilati.rend());
    esito.Riuscito = true;
  } catch (const Guasto& e) {
    corsa.Annulla();
    esito.Errore = std::string("Impossibile compilare il modello F24.\r\n") + e.what();
    esito.Guasto = true;
  } catch (...) {
    corsa.Annulla();
    throw;
  }
  return esito;
}

}  // namespace f24
