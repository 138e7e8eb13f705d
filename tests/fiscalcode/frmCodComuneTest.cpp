// The municipality-code window, driven by a scripted user on the real table.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "calculation/MainForm.h"
#include "fiscalcode/frmCodComune.h"
#include "fiscalcode/modCodFis.h"
#include "forms/HeadlessDesktop.h"
#include "forms/ScriptedUser.h"
#include "platform/Paths.h"
#include "kit/Applicazione.h"
#include "frame/Principale.h"
#include "support/ProgramTest.h"

using namespace fiscalcode;
using forms::vbExclamation;
using forms::vbOK;

namespace {

const forms::MsgBoxCheck nonTrovato{
    .prompt = std::string(MessaggioComuneNonTrovato), .title = "Quotara", .icon = vbExclamation};
const forms::MsgBoxCheck statoEstero{
    .prompt = "Gli stati stranieri non sono accettati.", .title = "Quotara", .icon = vbExclamation};
const forms::MsgBoxCheck codiceErrato{
    .prompt = "Il codice catastale deve essere una lettera seguita da tre cifre (es. H501).",
    .title = "Quotara",
    .icon = vbExclamation};
const forms::MsgBoxCheck tabellaIllegibile{
    .prompt = "Impossibile leggere l'elenco dei comuni (codfis.imu).", .title = "Quotara", .icon = vbExclamation};

class CodComune : public quotara::testing::ProgramTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(EstraiFileComuni());
    calcolo().Show();
  }
  void TearDown() override { EXPECT_EQ(desk.pendingAnswers(), 0u); }

  calculation::MainForm& calcolo() { return application.form<calculation::MainForm>(); }
  shell::Principale& principale() { return application.form<shell::Principale>(); }
  frmCodComune& finestra() { return application.form<frmCodComune>(); }

  // As the calculation window's "Cod.Cat" button opens it.
  frmCodComune& apriDaCalcolo(const std::string& comune) {
    calcolo().Combo2.setText(comune);
    user.click(calcolo().cmdCodCat);
    return finestra();
  }
  // As the tools window opens it: the flag is left alone.
  frmCodComune& apriDaStrumenti() {
    principale().Hide();
    finestra().Show();
    return finestra();
  }

  std::vector<std::string> elenco() {
    std::vector<std::string> righe;
    for (int i = 0; i < finestra().lstComuni.ListCount(); ++i) righe.push_back(finestra().lstComuni.List(i));
    return righe;
  }
  std::string esito() { return finestra().lblCatasto.Caption() + " " + finestra().lblProv.Caption(); }

  // Back into the name box from elsewhere (its text is selected), the text
  // deleted, then `testo` typed.
  void scrivi(const std::string& testo) {
    user.focus(finestra().Command1);
    user.focus(finestra().txtComune);
    user.key(forms::vbKeyDelete);
    user.type(testo);
  }
};

int caratteri(const std::string& testo) {
  int n = 0;
  for (unsigned char c : testo) n += (c & 0xC0) != 0x80;
  return n;
}

TEST_F(CodComune, OpensOverTheHiddenFrameWithTheCalculationsMunicipality) {
  frmCodComune& f = apriDaCalcolo("Roma");
  EXPECT_TRUE(application.CodCatDaMainForm);
  EXPECT_TRUE(f.isShown());
  EXPECT_FALSE(principale().isShown());
  EXPECT_EQ(f.Caption(), "Ricerca Codice Catastale Comune");
  EXPECT_EQ(f.txtComune.Text(), "ROMA");
  EXPECT_TRUE(f.txtComune.hasFocus());
  EXPECT_EQ(f.txtComune.SelLength(), 4) << "the whole name is selected";
  EXPECT_EQ(esito(), " ");
  EXPECT_FALSE(ComuniNome.empty()) << "the table is loaded";
}

struct Ricerca {
  const char* digitato;
  const char* mostrato;
  const char* esito;
};

TEST_F(CodComune, SearchByName) {
  const Ricerca casi[] = {
      {"roma", "ROMA", "H501 RM"},
      {"san remo", "SAN REMO", "I138 IM"},  // stands in the table as SANREMO
      {"forli'", "FORLI'", "D704 FC"},
      {"forlì", "FORLÌ", "D704 FC"},                              // an accented ending is the vowel + "'"
      {"acquaviva d`isernia", "ACQUAVIVA D`ISERNIA", "A051 IS"},  // "`" is "'"
      {"san marino", "SAN MARINO", " "},                          // a foreign state
      {"roma ", "ROMA ", " "},                                    // not found
      {"", "", " "},
  };
  frmCodComune& f = apriDaStrumenti();
  for (const auto& c : casi) {
    SCOPED_TRACE(c.digitato);
    // Something else first, so that every case shows that the labels change.
    scrivi("MILANO\r");
    ASSERT_EQ(esito(), "F205 MI");
    if (std::string(c.esito) == " ")
      desk.expectMsgBox(vbOK, std::string(c.mostrato) == "SAN MARINO" ? statoEstero : nonTrovato);
    scrivi(c.digitato);
    EXPECT_EQ(f.txtComune.Text(), c.mostrato);
    EXPECT_EQ(f.txtComune.SelStart(), caratteri(c.mostrato)) << "the caret follows the last character";
    user.click(f.Command1);
    EXPECT_EQ(esito(), c.esito);
    EXPECT_EQ(desk.pendingAnswers(), 0u);
  }
}

