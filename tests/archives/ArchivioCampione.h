#pragma once
// A small "tasi.dat" with what the archive page must cope with: two names
// that differ only in case, three years, a blank line, a record archived
// before any calculation (empty fields 16 to 18, "0.00" instalments), a
// balance that is not a number, and two lines with the same key (a restored
// or hand-edited archive).
#include <string>
#include <vector>

namespace archives::testing {

// One line of 28 fields: the key, the two instalments, and fields 16-18.
inline std::string RigaArchivio(const std::string& chiave, const std::string& acconto, const std::string& saldo,
                                const std::string& imposte = "420,00;420,00;0,00") {
  return chiave + ";1.000,00;2.5;5;0;0;12;6;6;100;1;0;" + imposte + ";" + acconto + ";0,00;" + saldo +
         ";0,00;0;0;0;3961;0;H501";
}

// The file's lines, in file order.
inline std::vector<std::string> ArchivioCampione() {
  return {
      RigaArchivio("Rossi Mario;Via Roma 1;Roma;2014", "210,00", "210,00"),
      "",
      RigaArchivio("ROSSI MARIO;Via Roma 1;Roma;2014", "100,50", "100,50"),
      RigaArchivio("Bianchi Anna;Via Po 3;Torino;2015", "1.234,56", "1.234,55"),
      RigaArchivio("Bianchi Anna;Via Po 3;Torino;2013", "0.00", "0.00", ";;"),
      RigaArchivio("Rossi Mario;Corso Italia 9;Milano;2015", "50,00", "n/d"),
      RigaArchivio("Rossi Mario;Via Roma 1;Roma;2014", "7,00", "8,00"),
  };
}

// The same lines as the page lists them (sorted, case ignored, no blank line),
// each with what it paid.
struct RigaOrdinata {
  std::string riga;
  const char* versato;
};
inline std::vector<RigaOrdinata> ArchivioOrdinato() {
  const auto f = ArchivioCampione();
  return {{f[4], "0,00"}, {f[3], "2.469,11"}, {f[5], "50,00"}, {f[2], "201,00"}, {f[0], "420,00"}, {f[6], "15,00"}};
}

}  // namespace archives::testing
