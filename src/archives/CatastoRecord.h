#pragma once
// One record of the cadastral register: one line of "tasicat.dat", 18 fields
// joined by ";", no quoting. Every field is the text its box shows (amounts in
// "#,##0.00", the type as "0" building, "1" land, "2" building area); the
// notes keep a "\" for each line break. Strings are UTF-8; the file is
// Windows-1252 with CR LF.
#include <string>

#include "shell/RecordArchivio.h"

namespace archives {

struct CatastoRecord : shell::RecordArchivio<CatastoRecord, 18, 3> {
  // The number of each field in the line, counted from 1 in file order:
  // campo(kNome) is Nome. Readers of raw lines use these
  // numbers.
  enum NumeroCampo : int {
    kNome = 1,
    kComune,
    kUbicazione,
    kTipologia,
    kPartita,
    kSezione,
    kFoglio,
    kNumero,
    kSubalterno,
    kCategoria,
    kClasse,
    kVani,
    kMetri,
    kPossesso,
    kRenditaCatastale,
    kRedditoAgrario,
    kRedditoDominicale,
    kAnnotazioni,
  };

  std::string Nome;               // 1 key: the owner
  std::string Comune;             // 2 key
  std::string Ubicazione;         // 3 key: location or description
  std::string Tipologia;          // 4
  std::string Partita;            // 5
  std::string Sezione;            // 6
  std::string Foglio;             // 7
  std::string Numero;             // 8
  std::string Subalterno;         // 9
  std::string Categoria;          // 10
  std::string Classe;             // 11
  std::string Vani;               // 12
  std::string Metri;              // 13
  std::string Possesso;           // 14
  std::string RenditaCatastale;   // 15
  std::string RedditoAgrario;     // 16
  std::string RedditoDominicale;  // 17
  std::string Annotazioni;        // 18

  // The fields in file order; fields 1-3 are the key.
  static const Tabella& Campi();

  // The type: 0 building, 1 land, 2 building area, as field 4 holds it
  // ("0", "1", "2"); an empty field (a line of an imported register) is a
  // building, as the record window shows it, so that the owner list, its
  // report and the calculation page show every line that the window shows;
  // -1 for any other text, which they take for no type.
  int Tipo() const;
};

static_assert(CatastoRecord::kAnnotazioni == CatastoRecord::kNumeroCampi);

}  // namespace archives
