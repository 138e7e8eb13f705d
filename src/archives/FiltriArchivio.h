#pragma once
// What the archive page computes from the lines of "tasi.dat" (which its
// hidden list holds sorted), apart from any window: the values offered by the
// three filters, the rows that pass them with their count and total paid, and
// the text that "Copia dati negli appunti" puts on the clipboard.
#include <string>
#include <string_view>
#include <vector>

namespace archives {

// The first item of each filter list: no filter on that field.
inline constexpr const char* kTutti = "*** TUTTI ***";

// The fields of one archive line that the page lists, sums and prints, split
// once: views into the line.
struct VoceArchivio {
  std::string_view Contribuente;  // field 1
  std::string_view Indirizzo;     // field 2
  std::string_view Comune;        // field 3
  std::string_view Anno;          // field 4
  double Versato = 0;             // ImportoVersato: field 19 plus field 21
  std::string_view Rendita;       // field 5, as the archive report prints it
};

// Fields 1 to 5 and the amount paid of one line (views into `riga`).
VoceArchivio LeggiVoce(std::string_view riga);

// Field 19 (advance) plus field 21 (balance), each read in the Italian format;
// a field that is not a number counts as 0.
double ImportoVersato(std::string_view riga);

// The values of one field as a sorted filter list holds them: each exact text
// once, ascending with case ignored, texts equal but for case in the order
// they first appear.
std::vector<std::string> ValoriFiltro(const std::vector<VoceArchivio>& voci, std::string_view VoceArchivio::*campo);

// The three filter choices; kTutti lets every value through.
struct Filtri {
  std::string Contribuente = kTutti;
  std::string Comune = kTutti;
  std::string Anno = kTutti;
};

// Whether a line passes the three filters (exact, case-sensitive).
bool Passa(const VoceArchivio& voce, const Filtri& filtri);

// The rows listed for a choice of filters: the indexes of the lines that
// pass, in order, and what they paid altogether, summed to the cent.
struct Elenco {
  std::vector<int> Righe;
  double Totale = 0;
};
Elenco ApplicaFiltri(const std::vector<VoceArchivio>& voci, const Filtri& filtri);

// The label of field N in the clipboard text ("Contribuente: "); "" outside 1-22.
std::string EtichettaCampo(int N);

// The record as labelled text, one line per field from 1 to 22 (and the
// extra lines of a main dwelling and of the tax due), each line ended by a
// line feed; the rate, revaluations and share with a decimal ",".
std::string TestoAppunti(std::string_view riga);

}  // namespace archives
