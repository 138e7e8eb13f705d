#include "f24/DatiContribuenteF24.h"

namespace f24 {

const DatiContribuenteF24::Tabella& DatiContribuenteF24::Campi() {
  using D = DatiContribuenteF24;
  static const Tabella t = {{{&D::CodiceFiscale, "CodiceFiscale"},
                             {&D::Cognome, "Cognome"},
                             {&D::Nome, "Nome"},
                             {&D::DataNascita, "DataNascita"},
                             {&D::Sesso, "Sesso"},
                             {&D::ComuneNascita, "ComuneNascita"},
                             {&D::ProvinciaNascita, "ProvinciaNascita"},
                             {&D::ComuneDomicilio, "ComuneDomicilio"},
                             {&D::ProvinciaDomicilio, "ProvinciaDomicilio"},
                             {&D::Indirizzo, "Indirizzo"},
                             {&D::Delega, "Delega"},
                             {&D::Agenzia, "Agenzia"},
                             {&D::ProvinciaAgenzia, "ProvinciaAgenzia"},
                             {&D::Iban, "Iban"}}};
  return t;
}

std::string DatiContribuenteF24::chiaveDi(std::string_view riga) { return fromLine(riga).chiave(); }

bool DatiContribuenteF24::Ente() const {
  for (const char c : CodiceFiscale) {
    if (c < '0' || c > '9') return false;
    if (c != '0') return true;
  }
  return false;
}

}  // namespace f24
