#include "shell/RecordArchivio.h"

#include <algorithm>

namespace shell {

std::vector<std::string_view> DividiCampi(std::string_view Riga) {
  std::vector<std::string_view> campi;
  campi.reserve(static_cast<size_t>(std::count(Riga.begin(), Riga.end(), ';')) + 1);
  for (LettoreCampi lettore(Riga); !lettore.Finito();) campi.push_back(lettore.Prossimo());
  return campi;
}

}  // namespace shell
