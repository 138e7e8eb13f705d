#include "f24/CompilaF24.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include "f24/ScritturaFdf.h"
#include "forms/Application.h"
#include "forms/Text.h"
#include "pdf/CompilazioneModulo.h"
#include "platform/Files.h"
#include "shell/Applicazione.h"
#include "shell/Finestre.h"
#include "shell/Messaggi.h"
#include "shell/Modulo1.h"
#include "shell/Risorse.h"

namespace f24 {
namespace {

constexpr int kRigheNormale = 4;
constexpr int kRigheDueModelli = 8;
constexpr int kRigheSemplificato = 10;
constexpr const char* kCodiceAbitazione = "3958";

// A step that failed: the message says which file and why.
struct Guasto : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Character k (from 1) of a text, "" past its end.
std::string carattere(std::string_view testo, size_t k) {
  const std::u32string caratteri = forms::text::toU32(testo);
  return k >= 1 && k <= caratteri.size() ? forms::text::toUtf8(caratteri.substr(k - 1, 1)) : "";
}

// One form of the run: its base path, its template and the items of RigheF24 it carries.
struct Foglio {
  std::string percorso;  // folder + base name, without extension
  bool semplificato = false;
  std::vector<std::string> righe;
  std::optional<std::string> campoDetrazione;  // where the deduction goes, if anywhere
};

// The payer block, in the order of the form's field table.
void scriviContribuente(ScritturaFdf& fdf, const DatiContribuenteF24& d, bool ente, bool semplificato) {
  fdf.WriteField("delega", d.Delega);
  fdf.WriteField("agenzia", d.Agenzia);
  fdf.WriteField("prov", d.ProvinciaAgenzia);
  const size_t n = std::min<size_t>(forms::text::length(d.CodiceFiscale), 16);
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

void scriviRiga(ScritturaFdf& fdf, int i, const std::string& riga, bool semplificato) {
  const std::string n = std::to_string(i);
  const std::string codice = shell::Campo(riga, ";", 1);
  for (size_t k = 1; k <= 4; ++k) fdf.WriteField("coca" + n + std::to_string(k), carattere(codice, k));
  fdf.WriteField("acc" + n, shell::Campo(riga, ";", 2));
  fdf.WriteField("sal" + n, shell::Campo(riga, ";", 3));
  fdf.WriteField("immobili" + n, shell::Campo(riga, ";", 4));
  fdf.WriteField("cotri" + n, shell::Campo(riga, ";", 5));
  fdf.WriteField("anno" + n, shell::Campo(riga, ";", 6));
  fdf.WriteField("imu" + n, shell::Campo(riga, ";", 7));
  if (semplificato) {
    fdf.WriteField("el" + n + "1", "E");
    fdf.WriteField("el" + n + "2", "L");
  }
}

// The first row (from 1) whose tax code is that of the main dwelling; 0 when none.
int rigaAbitazione(const std::vector<std::string>& righe) {
  for (size_t i = 0; i < righe.size(); ++i)
    if (shell::Campo(righe[i], ";", 5) == kCodiceAbitazione) return static_cast<int>(i) + 1;
  return 0;
}

// The forms of the run, with their rows and the field of the deduction.
std::vector<Foglio> fogli(const std::string& base, bool semplificato, const std::vector<std::string>& righe,
                          bool piuComuni) {
  std::vector<Foglio> out;
  if (semplificato) {
    Foglio f{base + "_s", true, righe, std::nullopt};
    if (!piuComuni)
      f.campoDetrazione = "detrazione1";
    else if (const int i = rigaAbitazione(righe))
      f.campoDetrazione = "detrazione" + std::to_string(i);
    out.push_back(std::move(f));
  } else if (static_cast<int>(righe.size()) <= kRigheNormale) {
    out.push_back({base, false, righe, "detrazione"});
  } else {
    const auto meta = righe.begin() + kRigheNormale;
    out.push_back({base + "_1", false, {righe.begin(), meta}, std::nullopt});
    out.push_back({base + "_2", false, {meta, righe.end()}, std::nullopt});
    // The deduction goes on the sheet that holds the first main-dwelling row.
    for (auto& f : out)
      if (rigaAbitazione(f.righe)) {
        f.campoDetrazione = "detrazione";
        break;
      }
  }
  return out;
}

// The template copy, the FDF and the filled copy of one form; the filled copy's path.
std::string produciFoglio(const Foglio& f, const DatiContribuenteF24& dati, bool ente, const std::string& detrazione) {
  const std::string pdf = f.percorso + ".pdf";
  const int risorsa = f.semplificato ? shell::RisorsaModelloF24Semplificato : shell::RisorsaModelloF24;
  const auto modello = shell::CaricaRisorsa(shell::TipoRisorsa::Custom, risorsa);
  if (!modello) throw Guasto("Il programma non contiene il modello F24 da copiare in \"" + pdf + "\".");
  try {
    platform::writeFileAtomic(pdf, std::string(*modello));
    ScritturaFdf fdf;
    if (!fdf.LeggiNomiCampi(f.percorso)) throw Guasto("Impossibile leggere i campi del modello \"" + pdf + "\".");
    fdf.SegnalaCampiMancanti = true;
    fdf.OpenFdf(f.percorso);
    scriviContribuente(fdf, dati, ente, f.semplificato);
    for (size_t i = 0; i < f.righe.size(); ++i) scriviRiga(fdf, static_cast<int>(i) + 1, f.righe[i], f.semplificato);
    if (f.campoDetrazione) fdf.WriteField(*f.campoDetrazione, detrazione);
    fdf.CloseFdf(f.percorso);
    return pdf::CompilaModulo(f.percorso + ".fdf");
  } catch (const platform::FileError& e) {
    throw Guasto(e.what());
  } catch (const pdf::ErroreCompilazione& e) {
    throw Guasto(e.what());
  }
}

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

VersamentoF24 VersamentoCorrente(const std::string& contribuente, const std::string& codiceCatastale,
                                 const std::string& anno) {
  const auto& a = shell::app();
  return {a.RigheF24, a.NumRigheF24, a.TipoVersamento, a.F24PiuComuni, contribuente, codiceCatastale, anno};
}

EsitoF24 CompilaF24(const DatiContribuenteF24& dati, bool ente, ModelloF24 modello, const VersamentoF24& v) {
  shell::Clessidra clessidra;
  EsitoF24 esito;
  // The rows handed over: items before the closing item (never more than the list holds).
  const int quante = std::clamp(v.NumRigheF24, 0, static_cast<int>(v.RigheF24.size()));
  const std::vector<std::string> righe(v.RigheF24.begin(), v.RigheF24.begin() + quante);
  const std::string detrazione =
      quante < static_cast<int>(v.RigheF24.size()) ? shell::Campo(v.RigheF24[quante], ";", 2) : "";
  if (quante > kRigheSemplificato) {
    shell::Messaggio("Se sono previste più di 10 righe il programma non può compilare il modello F24.");
    return esito;
  }
  const bool semplificato = modello == ModelloF24::Semplificato || quante > kRigheDueModelli;

  const std::string cartella = CartellaModelliF24();
  esito.NomeFileF24 = NomeFileF24(v.Contribuente, v.CodiceCatastale, v.TipoVersamento, v.Anno);
  shell::app().NomeFileF24 = esito.NomeFileF24;
  try {
    if (!shell::EsisteCartella(cartella)) {
      std::error_code ec;
      std::filesystem::create_directory(cartella, ec);
      if (ec || !shell::EsisteCartella(cartella))
        throw Guasto(platform::FileError(ec ? ec.value() : ENOTDIR, "Impossibile creare la cartella", cartella).what());
    }
    const auto elenco = fogli(cartella + "/" + esito.NomeFileF24, semplificato, righe, v.F24PiuComuni);
    if (elenco.size() == 2)
      shell::Messaggio(
          "Le righe disponibili per la TASI nel modello F24 sono 4.\r\n"
          "Il pagamento attuale richiede più di 4 righe, per cui verranno creati\r\n"
          "2 modelli F24 separati e contraddistinti dal numero 1 e 2 finale.");
    std::vector<std::string> compilati;
    for (const auto& f : elenco) compilati.push_back(produciFoglio(f, dati, ente, detrazione));
    // Every file is in place: the second sheet is opened first, so the first ends up on top.
    for (auto it = compilati.rbegin(); it != compilati.rend(); ++it) {
      forms::desktop().openDocument(*it);
      esito.Compilati.push_back(*it);
    }
    esito.Riuscito = true;
  } catch (const Guasto& e) {
    shell::Messaggio(std::string("Impossibile compilare il modello F24.\r\n") + e.what(), forms::vbCritical);
  }
  return esito;
}

}  // namespace f24
