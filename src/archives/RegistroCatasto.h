#pragma once
// The rules of the cadastral register "tasicat.dat" that need no window: the
// rows of one owner's list, the CSV export, the property type that a record
// gives the calculation, and the text forms of the fields.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "archives/CatastoRecord.h"
#include "shell/VistaRighe.h"

namespace archives {

// The name of the register in the program folder, and of its export in the
// temporary folder.
inline constexpr const char* kFileCatasto = "tasicat.dat";
inline constexpr const char* kFileEsportazione = "catasto.csv";

// One row of the owner list before alignment: municipality cut or filled with
// blanks to 12 characters, location to 25, rendita catastale and reddito
// dominicale ("    ---" when empty), joined by `separatore`.
std::string RigaElenco(const CatastoRecord& record, std::string_view separatore);

// The three groups of the cadastral list: the buildings (type 0), the land
// (1), the building areas (2), each in the order of `immobili`; a record of
// any other type is in none. The owner list and its report both use them.
using GruppiCatasto = std::array<std::vector<CatastoRecord>, 3>;
GruppiCatasto Gruppi(const std::vector<CatastoRecord>& immobili);

// A row of the owner list with the index of its register line.
struct RigaProprietario {
  std::string testo;
  int indice = 0;
};
// The rows of `nome`'s records among the register lines `righe` (field 1
// equal to it exactly), group after group (Gruppi), each group in the order of
// `righe`; a line of any other type is not listed.
std::vector<RigaProprietario> RigheProprietario(shell::VistaRighe righe, std::string_view nome,
                                                std::string_view separatore);

// Field `n` of every line, each text once, in the order of first appearance.
std::vector<std::string> ValoriDistinti(shell::VistaRighe righe, int n);

// The lines of the CSV export: the header, then every register line, each
// field kept as stored and separated by ","; a field holding ",", a double
// quote or a line break is enclosed in double quotes, its quotes doubled.
std::vector<std::string> RigheEsportazione(const std::vector<std::string>& righe);

// The text without one trailing "%".
std::string TogliPercento(std::string_view Testo);

// The property type option (index of the calculation page's Option1) for a
// record of type `tipo` (CatastoRecord::Tipo) and category `categoria`; -1
// leaves the type the calculation page has (land has no type of its own there).
int OpzioneTipologia(int tipo, std::string_view categoria);

// The notes as field 18: every line break (CR LF, LF or CR) becomes one "\".
std::string NoteInCampo(std::string_view note);
// Field 18 as notes: every "\" becomes CR LF.
std::string CampoInNote(std::string_view campo);

// The text without ";", the field separator of the register.
std::string SenzaSeparatore(std::string_view testo);

}  // namespace archives
