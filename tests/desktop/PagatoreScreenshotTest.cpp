// The F24 payer window (person and entity layouts), the payer archive and the
// fiscal-code window drawn on the offscreen Qt screen; each saved as a PNG in
// the test's folder for a person to look at.
#include <QLabel>
#include <QWidget>
#include <filesystem>

#include "DesktopFixture.h"
#include "f24/ArchivioF24.h"
#include "f24/frmF24.h"
#include "fiscalcode/frmCFdati.h"
#include "fiscalcode/modCodFis.h"
#include "forms/UserInput.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "frame/Principale.h"
#include "kit/Applicazione.h"
#include "kit/Dialoghi.h"
#include "support/ProgramTest.h"

namespace desktop::testing {
namespace {

using namespace forms;

class PagatoreScreenshotTest : public DesktopTestOf<shell::Applicazione> {
 protected:
  PagatoreScreenshotTest() : base_(quotara::testing::CartellaTest()) {
    shell::CollegaCornice(application);
    std::filesystem::create_directories(base_ / "dati");
    std::filesystem::create_directories(base_ / "temp");
    platform::setProgramFolderForTests((base_ / "dati").string());
    platform::setTempFolderForTests((base_ / "temp").string());
    platform::writeLinesAtomic(
        (base_ / "dati" / "tasif24.dat").string(),
        {"RSSMRA80A01H501U;ROSSI;MARIO;01/01/1980;M;ROMA;RM;MILANO;MI;VIA VERDI 3;BANCA UNO;AG. "
         "5;MI;IT60X0542811101000000123456",
         "01234567890;COMUNE SERVIZI SRL;;  /  /    ;;;;TORINO;TO;CORSO FRANCIA 1;BANCA DUE;SEDE;TO;",
         "DAMCCL85M52F839Q;D'AMICO;NICCOLÒ;12/08/1985;F;NAPOLI;NA;NAPOLI;NA;VIA TOLEDO 1;BANCA TRE;AG. 1;NA;"});
  }
  ~PagatoreScreenshotTest() override {
    platform::setProgramFolderForTests("");
    platform::setTempFolderForTests("");
  }
  void salva(const Form& f, const char* nome) {
    ASSERT_TRUE(grab(f).save(QString::fromStdString((base_ / nome).string())));
  }
  bool visibile(const Element& e) { return desk.widgetOf(e)->isVisible(); }

  std::filesystem::path base_;
};

TEST_F(PagatoreScreenshotTest, ThePayerWindowInBothLayoutsAndTheArchive) {
  auto& f = application.form<f24::frmF24>();
  desk.deliver([&f] { shell::ApriDialogo(f); });
  desk.deliver([&f] { input::click(f.cmdLoad); });
  auto& a = application.form<f24::ArchivioF24>();
  ASSERT_EQ(a.lstF24.ListCount(), 3);
  salva(a, "archivio-f24.png");
  desk.deliver([&a] {
    input::pickRow(a.lstF24, 0);
    input::dblClick(a.lstF24);
  });
  auto& p = application.form<f24::frmF24>();
  EXPECT_TRUE(visibile(p.txtNome));
  EXPECT_EQ(p.txtNome.Text(), "MARIO");
  salva(p, "f24-persona.png");
  desk.deliver([&p] { input::click(p.chkEnte); });
  EXPECT_FALSE(visibile(p.txtNome));
  EXPECT_FALSE(visibile(p.cmdCodFis));
  EXPECT_TRUE(visibile(p.lblNote));
  EXPECT_EQ(desk.widgetOf(p.txtCognome)->width(), 5985 / 15);
  salva(p, "f24-ente.png");
}

TEST_F(PagatoreScreenshotTest, TheFiscalCodeWindow) {
  ASSERT_TRUE(fiscalcode::EstraiFileComuni());
  auto& f = application.form<fiscalcode::frmCFdati>();
  desk.deliver([&f] { shell::ApriDialogo(f); });
  desk.deliver([&f] {
    f.txtCognome.setText("rossi");
    f.txtNome.setText("mario");
    f.txtData.setText("01/01/1980");
    f.txtSesso.setText("m");
    f.txtComuneNascita.setText("roma");
    input::click(f.cmdCF);
  });
  EXPECT_EQ(f.txtCF.Text(), "RSSMRA80A01H501U");
  EXPECT_EQ(f.lblProv.Caption(), "RM");
  salva(f, "codice-fiscale.png");
}

}  // namespace
}  // namespace desktop::testing
