#include "shell/RecordArchivio.h"

namespace shell {

std::vector<std::string_view> DividiCampi(std::string_view Riga) {
  std::vector<std::string_view> campi;
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
