#include "f24/DatiContribuenteF24.h"

#include "shell/Modulo1.h"

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

std::string DatiContribuenteF24::chiave() const { return CodiceFiscale + ";" + shell::IbanCompatto(Iban); }

std::string DatiContribuenteF24::chiaveDi(std::string_view riga) { return fromLine(riga).chiave(); }

bool DatiContribuenteF24::Ente() const {
  for (const char c : CodiceFiscale) {
    if (c < '0' || c > '9') return false;
    if (c != '0') return true;
  }
  return false;
}

bool IbanValido(std::string_view Iban) {
  if (Iban.size() != static_cast<size_t>(shell::kLunghezzaIban) || Iban.substr(0, 2) != "IT") return false;
  if (shell::IbanCompatto(Iban) != Iban) return false;
  const std::string girato = std::string(Iban.substr(4)) + std::string(Iban.substr(0, 4));
  int resto = 0;
  for (const char c : girato) {
    const int valore = c <= '9' ? c - '0' : c - 'A' + 10;
    resto = (resto * (valore >= 10 ? 100 : 10) + valore) % 97;
  }
  return resto == 1;
}

}  // namespace f24
