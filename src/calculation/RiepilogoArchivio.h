#pragma once
// What the calculation page offers from the lines of "tasi.dat", worked out
// apart from the page (the start-up does it while the splash shows): each
// taxpayer, municipality and address once, in the order of first appearance,
// and the cadastral code archived for each municipality.
#include <memory>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "shell/FileArchivio.h"

namespace calculation {

struct RiepilogoArchivio {
  // The lines it was worked out from; the views below point into them.
  std::shared_ptr<const shell::RigheArchivio> Righe;
  // Fields 1, 3 and 2 of the lines, each exact text once, in file order.
  std::vector<std::string_view> Contribuenti, Comuni, Indirizzi;
  // The same municipalities and addresses, to look up.
  std::unordered_set<std::string_view> ComuniVisti, IndirizziVisti;
  // Municipality (field 3) -> field 28 of its first line where that is not
  // empty.
  std::unordered_map<std::string_view, std::string_view> Codici;
};

RiepilogoArchivio Riepiloga(std::shared_ptr<const shell::RigheArchivio> righe);

// Field 28 of an archive line, the cadastral code; "" when the line lacks it.
std::string_view CodiceCatastaleDi(std::string_view riga);

}  // namespace calculation
