#pragma once
// "Compila F24": the F24 rows handed over by the totals page and the payer's
// data become filled F24 forms. For each form a copy of the template goes into
// the folder "datiF24" of the program folder, an FDF file of the same name
// beside it holds the values, and the filled copy ("-compilato.pdf") is
// written for the desktop's PDF viewer. The run shows nothing: it says what it
// made, or why it stopped, and the payer window shows it (f24/frmF24.h).
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "f24/DatiContribuenteF24.h"
#include "shell/RigaF24.h"

namespace f24 {

// The folder of the produced forms: PercorsoApp() + "/datiF24".
std::string CartellaModelliF24();

// The F24 rows and what the totals page shows when they are handed over.
struct VersamentoF24 {
  // Items 0 to NumRigheF24 - 1 are the rows (never more than the list holds).
  std::vector<shell::RigaF24> RigheF24;
  int NumRigheF24 = 0;
  // The closing item: its deduction goes on the form.
  std::optional<shell::RigaChiusuraF24> ChiusuraF24;
  int TipoVersamento = 0;  // 0 advance, 1 balance, 2 single payment
  bool F24PiuComuni = false;
  std::string Contribuente;     // the taxpayer of the totals page
  std::string CodiceCatastale;  // the municipality code it shows
  std::string Anno;             // the year it shows
};

// Which template the payer window asks for.
enum class ModelloF24 { Normale, Semplificato };

// The bytes of the two templates, as the program carries them; a missing one
// stops a run that needs it.
struct ModelliF24 {
  std::optional<std::string_view> Normale;
  std::optional<std::string_view> Semplificato;
};

// The notice shown before a run of 5 to 8 rows fills two ordinary forms.
inline constexpr const char* kAvvisoDueModelli =
    "Le righe disponibili per la TASI nel modello F24 sono 4.\r\n"
    "Il pagamento attuale richiede più di 4 righe, per cui verranno creati\r\n"
    "2 modelli F24 separati e contraddistinti dal numero 1 e 2 finale.";

// What one run produced, or why it stopped.
struct EsitoF24 {
  bool Riuscito = false;
  std::string NomeFileF24;             // base name of the files in "datiF24" ("" when refused)
  std::vector<std::string> Compilati;  // the filled copies, in the order they are to be opened
  // The notices of the FDF writer (a field the template lacks), in order; each
  // is shown without an icon.
  std::vector<std::string> Avvisi;
  // When it did not succeed: the message, and whether it is a failure
  // (critical icon) rather than a refusal (information icon).
  std::string Errore;
  bool Guasto = false;
};

// "acconto" for 0, "saldo" for 1, "unico" for 2, "" otherwise.
std::string NomeTipoVersamento(int tipo);

// A part of a file name as it may stand in "datiF24": "/", "\" and control
// characters become "-".
std::string ParteNomeFile(std::string_view parte);

// "f24tasi_" + taxpayer + "_" + code + "_" + payment word + "_" + year.
std::string NomeFileF24(const std::string& contribuente, const std::string& codiceCatastale, int tipoVersamento,
                        const std::string& anno);

// The whole run of the payer window's "Compila F24" for the payer `dati`
// (`ente`: an entity, whose personal boxes are left empty on the form), into
// the folder `cartella` (made when missing), from the templates `modelli`.
// More than 10 rows are refused. The simplified form is used when asked for
// or when there are more than 8 rows; otherwise one ordinary form, or two
// from 5 rows on, after `avvisoDueModelli` (called once the folder is there,
// before any form is written). Each step is checked: at the first failure the
// error names the file and the reason, nothing is to be opened and the folder
// is left as it was (the files of the run removed, those of earlier runs it
// had rewritten given back).
EsitoF24 CompilaF24(const DatiContribuenteF24& dati, bool ente, ModelloF24 modello, const VersamentoF24& versamento,
                    const std::string& cartella, const ModelliF24& modelli,
                    const std::function<void()>& avvisoDueModelli = {});

}  // namespace f24
