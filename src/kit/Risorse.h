#pragma once
// The program's own resources (embedded from resources/ at build time): the
// help pages, the municipality table, the F24 templates and the declaration
// form, written out byte for byte before use; the pictures, icons and the
// pointer that the windows show.
#include <optional>
#include <string>
#include <string_view>

#include "forms/Image.h"

namespace shell {

// The two kinds of document resources, with the numbers the windows use:
//   Html   101 the online guide, 102 the page on the TASI rules, 103 the municipality table;
//   Custom 101 the ordinary F24 template, 102 the simplified one, 103 the IMU/TASI declaration.
enum class TipoRisorsa { Html, Custom };

// Resource numbers.
constexpr int RisorsaGuida = 101;
constexpr int RisorsaTasi = 102;
constexpr int RisorsaComuni = 103;
constexpr int RisorsaModelloF24 = 101;
constexpr int RisorsaModelloF24Semplificato = 102;
constexpr int RisorsaDichiarazione = 103;

// The bytes of a document resource; nothing when the program does not carry it.
std::optional<std::string_view> CaricaRisorsa(TipoRisorsa tipo, int numero);

// Writes the resource to `percorso`, replacing any earlier file whole (the new
// file is complete or the old one stays as it was). False, and nothing
// written, when the resource is missing or the file cannot be written.
bool SalvaRisorsaInFile(TipoRisorsa tipo, int numero, const std::string& percorso);

// Writes HTML resource `IdRisorsa` to CartellaTemp() + NomeFile and opens it
// with the desktop's default program. A file that could not be rewritten keeps
// its earlier copy, which is opened; nothing is opened when there is no file.
void ApriRisorsaHtml(const std::string& NomeFile, int IdRisorsa);

// The ordinary (simplified) F24 template copied to PercorsoApp() + "/datiF24/"
// + Nome + ".pdf"; the folder must exist. Opens nothing; errors ignored.
void ScriviModelloF24(const std::string& Nome);
void ScriviModelloF24Semplificato(const std::string& Nome);

// The blank forms written to the temporary folder ("f24tasi.pdf",
// "f24tasisemplificato.pdf", "dichiarazioneIMUTASI.pdf") and opened.
void ApriModelloF24();
void ApriModelloF24Semplificato();
void ApriDichiarazione();

// --- Pictures ------------------------------------------------------------------

// Names of the picture resources.
inline constexpr std::string_view ImmagineSplash = "splash.bmp";  // 363 x 170
inline constexpr std::string_view ImmagineBarra = "barra.bmp";    // 250 x 75, 25 x 25 cells
inline constexpr std::string_view PuntatoreMano = "cursori/mano.cur";

// A BMP resource as an image; an empty image when it is missing or unreadable.
forms::Image ImmagineRisorsa(std::string_view nome);

// The program's icon groups, in resource order: position 0 the program's icon
// (group 1), 1 the same picture for the status bar (group 101), 2 a small
// window with an hourglass (group 102). The resource name of one, "" for a
// position the program does not have.
std::string NomeIcona(int posizione);

// The icon at `posizione` in the size nearest to `lato` pixels, its
// transparent pixels painted in `sfondo` (an RGB colour); nothing when there
// is no such icon or it cannot be read.
std::optional<forms::Image> IconaProgramma(int posizione, int lato, forms::Color sfondo);

}  // namespace shell
