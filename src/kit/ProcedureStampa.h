#pragma once
// The report procedures that "Stampa" starts once the user has confirmed and
// the report's file is free: each gathers what its page shows and hands it to
// its report. The frame puts the program's own in place when the program
// starts (shell::CollegaCornice); tests may put others in their place; one
// that is empty prints nothing.
#include <functional>

namespace shell {

struct ProcedureStampa {
  std::function<void()> StampaCalcoloPdf;      // page 1, "quotara.pdf"
  std::function<void()> StampaComunePdf;       // page 2, "comunetasi.pdf"
  std::function<void()> StampaComuneUnicaPdf;  // page 2, single payment
  std::function<void()> StampaArchivioPdf;     // page 3, "archiviotasi.pdf"
  std::function<void()> StampaCatastoPdf;      // page 4, "catastotasi.pdf"
  std::function<void()> StampaImmobilePdf;     // the cadastral record window, "immobiletasi.pdf"
};
ProcedureStampa& Stampe();

}  // namespace shell
