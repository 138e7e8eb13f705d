#pragma once
// The reports of the frame window's "Stampa" command. Each takes the data it
// prints (records, results, what a page shows), never a window; the frame
// gathers them from the page and runs its own checks (ControllaDatiCalcolo,
// the confirmation, the test that the old file is not held open) first.
#include <string>
#include <vector>

#include "calculation/SchedaCalcolo.h"

namespace reports {

// The calculation that the calculation page shows, as "quotara.pdf": the
// taxpayer and the property, the inputs, the results with the instalments and
// the data to copy onto the F24; opened in the PDF viewer.
void StampaCalcoloPdf(const calculation::SchedaCalcolo& scheda);

// The calculations that the archive page lists, as "archiviotasi.pdf": one
// line of a boxed table for each archive line of `righe` (lines of
// "tasi.dat", in the page's order), 46 lines a page, with the page number and
// the page count; opened in the PDF viewer.
void StampaArchivioPdf(const std::vector<std::string>& righe);

}  // namespace reports
