#include "calculation/CalcoloRecord.h"

#include <stdexcept>

#include "shell/Modulo1.h"

namespace calculation {

namespace {

struct Descrizione {
  std::string CalcoloRecord::*membro;
  std::string_view nome;
};

#define QUOTARA_CAMPO(nome) \
  { &CalcoloRecord::nome, #nome }
const std::array<Descrizione, CalcoloRecord::kNumeroCampi> kCampi = {{
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

const Descrizione& Descrivi(int n) {
  if (n < 1 || n > CalcoloRecord::kNumeroCampi)
    throw std::out_of_range("campo " + std::to_string(n) + " di CalcoloRecord");
  return kCampi[n - 1];
}

}  // namespace

std::string& CalcoloRecord::campo(int n) { return this->*Descrivi(n).membro; }

const std::string& CalcoloRecord::campo(int n) const { return this->*Descrivi(n).membro; }

std::string_view CalcoloRecord::nomeCampo(int n) { return Descrivi(n).nome; }

std::string CalcoloRecord::toLine() const {
  std::string riga;
  for (int n = 1; n <= kNumeroCampi; ++n) {
    if (n > 1) riga += ';';
    riga += campo(n);
  }
  return riga;
}

CalcoloRecord CalcoloRecord::fromLine(std::string_view riga) {
  CalcoloRecord r;
  for (int n = 1; n <= kNumeroCampi; ++n) r.campo(n) = shell::Campo(riga, ";", n);
  return r;
}

std::string CalcoloRecord::chiave() const {
  return Contribuente + ';' + IndirizzoImmobile + ';' + ComuneUbicazione + ';' + AnnoImposta;
}

std::string CalcoloRecord::chiaveDi(std::string_view riga) {
  return shell::Campo(riga, ";", 1) + ';' + shell::Campo(riga, ";", 2) + ';' + shell::Campo(riga, ";", 3) + ';' +
         shell::Campo(riga, ";", 4);
}

std::optional<int> CalcoloRecord::campoNonValido() const {
  for (int n = 1; n <= kNumeroCampi; ++n)
    if (campo(n).find_first_of(";\r\n") != std::string::npos) return n;
  return std::nullopt;
}

std::string CalcoloRecord::opzioniCalcolo(bool soluzioneUnica, bool inagibile) {
  return std::to_string((soluzioneUnica ? 1 : 0) + (inagibile ? 2 : 0));
}

}  // namespace calculation
