#pragma once
// One payer of the F24 form: one line of "tasif24.dat", 14 fields joined by
// ";" in this order. The fiscal code and the IBAN together are the key.
#include <string>
#include <string_view>

namespace f24 {

struct DatiContribuenteF24 {
  std::string CodiceFiscale;  // 16 characters for a person, the numeric code of an entity
  std::string Cognome;        // surname, or an entity's denomination
  std::string Nome;           // first name (empty for an entity)
  std::string DataNascita;    // "gg/mm/aaaa" or the blank mask "  /  /    "
  std::string Sesso;          // "M", "F" or empty
  std::string ComuneNascita;
  std::string ProvinciaNascita;  // at most 2 characters
  std::string ComuneDomicilio;
  std::string ProvinciaDomicilio;  // at most 2 characters
  std::string Indirizzo;           // street and number of the tax domicile
  std::string Delega;              // bank to which the payment is delegated
  std::string Agenzia;             // bank branch
  std::string ProvinciaAgenzia;    // at most 2 characters
  std::string Iban;                // at most 27 characters, may be empty

  static constexpr int NumeroCampi = 14;

  // The record of a line; a missing field is empty.
  static DatiContribuenteF24 DaRiga(std::string_view riga);
  // The line: the 14 fields joined by ";", no ";" at the end.
  std::string Riga() const;
  // The key: fiscal code, ";", IBAN.
  std::string Chiave() const;
  // An entity: the fiscal code reads as a number other than 0 (a person's code
  // begins with a letter).
  bool Ente() const;

  bool operator==(const DatiContribuenteF24&) const = default;
};

}  // namespace f24