TEST_F(CodComune, TheSearchBoxKeys) {
  frmCodComune& f = apriDaStrumenti();
  user.type(f.txtComune, "rep. a,b;c");
  EXPECT_EQ(f.txtComune.Text(), "REP. ABC") << "\".\" is kept, \",\" and \";\" are refused";
  EXPECT_EQ(f.txtComune.SelStart(), 8) << "the caret follows the last character";

  // Enter searches; the text is selected when the box takes the focus again.
  scrivi("livorno");
  user.pressEnter();
  EXPECT_EQ(esito(), "E625 LI");
  EXPECT_TRUE(f.txtComune.hasFocus());
  user.pressShiftTab();
  EXPECT_TRUE(f.Command3.hasFocus());
  user.pressTab();
  EXPECT_TRUE(f.txtComune.hasFocus());
  EXPECT_EQ(f.txtComune.SelLength(), 7);
  // A window that only looks up: Esc closes it, as its close box does, and
  // the frame shows again.
  user.pressEsc();
  EXPECT_FALSE(application.isLoaded<frmCodComune>());
  EXPECT_TRUE(principale().Visible());
}

TEST_F(CodComune, TheListShowsEveryPlaceWithTheTypedStart) {
  frmCodComune& f = apriDaStrumenti();
  scrivi("liv");
  EXPECT_EQ(elenco(),
            (std::vector<std::string>{"LIVERI (NA)", "LIVIGNO (SO)", "LIVINALLONGO DEL COL DI LANA (BL)", "LIVO (CO)",
                                      "LIVO (TN)", "LIVORNO (LI)", "LIVORNO FERRARIS (VC)", "LIVRAGA (LO)"}));
  user.type("o");
  EXPECT_EQ(elenco(), (std::vector<std::string>{"LIVO (CO)", "LIVO (TN)", "LIVORNO (LI)", "LIVORNO FERRARIS (VC)"}));
  scrivi("s");
  EXPECT_EQ(f.lstComuni.ListCount(), static_cast<int>(frmCodComune::RigheElenco)) << "a short list";
  scrivi("xyz");
  EXPECT_EQ(f.lstComuni.ListCount(), 0);
  EXPECT_EQ(desk.msgBoxes().size(), 0u) << "typing never shows a message";
}

TEST_F(CodComune, PlacesSharingANameAreReachedInTurn) {
  frmCodComune& f = apriDaStrumenti();
  scrivi("livo");
  const std::pair<const char*, const char*> giri[] = {
      {"E623 CO", "LIVO (CO)"}, {"E624 TN", "LIVO (TN)"}, {"E623 CO", "LIVO (CO)"}};
  for (auto [atteso, riga] : giri) {
    user.click(f.Command1);
    EXPECT_EQ(esito(), atteso);
    EXPECT_EQ(f.lstComuni.List(f.lstComuni.ListIndex()), riga) << "the list shows the place found";
  }

  // A choice in the list takes that place, and the next search the one after it.
  scrivi("samon");
  ASSERT_EQ(elenco(), (std::vector<std::string>{"SAMONE (TO)", "SAMONE (TN)"}));
  user.pickRow(f.lstComuni, 1);
  EXPECT_EQ(f.txtComune.Text(), "SAMONE");
  EXPECT_EQ(esito(), "H754 TN");
  EXPECT_EQ(f.lstComuni.List(f.lstComuni.ListIndex()), "SAMONE (TN)");
  user.click(f.Command1);
  EXPECT_EQ(esito(), "H753 TO");

  // The list stays as typed while the user moves through it.
  scrivi("liv");
  user.pickRow(f.lstComuni, 4);
  EXPECT_EQ(f.txtComune.Text(), "LIVO");
  EXPECT_EQ(esito(), "E624 TN");
  EXPECT_EQ(f.lstComuni.ListCount(), 8);
  user.key(forms::vbKeyDown);
  EXPECT_EQ(f.txtComune.Text(), "LIVORNO");
  EXPECT_EQ(esito(), "E625 LI");
  EXPECT_EQ(f.lstComuni.ListIndex(), 5);

  // Typing starts again from the first place of the name.
  scrivi("samone");
  user.click(f.Command1);
  EXPECT_EQ(esito(), "H753 TO");

  // SANT'ELENA is a municipality of Padova and a foreign state.
  scrivi("sant'elena\r");
  EXPECT_EQ(esito(), "I319 PD");
  desk.expectMsgBox(vbOK, statoEstero);
  user.pressEnter();
  EXPECT_EQ(esito(), " ");
  EXPECT_TRUE(f.txtComune.hasFocus());
  user.pressEnter();
  EXPECT_EQ(esito(), "I319 PD");
}

