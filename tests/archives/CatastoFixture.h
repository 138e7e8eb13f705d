#pragma once
// The cadastral page on a headless desktop with a register of its own: an
// owner with two buildings, a parcel of land and a building area in mixed
// file order, an owner whose name differs only in case, an owner with no
// amounts and a municipality longer than its column.
#include <string>
#include <vector>

#include "archives/Catasto.h"
#include "archives/Immobili.h"
#include "archives/frmCategorie.h"
#include "support/ProgramTest.h"

namespace archives::testing {

using Righe = std::vector<std::string>;

// Lines of "tasicat.dat", in file order.
inline const std::string kCasa = "ROSSI MARIO;TORINO;VIA ROMA 1;0;12;;3;45;2;A/2;3;5,5;90;100;1.234,56;;;prima casa";
inline const std::string kBianchi = "BIANCHI ANNA;PINO TORINESE;STRADA DEI COLLI 12;0;;;;;;C/6;;;;;;;;";
inline const std::string kTerreno = "ROSSI MARIO;CHIERI;CAMPO GRANDE;1;7;;3;44;;;;;1500;50%;;9,00;12,00;";
inline const std::string kMinuscolo = "rossi mario;ASTI;VIA PO 3;0;;;;;;A/3;;;;;500,00;;;";
inline const std::string kArea = "ROSSI MARIO;PINO TORINESE;LOTTO SUL COLLE;2;8;;4;55;;;;;800;;50.000,00;;;";
inline const std::string kBox = "ROSSI MARIO;TORINO;CORSO FRANCIA 100;0;13;;3;46;5;C/6;2;;18;100;150,00;;;box";
inline const Righe kRegistro = {kCasa, kBianchi, kTerreno, kMinuscolo, kArea, kBox};
// The same lines as List1 holds them: alphabetical, case ignored.
inline const Righe kOrdinato = {kBianchi, kMinuscolo, kTerreno, kArea, kBox, kCasa};

inline std::string Blanks(int n) { return std::string(static_cast<size_t>(n), ' '); }

class CatastoTest : public quotara::testing::ProgramTest {
 protected:
  std::string registro() const { return dati("tasicat.dat"); }

  // The register as the program writes it: Windows-1252, CR LF.
  void scriviRegistro(const Righe& righe = kRegistro) { quotara::testing::ScriviRighe(registro(), righe); }
  Righe righeRegistro() const { return quotara::testing::LeggiRighe(registro()); }

  // The cadastral page shown in its frame, as the toolbar opens it.
  Immobili& pagina() {
    Immobili& p = application.form<Immobili>();
    p.Show();
    return p;
  }
  // Picks `nome` from the owner list.
  void scegli(Immobili& p, const std::string& nome) {
    for (int i = 0; i < p.cboUtente.ListCount(); ++i)
      if (p.cboUtente.List(i) == nome) return user.pickRow(p.cboUtente, i);
    ADD_FAILURE() << nome << " is not in the owner list";
  }
  static Righe voci(const forms::ListPart& l) {
    Righe v;
    for (int i = 0; i < l.ListCount(); ++i) v.push_back(l.List(i));
    return v;
  }
  static std::vector<int> numeri(const forms::ListBox& l) {
    std::vector<int> v;
    for (int i = 0; i < l.ListCount(); ++i) v.push_back(l.ItemData(i));
    return v;
  }
  // The row of lstCatasto whose line is `riga`.
  static int rigaDi(const Immobili& p, const std::string& riga) {
    for (int i = 0; i < p.lstCatasto.ListCount(); ++i)
      if (p.List1.List(p.lstCatasto.ItemData(i)) == riga) return i;
    return -1;
  }
  Catasto& scheda() { return application.form<Catasto>(); }
};

}  // namespace archives::testing
