#pragma once
// The reports of the frame window's "Stampa" command. Each takes the data it
// prints (records, results, what a page shows) and the moment it is printed,
// never a window; the frame gathers them from the page and runs its own checks
// (ControllaDatiCalcolo, the confirmation, the test that the old file is not
// held open) first, then opens the file or shows why it could not be written.
#include <string>
#include <vector>

#include "archives/FiltriArchivio.h"
#include "calculation/SchedaCalcolo.h"
#include "f24/Totali.h"
#include "reports/Rapporto.h"

namespace reports {

// The calculation that the calculation page shows, as "quotara.pdf": the
// taxpayer and the property, the inputs, the results with the instalments and
// the data to copy onto the F24.
EsitoStampa StampaCalcoloPdf(const calculation::SchedaCalcolo& scheda, Momento adesso);

// The calculations that the archive page lists, as "archiviotasi.pdf": one
// line of a boxed table for each archive line of `righe` (lines of
// "tasi.dat", in the page's order), 46 lines a page, with the page number and
// the page count.
EsitoStampa StampaArchivioPdf(const std::vector<std::string>& righe, Momento adesso);
// The same from the rows as the archive page split them, in its order.
EsitoStampa StampaArchivioPdf(const std::vector<const archives::VoceArchivio*>& voci, Momento adesso);

// What the totals report prints: the choice on the totals page, its texts
// and its list of properties, as the page shows them.
struct DatiTotaliComune {
  std::string Contribuente;     // Combo1
  std::string Comune;           // Combo2
  std::string Anno;             // Combo3
  std::string CodiceCatastale;  // lblCodCat
  f24::EtichetteTotali Etichette;
  std::vector<std::string> Immobili;  // List1
};

// The totals of one taxpayer in one municipality and year as
// "comunetasi.pdf", with the June advance and the December balance. A list of
// properties too long for the first page goes on following pages.
EsitoStampa StampaComunePdf(const DatiTotaliComune& dati, Momento adesso);

// The same report for a single payment in June.
EsitoStampa StampaComuneUnicaPdf(const DatiTotaliComune& dati, Momento adesso);

}  // namespace reports
