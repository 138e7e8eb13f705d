#pragma once
// The report procedures of the frame window's "Stampa" command. The frame's
// own checks (ControllaDatiCalcolo, the confirmation, the test that the old
// file is not held open) run before them.
namespace reports {

// The calculation that the calculation page shows, as "quotara.pdf": the
// taxpayer and the property, the inputs, the results with the instalments and
// the data to copy onto the F24; opened in the PDF viewer.
void StampaCalcoloPdf();

// Hands the report procedures to the frame window (shell::Stampe()); called
// once at start-up.
void InstallaStampe();

}  // namespace reports
