#pragma once
// One payer of the F24 form: one line of "tasif24.dat", 14 fields joined by
// ";" in this order. The key is the fiscal code and the IBAN together
// (fields 1 and 14): the same payer may be stored once per IBAN.
#include <string>
#include <string_view>

#include "shell/RecordArchivio.h"

namespace f24 {

struct DatiContribuenteF24 : shell::RecordArchivio<DatiContribuenteF24, 14, 1> {
  // The number of each field in the line, counted from 1 in file order:
  // campo(kCodiceFiscale) is CodiceFiscale. Readers of raw lines use these
  // numbers.
  enum NumeroCampo : int {
    kCodiceFiscale = 1,
    kCognome,
    kNome,
    kDataNascita,
    kSesso,
    kComuneNascita,
    kProvinciaNascita,
    kComuneDomicilio,
    kProvinciaDomicilio,
    kIndirizzo,
    kDelega,
    kAgenzia,
    kProvinciaAgenzia,
    kIban,
  };

  std::string CodiceFiscale;       // 16 characters for a person, the numeric code of an entity
  std::string Cognome;             // surname, or an entity's denomination
  std::string Nome;                // first name (empty for an entity)
  std::string DataNascita;         // "gg/mm/aaaa" or the blank mask "  /  /    "
  std::string Sesso;               // "M", "F" or empty
  std::string ComuneNascita;       // birth municipality
  std::string ProvinciaNascita;    // at most 2 characters
  std::string ComuneDomicilio;     // municipality of the tax domicile
  std::string ProvinciaDomicilio;  // at most 2 characters
  std::string Indirizzo;           // street and number of the tax domicile
  std::string Delega;              // bank to which the payment is delegated
  std::string Agenzia;             // bank branch
  std::string ProvinciaAgenzia;    // at most 2 characters
  std::string Iban;                // at most 27 characters, may be empty

  static const Tabella& Campi();

  // The key: fiscal code, ";", IBAN (in place of the base's first-field key),
  // the IBAN without its blanks, so that a payer stored with them is the same
  // payer when saved again as the box now shows it.
  std::string chiave() const;
  static std::string chiaveDi(std::string_view riga);

  // An entity: the fiscal code reads as a number other than 0 (its leading
  // digits; a person's code begins with a letter).
  bool Ente() const;

  bool operator==(const DatiContribuenteF24& altro) const { return toLine() == altro.toLine(); }
};

// An IBAN that the F24 form can carry: 27 letters and digits beginning "IT"
// whose check digits (characters 3 and 4) hold: the IBAN with its first four
// characters moved to the end, every letter read as 10 (A) to 35 (Z), leaves
// 1 when divided by 97.
bool IbanValido(std::string_view Iban);

static_assert(DatiContribuenteF24::kIban == DatiContribuenteF24::kNumeroCampi);

}  // namespace f24
