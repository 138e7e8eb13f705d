#pragma once
// Writes an FDF file (Forms Data Format 1.2): the field values of a PDF form
// and the path of the PDF they fill. The names are checked against the field
// names read from the template copy; the file is Windows-1252 text with CR LF
// after every line.
//
// Order of calls for one form: LeggiNomiCampi, OpenFdf, any number of
// WriteField, CloseFdf. The same object may then write another form. Nothing
// is shown: what the caller should say is left in Avvisi().
#include <string>
#include <string_view>
#include <vector>

#include "pdf/CompilazioneModulo.h"

namespace f24 {

class ScritturaFdf {
 public:
  // When true, a name that the template does not hold is reported in
  // Avvisi() ("Scrittura FDF: Nome campo inesistente " + name, to be shown
  // without an icon); either way it is not written.
  bool SegnalaCampiMancanti = false;

  // Reads the field names of the PDF `nomepdf` (with or without ".pdf"): every
  // line holding "obj" and "/FT/Tx", "/FT/Btn" or "/FT/Ch" gives the text
  // between its first "/T(" and the next ")". Lines end at CR or CR LF; the
  // reading stops at a line "%%EOF". False, with an empty list (every name
  // then written unchecked), when the file cannot be read.
  bool LeggiNomiCampi(const std::string& nomepdf);

  // Starts the FDF `nomefile` (with or without ".fdf"): the file is created
  // (or emptied) with its first three lines, and the notices and the values
  // of the last form are forgotten. Throws platform::FileError.
  void OpenFdf(const std::string& nomefile);

  // One text field: the name as the template writes it (letter case ignored
  // in the search), the value without leading and trailing spaces. A child
  // field is named "parent.child", each part found in the list.
  void WriteField(std::string_view NomeCampo, std::string_view Valore);

  // One check box: /V/S#EC when checked, /V/Off when not.
  void WriteCheckBox(std::string_view NomeCampo, bool Valore);

  // Ends the FDF with the /F entry naming the PDF `nomepdf` (with or
  // without ".pdf") and writes the whole file, replacing it atomically.
  // Throws platform::FileError; the file is then left as OpenFdf made it.
  void CloseFdf(const std::string& nomepdf);

  // The names read by LeggiNomiCampi, each followed by ";".
  const std::string& ElencoCampi() const { return elencoCampi_; }

  // The notices of the form being written, in the order they arose.
  const std::vector<std::string>& Avvisi() const { return avvisi_; }

  // What the FDF file holds, as a reader of it gets it back: the PDF it
  // fills and every entry written, in order, as UTF-8 (a check box's value
  // as its name, "/S#EC" or "/Off"). The PDF is known once CloseFdf ran.
  const pdf::DatiFdf& Dati() const { return dati_; }

 private:
  // The name as the template writes it; nothing (and a notice when asked for) when it is not there.
  bool nomeNelModello(std::string_view nome, std::string& trovato);
  void scriviVoce(std::string_view nome, const std::string& valore, std::string letto);

  std::string elencoCampi_;
  std::string elencoMinuscolo_;  // the same, in lower case, for the search
  std::string percorsoFdf_;
  std::string testo_;  // the FDF so far, Windows-1252 bytes
  bool aperto_ = false;
  std::vector<std::string> avvisi_;
  pdf::DatiFdf dati_;
};

// The text inside a PDF literal string: every "\", "(" and ")" gets a "\" before it.
std::string StringaPdf(std::string_view testo);

}  // namespace f24
