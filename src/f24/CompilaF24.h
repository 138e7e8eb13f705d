#pragma once
// "Compila F24": the F24 rows handed over by the totals page and the payer's
// data become filled F24 forms. For each form a copy of the template goes into
// the folder "datiF24" of the program folder, an FDF file of the same name
// beside it holds the values, and the filled copy ("-compilato.pdf") is opened
// in the desktop's PDF viewer.
#include <string>
#include <string_view>
#include <vector>

#include "f24/DatiContribuenteF24.h"

namespace f24 {

// The folder of the produced forms: PercorsoApp() + "/datiF24".
std::string CartellaModelliF24();

// The F24 rows and what the totals page shows when they are handed over.
struct VersamentoF24 {
  // Items 0 to NumRigheF24 - 1 are rows "code;acc;sal;count;tax code;year;amount",
  // item NumRigheF24 the closing item "1;deduction;total;".
  std::vector<std::string> RigheF24;
  int NumRigheF24 = 0;
  int TipoVersamento = 0;  // 0 advance, 1 balance, 2 single payment
  bool F24PiuComuni = false;
  std::string Contribuente;     // the taxpayer of the totals page
  std::string CodiceCatastale;  // the municipality code it shows
  std::string Anno;             // the year it shows
};

// The rows as the shell holds them (RigheF24, NumRigheF24, TipoVersamento,
// F24PiuComuni), with what the totals page shows: its taxpayer, municipality
// code and year.
VersamentoF24 VersamentoCorrente(const std::string& contribuente, const std::string& codiceCatastale,
                                 const std::string& anno);

// Which template the payer window asks for.
enum class ModelloF24 { Normale, Semplificato };

// What one run produced.
struct EsitoF24 {
  bool Riuscito = false;
  std::string NomeFileF24;             // base name of the files in "datiF24"
  std::vector<std::string> Compilati;  // the filled copies, in the order they were opened
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
// (`ente`: an entity, whose personal boxes are left empty on the form). The
// simplified form is used when asked for or when there are more than 8 rows;
// otherwise one ordinary form, or two from 5 rows on (after a notice). Each
// step is checked: at the first failure one message names the file and the
// reason, nothing is opened and "datiF24" is left as it was (the files of the
// run removed, those of earlier runs it had rewritten given back). The mouse
// pointer shows the hourglass while it runs. The base name is left in the
// shell's NomeFileF24.
EsitoF24 CompilaF24(const DatiContribuenteF24& dati, bool ente, ModelloF24 modello, const VersamentoF24& versamento);

}  // namespace f24
