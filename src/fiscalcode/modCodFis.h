#pragma once
// The municipality table and the fiscal code (codice fiscale).
//
// The table of Italian municipalities and foreign states travels inside the
// program as the resource "codfis.imu": one line "NAME,CODE,PR" per place,
// Windows-1252, CR LF; foreign states have the province "EE". At start-up it is
// written to the temporary folder; the two windows that need it load it into
// the three parallel tables below when they open and empty them when they close.
//
// The fiscal code follows DM 23/12/1976: three letters of the surname, three of
// the first name, year, month letter, day (+ 40 for women), the cadastral code
// of the birth place and a check character.
//
// Names are compared as the user means them: case is ignored, "`" and "'" are
// the same character, and an accented vowel counts as the plain vowel, written
// with "'" when it ends a word ("FORLÌ" finds "FORLI'"). Spaces are kept as they
// are: "ROMA " is not "ROMA".
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fiscalcode {

// --- The table ---------------------------------------------------------------

// Name (UTF-8), cadastral code and province of row i at index i; as many rows as
// the loaded file holds, none when the table is empty.
extern const std::vector<std::string>& ComuniNome;
extern const std::vector<std::string>& ComuniCodice;
extern const std::vector<std::string>& ComuniProvincia;

// Temporary folder + "codfis.imu".
std::string PercorsoFileComuni();

// Writes the embedded table to PercorsoFileComuni(), replacing an earlier copy.
// False when the resource is missing or the file cannot be written.
bool EstraiFileComuni();

// Loads PercorsoFileComuni() (or `percorso`) into the tables, replacing what they
// held. Reading stops at the first NUL byte; CR LF, LF and CR end a line; a line
// with fewer than three fields is skipped, further fields are ignored. False,
// with the tables empty, when the file is missing or cannot be read.
bool CaricaComuni();
bool CaricaComuni(const std::string& percorso);

// Empties the three tables.
void SvuotaComuni();

// Deletes PercorsoFileComuni() when it exists; errors are ignored.
void CancellaFileComuni();

// --- Looking up names --------------------------------------------------------

// The form of a name that lookups compare (see the top of this file).
std::string ChiaveNome(std::string_view nome);

// Every row whose name equals `nome`, in table order: places that share a name
// (LIVO in CO and in TN) each have their row, the first is the default. An
// empty name matches nothing.
std::vector<size_t> TrovaComuni(std::string_view nome);

// The first `limite` rows, in table order, whose name begins with `prefisso`
// (the completion list of the search box); nothing for an empty prefix.
std::vector<size_t> ComuniCheIniziano(std::string_view prefisso, size_t limite);

// Set by CodiceCatastaleComune and CalcolaCodiceFiscale: the last lookup of a
// municipality failed, and the province of the last one found.
extern bool ErroreComune;
extern std::string ProvinciaComune;

// Shown by the caller when a lookup fails (ErroreComune is true).
inline constexpr std::string_view MessaggioComuneNonTrovato = "Comune non trovato o non correttamente digitato.";
// What a window that looks places up says when the table cannot be read.
inline constexpr std::string_view MessaggioTabellaMancante = "Impossibile leggere l'elenco dei comuni (codfis.imu).";

// The cadastral code of the first row named `comune` ("SAN REMO" is looked up as
// "SANREMO"), as the table holds it, and ProvinciaComune set to its province.
// Not found: the empty text and ErroreComune set; ProvinciaComune is kept.
std::string CodiceCatastaleComune(std::string_view comune);

// A cadastral code cut to its 4 characters (the table has one of five, "B9262").
std::string TagliaCodice(std::string_view codice);

// A cadastral code typed by hand: its first 4 characters in upper case when they
// are a letter followed by three digits ("h501xyz" gives "H501"), else nothing.
std::optional<std::string> CodiceManuale(std::string_view risposta);

// --- The fiscal code ---------------------------------------------------------

// The 16 characters of the code, or the empty text when it cannot be made: the
// municipality is not found (ErroreComune set, ProvinciaComune emptied), the
// surname or the name has no letter, or `Data` is not "dd/mm/yy" with a day of
// 1-31 and a month of 1-12. `Sesso` "F" is a woman, anything else a man.
std::string CalcolaCodiceFiscale(std::string_view Cognome, std::string_view Nome, std::string_view Data,
                                 std::string_view Sesso, std::string_view Comune);

// The text has a letter that counts for the code (an accented vowel included).
bool ContieneLettere(std::string_view testo);

// The parts of the code, each cut or filled with spaces to its width.
std::string TogliSpazi(std::string_view testo);
std::string CodiceCognome(std::string_view Cognome);                         // 3
std::string CodiceNome(std::string_view Nome);                               // 3
std::string CodiceDataSesso(std::string_view Data, std::string_view Sesso);  // 5; "" for a bad date

// The check character of the first 15 characters of `codice`.
char CalcolaCarattereControllo(std::string_view codice);
int ValoreDispari(char c);
int ValorePari(char c);
// 'A' to 'Z' for 0 to 25, '\0' for any other number.
char LetteraControllo(int numero);

}  // namespace fiscalcode
