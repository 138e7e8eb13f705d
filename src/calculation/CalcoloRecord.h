#pragma once
// One archived calculation: one line of "tasi.dat", 28 fields joined by ";",
// no quoting. Every field is kept as the text stored in the file (amounts in
// "#,##0.00", rates with a decimal point, check boxes as "0"/"1"); the strings
// are UTF-8, the file is Windows-1252 with CR LF, converted by whoever reads or
// writes it.
#include <string>

#include "shell/RecordArchivio.h"

namespace calculation {

struct CalcoloRecord : shell::RecordArchivio<CalcoloRecord, 28, 4> {
  // The number of each field in the line, counted from 1 in file order:
  // campo(kContribuente) is Contribuente. Readers of raw lines use these
  // numbers.
  enum NumeroCampo : int {
    kContribuente = 1,
    kIndirizzoImmobile,
    kComuneUbicazione,
    kAnnoImposta,
    kRenditaCatastale,
    kAliquotaTasi,
    kRivalutazione,
    kImmobileLocato,
    kDetrazioneAbPrincipale,
    kMesiPossesso,
    kMesiPrimoSemestre,
    kMesiSecondoSemestre,
    kQuotaPossesso,
    kTipologiaImmobile,
    kAbitazionePrincipale,
    kImpostaImmobile,
    kImpostaContribuente,
    kDetrazioneTotale,
    kRataAcconto,
    kDetrazioneAcconto,
    kRataSaldo,
    kDetrazioneSaldo,
    kNumeroProprietari,
    kPercentualeInquilino,
    kCalcoloInquilino,
    kCodiceTributo,
    kOpzioniCalcolo,
    kCodiceCatastale,
  };

  std::string Contribuente;            // 1 key
  std::string IndirizzoImmobile;       // 2 key
  std::string ComuneUbicazione;        // 3 key
  std::string AnnoImposta;             // 4 key
  std::string RenditaCatastale;        // 5
  std::string AliquotaTasi;            // 6
  std::string Rivalutazione;           // 7
  std::string ImmobileLocato;          // 8
  std::string DetrazioneAbPrincipale;  // 9
  std::string MesiPossesso;            // 10
  std::string MesiPrimoSemestre;       // 11
  std::string MesiSecondoSemestre;     // 12
  std::string QuotaPossesso;           // 13
  std::string TipologiaImmobile;       // 14
  std::string AbitazionePrincipale;    // 15
  std::string ImpostaImmobile;         // 16
  std::string ImpostaContribuente;     // 17
  std::string DetrazioneTotale;        // 18
  std::string RataAcconto;             // 19
  std::string DetrazioneAcconto;       // 20
  std::string RataSaldo;               // 21
  std::string DetrazioneSaldo;         // 22
  std::string NumeroProprietari;       // 23
  std::string PercentualeInquilino;    // 24
  std::string CalcoloInquilino;        // 25
  std::string CodiceTributo;           // 26
  std::string OpzioniCalcolo;          // 27
  std::string CodiceCatastale;         // 28

  // The fields in file order; fields 1-4 are the key. The base gives
  // campo(n), nomeCampo(n), toLine(), fromLine(), chiave(), chiaveDi() and
  // campoNonValido().
  static const Tabella& Campi();

  // Field 27: 1 for the single payment plus 2 for uninhabitable or historic.
  static std::string opzioniCalcolo(bool soluzioneUnica, bool inagibile);
};

static_assert(CalcoloRecord::kCodiceCatastale == CalcoloRecord::kNumeroCampi);

}  // namespace calculation
