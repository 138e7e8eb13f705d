// A report that the desktop cannot open: the file is written and one
// "Quotara" message names it and the temporary folder.
#include <optional>

#include "ReportsFixture.h"
#include "reports/Stampe.h"
#include "kit/Documenti.h"
#include "support/Apritore.h"

namespace reports::testing {
namespace {

using forms::vbOK;

class Apertura : public ReportsTest, public ::testing::WithParamInterface<std::optional<int>> {};

TEST_P(Apertura, AReportNobodyOpensIsNamedWithItsFolder) {
  const std::string file = temp("archiviotasi.pdf");
  {
    quotara::testing::ApritoreFinto apritore(cartella() / "bin", GetParam());
    desk.setOpening(forms::HeadlessDesktop::Opening::RealOpener);
    MostraStampa(StampaArchivioPdf({"ROSSI MARIO;VIA ROMA 1;ROMA;2014;1,00;2.5;5;0;0;12;6;6;100;1;0;420,00;420,00;0,00;"
                                    "1,00;0,00;2,00;0,00;0;0;0;3961;0;H501"},
                                   desk.now()));
    const std::string testo = shell::TestoDocumentoNonAperto({file});
    EXPECT_NE(testo.find("\"archiviotasi.pdf\""), std::string::npos);
    EXPECT_NE(testo.find(std::filesystem::path(file).parent_path().string()), std::string::npos);
    desk.expectMsgBox(vbOK, {.prompt = testo, .title = "Quotara", .icon = forms::vbExclamation});
    desk.waitForOpeners();
  }
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_EQ(desk.msgBoxes().size(), 1u);
  EXPECT_EQ(ControllaPdf(file), "");  // the report is there to be opened by hand
}

INSTANTIATE_TEST_SUITE_P(Apritore, Apertura, ::testing::Values(std::optional<int>(1), std::optional<int>()),
                         [](const auto& caso) { return caso.param ? "EsceConUno" : "NessunoSulPath"; });

}  // namespace
}  // namespace reports::testing
