#pragma once
// The two reports of the cadastral register: one owner's list of records
// ("catastotasi.pdf") and the data sheet of one record ("immobiletasi.pdf").
// Both take the data to print and the moment it is printed, never a window;
// both write the file into the temporary folder over any earlier copy and give
// it back, or the message that says why it could not be written.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "archives/CatastoRecord.h"
#include "archives/RegistroCatasto.h"
#include "reports/Rapporto.h"

namespace reports {

// The list of `proprietario`'s records in their groups (as the cadastral page
// lists them): a heading for each group that has records, every record as a
// numbered entry of two or three lines, as many pages as needed with the page
// number and the page count.
EsitoStampa StampaCatastoPdf(const std::string& proprietario, const archives::GruppiCatasto& gruppi, Momento adesso);

// What the record window shows, as its boxes hold it.
struct SchedaImmobile {
  std::string Nome;
  std::string Comune;
  std::string Ubicazione;
  // The first ticked type box: 0 building, 1 land, 2 building area; -1 none.
  int Tipologia = -1;
  // Partita, Sezione, Foglio, Numero, Subalterno, Categoria, Classe, Vani,
  // Metri, Possesso.
  std::array<std::string, 10> Dati;
  std::string Rendita;
  std::string RedditoAgrario;
  std::string RedditoDominicale;
  std::string Note;  // with its line breaks
};

// The data sheet of one record: labels and values, the notes wrapped at 65
// characters a line, and sooner where wide letters would pass the frame's
// right edge, continued on further pages when they do not fit.
EsitoStampa StampaImmobilePdf(const SchedaImmobile& scheda, Momento adesso);

// The lines of `testo` wrapped at `N` characters: split at every single
// blank; each word followed by one blank; a word longer than N fills the line
// up to exactly N characters with its head, its rest goes on in lines of N
// characters and its last piece begins the next line (a line already past N
// first moves the word to a new line). An entry can stay empty (a first word
// of exactly N characters). At least ceil(length / N) entries.
std::vector<std::string> DividiTesto(std::string_view testo, int N);

}  // namespace reports
