// The About page: version, links to the TASI page, the government page and
// the guide, and the drawn title.
#include "calculation/MainForm.h"
#include "forms/UserInput.h"
#include "frame/About.h"
#include "frame/Principale.h"
#include "support/ShellFixture.h"

namespace shell::testing {
namespace {

using namespace forms;

class AboutTest : public ShellTest {
 protected:
  AboutTest() {
    application.form<calculation::MainForm>().Show();
    application.form<Principale>().EseguiComando(Principale::Info);
  }
  About& about() { return application.form<About>(); }
};

TEST_F(AboutTest, ShowsTheVersionWithThreeNumbersInsideTheFrame) {
  EXPECT_TRUE(about().isShown());
  EXPECT_EQ(application.form<Principale>().ActiveForm(), &about());
  EXPECT_EQ(about().Label1.Caption(), "Versione 1.2.0");
  EXPECT_EQ(about().Command1[0].Caption(), "TASI\rInformazioni generali");
  EXPECT_GT(about().Image1.Picture().width(), 0);
}

// A page that only shows: Esc closes it as its close box does.
TEST_F(AboutTest, EscClosesIt) {
  user.focus(about().Command1[0]);
  user.pressEsc();
  EXPECT_FALSE(application.isLoaded<About>());
  EXPECT_TRUE(desk.msgBoxes().empty());
}

TEST_F(AboutTest, TheButtonsOpenTheTasiPageAndTheGovernmentPage) {
  user.click(about().Command1[0]);
  user.click(about().Command1[1]);
  EXPECT_EQ(desk.openedDocuments(), (std::vector<std::string>{temp("tasi.htm"), IndirizzoDelibere}));
}

TEST_F(AboutTest, TheGuideImageLooksPressedWhileHeldAndOpensTheGuideOnce) {
  user.mouseDown(about().Image2, 5, 5);
  EXPECT_EQ(about().Image2.BorderStyle(), 1);
  EXPECT_TRUE(desk.openedDocuments().empty());
  user.mouseUp(about().Image2, 5, 5);
  EXPECT_EQ(about().Image2.BorderStyle(), 0);
  EXPECT_EQ(desk.openedDocuments(), std::vector<std::string>{temp("tasiguida.htm")});
}

TEST_F(AboutTest, PaintingDrawsTheTitleBlueOverGrey) {
  input::paint(about());
  const Image& img = about().Image();
  int blu = 0;
  for (Color c : img.pixels()) {
    blu += c == RGB(0, 0, 255);
  }
  EXPECT_GT(blu, 0);
  EXPECT_EQ(about().Label1.Caption(), "Versione 1.2.0");
}

}  // namespace
}  // namespace shell::testing
