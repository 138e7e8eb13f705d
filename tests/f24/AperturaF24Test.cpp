// The filled F24 that the desktop cannot open: the files are in place and one
// "Quotara" message names them and the folder "datiF24".
#include "f24/frmF24.h"
#include "F24Fixture.h"
#include "kit/Documenti.h"
#include "support/Apritore.h"
#include "support/TestiF24.h"

namespace f24::testing {
namespace {

using forms::vbOK;

class AperturaF24 : public F24Test, public ::testing::WithParamInterface<std::optional<int>> {
 protected:
  // One payment of `righe` rows for a payer with a name and a fiscal code.
  EsitoF24 compila(int righe) {
    DatiContribuenteF24 dati;
    dati.CodiceFiscale = "BNCNNA80A41H501X";
    dati.Cognome = "BIANCHI";
    dati.Nome = "ANNA";
    VersamentoF24 v;
    for (int i = 0; i < righe; ++i)
      v.RigheF24.push_back(quotara::testing::RigaDaTesto("A001;X;;1;3958;2014;" + std::to_string(10 * (i + 1))));
    v.NumRigheF24 = righe;
    v.ChiusuraF24 = quotara::testing::ChiusuraDaTesto("1;;270;");
    v.Contribuente = "BIANCHI ANNA";
    v.CodiceCatastale = "A001";
    v.Anno = "2014";
    return EseguiCompilaF24(dati, false, ModelloF24::Normale, v);
  }
};

TEST_P(AperturaF24, OneMessageNamesTheFilledFormsAndTheirFolder) {
  quotara::testing::ApritoreFinto apritore(cartella() / "bin", GetParam());
  desk.setOpening(forms::HeadlessDesktop::Opening::RealOpener);
  for (int righe : {1, 6}) {
    SCOPED_TRACE(righe);
    if (righe > 4) desk.expectMsgBox(vbOK);  // two forms will be made
    const EsitoF24 esito = compila(righe);
    ASSERT_TRUE(esito.Riuscito);
    ASSERT_EQ(esito.Compilati.size(), righe > 4 ? 2u : 1u);
    for (const std::string& f : esito.Compilati) EXPECT_TRUE(std::filesystem::exists(f)) << f;
    const std::string testo = shell::TestoDocumentoNonAperto(esito.Compilati);
    EXPECT_NE(testo.find(datiF24()), std::string::npos) << testo;
    desk.expectMsgBox(vbOK, {.prompt = testo, .title = "Quotara", .icon = forms::vbExclamation});
    desk.waitForOpeners();
    EXPECT_EQ(desk.pendingAnswers(), 0u);
  }
}

INSTANTIATE_TEST_SUITE_P(Apritore, AperturaF24, ::testing::Values(std::optional<int>(1), std::optional<int>()),
                         [](const auto& caso) { return caso.param ? "EsceConUno" : "NessunoSulPath"; });

}  // namespace
}  // namespace f24::testing
