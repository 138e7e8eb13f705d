// The input conventions, as one table across the kinds of box, on every box
// of the calculation page and of its two dialogs.
#include <gtest/gtest.h>

#include "MainFormFixture.h"
#include "calculation/frmAcconto.h"
#include "calculation/frmPertinenze.h"
#include "support/Convenzioni.h"

namespace calculation::testing {
namespace {

using quotara::testing::Casella;
using quotara::testing::ControllaCaselle;

TEST_F(MainFormTest, ConvenzioniDiOgniCasella) {
  MainForm& f = apri();
  ControllaCaselle(user, desk,
                   {{f.Combo1, Casella::Nome},
                    {f.Combo3, Casella::Nome},
                    {f.Combo2, Casella::Nome},
                    {f.Text2, Casella::Cifre},
                    {f.Text3, Casella::Importo},
                    {f.Text4, Casella::Decimale},
                    {f.Text5, Casella::Decimale},
                    {f.Text8, Casella::Cifre},
                    {f.Text9, Casella::Decimale}});
  // The boxes that only some data enable.
  user.type(f.Text8, "6");
  user.tick(f.Check1);
  ControllaCaselle(
      user, desk,
      {{f.Text1, Casella::Mesi}, {f.Text10, Casella::Mesi}, {f.Text7, Casella::Importo}, {f.txtNum, Casella::Cifre}});
  user.tick(f.Check1);
  user.tick(f.chkLocata);
  ControllaCaselle(user, desk, {{f.txtLocata, Casella::Cifre}});
}

TEST_F(MainFormTest, ConvenzioniDeiDialoghi) {
  MainForm& f = apri();
  user.tick(f.Check1);
  user.click(f.cmdPertinenze);
  frmPertinenze& pertinenze = application.form<frmPertinenze>();
  ASSERT_TRUE(pertinenze.isShown());
  ControllaCaselle(user, desk,
                   {{pertinenze.txtPrinc, Casella::Importo},
                    {pertinenze.txtPert1, Casella::Importo},
                    {pertinenze.txtPert2, Casella::Importo},
                    {pertinenze.txtPert3, Casella::Importo}});
  user.close(pertinenze);

  datiMinimi(f);
  user.tick(f.chkManuale);
  desk.expectMsgBox(vbYes, {.prompt = "Non hai immesso la detrazione per l'abitazione principale.\r\n"
                                      "Vuoi continuare comunque?"});
  calcola(f);
  frmAcconto& acconto = application.form<frmAcconto>();
  ASSERT_TRUE(acconto.isShown());
  ControllaCaselle(user, desk, {{acconto.txtComune, Casella::Importo}, {acconto.txtPrima, Casella::Importo}});
  user.close(acconto);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
}

}  // namespace
}  // namespace calculation::testing
