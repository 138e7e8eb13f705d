#include "shell/RecordArchivio.h"

#include <algorithm>

namespace shell {

std::vector<std::string_view> DividiCampi(std::string_view Riga) {
  std::vector<std::string_view> campi;
  campi.reserve(static_cast<size_t>(std::count(Riga.begin(), Riga.end(), ';')) + 1);
  for (size_t inizio = 0;;) {
    const size_t fine = Riga.find(';', inizio);
    if (fine == std::string_view::npos) {
      campi.push_back(Riga.substr(inizio));
      return campi;
    }
    campi.push_back(Riga.substr(inizio, fine - inizio));
    inizio = fine + 1;
  }
}

}  // namespace shell