TEST_F(CodComune, ForeignStateThenUnknownName) {
  apriDaStrumenti();
  desk.expectMsgBox(vbOK, statoEstero);
  scrivi("francia\r");
  EXPECT_EQ(esito(), " ");
  desk.expectMsgBox(vbOK, nonTrovato);
  scrivi("atlantide\r");
  EXPECT_EQ(esito(), " ");
  EXPECT_EQ(desk.msgBoxes().size(), 2u) << "one message each";
}

struct CodiceAMano {
  const char* risposta;
  const char* codice;  // nullptr: refused, the label keeps "F205"
};

TEST_F(CodComune, CodeTypedByHand) {
  const CodiceAMano casi[] = {
      {"h501xyz", "H501"},            // the first four characters, upper case
      {"Z130", "Z130"},    {"", ""},  // empty answer or Cancel empties the label
      {"H50", nullptr},    {"1501", nullptr}, {"HH01", nullptr}, {"H5O1", nullptr}, {"È501", nullptr},
  };
  frmCodComune& f = apriDaStrumenti();
  for (const auto& c : casi) {
    SCOPED_TRACE(c.risposta);
    scrivi("milano\r");
    ASSERT_EQ(esito(), "F205 MI");
    desk.expectInputBox(c.risposta);
    if (!c.codice) desk.expectMsgBox(vbOK, codiceErrato);
    user.click(f.Command2);
    EXPECT_EQ(desk.pendingAnswers(), 0u);
    EXPECT_EQ(f.lblCatasto.Caption(), c.codice ? c.codice : "F205");
    EXPECT_EQ(f.lblProv.Caption(), "MI") << "the province of the search stays";
  }
}

TEST_F(CodComune, ChiudiHandsTheCodeToTheCalculation) {
  frmCodComune& f = apriDaCalcolo("samone");
  user.click(f.Command1);
  user.click(f.Command1);
  ASSERT_EQ(esito(), "H754 TN");
  user.click(f.Command3);
  EXPECT_FALSE(application.isLoaded<frmCodComune>());
  EXPECT_EQ(calcolo().lblCodCat.Caption(), "H754");
  EXPECT_FALSE(application.CodCatDaMainForm);
  EXPECT_TRUE(principale().isShown());
  EXPECT_TRUE(calcolo().isShown());
  EXPECT_TRUE(ComuniNome.empty()) << "the table is emptied";

  // A failed search empties the calculation's code; so does a code typed by hand.
  desk.expectMsgBox(vbOK, nonTrovato);
  user.click(apriDaCalcolo("atlantide").Command1);
  user.click(finestra().Command3);
  EXPECT_EQ(calcolo().lblCodCat.Caption(), "");

  desk.expectInputBox("a001");
  user.click(apriDaCalcolo("").Command2);
  user.click(finestra().Command3);
  EXPECT_EQ(calcolo().lblCodCat.Caption(), "A001");
}

TEST_F(CodComune, OpenedFromTheToolsItLeavesTheCalculationAlone) {
  calcolo().lblCodCat.setCaption("H501");
  frmCodComune& f = apriDaStrumenti();
  scrivi("milano\r");
  user.click(f.Command3);
  EXPECT_EQ(calcolo().lblCodCat.Caption(), "H501");
  EXPECT_TRUE(principale().isShown());
}

TEST_F(CodComune, TheCloseBoxActsAsChiudi) {
  frmCodComune& f = apriDaCalcolo("milano");
  user.click(f.Command1);
  user.close(f);
  EXPECT_FALSE(application.isLoaded<frmCodComune>());
  EXPECT_EQ(calcolo().lblCodCat.Caption(), "F205");
  EXPECT_FALSE(application.CodCatDaMainForm);
  EXPECT_TRUE(principale().isShown());
  EXPECT_TRUE(ComuniNome.empty());

  user.close(apriDaStrumenti());
  EXPECT_TRUE(principale().isShown());
  EXPECT_EQ(calcolo().lblCodCat.Caption(), "F205");
}

TEST_F(CodComune, MissingTableFile) {
  calcolo().Combo2.setText("ROMA");
  calcolo().lblCodCat.setCaption("H501");
  ASSERT_EQ(std::remove(PercorsoFileComuni().c_str()), 0);
  desk.expectMsgBox(vbOK, tabellaIllegibile);
  user.click(calcolo().cmdCodCat);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_FALSE(application.isLoaded<frmCodComune>());
  EXPECT_TRUE(principale().isShown());
  EXPECT_FALSE(application.CodCatDaMainForm);
  EXPECT_EQ(calcolo().lblCodCat.Caption(), "H501") << "nothing was looked up";

  // Once the file is back the window works again.
  ASSERT_TRUE(EstraiFileComuni());
  user.click(apriDaCalcolo("roma").Command1);
  EXPECT_EQ(esito(), "H501 RM");
}

}  // namespace
