#pragma once
// The small shared procedures that every window calls: euro rounding, fields of
// archive lines, number text, paths and temporary files.
#include <string>
#include <string_view>

namespace shell {

// Rounds to the whole unit: the fraction is cut off and one is added when the
// cut fraction is 0.5 or more, so 2.5 gives 3 and negative values just lose their
// fraction (-2.7 gives -2). The value is first taken to 15 significant digits, so
// an amount shown as 11,50 rounds to 12 even when its binary value is 11.4999...
double Arrotonda(double Valore);

// Field `N`, counted from 1, of `Riga` split at `Separatore`; "" when N < 1 or
// the line has fewer fields. An empty separator leaves the whole line as field 1.
std::string Campo(std::string_view Riga, std::string_view Separatore, int N);

// The first "." of `Testo` becomes ","; `Testo` keeps the change, the result is
// it with leading and trailing spaces removed.
std::string PuntoInVirgola(std::string& Testo);

// The first "," of `Testo` becomes "."; otherwise as PuntoInVirgola.
std::string VirgolaInPunto(std::string& Testo);

// Replaces every occurrence of `Cerca` in `Testo`, left to right and never
// looking into the inserted text; `Testo` keeps the change and is returned.
// An empty `Cerca` changes nothing.
std::string Sostituisci(std::string& Testo, std::string_view Cerca, std::string_view Nuovo);

// The text in upper case, accented letters included ("forlì" -> "FORLÌ"), as
// UCase gives it (platform::capitalLetter).
std::string Maiuscolo(std::string_view Testo);

// An IBAN as the boxes keep it and the forms carry it: its letters and digits
// only, the letters in upper case; blanks and every other separator dropped
// ("it60 x054-28" -> "IT60X05428").
std::string IbanCompatto(std::string_view Testo);
// The length of an Italian IBAN, and of the IBAN box.
inline constexpr int kLunghezzaIban = 27;
// One character of an IBAN as a box takes it: a digit as it is, a letter in
// upper case; 0 for anything else.
int CarattereIban(int Carattere);

// True when the path is a regular file that can be opened for reading.
bool FileLeggibile(const std::string& Percorso);

// The program folder, without a trailing "/". Callers append "/" and the name.
std::string PercorsoApp();

// The private temporary folder, always ending with "/".
std::string CartellaTemp();

// Deletes `NomeFile` from the temporary folder when it is there; errors ignored.
void CancellaFileTemp(const std::string& NomeFile);

// Deletes the PDF files that the program writes into the temporary folder (the
// five reports and the three blank forms); other files are left alone.
void CancellaPdfTemp();

// True when the path exists and is a folder.
bool EsisteCartella(const std::string& Percorso);

}  // namespace shell
