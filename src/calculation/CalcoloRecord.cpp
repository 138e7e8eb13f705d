#include "calculation/CalcoloRecord.h"

namespace calculation {

const CalcoloRecord::Tabella& CalcoloRecord::Campi() {
#define QUOTARA_CAMPO(nome) \
  Campo { &CalcoloRecord::nome, #nome }
  static const Tabella campi = {{
      QUOTARA_CAMPO(Contribuente),     QUOTARA_CAMPO(IndirizzoImmobile),   QUOTARA_CAMPO(ComuneUbicazione),
      QUOTARA_CAMPO(AnnoImposta),      QUOTARA_CAMPO(RenditaCatastale),    QUOTARA_CAMPO(AliquotaTasi),
      QUOTARA_CAMPO(Rivalutazione),    QUOTARA_CAMPO(ImmobileLocato),      QUOTARA_CAMPO(DetrazioneAbPrincipale),
      QUOTARA_CAMPO(MesiPossesso),     QUOTARA_CAMPO(MesiPrimoSemestre),   QUOTARA_CAMPO(MesiSecondoSemestre),
      QUOTARA_CAMPO(QuotaPossesso),    QUOTARA_CAMPO(TipologiaImmobile),   QUOTARA_CAMPO(AbitazionePrincipale),
      QUOTARA_CAMPO(ImpostaImmobile),  QUOTARA_CAMPO(ImpostaContribuente), QUOTARA_CAMPO(DetrazioneTotale),
      QUOTARA_CAMPO(RataAcconto),      QUOTARA_CAMPO(DetrazioneAcconto),   QUOTARA_CAMPO(RataSaldo),
      QUOTARA_CAMPO(DetrazioneSaldo),  QUOTARA_CAMPO(NumeroProprietari),   QUOTARA_CAMPO(PercentualeInquilino),
      QUOTARA_CAMPO(CalcoloInquilino), QUOTARA_CAMPO(CodiceTributo),       QUOTARA_CAMPO(OpzioniCalcolo),
      QUOTARA_CAMPO(CodiceCatastale),
  }};
#undef QUOTARA_CAMPO
  return campi;
}

std::string CalcoloRecord::opzioniCalcolo(bool soluzioneUnica, bool inagibile) {
  return std::to_string((soluzioneUnica ? 1 : 0) + (inagibile ? 2 : 0));
}

}  // namespace calculation
