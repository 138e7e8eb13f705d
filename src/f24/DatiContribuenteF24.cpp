#include "f24/DatiContribuenteF24.h"

#include <array>

#include "shell/Modulo1.h"

namespace f24 {
namespace {

// The fields in file order.
std::array<std::string DatiContribuenteF24::*, DatiContribuenteF24::NumeroCampi> campi() {
  using D = DatiContribuenteF24;
  return {&D::CodiceFiscale,
          &D::Cognome,
          &D::Nome,
          &D::DataNascita,
          &D::Sesso,
          &D::ComuneNascita,
          &D::ProvinciaNascita,
          &D::ComuneDomicilio,
          &D::ProvinciaDomicilio,
          &D::Indirizzo,
          &D::Delega,
          &D::Agenzia,
          &D::ProvinciaAgenzia,
          &D::Iban};
}

}  // namespace

DatiContribuenteF24 DatiContribuenteF24::DaRiga(std::string_view riga) {
  DatiContribuenteF24 d;
  int n = 1;
  for (auto campo : campi()) d.*campo = shell::Campo(riga, ";", n++);
  return d;
}

std::string DatiContribuenteF24::Riga() const {
  std::string riga;
  for (auto campo : campi()) {
    if (campo != &DatiContribuenteF24::CodiceFiscale) riga += ';';
    riga += this->*campo;
  }
  return riga;
}

std::string DatiContribuenteF24::Chiave() const { return CodiceFiscale + ";" + Iban; }

bool DatiContribuenteF24::Ente() const {
  // The plain reading: the leading digits, 0 when there are none.
  for (const char c : CodiceFiscale) {
    if (c < '0' || c > '9') return false;
    if (c != '0') return true;
  }
  return false;
}

}  // namespace f24
