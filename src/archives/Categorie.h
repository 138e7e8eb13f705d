#pragma once
// The Italian cadastral categories of buildings, as the category list shows
// them: 51 rows, the groups A to E each closed by an empty row.
#include <array>
#include <string>

namespace archives {

struct CategoriaCatastale {
  const char* Codice;       // "A/1"; "" for the empty row after a group
  const char* Descrizione;  // "" for the empty row
};

inline constexpr int kNumeroCategorie = 51;
const std::array<CategoriaCatastale, kNumeroCategorie>& CategorieCatastali();

// The code of row `indice` of the list, worked out from the index alone: rows
// 0-10 "A/1" to "A/11", 12-19 "B/1" to "B/8", 21-27 "C/1" to "C/7", 29-40
// "D/1" to "D/12", 42-50 "E/1" to "E/9"; "" for the empty rows and any other
// index (-1 when nothing is selected).
std::string CodiceCategoria(int indice);

}  // namespace archives
