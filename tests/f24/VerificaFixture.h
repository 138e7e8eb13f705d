#pragma once
// The totals page on a headless desktop, over a "tasi.dat" of the test's own
// program folder.
#include <string>
#include <vector>

#include "f24/Verifica.h"
#include "f24/frmF24.h"
#include "support/ProgramTest.h"

namespace f24::testing {

class VerificaTest : public quotara::testing::ProgramTest {
 protected:
  Verifica& pagina() { return application.form<Verifica>(); }

  // The archive, written as the calculation page writes it; then the page.
  Verifica& apri(const std::vector<std::string>& righe) {
    quotara::testing::ScriviRighe(dati("tasi.dat"), righe);
    pagina().Show();
    return pagina();
  }

  static std::vector<std::string> Voci(const forms::ComboBox& c) {
    std::vector<std::string> v;
    for (int i = 0; i < c.ListCount(); ++i) v.push_back(c.List(i));
    return v;
  }
  static std::vector<std::string> Voci(const forms::ListBox& l) {
    std::vector<std::string> v;
    for (int i = 0; i < l.ListCount(); ++i) v.push_back(l.List(i));
    return v;
  }

  static int Indice(const forms::ComboBox& c, const std::string& testo) {
    for (int i = 0; i < c.ListCount(); ++i)
      if (c.List(i) == testo) return i;
    ADD_FAILURE() << testo << " is not in the list";
    return 0;
  }

  // "Chiudi" of the F24 payer window that a hand-over opened: back to the page.
  void chiudiF24() {
    ASSERT_TRUE(application.isLoaded<frmF24>());
    user.click(application.form<frmF24>().cmdExit);
  }
  // The user picks an entry of a list by its text.
  void scegli(forms::ComboBox& c, const std::string& testo) { user.pickRow(c, Indice(c, testo)); }

  // The same pick, expecting the small-amount notice.
  void scegliConAvviso(forms::ComboBox& c, const std::string& testo) {
    desk.expectMsgBox(forms::vbOK, {.prompt = kAvvisoImportiMinimi, .title = "Quotara", .icon = 0});
    scegli(c, testo);
  }
};

}  // namespace f24::testing
