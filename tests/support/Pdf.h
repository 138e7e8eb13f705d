#pragma once
// Reading back the PDF files the program writes: the structural check of the
// project (tools/check-pdf), the words of a page with their positions, the
// text of a page. Every PDF a test writes goes through ControllaPdf.
#include <map>
#include <string>
#include <vector>

namespace quotara::testing {

// tools/check-pdf on the file (the xref rules and qpdf --check without
// warnings): "" when it passes, else what it printed. Without qpdf only the
// xref rules are checked.
std::string ControllaPdf(const std::string& file);

// One word that pdftotext finds, in centimetres from the page's lower left
// corner: x where it starts and ends, y of its baseline.
struct Parola {
  std::string testo;
  double x0 = 0, x1 = 0, y = 0;
};
// The words of page `pagina` (from 1).
std::vector<Parola> Parole(const std::string& file, int pagina = 1);

// The texts drawn at (x, y) in the page: `testo` may hold several words; with
// `destra` x is where it ends. Positions match within 1 mm.
bool TestoIn(const std::vector<Parola>& parole, const std::string& testo, double x, double y, bool destra = false);
// Whether any word of the page is `testo`.
bool ParolaPresente(const std::vector<Parola>& parole, const std::string& testo);

// The text of the page as pdftotext lays it out.
std::string TestoPagina(const std::string& file, int pagina = 1);

// Every text that the file draws ("(...) Tj"), as UTF-8, in the order of the
// file: page after page, then the objects written after the last page.
std::vector<std::string> TestiDisegnati(const std::string& file);

// FieldName -> FieldValue of every field of a PDF form, as pdftk reads them
// (dump_data_fields_utf8); a child field under its full name ("decdet1.0").
std::map<std::string, std::string> ValoriCampi(const std::string& file);

// What a shell command prints (standard error too), followed by a line
// "(exit N)" when it fails.
std::string Esegui(const std::string& comando);
// A path in single quotes for the shell, its own single quotes kept.
std::string Quotato(const std::string& s);

// The number of pages pdfinfo reports; 0 when it cannot read the file.
int NumeroPagine(const std::string& file);

}  // namespace quotara::testing
